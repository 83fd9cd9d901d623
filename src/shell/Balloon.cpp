#include "Balloon.h"

#include "Companion.h"
#include "formshape.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace {

// Colour value 14745599.
const QColor Cream(255, 255, 224);

} // namespace

QFont BalloonFont(int pixels, bool bold, bool italic)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

TCompanionBalloon::TCompanionBalloon()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
}

TCompanionBalloon::~TCompanionBalloon() = default;

void TCompanionBalloon::SetUpBalloon(QSize size)
{
    setFixedSize(size);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Cream);
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(BalloonFont());
    setFocusPolicy(Qt::StrongFocus);

    FormShape1 = new tformshape(this);
    FormShape1->setObjectName(QStringLiteral("FormShape1"));
    FormShape1->setReshape(true);
    FormShape1->setBalloonPosition(tformshape::bpBottomRight);
    FormShape1->setBalloonEllips(20);
    FormShape1->setBalloonIndent(15);
    FormShape1->Loaded();
}

void TCompanionBalloon::FormShow()
{
    CompanionShown();
}

void TCompanionBalloon::FormClose()
{
    CompanionClosed();
}

void TCompanionBalloon::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous() || m_open)
        return;
    m_open = true;
    FormShow();
    TakeFocus();
}

void TCompanionBalloon::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted() || !m_open)
        return;
    m_open = false;
    FormClose();
}

void TCompanionBalloon::TakeFocus()
{
    // The balloon shape has made the window the active one; the focus goes to its first control.
    QWidget *target = firstControl();
    (target != nullptr ? target : this)->setFocus(Qt::ActiveWindowFocusReason);
}
