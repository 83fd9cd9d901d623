#pragma once

// What a start-up child process of bench_startup reports: for each window it watches, the moment
// that window is first exposed (on the system's monotonic clock, which every process shares), the
// peak resident memory and the processor time used up to then. Once every watched window has
// been exposed it ends the event loop.
//
// Each report is one line: "mapped <name> <monotonic ns> <peak kB> <cpu µs>".

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>
#include <vector>

inline qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Processor time of the whole process, all its threads, in µs.
inline qint64 processCpuUs()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return qint64(used.tv_sec) * 1'000'000 + used.tv_nsec / 1000;
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
    // A window to watch: its name in the report, and how to find it (null while it does not
    // exist yet).
    struct Watched
    {
        const char *name;
        std::function<QWindow *()> window;
        bool reported = false;
    };

    explicit StartupProbe(std::vector<Watched> windows) : m_windows(std::move(windows))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Expose || m_done)
            return false;
        bool all = true;
        for (Watched &candidate : m_windows) {
            if (!candidate.reported) {
                QWindow *window = candidate.window();
                if (window != nullptr && watched == window && window->isExposed())
                    report(candidate);
            }
            all = all && candidate.reported;
        }
        if (all) {
            m_done = true;
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }

private:
    static void report(Watched &window)
    {
        window.reported = true;
        std::printf("mapped %s %lld %lld %lld\n", window.name,
                    static_cast<long long>(monotonicNs()),
                    static_cast<long long>(peakResidentKb()),
                    static_cast<long long>(processCpuUs()));
        std::fflush(stdout);
    }

    std::vector<Watched> m_windows;
    bool m_done = false;
};
