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
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    OfficeButton1 = ui->OfficeButton1;
    OfficeButton2 = ui->OfficeButton2;

    formshape1 = SetUpBalloon(size(), tformshape::bpRightTop);
    ui->Image1->setPixmap(QPixmap(WidgetArt::ProgramPicture35x35));
    Label1->setFont(BalloonFont(13, true));
    Label2->setFont(BalloonFont());
    OfficeButton1->setFont(BalloonFont());
    OfficeButton2->setFont(BalloonFont());

    connect(OfficeButton1, &TOfficeControl::clicked, this, &TDotazKonecDialog::OfficeButton1Click);
    connect(OfficeButton2, &TOfficeControl::clicked, this, &TDotazKonecDialog::OfficeButton2Click);
}

TDotazKonecDialog::~TDotazKonecDialog()
{
    if (g_dotazKonecDialog == this)
        g_dotazKonecDialog = nullptr;
}

void TDotazKonecDialog::OfficeButton1Click()
{
    if (THlavniDialog *main = HlavniDialog())
        main->EndMatch();
    close();
}

void TDotazKonecDialog::OfficeButton2Click()
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
        OfficeButton2Click();
    else if (IsEnterKey(event->key()))
        OfficeButton1Click();
}
