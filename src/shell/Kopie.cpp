#include "Kopie.h"
#include "ui_Kopie.h"

#include "OContrls.h"
#include "Pomocnik.h"
#include "Timer.h"
#include "formshape.h"

namespace {

TKopieDialog *g_kopieDialog = nullptr;

constexpr int BlinkMs = 500;

void setAssistantEnabled(bool enabled)
{
    if (TPomocnikDialog *assistant = PomocnikDialog())
        assistant->setEnabled(enabled);
}

} // namespace

TKopieDialog *KopieDialog()
{
    return g_kopieDialog;
}

TKopieDialog::TKopieDialog() : ui(new Ui::KopieDialog)
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
    setFixedSize(320, 97);
    setFocusPolicy(Qt::StrongFocus);
    ui->Label1->setFont(BalloonFont(13, true));
    ui->Label2->setFont(BalloonFont(13));
    formshape1 = MakeBalloon(this, tformshape::bpRightTop);
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
    setAssistantEnabled(true);
    if (TPomocnikDialog *assistant = PomocnikDialog())
        assistant->close();
}

void TKopieDialog::FormKeyDown(int key)
{
    if (IsEnterKey(key) || IsEscapeKey(key))
        OfficeButton2Click();
}

void TKopieDialog::FormShow()
{
    setAssistantEnabled(false);
    TakeKeyboard(this, this);
}

void TKopieDialog::FormClose()
{
    setAssistantEnabled(true);
}
