#pragma once

#include <QObject>
#include <QString>
#include <optional>

// Facts about the computer, gathered once when the component is made and never refreshed. Every
// property is read-only: writing one raises "Can't modify a read-only property" and keeps the
// value. Facts the system has no equivalent of read "unknown".
class TSysInfo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString RegOrganisation READ RegOrganisation WRITE setRegOrganisation)
    Q_PROPERTY(QString RegOwner READ RegOwner WRITE setRegOwner)
    Q_PROPERTY(QString WinInstallDate READ WinInstallDate WRITE setWinInstallDate)
    Q_PROPERTY(QString CPUType READ CPUType WRITE setCPUType)
    Q_PROPERTY(QString WinType READ WinType WRITE setWinType)
    Q_PROPERTY(QString WinVersion READ WinVersion WRITE setWinVersion)
    Q_PROPERTY(QString WinBuild READ WinBuild WRITE setWinBuild)
    Q_PROPERTY(QString MemTotal READ MemTotal WRITE setMemTotal)
    Q_PROPERTY(QString MemAvailable READ MemAvailable WRITE setMemAvailable)
    Q_PROPERTY(QString MemUsage READ MemUsage WRITE setMemUsage)
    Q_PROPERTY(QString SwapFileSetting READ SwapFileSetting WRITE setSwapFileSetting)
    Q_PROPERTY(QString SwapFileSize READ SwapFileSize WRITE setSwapFileSize)
    Q_PROPERTY(QString SwapFileUsage READ SwapFileUsage WRITE setSwapFileUsage)
    Q_PROPERTY(QString DriveC READ DriveC WRITE setDriveC)
    Q_PROPERTY(QString WinPath READ WinPath WRITE setWinPath)
    Q_PROPERTY(QString WinTempPath READ WinTempPath WRITE setWinTempPath)
    Q_PROPERTY(QString NetComputerName READ NetComputerName WRITE setNetComputerName)
    Q_PROPERTY(QString NetUserName READ NetUserName WRITE setNetUserName)
    Q_PROPERTY(QString FreeSystemRes READ FreeSystemRes WRITE setFreeSystemRes)
    Q_PROPERTY(QString FreeGDIRes READ FreeGDIRes WRITE setFreeGDIRes)
    Q_PROPERTY(QString FreeUserRes READ FreeUserRes WRITE setFreeUserRes)

public:
    explicit TSysInfo(QObject *owner = nullptr);

#define PARBLOK_SYSINFO_FACT(Name)                                                                 \
    QString Name() const { return m_##Name; }                                                      \
    [[noreturn]] void set##Name(const QString &) { RefuseWrite(); }                                \
                                                                                                   \
private:                                                                                           \
    QString m_##Name;                                                                              \
                                                                                                   \
public:
    PARBLOK_SYSINFO_FACT(RegOrganisation)
    PARBLOK_SYSINFO_FACT(RegOwner)
    PARBLOK_SYSINFO_FACT(WinInstallDate)
    PARBLOK_SYSINFO_FACT(CPUType)
    PARBLOK_SYSINFO_FACT(WinType)
    PARBLOK_SYSINFO_FACT(WinVersion)
    PARBLOK_SYSINFO_FACT(WinBuild)
    PARBLOK_SYSINFO_FACT(MemTotal)
    PARBLOK_SYSINFO_FACT(MemAvailable)
    PARBLOK_SYSINFO_FACT(MemUsage)
    PARBLOK_SYSINFO_FACT(SwapFileSetting)
    PARBLOK_SYSINFO_FACT(SwapFileSize)
    PARBLOK_SYSINFO_FACT(SwapFileUsage)
    PARBLOK_SYSINFO_FACT(DriveC)
    PARBLOK_SYSINFO_FACT(WinPath)
    PARBLOK_SYSINFO_FACT(WinTempPath)
    PARBLOK_SYSINFO_FACT(NetComputerName)
    PARBLOK_SYSINFO_FACT(NetUserName)
    PARBLOK_SYSINFO_FACT(FreeSystemRes)
    PARBLOK_SYSINFO_FACT(FreeGDIRes)
    PARBLOK_SYSINFO_FACT(FreeUserRes)
#undef PARBLOK_SYSINFO_FACT

private:
    [[noreturn]] static void RefuseWrite();
};

// Reading the system's own texts. Pure functions, so they can be checked on sample texts.
namespace SysInfoText {

// The figures of /proc/meminfo the component uses, in KB; a missing line stays empty.
struct MemoryStatus
{
    std::optional<qint64> total, available, free, swapTotal, swapFree;
};
MemoryStatus ParseMemInfo(const QString &text);

// The processor's name from /proc/cpuinfo ("model name", else "Processor", "cpu model" or
// "cpu"); empty when none is given.
QString ParseCpuModel(const QString &text);

// The version figures of a kernel release text such as "6.1.0-18-amd64": major, minor and the
// third figure (0 when missing). Empty when the text does not start with a number.
struct KernelVersion
{
    int major = 0, minor = 0, build = 0;
};
std::optional<KernelVersion> ParseKernelRelease(const QString &release);

// "%d KB", "%d MB" and "%d %" texts.
QString Kilobytes(qint64 kb);
QString Megabytes(qint64 mb);
QString Percent(int percent);

// 100 − round(free × 100 / total); 0 when total is 0.
int UsedPercent(qint64 free, qint64 total);

} // namespace SysInfoText
