// Every file-changing call of each operation that changes a stored file is made to fail in turn
// (ENOSPC, EIO, EFBIG; once or from then on; or cut short and followed by a full disk) by the
// fault-injection seam in dbase_faults_driver, which counts the calls itself. After each run:
// reported success means the change is stored exactly once with every earlier row intact,
// reported failure means nothing stored changed, and doing it again stores it once; the program
// (in a new process) and python3-dbfread both read the result.

#include "DbaseTestSupport.h"
#include "FileErrorText.h"
#include "Mdx.h"
#include "TestMain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <cerrno>
#include <unistd.h>

using namespace dbasetest;

// The windows catch std::exception; anything else that escapes ends the program.
static_assert(std::is_base_of_v<std::exception, IndexDamaged>);

namespace {

const QStringList kBefore = {QStringLiteral("Adam=5"), QStringLiteral("Bara=-3"), QStringLiteral("Cyril=120")};
const QStringList kShipped = {QStringLiteral("Dana=7")};
const QByteArray kSettings = "[Jiny program]\r\nCesta=C:\\Kvadr\r\n\r\n[Nastaveni]\r\nPomocnik=1\r\nUvitani=1\r\n";

struct Run
{
    QString folder;
    int at = 0;
    int error = 0;
    QString mode;
    QString first;
    QString retry;
};

void tableWith(const QString &folder, const QStringList &rows)
{
    QDir().mkpath(folder);
    QList<Row> list;
    for (const QString &row : rows)
        list.append({row.section(QLatin1Char('='), 0, 0), row.section(QLatin1Char('='), 1), QStringLiteral("1"), QDate(2024, 1, 2)});
    writeTable(folder, list);
}

void blankPair(const QString &folder)
{
    QDir().mkpath(folder);
    DbfTable::createResultsTable(folder + QStringLiteral("/Parblok.dbf"), folder + QStringLiteral("/Parblok.Mdx"), QDate(2024, 1, 1));
}

// Hands a folder tree to the user "nobody" when the test runs as root (see the driver).
void giveAway(const QString &path)
{
    if (::geteuid() != 0)
        return;
    QVERIFY(::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
        for (const QString &name : QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            giveAway(path + QLatin1Char('/') + name);
}

// The files an operation starts from, in `folder`.
void prepare(const QString &operation, const QString &folder)
{
    QDir().mkpath(folder);
    if (operation == QLatin1String("settings")) {
        writeFile(folder + QStringLiteral("/Kvadr.ini"), kSettings);
    } else if (operation == QLatin1String("firststart")) {
        // A shared program folder: read-only files in read-only folders.
        const QString data = folder + QStringLiteral("/program/Data");
        tableWith(data, kShipped);
        blankPair(data + QStringLiteral("/Zaloha"));
        writeFile(folder + QStringLiteral("/program/Kvadr.ini"), kSettings);
        QDir().mkpath(folder + QStringLiteral("/home"));
        giveAway(folder);
        for (const QString &file : {QStringLiteral("/program/Data/Parblok.dbf"), QStringLiteral("/program/Data/Parblok.mdx"),
                                    QStringLiteral("/program/Data/Zaloha/Parblok.dbf"), QStringLiteral("/program/Data/Zaloha/Parblok.Mdx"),
                                    QStringLiteral("/program/Kvadr.ini")})
            QFile::setPermissions(folder + file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        for (const QString &sub : {QStringLiteral("/program/Data/Zaloha"), QStringLiteral("/program/Data"), QStringLiteral("/program")})
            QFile::setPermissions(folder + sub, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    } else {
        tableWith(folder + QStringLiteral("/Data"), kBefore);
        blankPair(folder + QStringLiteral("/Data/Zaloha"));
    }
}

QStringList outputOf(const QStringList &arguments, const QString &dataHome = {})
{
    QProcess process;
    if (!dataHome.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral(PARBLOK_FAULTS_DRIVER), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("driver %s: exit %d: %s", qPrintable(arguments.join(QLatin1Char(' '))), process.exitCode(),
                 process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

Run perform(const QString &operation, const QString &folder, int at, int error, const QString &mode, const QString &log = QStringLiteral("-"))
{
    Run run{folder, at, error, mode, {}, {}};
    for (const QString &line : outputOf({operation, folder, QString::number(at), QString::number(error), mode, log},
                                        folder + QStringLiteral("/home"))) {
        if (line.startsWith(QLatin1String("first ")))
            run.first = line.mid(6);
        else if (line.startsWith(QLatin1String("retry ")))
            run.retry = line.mid(6);
    }
    return run;
}

// Each table folder's rows as the program reads them in a new process ("whole|" in front when
// its index reads whole without repair), or the error its opening raised.
QHash<QString, QString> programRows(const QStringList &folders)
{
    QHash<QString, QString> rows;
    for (const QString &line : outputOf(QStringList{QStringLiteral("dump")} + folders)) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() == 3)
            rows.insert(parts[0], (parts[1] == QLatin1String("whole") ? QStringLiteral("whole|") : QString()) + parts[2]);
    }
    return rows;
}

// The same as python3-dbfread reads them; empty when it is not installed.
QHash<QString, QString> dbfreadRows(const QStringList &folders)
{
    QHash<QString, QString> rows;
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), QStringLiteral(
        "import json, sys\n"
        "try:\n"
        "    import dbfread\n"
        "except ImportError:\n"
        "    print('{}'); sys.exit(0)\n"
        "out = {}\n"
        "for f in sys.argv[1:]:\n"
        "    try:\n"
        "        out[f] = ';'.join('%s=%s' % (r['JMENO'], r['TAHY']) for r in dbfread.DBF(f + '/Parblok.dbf'))\n"
        "    except Exception as e:\n"
        "        out[f] = 'fail %r' % e\n"
        "print(json.dumps(out))\n")} + folders);
    python.waitForFinished(60000);
    const QJsonObject read = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    for (auto it = read.begin(); it != read.end(); ++it)
        rows.insert(it.key(), it.value().toString());
    return rows;
}

QString errorName(int error)
{
    return error == ENOSPC ? QStringLiteral("ENOSPC") : error == EIO ? QStringLiteral("EIO") : QStringLiteral("EFBIG");
}

} // namespace

class TestDbaseFaults : public QObject
{
    Q_OBJECT

private slots:
    void everyCallFails_data()
    {
        QTest::addColumn<QString>("operation");
        for (const char *operation : {"append", "reset", "rebuild", "settings", "firststart"})
            QTest::newRow(operation) << QString::fromLatin1(operation);
    }
    void everyCallFails()
    {
        QFETCH(QString, operation);
        auto scratch = scratchDir();
        giveAway(scratch->path());
        const QString base = scratch->path();

        // The calls of an undisturbed run, counted and listed by the seam itself.
        const QString log = QDir(QDir::tempPath()).filePath(QStringLiteral("parblok-faults-%1-%2.log").arg(operation).arg(::getpid()));
        prepare(operation, base + QStringLiteral("/count"));
        const Run counted = perform(operation, base + QStringLiteral("/count"), 0, 0, QStringLiteral("once"), log);
        QCOMPARE(counted.first, QStringLiteral("ok"));
        QFile logFile(log);
        QVERIFY(logFile.open(QIODevice::ReadOnly));
        const QStringList calls = QString::fromUtf8(logFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        logFile.remove();
        QVERIFY(!calls.isEmpty());

        QList<Run> runs;
        for (int at = 1; at <= calls.size(); ++at) {
            const QStringList call = calls[at - 1].split(QLatin1Char(' '));
            QList<std::pair<int, QString>> kinds;
            for (int error : {ENOSPC, EIO, EFBIG})
                for (const QString &mode : {QStringLiteral("once"), QStringLiteral("sticky")})
                    kinds.append({error, mode});
            if (call.value(1).contains(QLatin1String("write")) && call.value(4).toLongLong() > 1)
                kinds.append({ENOSPC, QStringLiteral("short")});
            for (const auto &[error, mode] : kinds) {
                const QString folder = base + QStringLiteral("/run%1").arg(runs.size());
                prepare(operation, folder);
                runs.append(perform(operation, folder, at, error, mode));
            }
        }

        QStringList tables;
        for (const Run &run : runs)
            tables << stored(operation, run.folder, true) << stored(operation, run.folder, false);
        const bool isTable = operation != QLatin1String("settings");
        const QHash<QString, QString> program = isTable ? programRows(tables) : QHash<QString, QString>();
        const QHash<QString, QString> foreign = isTable ? dbfreadRows(tables) : QHash<QString, QString>();

        QStringList wrong;
        QHash<QString, int> perMode;
        for (const Run &run : runs) {
            ++perMode[run.mode];
            const QString what = QStringLiteral("call %1 (%2) %3 %4: ").arg(run.at).arg(calls[run.at - 1].section(QLatin1Char(' '), 1, 2))
                                     .arg(errorName(run.error), run.mode);
            const bool reportedOk = run.first == QLatin1String("ok");
            const QString snapshot = stored(operation, run.folder, true);
            const QString final = stored(operation, run.folder, false);
            QStringList faults;
            if (!reportedOk && run.retry != QLatin1String("ok"))
                faults << QStringLiteral("retry reported: ") + run.retry;
            if (isTable) {
                const QString expectNow = expectedRows(operation, reportedOk);
                const QString expectEnd = expectedRows(operation, true);
                for (const auto *reader : {&program, &foreign}) {
                    if (reader->isEmpty())
                        continue;
                    const QString name = reader == &program ? QStringLiteral("program") : QStringLiteral("dbfread");
                    if (rowsOf(reader->value(snapshot)) != expectNow)
                        faults << QStringLiteral("%1 reads after the %2 attempt: %3").arg(name, reportedOk ? QStringLiteral("reported") : QStringLiteral("failed"), reader->value(snapshot));
                    if (rowsOf(reader->value(final)) != expectEnd)
                        faults << QStringLiteral("%1 reads at the end: %2").arg(name, reader->value(final));
                }
                if (operation != QLatin1String("append") && !program.value(final).startsWith(QLatin1String("whole|")))
                    faults << QStringLiteral("index not whole at the end");
            } else if (fileBytes(snapshot) != (reportedOk ? expectedSettings() : kSettings)
                       || fileBytes(final) != expectedSettings()) {
                faults << QStringLiteral("settings file: ") + QString::fromUtf8(fileBytes(snapshot));
            }
            if (operation == QLatin1String("firststart")) {
                if (!reportedOk && (!run.first.contains(fileErrorText(run.mode == QLatin1String("short") ? ENOSPC : run.error))
                                    || QFileInfo::exists(snapshot + QStringLiteral("/Parblok.dbf"))))
                    faults << QStringLiteral("failure reported as: ") + run.first;
                for (const QString &file : {QStringLiteral("/Parblok.dbf"), QStringLiteral("/Parblok.mdx")})
                    if (!(QFile::permissions(final + file) & QFile::WriteOwner))
                        faults << file + QStringLiteral(" is not writable");
            }
            if (operation == QLatin1String("append") && !reportedOk
                && !run.first.contains(fileErrorText(run.mode == QLatin1String("short") ? ENOSPC : run.error)))
                faults << QStringLiteral("failure reported as: ") + run.first;
            if (!faults.isEmpty())
                wrong << what + faults.join(QStringLiteral("; "));
        }
        qInfo("%s: %d calls, %d runs (once %d, sticky %d, short %d), %d wrong", qPrintable(operation), int(calls.size()),
              int(runs.size()), perMode.value(QStringLiteral("once")), perMode.value(QStringLiteral("sticky")), perMode.value(QStringLiteral("short")), int(wrong.size()));
        for (const QString &run : wrong)
            qWarning("%s", qPrintable(run));
        // The shared program folders are read-only; they are opened again so that they can go.
        for (const Run &run : runs + QList<Run>{counted})
            for (const QString &sub : {QStringLiteral("/program"), QStringLiteral("/program/Data"), QStringLiteral("/program/Data/Zaloha")})
                QFile::setPermissions(run.folder + sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(wrong.isEmpty(), "runs broke the rule; they are listed above");
    }

    // A record reaches the disk before the count that makes it part of the table, and the count
    // before the index.
    void appendWritesInOrder()
    {
        auto scratch = scratchDir();
        const QString folder = scratch->path() + QStringLiteral("/run");
        prepare(QStringLiteral("append"), folder);
        const QString log = scratch->path() + QStringLiteral("/calls.log");
        QCOMPARE(perform(QStringLiteral("append"), folder, 0, 0, QStringLiteral("once"), log).first, QStringLiteral("ok"));
        QStringList sequence;
        for (const QString &line : QString::fromUtf8(fileBytes(log)).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList call = line.split(QLatin1Char(' '));
            const bool table = call[2].endsWith(QLatin1String("/Parblok.dbf"));
            if (call[2].contains(QLatin1String(".mdx"), Qt::CaseInsensitive) && call[1] != QLatin1String("open"))
                sequence << QStringLiteral("index");
            else if (table && call[1] == QLatin1String("pwrite") && call[3] == QLatin1String("1"))
                sequence << QStringLiteral("count");
            else if (table && call[1] == QLatin1String("pwrite") && call[3].toLongLong() > 32)
                sequence << QStringLiteral("record");
            else if (table && call[1] == QLatin1String("fdatasync"))
                sequence << QStringLiteral("flush");
        }
        const qsizetype record = sequence.indexOf(QStringLiteral("record"));
        QVERIFY2(record >= 0 && sequence.mid(record, 5)
                     == QStringList({QStringLiteral("record"), QStringLiteral("flush"), QStringLiteral("count"), QStringLiteral("flush"),
                                     QStringLiteral("index")}),
                 qPrintable(sequence.join(QLatin1Char(' '))));
    }

private:
    // Where a run keeps what it stored: the copy made after the first attempt, or the live files.
    static QString stored(const QString &operation, const QString &folder, bool snapshot)
    {
        if (operation == QLatin1String("settings"))
            return folder + (snapshot ? QStringLiteral("/snapshot") : QString()) + QStringLiteral("/Kvadr.ini");
        if (operation == QLatin1String("firststart"))
            return folder + (snapshot ? QStringLiteral("/snapshot/parblok2000/Data") : QStringLiteral("/home/parblok2000/Data"));
        return folder + (snapshot ? QStringLiteral("/snapshot/Data") : QStringLiteral("/Data"));
    }

    static QString expectedRows(const QString &operation, bool changed)
    {
        if (operation == QLatin1String("append"))
            return (changed ? kBefore + QStringList{QStringLiteral("Novak=777")} : kBefore).join(QLatin1Char(';'));
        if (operation == QLatin1String("reset"))
            return changed ? QString() : kBefore.join(QLatin1Char(';'));
        if (operation == QLatin1String("firststart"))
            return changed ? kShipped.join(QLatin1Char(';')) : QStringLiteral("fail");
        return kBefore.join(QLatin1Char(';'));
    }

    static QString rowsOf(const QString &read)
    {
        const QString rows = read.startsWith(QLatin1String("whole|")) ? read.mid(6) : read;
        return rows.startsWith(QLatin1String("fail")) ? QStringLiteral("fail") : rows;
    }

    static QByteArray expectedSettings()
    {
        return QByteArray(kSettings).replace("Pomocnik=1", "Pomocnik=0");
    }
};

PARBLOK_TEST_MAIN(TestDbaseFaults)
#include "tst_dbase_faults.moc"
