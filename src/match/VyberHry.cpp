#include "VyberHry.h"

#include "Hlavni.h"
#include "OContrls.h"
#include "Placement.h"
#include "Sounds.h"

#include <QLabel>

TVyberHryDialog::TVyberHryDialog(int players) : TBalloonForm(WhileOpen::WindowsRest), m_players(players)
{
}

TVyberHryDialog::~TVyberHryDialog() = default;

void TVyberHryDialog::setUpForm(QLabel *label1, TOfficeLabel *office1, TOfficeLabel *office2,
                                TOfficeLabel *office3, TOfficeButton *button1)
{
    Label1 = label1;
    OfficeLabel1 = office1;
    OfficeLabel2 = office2;
    OfficeLabel3 = office3;
    OfficeButton1 = button1;

    formshape1 = SetUpBalloon(size(), tformshape::bpBottomRight);
    Label1->setFont(BalloonFont(13, true));
    for (TOfficeLabel *choice : {OfficeLabel1, OfficeLabel2, OfficeLabel3})
        choice->setFont(BalloonFont());
    OfficeButton1->setFont(BalloonFont());

    connect(OfficeButton1, &TOfficeControl::clicked, this, &TVyberHryDialog::OfficeButton1Click);
    connect(OfficeLabel1, &TOfficeControl::clicked, this, &TVyberHryDialog::OfficeLabel1Click);
    connect(OfficeLabel2, &TOfficeControl::clicked, this, &TVyberHryDialog::OfficeLabel2Click);
    connect(OfficeLabel3, &TOfficeControl::clicked, this, &TVyberHryDialog::OfficeLabel3Click);
}

void TVyberHryDialog::OfficeButton1Click()
{
    close();
}

void TVyberHryDialog::OfficeLabel1Click()
{
    choose(GameKind::Training);
}

void TVyberHryDialog::OfficeLabel2Click()
{
    choose(GameKind::Standard);
}

void TVyberHryDialog::OfficeLabel3Click()
{
    choose(GameKind::Advanced);
}

void TVyberHryDialog::choose(GameKind kind)
{
    if (THlavniDialog *main = HlavniDialog())
        main->StartMatch(m_players, kind);
    close();
}

void TVyberHryDialog::FormShow()
{
    PlaySoundAndGoOn(QStringLiteral("Dialog.wav"));
    PlaceBesideAssistant(m_players == 1 ? PlacementCaller::NewGameOnePlayer
                                        : PlacementCaller::NewGameTwoPlayers,
                         this);
}

void TVyberHryDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEnterKey(event->key()) || IsEscapeKey(event->key()))
        close();
}
