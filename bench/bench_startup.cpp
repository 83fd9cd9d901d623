// Start-up cost as a first-time player meets it: the program folder's settings as shipped (the
// assistant and the welcome window shown, the assistant's start sound played into whatever audio
// output the machine has), timed from starting the program to its main window being first exposed
// and to the welcome window being first exposed, with the peak memory (VmHWM) and the processor
// time at each. The yardstick is a bare Qt main window with a menu bar, a toolbar and a status bar
// (bench_startup_bare). The two are started as child processes one after the other, in pairs;
// medians are printed with their ratios. Run under xvfb-run (or any X server) for real figures.
//
// Usage: bench_startup [runs]              (default 15, at least 11 recommended)
//        bench_startup --folder <dir>      lays out a program folder in <dir> and ends
//        bench_startup --program <dir>     one start over <dir>, as the children run it (for a
//                                          profiler: valgrind --tool=callgrind ... --program <dir>)
// The children run against a private copy of the program folder's settings and a private runtime
// folder, so neither a running copy nor the user's settings play a part.

#include "Hlavni.h"
#include "StartUp.h"
#include "StartupProbe.h"
#include "AppPath.h"
#include "TApplication.h"
#include "Uvitani.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const QString SettingsName = QStringLiteral("Kvadr.ini");

// The program's start as main() runs it, watched by the probe.
int runProgramChild(int argc, char *argv[], const QString &folder)
{
    if (!chooseXcbPlatform())
        return NoXServerExitCode;
    TApplication app(argc, argv);
    TAppPath::setFolderForTesting(folder);
    const auto handleOf = [](QWidget *window) -> QWindow * {
        return window != nullptr ? window->windowHandle() : nullptr;
    };
    StartupProbe probe({{"main", [&] { return handleOf(HlavniDialog()); }},
                        {"welcome", [&] { return handleOf(UvitaniDialog()); }}});
    return RunProgram();
}

// A folder standing in for the program folder: the folders linked, the settings its own.
bool prepareFolder(const QString &programDir, const QString &folder)
{
    const QDir source(programDir);
    for (const QString &name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString link = QDir(folder).filePath(name);
        if (!QFileInfo(link).isSymLink() && !QFile::link(source.filePath(name), link))
            return false;
    }
    return true;
}

// The settings as shipped, before every start: each start writes into them.
bool resetSettings(const QString &folder)
{
    const QString target = QDir(folder).filePath(SettingsName);
    QFile::remove(target);
    if (!QFile::copy(QStringLiteral(PARBLOK_SHIPPED_SETTINGS), target))
        return false;
    QFile written(target);
    if (!written.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = written.readAll();
    // A first-time player's start: the assistant and the welcome window both appear.
    return text.contains("Pomocnik=1") && text.contains("Uvitani=1");
}

// One start of a child: when each window was exposed, counted from the start.
struct Sample
{
    struct Mapped
    {
        double ms = 0;
        double kb = 0;
        double cpuMs = 0;
    };
    std::map<std::string, Mapped> windows;
};

bool runChild(const QString &program, const QStringList &arguments, const QString &runtime,
              std::initializer_list<const char *> expected, Sample &sample)
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
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> report = line.trimmed().split(' ');
        if (report.size() != 5 || report.at(0) != "mapped")
            continue;
        Sample::Mapped &mapped = sample.windows[report.at(1).toStdString()];
        mapped.ms = double(report.at(2).toLongLong() - started) / 1e6;
        mapped.kb = double(report.at(3).toLongLong());
        mapped.cpuMs = double(report.at(4).toLongLong()) / 1e3;
    }
    for (const char *name : expected) {
        if (sample.windows.count(name) == 0) {
            std::fprintf(stderr, "%s did not report its %s window:\n%s\n", qPrintable(program),
                         name, child.readAllStandardError().constData());
            return false;
        }
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--program") == 0)
        return runProgramChild(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--folder") == 0) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        return QDir().mkpath(folder) && prepareFolder(QStringLiteral(PARBLOK_PROGRAM_DIR), folder)
                       && resetSettings(folder)
                   ? 0
                   : 1;
    }

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
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

    // Per pair: the program's figures and the yardstick's, and their ratios.
    std::map<std::string, std::vector<double>> figures;
    for (int run = 0; run < runs; ++run) {
        if (!resetSettings(programFolder)) {
            std::fprintf(stderr, "cannot lay out the shipped settings %s\n",
                         PARBLOK_SHIPPED_SETTINGS);
            return 1;
        }
        Sample program, yardstick;
        // The order within a pair alternates, so neither always runs with warmer caches.
        const auto runProgram = [&] {
            return runChild(self, {QStringLiteral("--program"), programFolder}, runtime.path(),
                            {"main", "welcome"}, program);
        };
        const auto runBare = [&] {
            return runChild(bare, {}, runtime.path(), {"main"}, yardstick);
        };
        if (run % 2 == 0 ? !(runProgram() && runBare()) : !(runBare() && runProgram()))
            return 1;
        const Sample::Mapped &bareMain = yardstick.windows["main"];
        for (const char *name : {"main", "welcome"}) {
            const Sample::Mapped &mapped = program.windows[name];
            const std::string key(name);
            figures[key + " ms"].push_back(mapped.ms);
            figures[key + " cpu"].push_back(mapped.cpuMs);
            figures[key + " kB"].push_back(mapped.kb);
            figures[key + " ratio"].push_back(mapped.ms / bareMain.ms);
            figures[key + " cpu ratio"].push_back(mapped.cpuMs / bareMain.cpuMs);
            figures[key + " kB ratio"].push_back(mapped.kb / bareMain.kb);
        }
        figures["bare ms"].push_back(bareMain.ms);
        figures["bare cpu"].push_back(bareMain.cpuMs);
        figures["bare kB"].push_back(bareMain.kb);
    }

    const auto m = [&figures](const std::string &key) { return median(figures[key]); };
    std::printf("platform %s, %d paired runs, medians (ratios: median of the pairs' ratios)\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))),
                runs);
    std::printf("%-34s %10s %12s %12s\n", "", "to mapped", "cpu", "peak memory");
    std::printf("%-34s %7.1f ms %9.1f ms %9.0f kB\n", "program: main window", m("main ms"),
                m("main cpu"), m("main kB"));
    std::printf("%-34s %7.1f ms %9.1f ms %9.0f kB\n", "program: welcome window",
                m("welcome ms"), m("welcome cpu"), m("welcome kB"));
    std::printf("%-34s %7.1f ms %9.1f ms %9.0f kB\n", "bare main window", m("bare ms"),
                m("bare cpu"), m("bare kB"));
    std::printf("%-34s %9.2fx %11.2fx %11.2fx\n", "ratio: main window mapped",
                m("main ratio"), m("main cpu ratio"), m("main kB ratio"));
    std::printf("%-34s %9.2fx %11.2fx %11.2fx\n", "ratio: welcome window mapped",
                m("welcome ratio"), m("welcome cpu ratio"), m("welcome kB ratio"));
    return 0;
}
