#include "BalloonForm.h"

#include "Companion.h"

TBalloonForm::TBalloonForm(WhileOpen whileOpen, Qt::WindowFlags flags)
    : TForm<QWidget>(nullptr, flags), m_whileOpen(whileOpen)
{
}

tformshape *TBalloonForm::SetUpBalloon(QSize size, tformshape::TBalloonPosition tail)
{
    setFixedSize(size);
    return MakeBalloon(this, tail);
}

void TBalloonForm::Opened()
{
    if (m_open)
        return;
    m_open = true;
    m_suspendedGravity = m_whileOpen == WhileOpen::MatchStops && CompanionSuspendsGravity();
    FormShow();
    SetMainAndAssistantEnabled(false);
    TakeKeyboard();
}

void TBalloonForm::Closed()
{
    if (!m_open)
        return;
    m_open = false;
    FormClose();
    if (m_suspendedGravity)
        CompanionResumesGravity();
    m_suspendedGravity = false;
    SetMainAndAssistantEnabled(true);
}

void TBalloonForm::TakeKeyboard()
{
    raise();
    activateWindow();
    if (m_firstControl != nullptr)
        m_firstControl->setFocus(Qt::ActiveWindowFocusReason);
}
