#include "AppError.h"
#include "Cp1250.h"
#include "DbaseTestSupport.h"
#include "TestMain.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

using namespace dbasetest;

namespace {

// Checks that every record is a whole row of one of the writers, that each writer's rows are
// 1..k without a gap, and that the index lists the table in order. Returns rows per writer.
QMap<QString, int> checkTable(const QString &folder)
{
    QMap<QString, int> last;
    DbfTable table;
    table.open(folder, QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
    table.close();
    table.open(folder, QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
    QList<Row> rows;
    for (quint32 r = 1; r <= table.recordCount(); ++r) {
        const QString name = fromCp1250(table.fieldBytes(r, table.fieldIndex("JMENO"))).trimmed();
        const QString writer = name.section(QLatin1Char('-'), 0, 0);
        const int n = name.section(QLatin1Char('-'), 1).toInt();
        const QByteArray points = table.fieldBytes(r, table.fieldIndex("TAHY")).trimmed().toByteArray();
        const QByteArray kind = table.fieldBytes(r, table.fieldIndex("HRA")).trimmed().toByteArray();
        const QByteArray date = table.fieldBytes(r, table.fieldIndex("DATUM")).toByteArray();
        if (table.isDeleted(r) || n != last.value(writer) + 1 || points != QByteArray::number((n * 37) % 1000 - 300)
            || kind != QByteArray::number(1 + n % 3) || date != QDate(2024, 1, 1).addDays(n % 365).toString(u"yyyyMMdd").toLatin1()) {
            qWarning("record %u is not a whole row: %s %s %s %s", r, qPrintable(name), points.constData(), kind.constData(), date.constData());
            return {};
        }
        last[writer] = n;
        rows.append({name, QString::fromLatin1(points), QString::fromLatin1(kind), {}});
    }
    if (orderOf(table) != expectedOrder(rows)) {
        qWarning("index order differs from the table");
        return {};
    }
    const QByteArray dbf = readFile(folder + QStringLiteral("/Parblok.dbf"));
    if (dbf.size() != 161 + qsizetype(table.recordCount()) * 121 + 1 || dbf.back() != '\x1A' || dbf.at(14) != 0) {
        qWarning("table file is not tidy");
        return {};
    }
    return last;
}

} // namespace

class TestDbaseCrash : public QObject
{
    Q_OBJECT
private slots:
    // A writer killed at any moment of an append leaves every earlier row intact and, after the
    // next open, both files intact; the row in flight is either whole or absent.
    void killedWriterLosesNothing()
    {
        QTemporaryDir dir;
        writeTable(dir.path(), {});
        int stored = 0;
        int interrupted = 0;
        QRandomGenerator random(20240302);
        for (int round = 0; round < 60; ++round) {
            QProcess writer;
            writer.start(QStringLiteral(PARBLOK_APPENDER), {dir.path(), QStringLiteral("W%1").arg(round), QStringLiteral("1000000")});
            QVERIFY(writer.waitForStarted());
            int confirmed = 0;
            const int wanted = 1 + int(random.bounded(4));
            while (confirmed < wanted && writer.waitForReadyRead(10000)) {
                while (writer.canReadLine()) {
                    writer.readLine();
                    ++confirmed;
                }
            }
            QVERIFY2(confirmed >= wanted, writer.readAllStandardError().constData());
            QThread::usleep(random.bounded(3000));
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished());
            while (writer.canReadLine()) {
                writer.readLine();
                ++confirmed;
            }

            DbfTable strict;
            try {
                strict.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
                interrupted += readFile(dir.filePath(QStringLiteral("Parblok.dbf"))).at(14) != 0 ? 1 : 0;
            } catch (const AppError &) {
                ++interrupted;
            }
            const QMap<QString, int> rows = checkTable(dir.path());
            QVERIFY2(!rows.isEmpty(), qPrintable(QStringLiteral("round %1").arg(round)));
            const int written = rows.value(QStringLiteral("W%1").arg(round));
            QVERIFY2(written >= confirmed && written <= confirmed + 1,
                     qPrintable(QStringLiteral("round %1: %2 confirmed, %3 stored").arg(round).arg(confirmed).arg(written)));
            int total = 0;
            for (int n : rows)
                total += n;
            QCOMPARE(total, stored + written);
            stored = total;
        }
        qInfo("%d rows stored; %d of 60 kills left an append unfinished", stored, interrupted);
    }

    void twoWritersAtOnceBothLand()
    {
        QTemporaryDir dir;
        writeTable(dir.path(), referenceRows().mid(0, 0));
        constexpr int rows = 300;
        QProcess first;
        QProcess second;
        first.start(QStringLiteral(PARBLOK_APPENDER), {dir.path(), QStringLiteral("A"), QString::number(rows)});
        second.start(QStringLiteral(PARBLOK_APPENDER), {dir.path(), QStringLiteral("B"), QString::number(rows)});
        QVERIFY(first.waitForFinished(120000));
        QVERIFY(second.waitForFinished(120000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);
        const QMap<QString, int> written = checkTable(dir.path());
        QCOMPARE(written.value(QStringLiteral("A")), rows);
        QCOMPARE(written.value(QStringLiteral("B")), rows);
    }
};

PARBLOK_TEST_MAIN(TestDbaseCrash)
#include "tst_dbase_crash.moc"
