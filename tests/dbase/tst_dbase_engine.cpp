#include "AppError.h"
#include "Cp1250.h"
#include "DbaseTestSupport.h"
#include "Numeric.h"
#include "TestMain.h"

#include <QMap>
#include <QProcess>
#include <QtEndian>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace dbasetest;

namespace {

QByteArray keyHex(const QString &value)
{
    return QByteArray(reinterpret_cast<const char *>(encodeNumericKey(*parseDecimal(QStringView(value))).data()), 12).toHex(' ');
}

NumericKey keyFromHex(const char *hex)
{
    NumericKey key{};
    const QByteArray bytes = QByteArray::fromHex(hex);
    std::copy(bytes.begin(), bytes.end(), key.begin());
    return key;
}

// The key of entry `i` of the index block at byte `block`.
const unsigned char *keyAt(const QByteArray &mdx, qsizetype block, quint32 i)
{
    return reinterpret_cast<const unsigned char *>(mdx.constData() + block + 8 + 16 * qsizetype(i) + 4);
}

// The record that a search for `key` from the root finds: in each inner block the first child
// whose key is not below it, else the right-most child; in the leaf the first key not below it.
// 0 when the leaf has none.
quint32 seekFirst(const QByteArray &mdx, const NumericKey &key)
{
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(mdx.constData() + at); };
    const auto at = [&](qsizetype block, quint32 i) { return block + 8 + 16 * qsizetype(i); };
    qsizetype block = qsizetype(u32(4 * 512)) * 512;
    for (;;) {
        const quint32 count = u32(block);
        quint32 i = 0;
        while (i < count && compareNumericKeys(keyAt(mdx, block, i), key.data()) < 0)
            ++i;
        const quint32 rightmost = u32(at(block, count));
        if (rightmost == 0)
            return i < count ? u32(at(block, i)) : 0;
        block = qsizetype(i < count ? u32(at(block, i)) : rightmost) * 512;
    }
}

// What is wrong with the page bookkeeping of a one-tag index file: the page count in the file
// header, the tag's page total, its first-leaf and last-block pages, the "has keys" byte, the
// leaves' links to their left neighbours and the inner keys (each the highest key below it).
// Empty when all of it agrees with the tree.
QString mdxBookkeepingFault(const QByteArray &mdx)
{
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(mdx.constData() + at); };
    if (mdx.size() % 512 != 0 || mdx.size() < 8 * 512)
        return QStringLiteral("size %1").arg(mdx.size());
    const quint32 pages = quint32(mdx.size() / 512);
    if (u32(32) != pages)
        return QStringLiteral("header says %1 pages, file has %2").arg(u32(32)).arg(pages);
    const qsizetype tag = 4 * 512;
    if (u32(tag + 4) != pages - 6)
        return QStringLiteral("tag pages %1, blocks take %2").arg(u32(tag + 4)).arg(pages - 6);
    QList<quint32> leaves;
    quint32 keys = 0;
    QString innerKeyFault;
    // Returns the highest key under `page` (null for an empty leaf).
    const auto walk = [&](const auto &self, quint32 page) -> const unsigned char * {
        const qsizetype block = qsizetype(page) * 512;
        const quint32 count = u32(block);
        const quint32 rightmost = u32(block + 8 + 16 * qsizetype(count));
        if (rightmost == 0) {
            leaves.append(page);
            keys += count;
            return count > 0 ? keyAt(mdx, block, count - 1) : nullptr;
        }
        for (quint32 i = 0; i < count; ++i) {
            const unsigned char *highest = self(self, u32(block + 8 + 16 * qsizetype(i)));
            if (!highest || compareNumericKeys(highest, keyAt(mdx, block, i)) != 0)
                innerKeyFault = QStringLiteral("inner key %1 of page %2 is not its child's highest").arg(i).arg(page);
        }
        return self(self, rightmost);
    };
    walk(walk, u32(tag));
    if (!innerKeyFault.isEmpty())
        return innerKeyFault;
    if (u32(tag + 248) != leaves.first())
        return QStringLiteral("first leaf %1, tree starts at %2").arg(u32(tag + 248)).arg(leaves.first());
    if (u32(tag + 252) != pages - 2)
        return QStringLiteral("last block %1, file ends with %2").arg(u32(tag + 252)).arg(pages - 2);
    if (mdx.at(tag + 246) != char(keys > 0 ? 1 : 0))
        return QStringLiteral("has-keys byte wrong for %1 keys").arg(keys);
    for (qsizetype i = 0; i < leaves.size(); ++i) {
        if (u32(qsizetype(leaves[i]) * 512 + 4) != (i == 0 ? 0 : leaves[i - 1]))
            return QStringLiteral("leaf %1 links to %2").arg(leaves[i]).arg(u32(qsizetype(leaves[i]) * 512 + 4));
    }
    return {};
}

} // namespace

