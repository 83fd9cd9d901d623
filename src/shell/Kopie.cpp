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
    okButton = ui->okButton;
    FormCreate();
}

TKopieDialog::~TKopieDialog()
{
    if (g_kopieDialog == this)
        g_kopieDialog = nullptr;
}

void TKopieDialog::FormCreate()
{
    balloonShape = SetUpBalloon(QSize(320, 97), tformshape::bpRightTop);
    setFocusPolicy(Qt::StrongFocus);
    setFirstControl(this);
    ui->titleLabel->setFont(BalloonFont(13, true));
    ui->warningLabel->setFont(BalloonFont(13));
    setColor(DarkColor);

    blinkTimer = new Timer(this);
    blinkTimer->setObjectName(QStringLiteral("blinkTimer"));
    blinkTimer->setInterval(BlinkMs);
    blinkTimer->setEnabled(true);
    connect(blinkTimer, &Timer::OnTimer, this, &TKopieDialog::blink);
    connect(okButton, &TOfficeButton::clicked, this, &TKopieDialog::closeProgram);
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

void TKopieDialog::blink()
{
    setColor(Color() == LightColor ? DarkColor : LightColor);
}

void TKopieDialog::closeProgram()
{
    SetAssistantEnabled(true);
    if (TPomocnikDialog *assistant = PomocnikDialog())
        assistant->close();
}

void TKopieDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEnterKey(event->key()) || IsEscapeKey(event->key()))
        closeProgram();
}
