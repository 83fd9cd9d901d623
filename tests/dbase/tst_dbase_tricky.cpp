// Replays every damaged or unusual pair in data/tricky (written by hand, or found by the fuzz
// targets) through the engine the way the program uses it. Each step either works or fails with
// a Czech message naming the file; no step loses a row that the table file holds.

#include "DbaseTestSupport.h"
#include "TestMain.h"

#include <QDirIterator>
#include <QRegularExpression>

using namespace dbasetest;

namespace {

// The records (deletion flag and fields) of the table in `folder`, or the error opening it.
struct Stored
{
    QList<QByteArray> records;
    QString error;
};

Stored storedRows(const QString &folder)
{
    Stored stored;
    stored.error = messageOf([&] {
        DbfTable table;
        table.open(folder, QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
        for (quint32 r = 1; r <= table.recordCount(); ++r)
            stored.records.append(table.record(r).toByteArray());
    });
    return stored;
}

// What the table file alone holds: a copy without the index, which the engine builds anew.
Stored tableAlone(const QString &caseFolder)
{
    auto scratch = scratchDir();
    writeFile(scratch->filePath(QStringLiteral("Parblok.dbf")), readFile(caseFolder + QStringLiteral("/Parblok.dbf")));
    return storedRows(scratch->path());
}

// A message the user may see: Czech (it has Czech letters and none of the system's English
// texts) and naming a file of the folder at fault.
bool isCleanMessage(const QString &message, const QString &folder)
{
    static const QRegularExpression czech(QStringLiteral("[áčďéěíňóřšťúůýž]"));
    static const QRegularExpression english(QStringLiteral("No such|Permission|denied|directory|std::|bad_alloc|File too|Invalid"));
    return message.contains(czech) && !message.contains(english) && message.contains(QDir::toNativeSeparators(folder));
}

} // namespace

class TestDbaseTricky : public QObject
{
    Q_OBJECT
private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("caseFolder");
        QDirIterator cases(referencePair(QStringLiteral("tricky")), QDir::Dirs | QDir::NoDotAndDotDot);
        QStringList names;
        while (cases.hasNext())
            names.append(cases.next());
        names.sort();
        QVERIFY(names.size() >= 20);
        for (const QString &name : names)
            QTest::newRow(qPrintable(QFileInfo(name).fileName())) << name;
    }
    void replay()
    {
        QFETCH(QString, caseFolder);
        const Stored alone = tableAlone(caseFolder);
        auto scratch = scratchDir();
        const QString dir = scratch->path();
        const auto putCase = [&] {
            for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden))
                QFile::remove(QDir(dir).filePath(name));
            for (const QString &name : QDir(caseFolder).entryList(QDir::Files))
                writeFile(QDir(dir).filePath(name), readFile(QDir(caseFolder).filePath(name)));
        };

        // A strict read, as of the blank copies.
        putCase();
        QString message = messageOf([&] {
            DbfTable strict;
            strict.open(dir, QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
            (void)orderOf(strict);
        });
        QVERIFY2(message.isEmpty() || isCleanMessage(message, dir), qPrintable(message));

        // Opening as the live table: whatever the index holds, the rows are those of the table.
        putCase();
        const Stored opened = storedRows(dir);
        QVERIFY2(opened.error.isEmpty() || isCleanMessage(opened.error, dir), qPrintable(opened.error));
        if (!alone.error.isEmpty()) {
            QVERIFY2(!opened.error.isEmpty(), "a table that does not open alone opened with its index");
            return;
        }
        QCOMPARE(opened.error.isEmpty() ? opened.records : tableAlone(dir).records, alone.records);
        if (!opened.error.isEmpty())
            return;

        // One more row, then a strict read finds every row, the new one last.
        DbfTable table;
        table.open(dir, QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
        // The results store takes only tables with all four of its columns.
        for (const char *column : {"JMENO", "HRA", "DATUM"}) {
            if (table.fieldIndex(column) < 0)
                return;
        }
        message = messageOf([&] { appendRow(table, {QStringLiteral("Nový"), QStringLiteral("7"), QStringLiteral("1"), QDate(2024, 6, 1)}, QDate(2024, 6, 1)); });
        QVERIFY2(message.isEmpty() || isCleanMessage(message, dir), qPrintable(message));
        if (!message.isEmpty())
            return;
        DbfTable check;
        check.open(dir, QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
        QCOMPARE(check.recordCount(), quint32(alone.records.size() + 1));
        for (quint32 r = 1; r <= quint32(alone.records.size()); ++r)
            QCOMPARE(check.record(r).toByteArray(), alone.records[int(r - 1)]);
        QCOMPARE(std::count(check.order().begin(), check.order().end(), check.recordCount()), 1);
        // The index holds what its keys need, not pages written far beyond its end.
        const qint64 indexSize = QFileInfo(check.indexPath()).size();
        QVERIFY2(indexSize <= 16 * 1024 + 1024 * qint64(check.recordCount()), qPrintable(QString::number(indexSize)));
    }
};

PARBLOK_TEST_MAIN(TestDbaseTricky)
#include "tst_dbase_tricky.moc"
