#pragma once

// What the table engine's fuzz targets share: a private folder for the files, and the engine's
// steps as the program takes them on a results table that may be damaged. The engine may refuse a
// file with its Czech error (AppError); it must never crash, read or write out of bounds, allocate
// without bound or hang, and a pair that it repaired and appended to must read strictly again with
// every earlier row as it was.

#include "AppError.h"
#include "Cp1250.h"
#include "DbfTable.h"
#include "Numeric.h"

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace dbasefuzz {

inline const QString kTableName = QStringLiteral("Parblok.dbf");

// The folder of this process, in memory where the system offers it; removed at exit.
inline const QString &folder()
{
    static const QString path = [] {
        const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QByteArray pattern = QFile::encodeName(base + QStringLiteral("/parblok-fuzz-XXXXXX"));
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { QDir(folder()).removeRecursively(); });
        return QFile::decodeName(pattern);
    }();
    return path;
}

inline void writeFile(const QString &name, QByteArrayView bytes)
{
    QFile file(QDir(folder()).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
        std::abort();
}

// Empties the folder and puts the given files in it (a null table or index: none).
inline void putFiles(QByteArrayView table, QByteArrayView index, bool withIndex)
{
    QDir dir(folder());
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
    writeFile(kTableName, table);
    if (withIndex)
        writeFile(QStringLiteral("Parblok.mdx"), index);
}

// A pair packed into one input: four bytes (little-endian) giving the table's length, the table,
// then the index.
struct Pair
{
    QByteArrayView table;
    QByteArrayView index;
};

inline Pair unpack(const uint8_t *data, size_t size)
{
    const QByteArrayView all(reinterpret_cast<const char *>(data), qsizetype(size));
    if (all.size() < 4)
        return {all, {}};
    const quint32 length = quint32(data[0]) | quint32(data[1]) << 8 | quint32(data[2]) << 16 | quint32(data[3]) << 24;
    const qsizetype tableLength = std::min<qsizetype>(length, all.size() - 4);
    return {all.sliced(4, tableLength), all.sliced(4 + tableLength)};
}

[[noreturn]] inline void broken(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "%s %s\n", what, qPrintable(detail));
    std::abort();
}

// Every row as the results store reads it, in index order.
inline void readRows(const DbfTable &table)
{
    for (quint32 record : table.order()) {
        if (record < 1 || record > table.recordCount())
            broken("order names a record beyond the table");
        for (int field = 0; field < int(table.fields().size()); ++field) {
            const QByteArrayView bytes = table.fieldBytes(record, field);
            if (table.fields()[size_t(field)].type == 'N')
                (void)readNumericField(bytes);
            else
                (void)fromCp1250(bytes);
        }
        (void)table.isDeleted(record);
    }
}

// A row for whichever of the results table's columns the table has.
inline QByteArray sampleRecord(const DbfTable &table)
{
    QByteArray record = table.blankRecord();
    const auto column = [&](const char *name, char type) {
        const int index = table.fieldIndex(name);
        return index >= 0 && table.fields()[size_t(index)].type == type ? index : -1;
    };
    if (const int jmeno = column("JMENO", 'C'); jmeno >= 0)
        table.setText(record, jmeno, toCp1250(QStringLiteral("Žluťoučký kůň")));
    if (const int hra = column("HRA", 'C'); hra >= 0)
        table.setText(record, hra, "1");
    if (const int datum = column("DATUM", 'D'); datum >= 0)
        table.setDate(record, datum, QDate(2024, 6, 1));
    table.setNumber(record, table.fieldIndex("TAHY"), *parseDecimal(QByteArrayView("-7")));
    return record;
}

// The engine's steps on the files in the folder: a strict read (blank copies), an open that
// repairs (the live table), reading every row, one append, and a strict read of the result. Rows
// are decoded as the store shows them unless the table is a fixed one (`decode` false).
inline void exerciseTable(bool decode = true)
{
    const auto readRows = [decode](const DbfTable &table) {
        if (decode)
            dbasefuzz::readRows(table);
    };
    try {
        DbfTable strict;
        strict.open(folder(), kTableName, "TAHY", DbfTable::OpenMode::Check);
        readRows(strict);
    } catch (const AppError &) {
    }

    DbfTable table;
    try {
        table.open(folder(), kTableName, "TAHY", DbfTable::OpenMode::Repair);
    } catch (const AppError &) {
        return;
    }
    readRows(table);
    const quint32 before = table.recordCount();
    QByteArray rows;
    for (quint32 r = 1; r <= before; ++r)
        rows += table.record(r).toByteArray();
    try {
        table.append(sampleRecord(table), QDate(2024, 6, 1));
    } catch (const AppError &) {
        return;
    }

    DbfTable check;
    try {
        check.open(folder(), kTableName, "TAHY", DbfTable::OpenMode::Check);
    } catch (const AppError &error) {
        broken("the pair does not read strictly after an append:", error.message());
    }
    QByteArray kept;
    for (quint32 r = 1; r <= before && r <= check.recordCount(); ++r)
        kept += check.record(r).toByteArray();
    if (check.recordCount() != before + 1 || kept != rows)
        broken("an append lost or changed a stored row");
    readRows(check);
}

} // namespace dbasefuzz
