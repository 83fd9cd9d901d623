#pragma once

#include <QObject>

// A window timer with the semantics the game's handlers rely on:
// - it runs only while it is enabled AND its interval is above 0; an interval of 0 suspends it
//   whatever its enabled flag says;
// - writing the value a property already has changes nothing (the running period goes on);
// - any real change of the interval or of the enabled flag re-arms a full period.
// Ticks arrive as timer events through the application object, so an exception leaving the
// tick handler is reported by the application's error handler and ends only that tick.
// A timer that nobody listens to (no handler connected to OnTimer, such as a timer that only
// keeps an interval) holds no system timer and never wakes the program; connecting a handler
// to a running timer starts a full period.
class Timer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
public:
    // Created enabled with an interval of 1000 ms.
    explicit Timer(QObject *owner = nullptr);
    ~Timer() override;

    int Interval() const { return m_interval; }
    void setInterval(int milliseconds);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // True while the timer runs (enabled, interval above 0): a connected handler gets ticks.
    bool isArmed() const { return m_enabled && m_interval > 0; }

    // The id of the system timer that delivers the ticks (0 when none: the timer is not armed,
    // or no handler is connected); ticks are timer events with this id.
    int timerId() const { return m_timerId; }

    // How many times a full period has been started by the properties since construction; tells
    // a re-armed timer from one whose period simply goes on.
    int periodStarts() const { return m_periodStarts; }

signals:
    // One tick.
    void OnTimer();

protected:
    void timerEvent(QTimerEvent *event) override;
    void connectNotify(const QMetaMethod &signal) override;

private:
    void rearm();
    void startSystemTimer();
    void stopSystemTimer();
    bool hasHandler() const;

    int m_interval = 1000;
    bool m_enabled = true;
    int m_timerId = 0;
    int m_periodStarts = 0;
};
