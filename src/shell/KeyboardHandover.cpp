#include "KeyboardHandover.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int RetryMs = 100;
constexpr int Retries = 20;
const char *const HandoverName = "keyboardHandover";

bool CanTakeKeyboard(const QWidget *window)
{
    if (!window->isVisible() || !window->isEnabled() || window->isMinimized())
        return false;
    // A window that belongs to a minimised window waits for its restoring: asking to activate it
    // would bring it back alone.
    const QWindow *handle = window->windowHandle();
    const QWindow *owner = handle != nullptr ? handle->transientParent() : nullptr;
    return owner == nullptr || !(owner->windowStates() & Qt::WindowMinimized);
}

void Activate(QWidget *window)
{
    window->raise();
    window->activateWindow();
}

// Asks again every RetryMs until the window has the keyboard or may no longer take it.
class THandover : public QTimer
{
public:
    explicit THandover(QWidget *window) : QTimer(window), m_window(window)
    {
        setObjectName(QLatin1String(HandoverName));
        setInterval(RetryMs);
        connect(this, &QTimer::timeout, this, &THandover::tick);
    }

    void restart()
    {
        m_left = Retries;
        start();
    }

private:
    void tick()
    {
        if (--m_left <= 0 || !CanTakeKeyboard(m_window) || HasKeyboard(m_window)) {
            stop();
            return;
        }
        Activate(m_window);
    }

    QWidget *m_window;
    int m_left = 0;
};

} // namespace

bool HasKeyboard(const QWidget *window)
{
    return window != nullptr && window->windowHandle() != nullptr
           && QGuiApplication::focusWindow() == window->windowHandle();
}

void HandKeyboardTo(QWidget *window)
{
    if (window == nullptr || !CanTakeKeyboard(window))
        return;
    // One handover at a time per window: a new one starts the count again. Activating a window
    // may start another handover before the first one's tick returns, so a handover is never
    // deleted but by itself.
    auto *handover = static_cast<THandover *>(
        window->findChild<QTimer *>(QLatin1String(HandoverName), Qt::FindDirectChildrenOnly));
    if (handover == nullptr)
        handover = new THandover(window);
    handover->restart();
    Activate(window);
}
