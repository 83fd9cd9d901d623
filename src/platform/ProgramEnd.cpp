#include "ProgramEnd.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QThread>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool g_ending = false;
// The pipe through which a signal handler hands the signal to the message loop.
std::array<int, 2> g_signalPipe{-1, -1};

void onSignal(int signal)
{
    const int savedErrno = errno;
    const char byte = char(signal);
    // Nothing to do when the pipe is full: a byte already waits to be read.
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void readSignals()
{
    char bytes[16];
    while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    EndProgram();
}

} // namespace

void EndProgram(int exitCode)
{
    g_ending = true;
    QCoreApplication *app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    // Asked before the message loop runs (a close or a signal during start-up), the loop ends as
    // soon as it starts.
    if (app->thread()->loopLevel() == 0)
        QMetaObject::invokeMethod(
            app, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
    else
        QCoreApplication::exit(exitCode);
}

bool ProgramEnding()
{
    return g_ending;
}

void EndProgramOnSignals()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (app == nullptr || g_signalPipe[0] >= 0)
        return;
    // A logout closes every window after this request; none of those closes is the player's.
    QObject::connect(app, &QGuiApplication::commitDataRequest, app, [] { g_ending = true; });

    if (::pipe2(g_signalPipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        g_signalPipe = {-1, -1};
        return;
    }
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, readSignals);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
}
