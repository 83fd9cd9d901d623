// Readers that no one here wrote, over the files this engine writes: python3-dbfread and GDAL for
// the table, Perl's index_dump and Free Pascal's TDbf for the index. TDbf also appends to our
// files, and this engine must then read the pair strictly.

#include "Cp1250.h"
#include "DbaseTestSupport.h"
#include "TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace dbasetest;

namespace {

// Runs a reader and returns its output; a reader that fails or does not finish fails the test.
QByteArray run(const QString &program, const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        QTest::qFail(qPrintable(QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAllStandardError()))),
                     __FILE__, __LINE__);
        return {};
    }
    return process.readAllStandardOutput();
}

bool have(const QString &program)
{
    return QFileInfo(program).isExecutable() || !QStandardPaths::findExecutable(program).isEmpty();
}

QString rowText(const QString &name, const QString &points, const QString &kind, const QString &date)
{
    return name + u'|' + points + u'|' + kind + u'|' + date;
}

QStringList expectedRows(const QList<Row> &rows, const QString &dateFormat)
{
    QStringList out;
    for (const Row &row : rows)
        out.append(rowText(row.name, row.points, row.kind, row.date.toString(dateFormat)));
    return out;
}

// The TDbf tool, compiled from its Pascal source once per run when Free Pascal is installed (looked
// up now rather than when the build was configured, so that installing it later is enough).
QString tdbfTool()
{
    static QTemporaryDir folder;
    static const QString tool = [] {
        const QString fpc = QStandardPaths::findExecutable(QStringLiteral("fpc"));
        if (fpc.isEmpty())
            return QString();
        QProcess compiler;
        compiler.start(fpc, {QStringLiteral("-O1"), QStringLiteral("-v0"), QStringLiteral("-FE") + folder.path(),
                             QStringLiteral("-o") + folder.filePath(QStringLiteral("tdbftool")),
                             sourceDir() + QStringLiteral("/tests/dbase/data/tdbftool.pas")});
        // A tool that did not compile is left missing, so that every test using it fails.
        if (!compiler.waitForFinished(120000) || compiler.exitCode() != 0)
            qWarning("fpc cannot compile the TDbf tool (are fp-compiler and fp-units-fcl installed?): %s",
                     compiler.readAllStandardOutput().constData());
        return folder.filePath(QStringLiteral("tdbftool"));
    }();
    return tool;
}

// Record numbers and rows as the TDbf tool lists them, in tag order.
QList<quint32> tdbfOrder(const QString &folder, QStringList *rows = nullptr)
{
    QList<quint32> order;
    static const QRegularExpression line(QStringLiteral("^rec=(\\d+) TAHY=(\\S+) HRA=(\\S*) DATUM=(\\S+) JMENO=(.*)$"));
    for (const QByteArray &bytes : run(tdbfTool(), QStringList{QStringLiteral("read"), folder + u'/', QStringLiteral("Parblok.dbf")}).split('\n')) {
        const QRegularExpressionMatch match = line.match(fromCp1250(bytes));
        if (!match.hasMatch())
            continue;
        order.append(match.captured(1).toUInt());
        if (rows)
            rows->append(rowText(match.captured(5), match.captured(2), match.captured(3), match.captured(4)));
    }
    return order;
}

} // namespace

