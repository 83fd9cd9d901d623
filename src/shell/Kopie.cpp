#include "Kopie.h"
#include "ui_Kopie.h"

#include "Companion.h"
#include "OContrls.h"
#include "Pomocnik.h"
#include "Timer.h"
#include "formshape.h"

namespace {

TKopieDialog *g_kopieDialog = nullptr;

constexpr int BlinkMs = 500;

} // namespace

TKopieDialog *KopieDialog()
{
    return g_kopieDialog;
}

TKopieDialog::TKopieDialog() : TBalloonForm(WhileOpen::WindowsRest), ui(new Ui::KopieDialog)
{
    g_kopieDialog = this;
    ui->setupUi(this);
    OfficeButton2 = ui->OfficeButton2;
    FormCreate();
}

TKopieDialog::~TKopieDialog()
{
    if (g_kopieDialog == this)
        g_kopieDialog = nullptr;
}

void TKopieDialog::FormCreate()
{
    formshape1 = SetUpBalloon(QSize(320, 97), tformshape::bpRightTop);
    setFocusPolicy(Qt::StrongFocus);
    setFirstControl(this);
    ui->Label1->setFont(BalloonFont(13, true));
    ui->Label2->setFont(BalloonFont(13));
    setColor(DarkColor);

    Timer1 = new Timer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(BlinkMs);
    Timer1->setEnabled(true);
    connect(Timer1, &Timer::OnTimer, this, &TKopieDialog::Timer1Timer);
    connect(OfficeButton2, &TOfficeButton::clicked, this, &TKopieDialog::OfficeButton2Click);
}

TColor TKopieDialog::Color() const
{
    return FromQColor(palette().color(QPalette::Window));
}

void TKopieDialog::setColor(TColor color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(color));
    setPalette(colours);
}

void TKopieDialog::Timer1Timer()
{
    setColor(Color() == LightColor ? DarkColor : LightColor);
}

void TKopieDialog::OfficeButton2Click()
{
    SetAssistantEnabled(true);
    if (TPomocnikDialog *assistant = PomocnikDialog())
        assistant->close();
}

void TKopieDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEnterKey(event->key()) || IsEscapeKey(event->key()))
        OfficeButton2Click();
}
