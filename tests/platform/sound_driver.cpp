// Plays sounds through the program's player on commands read from standard input, one a line:
//   play <file>   hands the file to the player (as the program does) and answers "started"
//   wait          answers "idle" once the player has nothing left to play
//   ping          answers "pong" from the event loop
// so that a test can hear what the player does and see whether the event loop keeps answering.
#include "SoundPlayer.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

void answer(const char *text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

void awaitIdle()
{
    if (!SoundPlayer::instance().isPlaying())
        return answer("idle");
    QTimer::singleShot(5, awaitIdle);
}

void obey(const QString &line)
{
    if (line.startsWith(QLatin1String("play ")))
        answer(playSoundAsync(line.mid(5)) ? "started" : "refused");
    else if (line == QLatin1String("wait"))
        awaitIdle();
    else if (line == QLatin1String("ping"))
        answer("pong");
    else
        answer("unknown command");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char bytes[4096];
        const ssize_t got = ::read(STDIN_FILENO, bytes, sizeof bytes);
        if (got <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending.append(bytes, got);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
            obey(QString::fromUtf8(pending.left(end)));
    });
    return app.exec();
}
