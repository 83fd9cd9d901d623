#include "PlayerFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// Copies `from` to `to` unless `to` exists; the copy is the player's, so it is readable and
// writable by its owner whatever the shipped file's mode. QFile::copy writes a temporary file and
// renames it, so a copy starting at the same moment never reads half a file.
bool layDown(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to))
        return true;
    if (!QFile::copy(from, to))
        return false;
    return QFile::setPermissions(to, QFile::permissions(to) | QFile::ReadOwner | QFile::WriteOwner);
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
    if (!QDir().mkpath(own + QStringLiteral("/Zaloha")))
        return own;

    for (const QString blank : {QStringLiteral("/Zaloha/Parblok.dbf"), QStringLiteral("/Zaloha/Parblok.Mdx")})
        layDown(shipped + blank, own + blank);

    const QString table = QStringLiteral("/Parblok.dbf");
    const QString index = QStringLiteral("/Parblok.mdx");
    if (!QFileInfo::exists(own + table) && !QFileInfo::exists(own + index)) {
        const bool shipsLivePair = QFileInfo::exists(shipped + table) && QFileInfo::exists(shipped + index);
        // The table goes first: should the index not follow, the table rebuilds it when it opens.
        const QString from = shipsLivePair ? shipped : own + QStringLiteral("/Zaloha");
        layDown(from + table, own + table);
        layDown(from + (shipsLivePair ? index : QStringLiteral("/Parblok.Mdx")), own + index);
    }
    return own;
}

} // namespace PlayerFiles