class TestDbaseEngine : public QObject
{
    Q_OBJECT
private slots:
    void numericKey_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("zero") << "0" << QByteArray("34 01 00 00 00 00 00 00 00 00 00 00");
        QTest::newRow("negative zero") << "-0.000" << QByteArray("34 01 00 00 00 00 00 00 00 00 00 00");
        QTest::newRow("1") << "1" << QByteArray("35 29 10 00 00 00 00 00 00 00 00 00");
        QTest::newRow("64") << "64" << QByteArray("36 29 64 00 00 00 00 00 00 00 00 00");
        QTest::newRow("125") << "125" << QByteArray("37 29 12 50 00 00 00 00 00 00 00 00");
        QTest::newRow("160") << "160" << QByteArray("37 29 16 00 00 00 00 00 00 00 00 00");
        QTest::newRow("202") << "202" << QByteArray("37 29 20 20 00 00 00 00 00 00 00 00");
        QTest::newRow("1000") << "1000" << QByteArray("38 29 10 00 00 00 00 00 00 00 00 00");
        QTest::newRow("99999") << "99999" << QByteArray("39 29 99 99 90 00 00 00 00 00 00 00");
        QTest::newRow("1234567890") << "1234567890" << QByteArray("3e 29 12 34 56 78 90 00 00 00 00 00");
        QTest::newRow("-3") << "-3" << QByteArray("35 a9 30 00 00 00 00 00 00 00 00 00");
        QTest::newRow("-200") << "-200" << QByteArray("37 a9 20 00 00 00 00 00 00 00 00 00");
        QTest::newRow("0.5") << "0.5" << QByteArray("34 29 50 00 00 00 00 00 00 00 00 00");
        QTest::newRow("0.05") << "0.05" << QByteArray("33 29 50 00 00 00 00 00 00 00 00 00");
        QTest::newRow("-0.5") << "-0.5" << QByteArray("34 a9 50 00 00 00 00 00 00 00 00 00");
        QTest::newRow("padded N(20,4)") << "              5.0000" << QByteArray("35 29 50 00 00 00 00 00 00 00 00 00");
        QTest::newRow("twelve digits") << "123456789012" << QByteArray("40 31 12 34 56 78 90 12 00 00 00 00");
    }
    void numericKey()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, key);
        QCOMPARE(keyHex(value), key);
    }

    void keysOrderByValue()
    {
        const QStringList ascending = {QStringLiteral("-99999"), QStringLiteral("-1000"), QStringLiteral("-200"), QStringLiteral("-3"),
                                       QStringLiteral("-0.5"), QStringLiteral("-0.05"), QStringLiteral("0"), QStringLiteral("0.05"),
                                       QStringLiteral("0.5"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("64"),
                                       QStringLiteral("120"), QStringLiteral("125"), QStringLiteral("1000"), QStringLiteral("99999")};
        for (int i = 0; i < ascending.size(); ++i) {
            for (int j = 0; j < ascending.size(); ++j) {
                const int got = compareNumericKeys(encodeNumericKey(*parseDecimal(QStringView(ascending[i]))),
                                                   encodeNumericKey(*parseDecimal(QStringView(ascending[j]))));
                QVERIFY2((got < 0) == (i < j) && (got == 0) == (i == j), qPrintable(ascending[i] + QStringLiteral(" vs ") + ascending[j]));
            }
        }
    }

    void foreignDigitCountsCompareEqual_data()
    {
        QTest::addColumn<QByteArray>("ours");
        QTest::addColumn<QByteArray>("theirs");
        QTest::newRow("5, even count") << QByteArray("352950") << QByteArray("350950");
        QTest::newRow("-3, even count") << QByteArray("35a930") << QByteArray("358930");
        QTest::newRow("160, exact count") << QByteArray("372916") << QByteArray("370d16");
        QTest::newRow("zero, long count") << QByteArray("3401") << QByteArray("3429");
    }
    void foreignDigitCountsCompareEqual()
    {
        QFETCH(QByteArray, ours);
        QFETCH(QByteArray, theirs);
        QCOMPARE(compareNumericKeys(keyFromHex(ours.constData()), keyFromHex(theirs.constData())), 0);
    }

    void numericField_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("field");
        QTest::newRow("small") << "5" << 10 << 0 << "         5";
        QTest::newRow("negative") << "-3" << 10 << 0 << "        -3";
        QTest::newRow("decimals") << "5" << 20 << 4 << "              5.0000";
        QTest::newRow("below one") << "-0.5" << 6 << 2 << " -0.50";
        QTest::newRow("exactly full") << "-123456789" << 10 << 0 << "-123456789";
        QTest::newRow("one digit too many") << "12345678901" << 10 << 0 << "";
        QTest::newRow("sign makes it too wide") << "-1234567890" << 10 << 0 << "";
        QTest::newRow("fraction in a whole column") << "0.5" << 10 << 0 << "";
        QTest::newRow("trailing zeros of fraction") << "7.000" << 10 << 0 << "         7";
    }
    void numericField()
    {
        QFETCH(QString, value);
        QFETCH(int, width);
        QFETCH(int, decimals);
        QFETCH(QString, field);
        const std::optional<QByteArray> text = formatNumericField(*parseDecimal(QStringView(value)), width, decimals);
        QCOMPARE(text.has_value(), !field.isEmpty());
        if (text) {
            QCOMPARE(QString::fromLatin1(*text), field);
            QCOMPARE(readNumericField(*text)->toText(), parseDecimal(QStringView(value))->toText());
        }
    }

    void decimalText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("canonical");
        QTest::newRow("blanks around") << "  42 " << "42";
        QTest::newRow("leading zeros") << "007" << "7";
        QTest::newRow("negative zero") << "-0" << "0";
        QTest::newRow("decimal comma") << "1,50" << "1.5";
        QTest::newRow("plus sign") << "+12" << "12";
        QTest::newRow("letters") << "12a" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("only blanks") << "   " << "";
        QTest::newRow("two points") << "1.2.3" << "";
        QTest::newRow("double sign") << "--1" << "";
        QTest::newRow("exponent") << "1e5" << "";
        QTest::newRow("inner blank") << "1 000" << "";
    }
    void decimalText()
    {
        QFETCH(QString, text);
        QFETCH(QString, canonical);
        const std::optional<Decimal> value = parseDecimal(QStringView(text));
        QCOMPARE(value.has_value(), !canonical.isEmpty());
        if (value)
            QCOMPARE(QString::fromLatin1(value->toText()), canonical);
    }

    void codePageMatchesIconvForEveryByte()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("iconv")).isEmpty())
            QSKIP("iconv is not installed");
        int defined = 0;
        for (int byte = 0; byte < 256; ++byte) {
            QProcess iconv;
            iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("CP1250"), QStringLiteral("-t"), QStringLiteral("UTF-8")});
            iconv.write(QByteArray(1, char(byte)));
            iconv.closeWriteChannel();
            QVERIFY(iconv.waitForFinished());
            const QByteArray single(1, char(byte));
            if (iconv.exitCode() != 0) {
                QCOMPARE(fromCp1250(single), QString(QChar(0xFFFD)));
                continue;
            }
            ++defined;
            const QString expected = QString::fromUtf8(iconv.readAllStandardOutput());
            QCOMPARE(fromCp1250(single), expected);
            QCOMPARE(toCp1250(expected), single);
        }
        QCOMPARE(defined, 251);
    }

    void charactersOutsideTheCodePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Czech") << QStringLiteral("Žluťoučký kůň") << QByteArray("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");
        QTest::newRow("Greek") << QStringLiteral("aΩb") << QByteArray("a?b");
        QTest::newRow("emoji is one character") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
        QTest::newRow("Cyrillic") << QStringLiteral("Юра") << QByteArray("???");
    }
    void charactersOutsideTheCodePage()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toCp1250(text), bytes);
    }

    void blankPairIsTheReferenceBlank()
    {
        auto scratch = scratchDir();
        QTemporaryDir &dir = *scratch;
        DbfTable::createResultsTable(dir.filePath(QStringLiteral("Parblok.dbf")), dir.filePath(QStringLiteral("Parblok.mdx")), QDate(2024, 3, 2));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Parblok.dbf"))), readFile(referencePair(QStringLiteral("own_blank_c8/Parblok.dbf"))));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Parblok.mdx"))), readFile(referencePair(QStringLiteral("own_blank_c8/Parblok.mdx"))));
    }

    // Only the dates may differ from the reference when the pair is written on another day.
    void blankPairOnAnotherDayDiffersOnlyInDates()
    {
        auto scratch = scratchDir();
        QTemporaryDir &dir = *scratch;
        DbfTable::createResultsTable(dir.filePath(QStringLiteral("Parblok.dbf")), dir.filePath(QStringLiteral("Parblok.mdx")), QDate(2031, 11, 30));
        const QByteArray dbf = readFile(dir.filePath(QStringLiteral("Parblok.dbf")));
        const QByteArray mdx = readFile(dir.filePath(QStringLiteral("Parblok.mdx")));
        QByteArray refDbf = readFile(referencePair(QStringLiteral("own_blank_c8/Parblok.dbf")));
        QByteArray refMdx = readFile(referencePair(QStringLiteral("own_blank_c8/Parblok.mdx")));
        const QByteArray date("\x83\x0B\x1E", 3);
        refDbf.replace(1, 3, date);
        for (int offset : {1, 44, 2048 + 257})
            refMdx.replace(offset, 3, date);
        QCOMPARE(dbf, refDbf);
        QCOMPARE(mdx, refMdx);
    }

    void sixAppendsGiveTheReferencePair()
    {
        auto scratch = scratchDir();
        QTemporaryDir &dir = *scratch;
        writeTable(dir.path(), referenceRows());
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Parblok.dbf"))).toHex(), readFile(referencePair(QStringLiteral("own_n10_0_c8/Parblok.dbf"))).toHex());
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Parblok.mdx"))).toHex(), readFile(referencePair(QStringLiteral("own_n10_0_c8/Parblok.mdx"))).toHex());
    }

    void referencePairsOpen_data()
    {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QList<quint32>>("order");
        QTest::addColumn<QList<quint32>>("kindOne");
        QTest::newRow("blank") << "own_blank_c8" << QList<quint32>{} << QList<quint32>{};
        QTest::newRow("own six rows") << "own_n10_0_c8" << QList<quint32>{6, 4, 1, 3, 2, 5} << QList<quint32>{1, 3, 5};
        QTest::newRow("written by TDbf") << "tdbf_n10_0_c8" << QList<quint32>{6, 4, 1, 3, 2, 5} << QList<quint32>{1, 3, 5};
        QTest::newRow("appended by TDbf") << "tdbf_appended_to_own_n10_0" << QList<quint32>{8, 6, 4, 1, 7, 3, 9, 2, 5, 10}
                                          << QList<quint32>{1, 3, 5};
    }
    void referencePairsOpen()
    {
        QFETCH(QString, pair);
        QFETCH(QList<quint32>, order);
        QFETCH(QList<quint32>, kindOne);
        DbfTable table;
        table.open(referencePair(pair), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
        QCOMPARE(table.language(), 0xC8);
        QCOMPARE(orderOf(table), order);
        QCOMPARE(orderOf(table, QStringLiteral("1")), kindOne);
        if (!order.isEmpty())
            QCOMPARE(fromCp1250(table.fieldBytes(2, table.fieldIndex("JMENO"))).trimmed(), QStringLiteral("Žluťoučký kůň"));
    }

    // Keys added in place, through leaf and inner splits, list the rows exactly as a fresh build would.
    void appendsKeepTheIndexInOrder_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("rows");
        QTest::newRow("own blank, 1 row") << "own_blank_c8" << 1;
        QTest::newRow("own blank, 64 rows") << "own_blank_c8" << 64;
        QTest::newRow("own blank, 5000 rows (three levels)") << "own_blank_c8" << 5000;
        QTest::newRow("TDbf layout, 300 rows") << "tdbf_n10_0_c8" << 300;
    }
    void appendsKeepTheIndexInOrder()
    {
        QFETCH(QString, start);
        QFETCH(int, rows);
        auto scratch = scratchDir();
        QTemporaryDir &dir = *scratch;
        copyPair(referencePair(start), dir.path());
        QList<Row> all = start == QLatin1String("own_blank_c8") ? QList<Row>{} : referenceRows();
        const QList<Row> added = sampleRows(rows);
        {
            DbfTable table;
            table.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
            for (const Row &row : added)
                appendRow(table, row, QDate(2024, 5, 1));
            all += added;
            QCOMPARE(orderOf(table), expectedOrder(all));
        }
        DbfTable reopened;
        reopened.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
        QCOMPARE(reopened.recordCount(), quint32(all.size()));
        QCOMPARE(orderOf(reopened), expectedOrder(all));
        QCOMPARE(orderOf(reopened, QStringLiteral("2")), expectedOrder(all, QStringLiteral("2")));
        const QByteArray dbf = readFile(dir.filePath(QStringLiteral("Parblok.dbf")));
        QCOMPARE(dbf.size(), 161 + all.size() * 121 + 1);
        QCOMPARE(dbf.back(), '\x1A');
        QCOMPARE(dbf.at(14), '\0');
        // A file that started in another writer's bookkeeping keeps that writer's conventions.
        const QByteArray mdx = readFile(dir.filePath(QStringLiteral("Parblok.mdx")));
        QCOMPARE(mdx.size() % 512, 0);
        if (start == QLatin1String("own_blank_c8")) {
            const QString fault = mdxBookkeepingFault(mdx);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
            // A search from the root finds the first row of each score.
            QMap<QString, quint32> firstRow;
            for (qsizetype i = all.size() - 1; i >= 0; --i)
                firstRow[all[i].points] = quint32(i + 1);
            for (auto it = firstRow.cbegin(); it != firstRow.cend(); ++it)
                QCOMPARE(seekFirst(mdx, encodeNumericKey(*parseDecimal(QStringView(it.key())))), it.value());
        }
        // The same table with its index built afresh from the records.
        reopened.close();
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Parblok.mdx"))));
        reopened.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
        reopened.close();
        reopened.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
        QCOMPARE(orderOf(reopened), expectedOrder(all));
        const QString rebuiltFault = mdxBookkeepingFault(readFile(dir.filePath(QStringLiteral("Parblok.mdx"))));
        QVERIFY2(rebuiltFault.isEmpty(), qPrintable(rebuiltFault));
    }

    // Page numbers of the index that lie outside the file: the next append, which splits the one
    // full leaf, must neither write far beyond the end nor leave the index unreadable.
    void indexPagesOutsideTheFile_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("page count beyond the end") << "page count";
        QTest::newRow("spread over a sparse file") << "sparse";
        QTest::newRow("first leaf beyond the end") << "first leaf";
    }
    void indexPagesOutsideTheFile()
    {
        QFETCH(QString, damage);
        auto scratch = scratchDir();
        QTemporaryDir &dir = *scratch;
        QList<Row> rows = sampleRows(63);
        writeTable(dir.path(), rows);
        const QString mdxPath = dir.filePath(QStringLiteral("Parblok.mdx"));
        QByteArray mdx = readFile(mdxPath);
        constexpr quint32 farPage = 0x40000;
        if (damage == QLatin1String("first leaf"))
            qToLittleEndian<quint32>(0x00FFFFFF, mdx.data() + 2048 + 248);
        else
            qToLittleEndian<quint32>(farPage, mdx.data() + 32);
        writeFile(mdxPath, mdx);
        if (damage == QLatin1String("sparse"))
            QVERIFY(QFile::resize(mdxPath, qint64(farPage) * 512));

        {
            DbfTable table;
            table.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
            appendRow(table, rows.first(), QDate(2024, 6, 1));
            rows.append(rows.first());
        }
        QVERIFY2(QFileInfo(mdxPath).size() <= 8 * 1024, qPrintable(QString::number(QFileInfo(mdxPath).size())));
        const QString fault = mdxBookkeepingFault(readFile(mdxPath));
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        DbfTable check;
        check.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
        QCOMPARE(orderOf(check), expectedOrder(rows));
    }

    void pointsThatDoNotFitAreRefused()
    {
        auto scratch = scratchDir();
        QTemporaryDir &dir = *scratch;
        writeTable(dir.path(), referenceRows());
        const QByteArray before = readFile(dir.filePath(QStringLiteral("Parblok.dbf")));
        DbfTable table;
        table.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
        const QString message = messageOf([&] { appendRow(table, {QStringLiteral("X"), QStringLiteral("12345678901"), QStringLiteral("1"), {}}, QDate(2024, 5, 1)); });
        QVERIFY2(message.contains(QLatin1String("TAHY")) && message.contains(QLatin1String("12345678901")), qPrintable(message));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Parblok.dbf"))), before);
    }

    void damagedFiles_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("checkError");   // empty: Check mode opens it
        QTest::addColumn<QString>("repairError");  // empty: Repair mode opens and mends it
        QTest::addColumn<int>("rows");
        QTest::newRow("index missing") << "index missing" << "Parblok.mdx“ nebyl nalezen" << "" << 6;
        QTest::newRow("index blocks overwritten") << "garbage leaf" << "je poškozený" << "" << 6;
        QTest::newRow("index of another table") << "blank index" << "je poškozený" << "" << 6;
        QTest::newRow("index truncated") << "short index" << "je poškozený" << "" << 6;
        QTest::newRow("language driver differs") << "index language" << "" << "" << 6;
        QTest::newRow("descending tag") << "descending" << "nemá vzestupný index" << "nemá vzestupný index" << 0;
        QTest::newRow("expression tag") << "expression" << "nemá vzestupný index" << "nemá vzestupný index" << 0;
        QTest::newRow("table missing") << "table missing" << "Parblok.dbf“ nebyl nalezen" << "Parblok.dbf“ nebyl nalezen" << 0;
        QTest::newRow("not a table") << "version" << "není platná tabulka" << "není platná tabulka" << 0;
        QTest::newRow("record count beyond the file") << "short table" << "není platná tabulka" << "" << 4;
        QTest::newRow("record count one past the file") << "count one past" << "není platná tabulka" << "" << 6;
        QTest::newRow("record length one short") << "record length 120" << "není platná tabulka" << "není platná tabulka" << 0;
        QTest::newRow("record length one long") << "record length 122" << "není platná tabulka" << "není platná tabulka" << 0;
        QTest::newRow("append cut short") << "interrupted" << "" << "" << 6;
        QTest::newRow("count lags a written record") << "count lags" << "je poškozený" << "" << 5;
        QTest::newRow("48 tags, the last beyond the header") << "48 tags" << "je poškozený" << "" << 6;
        QTest::newRow("page count beyond the file") << "page count" << "je poškozený" << "" << 6;
    }
    void damagedFiles()
    {
        QFETCH(QString, damage);
        QFETCH(QString, checkError);
        QFETCH(QString, repairError);
        QFETCH(int, rows);
        auto scratch = scratchDir();
        QTemporaryDir &dir = *scratch;
        const auto damaged = [&] {
            copyPair(referencePair(QStringLiteral("own_n10_0_c8")), dir.path());
            const QString dbfPath = dir.filePath(QStringLiteral("Parblok.dbf"));
            const QString mdxPath = dir.filePath(QStringLiteral("Parblok.mdx"));
            QByteArray dbf = readFile(dbfPath);
            QByteArray mdx = readFile(mdxPath);
            if (damage == QLatin1String("index missing"))
                mdx.clear();
            else if (damage == QLatin1String("garbage leaf"))
                mdx.replace(3072, 1024, QByteArray(1024, '\xFF'));
            else if (damage == QLatin1String("blank index"))
                mdx = readFile(referencePair(QStringLiteral("own_blank_c8/Parblok.mdx")));
            else if (damage == QLatin1String("short index"))
                mdx.truncate(3500);
            else if (damage == QLatin1String("index language"))
                mdx[31] = '\x1B';
            else if (damage == QLatin1String("descending"))
                mdx[2048 + 8] = '\x18';
            else if (damage == QLatin1String("expression"))
                mdx.replace(2048 + 24, 7, QByteArray("TAHY+1\0", 7));
            else if (damage == QLatin1String("table missing"))
                dbf.clear();
            else if (damage == QLatin1String("version"))
                dbf[0] = '\x30';
            else if (damage == QLatin1String("short table"))
                dbf.truncate(161 + 4 * 121 + 60);
            else if (damage == QLatin1String("interrupted"))
                dbf = dbf.left(dbf.size() - 1).append(QByteArray(50, 'Z')).replace(14, 1, "\x01");
            else if (damage == QLatin1String("count lags"))
                dbf[4] = 5;
            else if (damage == QLatin1String("count one past"))
                dbf[4] = 7;
            else if (damage.startsWith(QLatin1String("record length ")))
                dbf[10] = char(damage.mid(14).toInt());
            else if (damage == QLatin1String("48 tags"))
                mdx[28] = 48;
            else if (damage == QLatin1String("page count"))
                qToLittleEndian<quint32>(0x00100000, mdx.data() + 32);
            QFile::remove(dbfPath);
            QFile::remove(mdxPath);
            if (!dbf.isEmpty())
                writeFile(dbfPath, dbf);
            if (!mdx.isEmpty())
                writeFile(mdxPath, mdx);
        };

        damaged();
        DbfTable table;
        QString message = messageOf([&] { table.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check); });
        QVERIFY2(checkError.isEmpty() ? message.isEmpty() : message.contains(checkError), qPrintable(message));
        if (!message.isEmpty())
            QVERIFY2(message.contains(QDir::toNativeSeparators(dir.path())), qPrintable(message));

        damaged();
        message = messageOf([&] { table.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair); });
        QVERIFY2(repairError.isEmpty() ? message.isEmpty() : message.contains(repairError), qPrintable(message));
        if (!message.isEmpty())
            return;
        const QList<Row> expected = referenceRows().mid(0, rows);
        QCOMPARE(orderOf(table), expectedOrder(expected));
        // After the repair the pair is intact: it reads strictly, and takes the next row.
        appendRow(table, {QStringLiteral("Další"), QStringLiteral("2"), QStringLiteral("1"), QDate(2024, 6, 1)}, QDate(2024, 6, 1));
        DbfTable check;
        check.open(dir.path(), QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Check);
        QCOMPARE(orderOf(check), expectedOrder(expected + QList<Row>{{QString(), QStringLiteral("2"), QStringLiteral("1"), {}}}));
        QCOMPARE(quint8(readFile(dir.filePath(QStringLiteral("Parblok.mdx"))).at(31)), quint8(0xC8));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Parblok.dbf"))).size(), 161 + (rows + 1) * 121 + 1);
    }
};

PARBLOK_TEST_MAIN(TestDbaseEngine)
#include "tst_dbase_engine.moc"
