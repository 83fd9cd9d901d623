#pragma once

#include <QObject>

// A window timer with the semantics the game's handlers rely on:
// - it ticks only while it is enabled AND its interval is above 0; an interval of 0 suspends it
//   whatever its enabled flag says;
// - writing the value a property already has changes nothing (the running period goes on);
// - any real change of the interval or of the enabled flag re-arms a full period.
// Ticks arrive as timer events through the application object, so an exception leaving the
// tick handler is reported by the application's error handler and ends only that tick.
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

    // True while a system timer is armed, i.e. while ticks can arrive.
    bool isArmed() const { return m_timerId != 0; }

    // The id of the armed system timer (0 when none); ticks are timer events with this id.
    int timerId() const { return m_timerId; }

    // How many times a full period has been started since construction; tells a re-armed timer
    // from one whose period simply goes on.
    int periodStarts() const { return m_periodStarts; }

signals:
    // One tick.
    void OnTimer();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void rearm();

    int m_interval = 1000;
    bool m_enabled = true;
    int m_timerId = 0;
    int m_periodStarts = 0;
};
