#include "DotazKonec.h"
#include "ui_DotazKonec.h"

#include "Hlavni.h"
#include "OContrls.h"
#include "Sounds.h"
#include "WidgetArt.h"


namespace {
TDotazKonecDialog *g_dotazKonecDialog = nullptr;
}

TDotazKonecDialog *DotazKonecDialog()
{
    return g_dotazKonecDialog;
}

TDotazKonecDialog::TDotazKonecDialog()
    : TBalloonForm(WhileOpen::MatchStops), ui(new Ui::DotazKonecDialog)
{
    g_dotazKonecDialog = this;
    ui->setupUi(this);
    titleLabel = ui->titleLabel;
    questionLabel = ui->questionLabel;
    yesButton = ui->yesButton;
    noButton = ui->noButton;

    balloonShape = SetUpBalloon(size(), tformshape::bpRightTop);
    ui->programPicture->setPixmap(QPixmap(WidgetArt::ProgramPicture35x35));
    titleLabel->setFont(BalloonFont(13, true));
    questionLabel->setFont(BalloonFont());
    yesButton->setFont(BalloonFont());
    noButton->setFont(BalloonFont());

    connect(yesButton, &TOfficeControl::clicked, this, &TDotazKonecDialog::endMatch);
    connect(noButton, &TOfficeControl::clicked, this, &TDotazKonecDialog::keepPlaying);
}

TDotazKonecDialog::~TDotazKonecDialog()
{
    if (g_dotazKonecDialog == this)
        g_dotazKonecDialog = nullptr;
}

void TDotazKonecDialog::endMatch()
{
    if (THlavniDialog *main = HlavniDialog())
        main->EndMatch();
    close();
}

void TDotazKonecDialog::keepPlaying()
{
    close();
}




void TDotazKonecDialog::FormShow()
{
    // Gravity has stopped; the question sounds before the main window and the assistant rest.
    PlaySoundAndGoOn(QStringLiteral("Dotaz.wav"));
}

void TDotazKonecDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEscapeKey(event->key()))
        keepPlaying();
    else if (IsEnterKey(event->key()))
        endMatch();
}
