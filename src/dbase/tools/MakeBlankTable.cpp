// Writes the results table files a program folder ships with:
//   <folder>/Data/Zaloha/Parblok.dbf + Parblok.Mdx   the blank copies (always written)
//   <folder>/Data/Parblok.dbf + Parblok.mdx          the live pair (only when there is none yet,
//                                                    so a rebuild keeps results already stored)
// Usage: parblok_blanktable <program folder> [yyyymmdd]

#include "AppError.h"
#include "DbfTable.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: parblok_blanktable <program folder> [yyyymmdd]\n");
        return 2;
    }
    const QDate date = args.size() == 3 ? QDate::fromString(args[2], QStringLiteral("yyyyMMdd")) : QDate::currentDate();
    if (!date.isValid()) {
        std::fprintf(stderr, "parblok_blanktable: bad date\n");
        return 2;
    }
    const QDir program(args[1]);
    const QString data = program.filePath(QStringLiteral("Data"));
    const QString blanks = data + QStringLiteral("/Zaloha");
    try {
        if (!QDir().mkpath(blanks))
            throw AppError(QStringLiteral("cannot create %1").arg(blanks));
        DbfTable::createResultsTable(blanks + QStringLiteral("/Parblok.dbf"), blanks + QStringLiteral("/Parblok.Mdx"), date);
        if (!QFileInfo::exists(data + QStringLiteral("/Parblok.dbf")))
            DbfTable::createResultsTable(data + QStringLiteral("/Parblok.dbf"), data + QStringLiteral("/Parblok.mdx"), date);
    } catch (const AppError &error) {
        std::fprintf(stderr, "parblok_blanktable: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
