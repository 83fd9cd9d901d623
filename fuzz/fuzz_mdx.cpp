// libFuzzer target: the production index alone, beside an intact table of 130 rows (three leaves
// under one root when built by the engine). The input is the index file; seeds are in corpus/mdx.
// The index is read and added to directly, then the table is opened over it as the program does.

#include "DbaseFuzz.h"
#include "Mdx.h"
#include "PosixFile.h"

namespace {

constexpr int kRows = 130;

// The table, written once by the engine itself.
const QByteArray &intactTable()
{
    static const QByteArray bytes = [] {
        const QString dir = QDir(dbasefuzz::folder()).filePath(QStringLiteral("table"));
        QDir().mkpath(dir);
        DbfTable::createResultsTable(dir + QStringLiteral("/Parblok.dbf"), dir + QStringLiteral("/Parblok.mdx"), QDate(2024, 3, 2));
        DbfTable table;
        table.open(dir, dbasefuzz::kTableName, "TAHY", DbfTable::OpenMode::Repair);
        for (int n = 1; n <= kRows; ++n) {
            QByteArray record = table.blankRecord();
            table.setText(record, table.fieldIndex("JMENO"), "Hrac " + QByteArray::number(n));
            table.setNumber(record, table.fieldIndex("TAHY"), *parseDecimal(QByteArray::number((n * 37) % 400 - 100)));
            table.setText(record, table.fieldIndex("HRA"), QByteArray::number(1 + n % 3));
            table.setDate(record, table.fieldIndex("DATUM"), QDate(2024, 1, 1).addDays(n));
            table.append(record, QDate(2024, 3, 2));
        }
        QFile file(dir + QStringLiteral("/Parblok.dbf"));
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        return file.readAll();
    }();
    return bytes;
}

// A key added to a tree that reads without damage leaves such a tree, one key longer.
void exerciseIndex()
{
    PosixFile file;
    if (!file.open(QDir(dbasefuzz::folder()).filePath(QStringLiteral("Parblok.mdx")), true))
        std::abort();
    size_t before = 0;
    try {
        MdxIndex index(file, "TAHY");
        before = index.entries(1u << 16).size();
        if (!index.maintainable())
            return;
        index.insert(encodeNumericKey(*parseDecimal(QByteArrayView("64"))), kRows + 1, QDate(2024, 6, 1));
    } catch (const IndexDamaged &) {
        return;
    } catch (const AppError &) {
        return;
    }
    try {
        MdxIndex index(file, "TAHY");
        if (index.entries(1u << 16).size() != before + 1)
            dbasefuzz::broken("a key added in place went missing");
    } catch (const IndexDamaged &damage) {
        dbasefuzz::broken("a key added in place damaged the index:", damage.reason);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView index(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray &table = intactTable();
    dbasefuzz::putFiles(table, index, true);
    exerciseIndex();
    dbasefuzz::putFiles(table, index, true);
    dbasefuzz::exerciseTable(false);
    return 0;
}
