#include "Spusteni.h"
#include "ui_Spusteni.h"

#include "Balloon.h"
#include "sysinfo.h"
#include "ColorValue.h"
#include "GradProgress.h"
#include "GradText.h"

#include <QEventLoop>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

const QColor Cream(255, 255, 224);
constexpr int BandHeight = 25;
constexpr int BandWidth = 241;
const QRect Box(11, 100, 313, 81);
// The longest the start waits for the window system to put the splash on the screen.
constexpr int ExposeWaitMs = 1000;

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void setUpHeading(TGradText *heading, const QString &text, int pixels)
{
    heading->setFont(BalloonFont(pixels, true, true));
    heading->setGradientStyle(TGradText::gsHorizontal);
    heading->setBeginColor(clRed);
    heading->setEndColor(clBlue);
    heading->setJustification(TGradText::jLeft);
    heading->setLines({text});
    heading->FitToText();
}

// Ends an event loop at each expose event of the window it watches.
class ExposeWatch : public QObject
{
public:
    explicit ExposeWatch(QEventLoop &loop) : m_loop(loop) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Expose)
            m_loop.quit();
        return false;
    }

private:
    QEventLoop &m_loop;
};

// Nothing painted reaches the screen before the window system has mapped a window and sent its
// first expose event. Processes events (the user's input excepted) until `window` is exposed, for
// at most `ms` milliseconds.
void awaitExposure(QWindow *window, int ms)
{
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    ExposeWatch watch(loop);
    window->installEventFilter(&watch);
    deadline.start(ms);
    while (!window->isExposed() && deadline.isActive())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    window->removeEventFilter(&watch);
}

} // namespace

TSpusteniDialog::TSpusteniDialog(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui(new Ui::SpusteniDialog)
{
    ui->setupUi(this);
    progressBar = ui->progressBar;
    systemInfo = new TSysInfo(this);
    systemInfo->setObjectName(QStringLiteral("systemInfo"));
    FormCreate();
}

TSpusteniDialog::~TSpusteniDialog() = default;

void TSpusteniDialog::FormCreate()
{
    setFixedSize(339, 288);
    setBackground(ui->outerFrame, Qt::black);
    ui->backgroundPicture->setPixmap(Background(ui->backgroundPicture->size()));

    setUpHeading(ui->titleText, QStringLiteral("Parblok 2000"), 37);
    setUpHeading(ui->versionText, QStringLiteral("verze 5.0"), 19);

    ui->familyLabel->setFont(BalloonFont(13, true));
    setTextColour(ui->familyLabel, Qt::white);
    ui->descriptionLabel->setFont(BalloonFont(13, true));
    ui->wishLabel->setFont(BalloonFont(13));
    ui->waitLabel->setFont(BalloonFont(9));

    setBackground(ui->progressStrip, Qt::black);
    setTextColour(ui->progressFrame, Qt::white);

    progressBar->setStyle(TGradProgress::gsHorizontal);
    progressBar->setBevelStyle(TGradProgress::bsNone);
    progressBar->setStartColor(clWhite);
    progressBar->setEndColor(clRed);
    progressBar->setBackColor(clBlack);
    progressBar->setShowPercent(false);
    progressBar->setMaxValue(100);
    progressBar->setStep(1);
}

QPixmap TSpusteniDialog::Background(QSize size)
{
    QPixmap art(size);
    art.fill(Cream);
    QPainter painter(&art);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);

    // The band along the top left edge ends in a circle; the bar's panel at the bottom right
    // starts with one.
    painter.drawRect(0, 0, BandWidth, BandHeight);
    painter.drawEllipse(QRectF(BandWidth - BandHeight / 2.0, 0, BandHeight, BandHeight));
    const int bottom = size.height() - BandHeight;
    const int barLeft = size.width() - BandWidth;
    painter.drawEllipse(QRectF(barLeft - BandHeight / 2.0, bottom, BandHeight, BandHeight));

    // The box in the middle: black, rounded, with two white outlines.
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRoundedRect(QRectF(Box).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(Box).adjusted(2.5, 2.5, -2.5, -2.5), 8, 8);
    return art;
}

void TSpusteniDialog::ShowNow()
{
    if (const QScreen *screen = this->screen())
        move(screen->geometry().center() - rect().center());
    show();
    awaitExposure(windowHandle(), ExposeWaitMs);
    repaint();
}
