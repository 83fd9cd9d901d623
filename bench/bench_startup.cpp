// Start-up cost as a player feels it: the time from starting the program to its main window being
// first exposed, and the peak memory (VmHWM) at that moment, side by side with a bare Qt main
// window (bench_startup_bare: menu bar, toolbar, status bar). Each is started several times as a
// child process on the current platform (run under xvfb-run for real figures); medians are
// printed with their ratios.
// Usage: bench_startup [runs]   (default 9)
// The children run the program's own start against a copy of the program folder's settings and
// a private runtime folder, so neither a running copy nor the user's settings play a part.

#include "Hlavni.h"
#include "StartUp.h"
#include "StartupProbe.h"
#include "AppPath.h"
#include "TApplication.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample
{
    double ms = 0;
    qint64 kb = 0;
};

// The program's start as main() runs it, watched by the probe.
int runProgramChild(int argc, char *argv[], const QString &folder)
{
    if (!chooseXcbPlatform())
        return NoXServerExitCode;
    TApplication app(argc, argv);
    TAppPath::setFolderForTesting(folder);
    StartupProbe probe([]() -> QWindow * {
        return HlavniDialog() != nullptr ? HlavniDialog()->windowHandle() : nullptr;
    });
    return RunProgram();
}

// A folder standing in for the program folder: its own settings file, the rest linked.
bool prepareFolder(const QString &programDir, const QString &folder)
{
    const QDir source(programDir);
    for (const QString &name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!QFile::link(source.filePath(name), QDir(folder).filePath(name)))
            return false;
    }
    return QFile::copy(source.filePath(QStringLiteral("Kvadr.ini")),
                       QDir(folder).filePath(QStringLiteral("Kvadr.ini")));
}

bool runChild(const QString &program, const QStringList &arguments, const QString &runtime,
              Sample &sample)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 started = monotonicNs();
    child.start(program, arguments);
    if (!child.waitForFinished(30000)) {
        child.kill();
        child.waitForFinished();
        std::fprintf(stderr, "%s did not finish\n", qPrintable(program));
        return false;
    }
    const QList<QByteArray> report =
        child.readAllStandardOutput().trimmed().split('\n').last().split(' ');
    if (report.size() != 3 || report.at(0) != "mapped") {
        std::fprintf(stderr, "%s reported nothing:\n%s\n", qPrintable(program),
                     child.readAllStandardError().constData());
        return false;
    }
    sample.ms = double(report.at(1).toLongLong() - started) / 1e6;
    sample.kb = report.at(2).toLongLong();
    return true;
}

template <class T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--program") == 0)
        return runProgramChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString bare =
        QCoreApplication::applicationDirPath() + QStringLiteral("/bench_startup_bare");

    QTemporaryDir folder;
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString programFolder = folder.path() + QLatin1Char('/');
    if (!prepareFolder(QStringLiteral(PARBLOK_PROGRAM_DIR), programFolder)) {
        std::fprintf(stderr, "cannot prepare a program folder from %s\n", PARBLOK_PROGRAM_DIR);
        return 1;
    }

    std::vector<double> programMs, bareMs;
    std::vector<qint64> programKb, bareKb;
    for (int run = 0; run < runs; ++run) {
        Sample program, yardstick;
        if (!runChild(self, {QStringLiteral("--program"), programFolder}, runtime.path(), program)
            || !runChild(bare, {}, runtime.path(), yardstick))
            return 1;
        programMs.push_back(program.ms);
        programKb.push_back(program.kb);
        bareMs.push_back(yardstick.ms);
        bareKb.push_back(yardstick.kb);
    }

    const double pMs = median(programMs), bMs = median(bareMs);
    const qint64 pKb = median(programKb), bKb = median(bareKb);
    std::printf("platform %s, %d runs each, medians\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))),
                runs);
    std::printf("%-28s %10s %12s\n", "", "to mapped", "peak memory");
    std::printf("%-28s %7.1f ms %9lld kB\n", "program (splash, 14 steps)", pMs,
                static_cast<long long>(pKb));
    std::printf("%-28s %7.1f ms %9lld kB\n", "bare main window", bMs, static_cast<long long>(bKb));
    std::printf("%-28s %9.2fx %11.2fx\n", "ratio", pMs / bMs, double(pKb) / double(bKb));
    return 0;
}
