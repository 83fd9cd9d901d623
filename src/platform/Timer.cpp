#include "Timer.h"

#include <QTimerEvent>

Timer::Timer(QObject *owner) : QObject(owner)
{
    rearm();
}

Timer::~Timer()
{
    if (m_timerId != 0)
        killTimer(m_timerId);
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
    if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
    if (m_enabled && m_interval > 0) {
        m_timerId = startTimer(m_interval, Qt::PreciseTimer);
        ++m_periodStarts;
    }
}

void Timer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId || m_timerId == 0) {
        QObject::timerEvent(event);
        return;
    }
    emit OnTimer();
}
