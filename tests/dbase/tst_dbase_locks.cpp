// The table's locks against another program's classic fcntl() record locks, in both directions.

#include "AppError.h"
#include "DbaseTestSupport.h"
#include "ForeignLocker.h"
#include "PosixFile.h"
#include "TestMain.h"

using namespace dbasetest;

namespace {

const Row kAdded{QStringLiteral("Další"), QStringLiteral("7"), QStringLiteral("1"), QDate(2024, 6, 1)};

// Holds a file's lock for a scope, as the engine does while it reads or appends.
class FileLock
{
public:
    FileLock(PosixFile &file, bool exclusive) : m_file(file) { m_file.lock(exclusive); }
    ~FileLock() { m_file.unlock(); }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    PosixFile &m_file;
};

} // namespace

class TestDbaseLocks : public QObject
{
    Q_OBJECT
private slots:
    // While another program holds a lock on any part of the table or of its index, an append
    // stores nothing in either file and reports the locked file; once it lets go, the same append
    // goes through.
    void foreignLockHoldsOffAppends_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("type");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("length");
        QTest::newRow("whole file, write lock") << "Parblok.dbf" << "write" << qint64(0) << qint64(0);
        QTest::newRow("one record, write lock") << "Parblok.dbf" << "write" << qint64(161 + 2 * 121) << qint64(121);
        QTest::newRow("far beyond the end, write lock") << "Parblok.dbf" << "write" << qint64(0x40000000) << qint64(1);
        QTest::newRow("whole file, read lock") << "Parblok.dbf" << "read" << qint64(0) << qint64(0);
        QTest::newRow("index, write lock") << "Parblok.mdx" << "write" << qint64(0) << qint64(0);
        QTest::newRow("index, one leaf, write lock") << "Parblok.mdx" << "write" << qint64(6 * 512) << qint64(1024);
        QTest::newRow("index, read lock") << "Parblok.mdx" << "read" << qint64(0) << qint64(0);
    }
    void foreignLockHoldsOffAppends()
    {
        QFETCH(QString, file);
        QFETCH(QString, type);
        QFETCH(qint64, start);
        QFETCH(qint64, length);
        auto dir = scratchDir();
        writeTable(dir->path(), referenceRows());
        DbfTable table;
        table.open(dir->path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
        const QByteArray dbf = readFile(dir->filePath(QStringLiteral("Parblok.dbf")));
        const QByteArray mdx = readFile(dir->filePath(QStringLiteral("Parblok.mdx")));

        ForeignLocker other;
        QCOMPARE(other.take(dir->filePath(file), type, start, length), QStringLiteral("locked"));
        bool locked = false;
        try {
            appendRow(table, kAdded, QDate(2024, 6, 1));
        } catch (const FileLocked &error) {
            locked = true;
            QCOMPARE(error.message(), QStringLiteral("Soubor „%1“ je zamčen jiným programem. Zkuste to prosím znovu později.")
                                          .arg(QDir::toNativeSeparators(dir->filePath(file))));
        }
        QVERIFY(locked);
        QCOMPARE(readFile(dir->filePath(QStringLiteral("Parblok.dbf"))), dbf);
        QCOMPARE(readFile(dir->filePath(QStringLiteral("Parblok.mdx"))), mdx);
        QVERIFY(table.isOpen());

        other.release();
        appendRow(table, kAdded, QDate(2024, 6, 1));
        DbfTable check;
        check.open(dir->path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
        QCOMPARE(orderOf(check), expectedOrder(referenceRows() + QList<Row>{kAdded}));
    }

    void foreignLockHoldsOffOpening_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("table") << "Parblok.dbf";
        QTest::newRow("index") << "Parblok.mdx";
    }
    void foreignLockHoldsOffOpening()
    {
        QFETCH(QString, file);
        auto dir = scratchDir();
        writeTable(dir->path(), referenceRows());
        ForeignLocker other;
        QCOMPARE(other.take(dir->filePath(file)), QStringLiteral("locked"));
        DbfTable table;
        QVERIFY_THROWS_EXCEPTION(FileLocked, table.open(dir->path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair));
        QVERIFY(!table.isOpen());
        other.release();
        table.open(dir->path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
        QCOMPARE(orderOf(table), expectedOrder(referenceRows()));
    }

    // Other programs see the lock this engine takes: a write lock keeps them out entirely, a
    // read lock only from writing.
    void otherProgramsSeeOurLock_data()
    {
        QTest::addColumn<bool>("exclusive");
        QTest::addColumn<QString>("type");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<QString>("answer");
        QTest::newRow("ours exclusive, theirs read") << true << "read" << qint64(0) << "busy";
        QTest::newRow("ours exclusive, theirs a record") << true << "write" << qint64(161) << "busy";
        QTest::newRow("ours exclusive, theirs beyond the end") << true << "write" << qint64(0x40000000) << "busy";
        QTest::newRow("ours shared, theirs write") << false << "write" << qint64(0) << "busy";
        QTest::newRow("ours shared, theirs read") << false << "read" << qint64(0) << "locked";
    }
    void otherProgramsSeeOurLock()
    {
        QFETCH(bool, exclusive);
        QFETCH(QString, type);
        QFETCH(qint64, start);
        QFETCH(QString, answer);
        auto dir = scratchDir();
        writeTable(dir->path(), {});
        PosixFile file;
        QVERIFY(file.open(dir->filePath(QStringLiteral("Parblok.dbf")), true));
        {
            FileLock held(file, exclusive);
            ForeignLocker other;
            QCOMPARE(other.take(dir->filePath(QStringLiteral("Parblok.dbf")), type, start, 1), answer);
        }
        ForeignLocker after;
        QCOMPARE(after.take(dir->filePath(QStringLiteral("Parblok.dbf")), QStringLiteral("write")), QStringLiteral("locked"));
    }
};

PARBLOK_TEST_MAIN(TestDbaseLocks)
#include "tst_dbase_locks.moc"
