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

void TVyberHryDialog::setUpForm(QLabel *heading, TOfficeLabel *training, TOfficeLabel *standard,
                                TOfficeLabel *advanced, TOfficeButton *back)
{
    headingLabel = heading;
    trainingGameLink = training;
    standardGameLink = standard;
    advancedGameLink = advanced;
    backButton = back;

    balloonShape = SetUpBalloon(size(), tformshape::bpBottomRight);
    headingLabel->setFont(BalloonFont(13, true));
    for (TOfficeLabel *choice : {trainingGameLink, standardGameLink, advancedGameLink})
        choice->setFont(BalloonFont());
    backButton->setFont(BalloonFont());

    connect(backButton, &TOfficeControl::clicked, this, &TVyberHryDialog::goBack);
    connect(trainingGameLink, &TOfficeControl::clicked, this, &TVyberHryDialog::chooseTrainingGame);
    connect(standardGameLink, &TOfficeControl::clicked, this, &TVyberHryDialog::chooseStandardGame);
    connect(advancedGameLink, &TOfficeControl::clicked, this, &TVyberHryDialog::chooseAdvancedGame);
}

void TVyberHryDialog::goBack()
{
    close();
}

void TVyberHryDialog::chooseTrainingGame()
{
    choose(GameKind::Training);
}

void TVyberHryDialog::chooseStandardGame()
{
    choose(GameKind::Standard);
}

void TVyberHryDialog::chooseAdvancedGame()
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
