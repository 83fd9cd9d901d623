#include "CompanionBalloon.h"

#include "Companion.h"

#include <QCloseEvent>
#include <QShowEvent>

TCompanionBalloon::TCompanionBalloon() : QWidget(nullptr, BalloonFlags)
{
}

TCompanionBalloon::~TCompanionBalloon() = default;

void TCompanionBalloon::SetUpBalloon(QSize size)
{
    setFixedSize(size);
    setFont(BalloonFont());
    setFocusPolicy(Qt::StrongFocus);
    FormShape1 = MakeBalloon(this, tformshape::bpBottomRight);
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
