#include "sysinfo.h"

#include "AppError.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>

#include <cmath>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

const QString Unknown = QStringLiteral("unknown");

QString ReadSystemText(const QString &path)
{
    // Files under /proc report a size of 0, so they are read to their end.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// "Key: value" lines of the system's text files, keys compared exactly after trimming.
QString FieldValue(const QString &line, const QString &key)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0 || line.left(colon).trimmed() != key)
        return QString();
    return line.mid(colon + 1).trimmed();
}

// When the root file system was made, the nearest this system has to an installation date.
QString InstallDate()
{
#ifdef STATX_BTIME
    struct statx info {};
    if (statx(AT_FDCWD, "/", 0, STATX_BTIME, &info) == 0 && (info.stx_mask & STATX_BTIME)
        && info.stx_btime.tv_sec > 0) {
        const QDateTime when = QDateTime::fromSecsSinceEpoch(info.stx_btime.tv_sec);
        return when.toString(QStringLiteral("d.M.yyyy H:mm:ss"));
    }
#endif
    return Unknown;
}

QString UserName()
{
    if (const passwd *entry = getpwuid(geteuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    const QString fromEnvironment = qEnvironmentVariable("USER");
    return fromEnvironment.isEmpty() ? Unknown : fromEnvironment;
}

QString TempPath()
{
    const QString path = qEnvironmentVariable("TMPDIR");
    return path.isEmpty() ? QStringLiteral("/tmp") : path;
}

} // namespace

namespace SysInfoText {

MemoryStatus ParseMemInfo(const QString &text)
{
    static const QRegularExpression line(QStringLiteral(R"(^\s*(\w+)\s*:\s*(\d+)\s*(kB)?\s*$)"),
                                         QRegularExpression::MultilineOption);
    MemoryStatus status;
    for (auto it = line.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        bool ok = false;
        const qint64 value = match.captured(2).toLongLong(&ok);
        if (!ok)
            continue;
        const QString key = match.captured(1);
        if (key == QLatin1String("MemTotal"))
            status.total = value;
        else if (key == QLatin1String("MemAvailable"))
            status.available = value;
        else if (key == QLatin1String("MemFree"))
            status.free = value;
        else if (key == QLatin1String("SwapTotal"))
            status.swapTotal = value;
        else if (key == QLatin1String("SwapFree"))
            status.swapFree = value;
    }
    return status;
}

QString ParseCpuModel(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const char *key : {"model name", "Processor", "cpu model", "cpu"}) {
        for (const QString &line : lines) {
            const QString value = FieldValue(line, QLatin1String(key));
            if (!value.isEmpty())
                return value;
        }
    }
    return QString();
}

std::optional<KernelVersion> ParseKernelRelease(const QString &release)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^(\d+)(?:\.(\d+))?(?:\.(\d+))?)"));
    const QRegularExpressionMatch match = pattern.match(release.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    KernelVersion version;
    version.major = match.captured(1).toInt();
    version.minor = match.captured(2).toInt();
    version.build = match.captured(3).toInt() & 0xFFFF;
    return version;
}

QString Kilobytes(qint64 kb)
{
    return QStringLiteral("%1 KB").arg(kb);
}

QString Megabytes(qint64 mb)
{
    return QStringLiteral("%1 MB").arg(mb);
}

QString Percent(int percent)
{
    return QStringLiteral("%1 %").arg(percent);
}

int UsedPercent(qint64 free, qint64 total)
{
    if (total <= 0)
        return 0;
    return 100 - int(std::lround(double(free) * 100.0 / double(total)));
}

} // namespace SysInfoText

TSysInfo::TSysInfo(QObject *owner) : QObject(owner)
{
    using namespace SysInfoText;

    // There is no registry of the machine's owner here.
    m_RegOrganisation = Unknown;
    m_RegOwner = Unknown;
    m_WinInstallDate = InstallDate();

    utsname system {};
    const bool named = uname(&system) == 0;
    m_CPUType = ParseCpuModel(ReadSystemText(QStringLiteral("/proc/cpuinfo")));
    if (m_CPUType.isEmpty() && named)
        m_CPUType = QString::fromLocal8Bit(system.machine);

    m_WinType = named ? QString::fromLocal8Bit(system.sysname) : Unknown;
    const std::optional<KernelVersion> version =
        named ? ParseKernelRelease(QString::fromLocal8Bit(system.release)) : std::nullopt;
    m_WinVersion = version ? QStringLiteral("%1.%2").arg(version->major).arg(version->minor) : Unknown;
    m_WinBuild = version ? QString::number(version->build) : Unknown;

    const MemoryStatus memory = ParseMemInfo(ReadSystemText(QStringLiteral("/proc/meminfo")));
    const std::optional<qint64> available = memory.available ? memory.available : memory.free;
    m_MemTotal = memory.total ? Kilobytes(*memory.total) : Unknown;
    m_MemAvailable = available ? Kilobytes(*available) : Unknown;
    m_MemUsage = memory.total && available ? Percent(UsedPercent(*available, *memory.total)) : Unknown;
    const bool swap = memory.swapTotal && memory.swapFree;
    m_SwapFileSetting = memory.swapTotal ? Kilobytes(*memory.swapTotal) : Unknown;
    m_SwapFileSize = swap ? Kilobytes(*memory.swapTotal - *memory.swapFree) : Unknown;
    m_SwapFileUsage = swap ? Percent(UsedPercent(*memory.swapFree, *memory.swapTotal)) : Unknown;

    // The file system the system runs from stands for drive C.
    struct statvfs disk {};
    if (statvfs("/", &disk) == 0)
        m_DriveC = Megabytes(qint64(disk.f_blocks) * qint64(disk.f_frsize) / (1024 * 1024));

    m_WinPath = QStringLiteral("/usr");
    m_WinTempPath = TempPath();
    const QString host = QSysInfo::machineHostName();
    m_NetComputerName = host.isEmpty() ? Unknown : host;
    m_NetUserName = UserName();

    // No free-resource figures exist outside the old 16-bit system.
    m_FreeSystemRes = Unknown;
    m_FreeGDIRes = Unknown;
    m_FreeUserRes = Unknown;
}

void TSysInfo::RefuseWrite()
{
    throw AppError(QStringLiteral("Can't modify a read-only property"));
}
