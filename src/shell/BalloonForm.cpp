#include "BalloonForm.h"

#include "Companion.h"
#include "KeyboardHandover.h"
#include "MainWindowLink.h"

#include <QApplication>
#include <QWindow>

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
    if (QWindow *handle = windowHandle())
        handle->installEventFilter(this);
    if (TMainWindowLink *main = MainWindowLink()) {
        if (QWindow *handle = windowHandle())
            handle->setTransientParent(main->LinkedWindow()->windowHandle());
        main->LinkedWindow()->installEventFilter(this);
    }
    m_keyboardWatch = connect(qApp, &QApplication::focusWindowChanged, this,
                              &TBalloonForm::KeyboardMoved);
    TakeKeyboard();
}

void TBalloonForm::Closed()
{
    if (!m_open)
        return;
    m_open = false;
    disconnect(m_keyboardWatch);
    if (TMainWindowLink *main = MainWindowLink())
        main->LinkedWindow()->removeEventFilter(this);
    FormClose();
    if (m_suspendedGravity)
        CompanionResumesGravity();
    m_suspendedGravity = false;
    SetMainAndAssistantEnabled(true);
}

void TBalloonForm::TakeKeyboard()
{
    HandKeyboardTo(this);
    if (m_firstControl != nullptr)
        m_firstControl->setFocus(Qt::ActiveWindowFocusReason);
}

void TBalloonForm::KeyboardMoved(QWindow *focus)
{
    if (focus == nullptr || focus == windowHandle() || !isVisible())
        return;
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window->windowHandle() == focus && !window->isEnabled())
            HandKeyboardTo(this);
    }
}

bool TBalloonForm::eventFilter(QObject *watched, QEvent *event)
{
    // Window managers leave a window of their own kind alone when its owner is minimised: the
    // balloon goes and comes back with the main window itself, with the keyboard.
    TMainWindowLink *link = MainWindowLink();
    if (event->type() == QEvent::WindowStateChange && m_open && link != nullptr
        && watched == link->LinkedWindow()) {
        const QWidget *main = link->LinkedWindow();
        if (main->isMinimized()) {
            hide();
        } else if (main->isVisible() && isHidden()) {
            showNormal();
            if (QWindow *handle = windowHandle())
                handle->setWindowStates(Qt::WindowNoState);
            TakeKeyboard();
        }
    }
    if (watched == windowHandle() && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (IsEnterKey(key->key()) || IsEscapeKey(key->key())) {
            FormKeyDown(key);
            return true;
        }
    }
    return TForm<QWidget>::eventFilter(watched, event);
}
