#include "Timer.h"

#include <QMetaMethod>
#include <QTimerEvent>

Timer::Timer(QObject *owner) : QObject(owner)
{
    rearm();
}

Timer::~Timer()
{
    stopSystemTimer();
}

void Timer::setInterval(int milliseconds)
{
    // A negative interval has no meaning for a window timer; it suspends like 0.
    milliseconds = qMax(0, milliseconds);
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    rearm();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    rearm();
}

void Timer::rearm()
{
    stopSystemTimer();
    if (!isArmed())
        return;
    ++m_periodStarts;
    if (hasHandler())
        startSystemTimer();
}

void Timer::startSystemTimer()
{
    m_timerId = startTimer(m_interval, Qt::PreciseTimer);
}

void Timer::stopSystemTimer()
{
    if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
}

bool Timer::hasHandler() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&Timer::OnTimer));
}

void Timer::connectNotify(const QMetaMethod &signal)
{
    // The connection is made by now, so the check needs no lookup.
    if (signal == QMetaMethod::fromSignal(&Timer::OnTimer) && isArmed() && m_timerId == 0)
        startSystemTimer();
    QObject::connectNotify(signal);
}

void Timer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId || m_timerId == 0) {
        QObject::timerEvent(event);
        return;
    }
    // The last handler has gone: the system timer goes too. (This is checked here rather than
    // when the handler is disconnected, where Qt holds its own locks and no such query may be
    // made.)
    if (!hasHandler()) {
        stopSystemTimer();
        return;
    }
    emit OnTimer();
}
