#include "Kopie.h"
#include "ui_Kopie.h"

#include "OContrls.h"
#include "PixelFont.h"
#include "Pomocnik.h"
#include "Timer.h"
#include "formshape.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

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

TKopieDialog::TKopieDialog(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui(new Ui::KopieDialog)
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
    ui->Label1->setFont(PixelFont(QStringLiteral("Times New Roman"), 13, true));
    ui->Label2->setFont(PixelFont(QStringLiteral("Times New Roman"), 13));
    setAutoFillBackground(true);
    setColor(DarkColor);

    formshape1 = new tformshape(this);
    formshape1->setObjectName(QStringLiteral("formshape1"));
    formshape1->setBalloonPosition(tformshape::bpRightTop);
    formshape1->setBalloonEllips(20);
    formshape1->setBalloonIndent(15);
    formshape1->setReshape(true);
    formshape1->Loaded();

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

void TKopieDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TKopieDialog::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

void TKopieDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        OfficeButton2Click();
        break;
    default:
        break;
    }
}

void TKopieDialog::FormShow()
{
    setAssistantEnabled(false);
    raise();
    activateWindow();
    setFocus();
}

void TKopieDialog::FormClose()
{
    setAssistantEnabled(true);
}
