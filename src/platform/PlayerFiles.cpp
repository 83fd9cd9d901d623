#include "PlayerFiles.h"

#include "AppError.h"
#include "FileErrorText.h"
#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString Game = QStringLiteral("/parblok2000");
const QString SettingsName = QStringLiteral("Kvadr.ini");

QString withSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// Whether this process, as its effective user, may write `path`. A path that does not exist
// counts as writable: its folder decides.
bool writable(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::faccessat(AT_FDCWD, name.constData(), F_OK, AT_EACCESS) != 0)
        return true;
    return ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) == 0;
}

bool underUsr(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QString path = canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
    return path == QLatin1String("/usr") || path.startsWith(QLatin1String("/usr/"));
}

QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty())
        return home;
    if (const passwd *entry = ::getpwuid(::geteuid()))
        return QFile::decodeName(entry->pw_dir);
    return QDir::homePath();
}

QString xdgFolder(const char *variable, const QString &fallbackInHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return homeFolder() + fallbackInHome;
}

// Copies `from` to `to` unless `to` exists; `to` appears whole or not at all. 0 or the errno.
int layDown(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to))
        return 0;
    QByteArray content;
    QByteArray temporary;
    int error = WholeFile::read(from, content);
    if (error == 0)
        error = WholeFile::writeTemporary(to, content, temporary);
    if (error == 0)
        error = WholeFile::putInPlace(temporary, to, true);
    if (error == 0)
        WholeFile::syncFolderOf(to);
    return error;
}

// Lays down a table and its index as a pair: both copies are written first, then the index is
// put in place and the table after it, which completes the pair. Should the table not follow,
// the index is taken away again; an index left without its table (the process died) is replaced
// at the next start. 0 or the errno.
int layDownPair(const QString &fromTable, const QString &fromIndex, const QString &table, const QString &index)
{
    QByteArray tableBytes;
    QByteArray indexBytes;
    QByteArray tableTemporary;
    QByteArray indexTemporary;
    int error = WholeFile::read(fromTable, tableBytes);
    if (error == 0)
        error = WholeFile::read(fromIndex, indexBytes);
    if (error == 0)
        error = WholeFile::writeTemporary(index, indexBytes, indexTemporary);
    if (error == 0) {
        error = WholeFile::writeTemporary(table, tableBytes, tableTemporary);
        if (error != 0)
            WholeFile::discard(indexTemporary);
    }
    if (error == 0) {
        error = WholeFile::putInPlace(indexTemporary, index, false);
        if (error != 0)
            WholeFile::discard(tableTemporary);
    }
    if (error == 0) {
        error = WholeFile::putInPlace(tableTemporary, table, true);
        if (error != 0)
            WholeFile::discard(QFile::encodeName(index));
    }
    if (error == 0)
        WholeFile::syncFolderOf(table);
    return error;
}

AppError cannotLayDown(const QString &path, int error)
{
    return AppError(QStringLiteral("Tabulku nejhorších hráčů „%1“ nelze vytvořit: %2.")
                        .arg(QDir::toNativeSeparators(path), fileErrorText(error)));
}

} // namespace

namespace PlayerFiles {

bool inProgramFolder(const QString &programFolder)
{
    const QString folder = withSeparator(programFolder);
    return !underUsr(folder) && writable(folder) && writable(folder + QStringLiteral("Data"))
           && writable(folder + SettingsName);
}

QString configFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config")) + Game;
}

QString dataFolder()
{
    return xdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")) + Game;
}

QString settingsFileFor(const QString &programFolder)
{
    const QString folder = withSeparator(programFolder);
    if (inProgramFolder(folder))
        return folder + SettingsName;
    const QString own = configFolder() + QLatin1Char('/') + SettingsName;
    if (!QFileInfo::exists(own) && QDir().mkpath(configFolder()))
        layDown(folder + SettingsName, own);
    return own;
}

QString dataFolderFor(const QString &programFolder)
{
    const QString shipped = withSeparator(programFolder) + QStringLiteral("Data");
    if (inProgramFolder(programFolder))
        return shipped;
    const QString own = dataFolder() + QStringLiteral("/Data");
    const QString table = QStringLiteral("/Parblok.dbf");
    const QString index = QStringLiteral("/Parblok.mdx");
    if (!QDir().mkpath(own + QStringLiteral("/Zaloha")))
        throw cannotLayDown(own + table, errno);

    for (const QString &blank : {QStringLiteral("/Zaloha/Parblok.dbf"), QStringLiteral("/Zaloha/Parblok.Mdx")})
        layDown(shipped + blank, own + blank);

    // Without its table an index holds no results: the pair was never completed, and is laid
    // down again. A table without its index is the player's; the table rebuilds the index.
    if (!QFileInfo::exists(own + table)) {
        const bool shipsLivePair = QFileInfo::exists(shipped + table) && QFileInfo::exists(shipped + index);
        const QString from = shipsLivePair ? shipped : own + QStringLiteral("/Zaloha");
        if (const int error = layDownPair(from + table, from + (shipsLivePair ? index : QStringLiteral("/Parblok.Mdx")),
                                          own + table, own + index))
            throw cannotLayDown(own + table, error);
    }
    return own;
}

} // namespace PlayerFiles
