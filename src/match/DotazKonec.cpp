#include "DotazKonec.h"
#include "ui_DotazKonec.h"

#include "Balloon.h"
#include "Companion.h"
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
    : TBalloonForm(), ui(new Ui::DotazKonecDialog)
{
    g_dotazKonecDialog = this;
    ui->setupUi(this);
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    OfficeButton1 = ui->OfficeButton1;
    OfficeButton2 = ui->OfficeButton2;

    setFixedSize(size());
    ui->Image1->setPixmap(QPixmap(WidgetArt::ProgramPicture35x35));
    Label1->setFont(BalloonFont(13, true));
    Label2->setFont(BalloonFont());
    OfficeButton1->setFont(BalloonFont());
    OfficeButton2->setFont(BalloonFont());
    formshape1 = MakeBalloon(this, tformshape::bpRightTop);

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
    // Gravity stops unless the pause holds it, the question sounds, and only then do the main
    // window and the assistant rest.
    CompanionSuspendsGravity();
    PlaySoundAndGoOn(QStringLiteral("Dotaz.wav"));
    SetMainAndAssistantEnabled(false);
    TakeKeyboard(this, nullptr);
}

void TDotazKonecDialog::FormClose()
{
    CompanionClosed();
}

void TDotazKonecDialog::FormKeyDown(int key)
{
    if (IsEscapeKey(key))
        OfficeButton2Click();
    else if (IsEnterKey(key))
        OfficeButton1Click();
}
