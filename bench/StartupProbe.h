#pragma once

// What a start-up child process of bench_startup reports: the moment its main window is first
// exposed (on the system's monotonic clock, which every process shares) and its peak resident
// memory at that moment. It then ends the event loop.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <functional>

inline qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// VmHWM of /proc/self/status, in kB.
inline qint64 peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

class StartupProbe : public QObject
{
public:
    // `mainWindow` gives the window to watch, or null while it does not exist yet.
    explicit StartupProbe(std::function<QWindow *()> mainWindow)
        : m_mainWindow(std::move(mainWindow))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_reported && event->type() == QEvent::Expose) {
            QWindow *window = m_mainWindow();
            if (window != nullptr && watched == window && window->isExposed()) {
                m_reported = true;
                std::printf("mapped %lld %lld\n", static_cast<long long>(monotonicNs()),
                            static_cast<long long>(peakResidentKb()));
                std::fflush(stdout);
                QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
            }
        }
        return false;
    }

private:
    std::function<QWindow *()> m_mainWindow;
    bool m_reported = false;
};
