// Appends rows to a results table as fast as it can and prints the number of each row once it is
// stored; a row refused because the table is locked is offered again. Row n of writer W is named "W-n" and holds points (n * 37) % 1000 - 300, kind 1 + n % 3.
// Usage: dbase_appender <folder> <writer> <rows>

#include "AppError.h"
#include "DbfTable.h"
#include "PosixFile.h"

#include <QCoreApplication>
#include <QDate>

#include <cstdio>

namespace {

// Another copy appending in a tight loop may keep the table locked for longer than one wait; the
// step is then tried again, as a player would.
template <typename Step>
void untilNotLocked(Step step)
{
    for (;;) {
        try {
            step();
            return;
        } catch (const FileLocked &) {
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QByteArray writer = args[2].toLatin1();
    const int rows = args[3].toInt();
    try {
        DbfTable table;
        untilNotLocked([&] { table.open(args[1], QStringLiteral("Parblok.dbf"), "TAHY", DbfTable::OpenMode::Repair); });
        for (int n = 1; n <= rows; ++n) {
            QByteArray record = table.blankRecord();
            table.setText(record, table.fieldIndex("JMENO"), writer + '-' + QByteArray::number(n));
            table.setNumber(record, table.fieldIndex("TAHY"), *parseDecimal(QByteArray::number((n * 37) % 1000 - 300)));
            table.setText(record, table.fieldIndex("HRA"), QByteArray::number(1 + n % 3));
            table.setDate(record, table.fieldIndex("DATUM"), QDate(2024, 1, 1).addDays(n % 365));
            untilNotLocked([&] { table.append(record, QDate(2024, 6, 1)); });
            std::printf("%d\n", n);
            std::fflush(stdout);
        }
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
