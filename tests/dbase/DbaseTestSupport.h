#pragma once

// Helpers shared by the table engine tests: reference pairs, scratch folders and rows.

#include "AppError.h"
#include "Cp1250.h"
#include "DbfTable.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QList>
#include <QString>

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>

namespace dbasetest {

inline QString referencePair(const QString &name)
{
    return sourceDir() + QStringLiteral("/tests/dbase/data/") + name;
}

// A scratch folder; in memory where the system offers it, since flushing to disk is what makes
// thousands of appends slow and the tests here are about the bytes, not the disk.
inline std::unique_ptr<QTemporaryDir> scratchDir()
{
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        return std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/parblok-test-XXXXXX"));
    return std::make_unique<QTemporaryDir>();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The message of the AppError that `action` raises; empty when it raises none.
inline QString messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const AppError &error) {
        return error.message();
    }
    return {};
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Copies Parblok.dbf and Parblok.mdx of a reference pair into `folder`.
inline void copyPair(const QString &from, const QString &folder)
{
    for (const QString &name : {QStringLiteral("Parblok.dbf"), QStringLiteral("Parblok.mdx")})
        writeFile(folder + QLatin1Char('/') + name, readFile(from + QLatin1Char('/') + name));
}

struct Row
{
    QString name;
    QString points;
    QString kind;
    QDate date;
};

// The six rows of the reference pairs.
inline QList<Row> referenceRows()
{
    return {
        {QStringLiteral("Petr Žrout"), QStringLiteral("5"), QStringLiteral("1"), QDate(2024, 1, 5)},
        {QStringLiteral("Žluťoučký kůň"), QStringLiteral("120"), QStringLiteral("2"), QDate(2024, 2, 12)},
        {QStringLiteral("Jiří Šťastný"), QStringLiteral("64"), QStringLiteral("1"), QDate(1999, 12, 31)},
        {QStringLiteral("Nula"), QStringLiteral("0"), QStringLiteral("3"), QDate(2000, 1, 1)},
        {QStringLiteral("Tisíc"), QStringLiteral("1000"), QStringLiteral("1"), QDate(2024, 3, 1)},
        {QStringLiteral("Mínus tři"), QStringLiteral("-3"), QStringLiteral("2"), QDate(2024, 3, 2)},
    };
}

// `count` rows with duplicates and negatives, the same for the same count.
inline QList<Row> sampleRows(int count)
{
    QList<Row> rows;
    quint32 state = 12345;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        const int points = int((state >> 8) % 400) - 100;
        rows.append({QStringLiteral("Hráč č. %1 Žluťoučký").arg(i + 1), QString::number(points),
                     QString::number(1 + i % 3), QDate(2024, 1, 1).addDays(i % 300)});
    }
    return rows;
}

// Record numbers (1-based) of `rows` in ascending points, equal points by record number.
inline QList<quint32> expectedOrder(const QList<Row> &rows, const QString &kind = {})
{
    QList<quint32> order;
    for (int i = 0; i < rows.size(); ++i) {
        if (kind.isEmpty() || rows[i].kind == kind)
            order.append(quint32(i + 1));
    }
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) {
        return rows[int(a - 1)].points.toDouble() < rows[int(b - 1)].points.toDouble();
    });
    return order;
}

inline void appendRow(DbfTable &table, const Row &row, QDate today)
{
    QByteArray record = table.blankRecord();
    table.setText(record, table.fieldIndex("JMENO"), toCp1250(row.name));
    table.setNumber(record, table.fieldIndex("TAHY"), *parseDecimal(QStringView(row.points)));
    table.setText(record, table.fieldIndex("HRA"), row.kind.toLatin1());
    table.setDate(record, table.fieldIndex("DATUM"), row.date);
    table.append(record, today);
}

// A fresh results table in `folder` holding `rows`.
inline void writeTable(const QString &folder, const QList<Row> &rows, QDate today = QDate(2024, 3, 2))
{
    DbfTable::createResultsTable(folder + QStringLiteral("/Parblok.dbf"), folder + QStringLiteral("/Parblok.mdx"), today);
    DbfTable table;
    table.open(folder, QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair);
    for (const Row &row : rows)
        appendRow(table, row, today);
}

inline QList<quint32> orderOf(const DbfTable &table, const QString &kind = {})
{
    QList<quint32> order;
    for (quint32 r : table.order()) {
        if (!table.isDeleted(r) && (kind.isEmpty() || table.fieldBytes(r, table.fieldIndex("HRA")).trimmed() == kind.toLatin1()))
            order.append(r);
    }
    return order;
}

} // namespace dbasetest
