#include "BalloonForm.h"

#include "Companion.h"
#include "KeyboardHandover.h"
#include "MainWindowLink.h"

#include <QApplication>
#include <QTimer>
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

void TBalloonForm::changeEvent(QEvent *event)
{
    // A window that disables the others is never left minimised on its own (some window managers
    // offer that on its title bar): it comes back with the keyboard once the window manager is
    // done. When the main window went too, the window comes back with it instead.
    if (event->type() == QEvent::WindowStateChange && m_open && isMinimized())
        QTimer::singleShot(SettleTime, this, &TBalloonForm::ComeBackUnlessMainMinimised);
    TForm<QWidget>::changeEvent(event);
}

void TBalloonForm::ComeBackUnlessMainMinimised()
{
    if (!m_open || !isMinimized())
        return;
    TMainWindowLink *link = MainWindowLink();
    if (link != nullptr && link->LinkedWindow()->isMinimized()) {
        // Gone with the main window, as when the main window is minimised first.
        hide();
        return;
    }
    ShowAgain();
}

void TBalloonForm::ShowAgain()
{
    // The window system's own record of the window is cleared first: a window mapped while that
    // still says "minimised" asks the window manager to minimise it, and some take its whole group
    // along, the main window with it.
    if (QWindow *handle = windowHandle())
        handle->setWindowStates(Qt::WindowNoState);
    showNormal();
    raise();
    TakeKeyboard();
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
            ShowAgain();
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