class TestDbaseReaders : public QObject
{
    Q_OBJECT
private:
    void rowCounts()
    {
        QTest::addColumn<int>("count");
        for (int count : {0, 1, 63, 64, 500})
            QTest::newRow(qPrintable(QStringLiteral("%1 rows").arg(count))) << count;
    }

private slots:
    void dbfread_data() { rowCounts(); }
    void dbfread()
    {
        QFETCH(int, count);
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import dbfread")}) != 0)
            QSKIP("python3-dbfread is not installed");
        auto dir = scratchDir();
        const QList<Row> rows = sampleRows(count);
        writeTable(dir->path(), rows);
        const QString script = QStringLiteral(
            "import dbfread, json, sys\n"
            "t = dbfread.DBF(sys.argv[1])\n"
            "print(json.dumps([t.encoding] + ['%s|%s|%s|%s' % (r['JMENO'], r['TAHY'], r['HRA'], r['DATUM'].isoformat()) for r in t]))\n");
        const QJsonArray got = QJsonDocument::fromJson(run(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, dir->filePath(QStringLiteral("Parblok.dbf"))})).array();
        QCOMPARE(got.first().toString(), QStringLiteral("cp1250"));
        QStringList listed;
        for (qsizetype i = 1; i < got.size(); ++i)
            listed.append(got[i].toString());
        QCOMPARE(listed, expectedRows(rows, QStringLiteral("yyyy-MM-dd")));
    }

    void ogrinfo_data() { rowCounts(); }
    void ogrinfo()
    {
        QFETCH(int, count);
        if (!have(QStringLiteral("ogrinfo")))
            QSKIP("gdal-bin is not installed");
        auto dir = scratchDir();
        const QList<Row> rows = sampleRows(count);
        writeTable(dir->path(), rows);
        const QString out = QString::fromUtf8(run(QStringLiteral("ogrinfo"), {QStringLiteral("-ro"), QStringLiteral("-al"), dir->filePath(QStringLiteral("Parblok.dbf"))}));
        for (const char *column : {"JMENO: String (100.0)", "TAHY: Integer64 (10.0)", "HRA: String (2.0)", "DATUM: Date (10.0)", "DBF_DATE_LAST_UPDATE=2024-03-02"})
            QVERIFY2(out.contains(QLatin1String(column)), qPrintable(out.left(800)));
        QVERIFY2(out.contains(QStringLiteral("Feature Count: %1").arg(count)), qPrintable(out.left(800)));
        static const QRegularExpression feature(QStringLiteral(
            "JMENO \\(String\\) = ([^\\n]*)\\n\\s*TAHY \\(Integer64\\) = (\\S+)\\n\\s*HRA \\(String\\) = (\\S*)\\n\\s*DATUM \\(Date\\) = (\\S+)"));
        QStringList listed;
        for (auto it = feature.globalMatch(out); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            listed.append(rowText(match.captured(1), match.captured(2), match.captured(3), match.captured(4)));
        }
        QCOMPARE(listed, expectedRows(rows, QStringLiteral("yyyy/MM/dd")));
    }

    void indexDump_data() { rowCounts(); }
    void indexDump()
    {
        QFETCH(int, count);
        if (!have(QStringLiteral("index_dump")))
            QSKIP("libdbd-xbase-perl is not installed");
        auto dir = scratchDir();
        const QList<Row> rows = sampleRows(count);
        writeTable(dir->path(), rows);
        QList<quint32> order;
        static const QRegularExpression recordNumber(QStringLiteral("(\\d+)\\s*$"));
        for (const QByteArray &line : run(QStringLiteral("index_dump"), {QStringLiteral("--tag"), QStringLiteral("TAHY"), QStringLiteral("Parblok.mdx")}, dir->path()).split('\n')) {
            const QRegularExpressionMatch match = recordNumber.match(QString::fromLatin1(line));
            if (match.hasMatch())
                order.append(match.captured(1).toUInt());
        }
        QCOMPARE(order, expectedOrder(rows));
    }

    void tdbf_data() { rowCounts(); }
    void tdbf()
    {
        QFETCH(int, count);
        if (tdbfTool().isEmpty())
            QSKIP("fpc is not installed");
        auto dir = scratchDir();
        const QList<Row> rows = sampleRows(count);
        writeTable(dir->path(), rows);
        QStringList listed;
        const QList<quint32> order = tdbfOrder(dir->path(), &listed);
        QCOMPARE(order, expectedOrder(rows));
        QStringList expected;
        for (quint32 r : order)
            expected.append(expectedRows({rows[int(r - 1)]}, QStringLiteral("yyyy-MM-dd")).first());
        QCOMPARE(listed, expected);
    }

    // TDbf appends to our pair (splitting our blocks when they are full); we then read it strictly.
    void tdbfAppendsToOurPair_data() { rowCounts(); }
    void tdbfAppendsToOurPair()
    {
        QFETCH(int, count);
        if (tdbfTool().isEmpty())
            QSKIP("fpc is not installed");
        auto dir = scratchDir();
        QList<Row> rows = sampleRows(count);
        writeTable(dir->path(), rows);
        const QList<Row> foreign = {{QStringLiteral("TDbf a"), QStringLiteral("-150"), QStringLiteral("3"), QDate(2024, 3, 2)},
                                    {QStringLiteral("TDbf b"), QStringLiteral("64"), QStringLiteral("1"), QDate(2024, 3, 2)},
                                    {QStringLiteral("TDbf c"), QStringLiteral("99999"), QStringLiteral("2"), QDate(2024, 3, 2)}};
        for (const Row &row : foreign)
            run(tdbfTool(), {QStringLiteral("append"), dir->path() + u'/', QStringLiteral("Parblok.dbf"), row.name, row.points, row.kind});
        rows += foreign;
        DbfTable table;
        table.open(dir->path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
        QCOMPARE(table.recordCount(), quint32(rows.size()));
        QCOMPARE(orderOf(table), expectedOrder(rows));
        QCOMPARE(fromCp1250(table.fieldBytes(quint32(rows.size()), table.fieldIndex("JMENO"))).trimmed(), QStringLiteral("TDbf c"));
        // And our next append goes into the index TDbf maintained.
        table.close();
        table.open(dir->path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
        appendRow(table, {QStringLiteral("Náš"), QStringLiteral("63"), QStringLiteral("1"), QDate(2024, 4, 1)}, QDate(2024, 4, 1));
        rows.append({QStringLiteral("Náš"), QStringLiteral("63"), QStringLiteral("1"), QDate(2024, 4, 1)});
        QCOMPARE(tdbfOrder(dir->path()), expectedOrder(rows));
    }
};

PARBLOK_TEST_MAIN(TestDbaseReaders)
#include "tst_dbase_readers.moc"
