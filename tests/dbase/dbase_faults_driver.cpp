// Performs one file-changing operation of the game with the fault-injection seam armed, then
// (with it off) keeps a copy of what is stored, and does the operation again when it failed, as
// the player would. Prints what each attempt reported. Also reads tables back for the test.
//
//   dbase_faults_driver <append|reset|rebuild|settings|firststart> <folder> <fail at> <errno>
//                       <once|sticky|short> <log file or ->
//   dbase_faults_driver dump <table folder>...

#include "FaultInjection.h"

#include "AppError.h"
#include "DbfTable.h"
#include "PlayerFiles.h"
#include "ProfileStrings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace {

const QString kTable = QStringLiteral("Parblok.dbf");
const QByteArray kKey = QByteArrayLiteral("TAHY");

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void copyTree(const QString &from, const QString &to)
{
    const QFileInfo info(from);
    if (info.isDir()) {
        QDir().mkpath(to);
        for (const QString &name : QDir(from).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            copyTree(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
    } else if (info.exists()) {
        QDir().mkpath(QFileInfo(to).path());
        QFile::copy(from, to);
    }
}

QString attempt(const std::function<void()> &operation)
{
    try {
        operation();
        return QStringLiteral("ok");
    } catch (const std::exception &error) {
        return QStringLiteral("fail ") + QString::fromUtf8(error.what());
    }
}

void appendRow(DbfTable &table, const QString &folder)
{
    if (!table.isOpen())
        table.open(folder, kTable, kKey, DbfTable::OpenMode::Repair);
    QByteArray record = table.blankRecord();
    table.setText(record, table.fieldIndex("JMENO"), "Novak");
    table.setNumber(record, table.fieldIndex("TAHY"), *parseDecimal("777"));
    table.setText(record, table.fieldIndex("HRA"), "S");
    table.setDate(record, table.fieldIndex("DATUM"), QDate(2026, 12, 9));
    table.append(record, QDate(2026, 12, 9));
}

// Each table's rows in record order as "name=key", or the error its opening raised; first
// whether the index reads as whole without any repair.
int dump(const QStringList &folders)
{
    for (const QString &folder : folders) {
        DbfTable checked;
        const QString check = attempt([&] { checked.open(folder, kTable, kKey, DbfTable::OpenMode::Check); });
        DbfTable table;
        QStringList rows;
        const QString opened = attempt([&] {
            table.open(folder, kTable, kKey, DbfTable::OpenMode::Repair);
            for (quint32 r = 1; r <= table.recordCount(); ++r)
                rows.append(QString::fromLatin1(table.fieldBytes(r, 0).toByteArray().trimmed()) + QLatin1Char('=')
                            + QString::fromLatin1(table.fieldBytes(r, 1).toByteArray().trimmed()));
        });
        say(folder + QLatin1Char('\t') + (check == QLatin1String("ok") ? QStringLiteral("whole") : QStringLiteral("unchecked"))
            + QLatin1Char('\t') + (opened == QLatin1String("ok") ? rows.join(QLatin1Char(';')) : opened));
    }
    return 0;
}

// Acts as the unprivileged user "nobody" when run as root, so that the read-only program folder
// is read-only for this process too.
void giveUpRoot()
{
    if (::geteuid() == 0 && (::setegid(65534) != 0 || ::seteuid(65534) != 0))
        std::exit(3);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 2 && args[1] == QLatin1String("dump"))
        return dump(args.mid(2));
    if (args.size() != 7)
        return 2;
    const QString operation = args[1];
    const QString root = QDir(args[2]).absolutePath();
    const faults::Mode mode = args[5] == QLatin1String("sticky") ? faults::Mode::Sticky
                              : args[5] == QLatin1String("short") ? faults::Mode::Short
                                                                 : faults::Mode::Once;
    const QString data = root + QStringLiteral("/Data");
    const QString settings = root + QStringLiteral("/Kvadr.ini");
    const QString program = root + QStringLiteral("/program");
    // What is stored, and is copied aside after the first attempt.
    QString stored = data;
    DbfTable table;
    std::function<void()> operationOnce;
    if (operation == QLatin1String("append")) {
        table.open(data, kTable, kKey, DbfTable::OpenMode::Repair);
        operationOnce = [&] { appendRow(table, data); };
    } else if (operation == QLatin1String("reset")) {
        operationOnce = [&] {
            DbfTable::replaceWithCopy(data + QStringLiteral("/Zaloha"), kTable, QStringLiteral("Parblok.Mdx"), data, kTable, kKey);
        };
    } else if (operation == QLatin1String("rebuild")) {
        QFile::remove(data + QStringLiteral("/Parblok.mdx"));
        operationOnce = [&] { table.open(data, kTable, kKey, DbfTable::OpenMode::Repair); };
    } else if (operation == QLatin1String("settings")) {
        stored = settings;
        operationOnce = [&] {
            ProfileFile(settings).WriteString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QStringLiteral("0"));
        };
    } else if (operation == QLatin1String("firststart")) {
        giveUpRoot();
        stored = PlayerFiles::dataFolder();
        operationOnce = [&] { PlayerFiles::dataFolderFor(program); };
    } else {
        return 2;
    }

    const QByteArray rootName = QFile::encodeName(root);
    const QByteArray log = args[6] == QLatin1String("-") ? QByteArray() : QFile::encodeName(args[6]);
    faults::arm(rootName.constData(), args[3].toInt(), args[4].toInt(), mode, log.constData());
    const QString first = attempt(operationOnce);
    say(QStringLiteral("calls %1").arg(faults::disarm()));
    say(QStringLiteral("first ") + first);
    copyTree(stored, root + QStringLiteral("/snapshot/") + QFileInfo(stored).fileName());
    if (first != QLatin1String("ok"))
        say(QStringLiteral("retry ") + attempt(operationOnce));
    return 0;
}
