// Times the results store at 1,000 and 100,000 stored rows: storing one result (record, index
// upkeep and flushing both files to disk) and showing one kind's first ten rows.
// Usage: bench_results [folder]   (default: a temporary folder on the disk under /tmp)

#include "Data.h"
#include "DbfTable.h"
#include "Numeric.h"
#include "AppPath.h"
#include "Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Fills the live table with `rows` rows quickly: the records are written in one go and the index
// is built by the engine's own repair on the next open.
void fill(const QString &data, int rows)
{
    DbfTable::createResultsTable(data + QStringLiteral("/Parblok.dbf"), data + QStringLiteral("/Parblok.mdx"), QDate(2024, 1, 1));
    QFile file(data + QStringLiteral("/Parblok.dbf"));
    file.open(QIODevice::ReadWrite);
    QByteArray bytes = file.readAll();
    bytes.chop(1);
    for (int i = 0; i < rows; ++i) {
        QByteArray record(" ");
        record += QByteArray("Hráč ").append(QByteArray::number(i)).leftJustified(100, ' ');
        record += QByteArray::number((i * 7919) % 20000 - 500).rightJustified(10, ' ');
        record += QByteArray::number(1 + i % 3).leftJustified(2, ' ');
        record += "20240101";
        bytes += record;
    }
    bytes += '\x1A';
    bytes[4] = char(rows & 0xFF);
    bytes[5] = char((rows >> 8) & 0xFF);
    bytes[6] = char((rows >> 16) & 0xFF);
    bytes[7] = 0;
    file.seek(0);
    file.write(bytes);
    file.close();
    QFile::remove(data + QStringLiteral("/Parblok.mdx"));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    const QString data = root + QStringLiteral("/Data");
    QDir().mkpath(data);
    TAppPath::setFolderForTesting(root);
    setNowForTesting(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));

    for (int rows : {1000, 100000}) {
        fill(data, rows);
        TDataModule1 store;
        QElapsedTimer timer;
        timer.start();
        store.OpenAtStart();
        const double openMs = double(timer.nsecsElapsed()) / 1e6;

        std::vector<double> appends;
        for (int i = 0; i < 50; ++i) {
            timer.restart();
            store.AppendResult(QStringLiteral("Měřený hráč"), QString::number(i * 13 % 900 - 100), QStringLiteral("Standardní"));
            appends.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::vector<double> shows;
        for (int i = 0; i < 30; ++i) {
            timer.restart();
            store.ShowKind(QString::number(1 + i % 3));
            QStringList firstTen;
            for (int r = 0; r < std::min(10, store.resultsSource->rowCount()); ++r)
                firstTen.append(store.resultsSource->index(r, 0).data().toString());
            shows.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("%6d rows: open (with index build) %.1f ms; append median %.2f ms, max %.2f ms; "
                    "show a kind's first ten rows median %.2f ms, max %.2f ms\n",
                    rows, openMs, median(appends), *std::max_element(appends.begin(), appends.end()),
                    median(shows), *std::max_element(shows.begin(), shows.end()));
    }
    return 0;
}
