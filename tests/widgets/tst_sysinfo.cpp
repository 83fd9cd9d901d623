#include "AppError.h"
#include "TestMain.h"
#include "sysinfo.h"

#include <QFile>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QSysInfo>

using namespace SysInfoText;

Q_DECLARE_METATYPE(std::optional<qint64>)

namespace {

const QString MemInfoSample = QStringLiteral(
    "MemTotal:       16303428 kB\n"
    "MemFree:         1234567 kB\n"
    "MemAvailable:    8151714 kB\n"
    "Buffers:          345678 kB\n"
    "SwapCached:        12345 kB\n"
    "SwapTotal:       2097148 kB\n"
    "SwapFree:        1048574 kB\n"
    "HugePages_Total:       0\n");

const QString OldKernelMemInfo = QStringLiteral(
    "MemTotal:  515000 kB\nMemFree:  20000 kB\nBuffers:  1000 kB\n");

} // namespace

class TestSysInfo : public QObject
{
    Q_OBJECT
private slots:
    void memInfo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("total");
        QTest::addColumn<std::optional<qint64>>("available");
        QTest::addColumn<std::optional<qint64>>("swapTotal");
        QTest::addColumn<std::optional<qint64>>("swapFree");
        using Opt = std::optional<qint64>;
        QTest::newRow("current kernel") << MemInfoSample << Opt(16303428) << Opt(8151714) << Opt(2097148) << Opt(1048574);
        QTest::newRow("no available line, no swap") << OldKernelMemInfo << Opt(515000) << Opt() << Opt() << Opt();
        QTest::newRow("empty") << QString() << Opt() << Opt() << Opt() << Opt();
        QTest::newRow("similar names are not taken")
            << QStringLiteral("MemTotalX: 5 kB\nSwapFreeish: 3 kB\nMemTotal: 7 kB\n") << Opt(7) << Opt() << Opt() << Opt();
        QTest::newRow("garbage value skipped")
            << QStringLiteral("MemTotal: lots kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n") << Opt() << Opt() << Opt(0) << Opt(0);
    }
    void memInfo()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, total);
        QFETCH(std::optional<qint64>, available);
        QFETCH(std::optional<qint64>, swapTotal);
        QFETCH(std::optional<qint64>, swapFree);
        const MemoryStatus status = ParseMemInfo(text);
        QCOMPARE(status.total, total);
        QCOMPARE(status.available, available);
        QCOMPARE(status.swapTotal, swapTotal);
        QCOMPARE(status.swapFree, swapFree);
    }

    void cpuModel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("model");
        QTest::newRow("x86") << QStringLiteral(
            "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n"
            "model name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\ncpu MHz\t\t: 800.000\n\n"
            "processor\t: 1\nmodel name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\n")
                             << QStringLiteral("Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
        QTest::newRow("older arm") << QStringLiteral("Processor\t: ARMv7 Processor rev 4 (v7l)\nBogoMIPS\t: 38.40\n")
                                   << QStringLiteral("ARMv7 Processor rev 4 (v7l)");
        QTest::newRow("power") << QStringLiteral("processor\t: 0\ncpu\t\t: POWER9 (raw), altivec supported\nclock\t\t: 2166.000000MHz\n")
                               << QStringLiteral("POWER9 (raw), altivec supported");
        QTest::newRow("cpu MHz is not a model") << QStringLiteral("cpu MHz\t\t: 800.000\n") << QString();
        QTest::newRow("modern arm names none") << QStringLiteral("processor\t: 0\nCPU implementer\t: 0x41\n") << QString();
    }
    void cpuModel()
    {
        QFETCH(QString, text);
        QFETCH(QString, model);
        QCOMPARE(ParseCpuModel(text), model);
    }

    void kernelRelease_data()
    {
        QTest::addColumn<QString>("release");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("build");
        QTest::newRow("debian") << QStringLiteral("6.1.0-18-amd64") << true << 6 << 1 << 0;
        QTest::newRow("four figures") << QStringLiteral("5.15.153.1-microsoft-standard-WSL2") << true << 5 << 15 << 153;
        QTest::newRow("two figures") << QStringLiteral("4.4") << true << 4 << 4 << 0;
        QTest::newRow("low 16 bits of the build") << QStringLiteral("3.2.70000") << true << 3 << 2 << 4464;
        QTest::newRow("not a version") << QStringLiteral("abc") << false << 0 << 0 << 0;
    }
    void kernelRelease()
    {
        QFETCH(QString, release);
        QFETCH(bool, valid);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, build);
        const std::optional<KernelVersion> version = ParseKernelRelease(release);
        QCOMPARE(version.has_value(), valid);
        if (!valid)
            return;
        QCOMPARE(version->major, major);
        QCOMPARE(version->minor, minor);
        QCOMPARE(version->build, build);
    }

    void usedPercent_data()
    {
        QTest::addColumn<qint64>("free");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("used");
        QTest::newRow("quarter free") << qint64(25) << qint64(100) << 75;
        QTest::newRow("a third free rounds down") << qint64(1) << qint64(3) << 67;
        QTest::newRow("two thirds free rounds up") << qint64(2) << qint64(3) << 33;
        QTest::newRow("half a percent free") << qint64(1) << qint64(200) << 99;
        QTest::newRow("all free") << qint64(2097148) << qint64(2097148) << 0;
        QTest::newRow("no swap at all") << qint64(0) << qint64(0) << 0;
        QTest::newRow("large machine") << qint64(8151714) << qint64(16303428) << 50;
    }
    void usedPercent()
    {
        QFETCH(qint64, free);
        QFETCH(qint64, total);
        QFETCH(int, used);
        QCOMPARE(UsedPercent(free, total), used);
    }

    void everyFactIsReadOnly_data()
    {
        QTest::addColumn<QByteArray>("name");
        const QMetaObject &meta = TSysInfo::staticMetaObject;
        for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
            QTest::newRow(meta.property(i).name()) << QByteArray(meta.property(i).name());
    }
    void everyFactIsReadOnly()
    {
        QFETCH(QByteArray, name);
        TSysInfo info;
        const QString before = info.property(name).toString();
        try {
            info.setProperty(name, QStringLiteral("changed"));
            QFAIL("the write was accepted");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("Can't modify a read-only property"));
        }
        QCOMPARE(info.property(name).toString(), before);
    }

    void twentyOneFacts()
    {
        const QMetaObject &meta = TSysInfo::staticMetaObject;
        QCOMPARE(meta.propertyCount() - meta.propertyOffset(), 21);
        TSysInfo info;
        for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
            QVERIFY2(!info.property(meta.property(i).name()).toString().isEmpty(), meta.property(i).name());
    }

    void directWriteRaisesToo()
    {
        TSysInfo info;
        const QString owner = info.RegOwner();
        QVERIFY_THROWS_EXCEPTION(AppError, info.setRegOwner(QStringLiteral("Novák")));
        QCOMPARE(info.RegOwner(), owner);
    }

    // The values come from this machine, in the documented formats.
    void factsOfThisMachine()
    {
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", "/var/tmp/parblok-test");
        TSysInfo info;
        if (oldTemp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", oldTemp);
        QCOMPARE(info.WinTempPath(), QStringLiteral("/var/tmp/parblok-test"));
        QCOMPARE(info.NetComputerName(), QSysInfo::machineHostName());
        QCOMPARE(info.WinType(), QStringLiteral("Linux"));
        QVERIFY2(QSysInfo::kernelVersion().startsWith(info.WinVersion() + QLatin1Char('.')), qPrintable(info.WinVersion()));
        QVERIFY(!info.CPUType().isEmpty());

        // MemTotal, read here on its own.
        QFile meminfo(QStringLiteral("/proc/meminfo"));
        QVERIFY(meminfo.open(QIODevice::ReadOnly));
        const QString firstLine = QString::fromLatin1(meminfo.readLine());
        QVERIFY(firstLine.startsWith(QLatin1String("MemTotal:")));
        const QString kb = firstLine.section(QLatin1Char(':'), 1).trimmed().section(QLatin1Char(' '), 0, 0);
        QCOMPARE(info.MemTotal(), kb + QStringLiteral(" KB"));

        static const QRegularExpression kilobytes(QStringLiteral("^\\d+ KB$"));
        static const QRegularExpression percent(QStringLiteral("^\\d{1,3} %$"));
        QVERIFY(kilobytes.match(info.MemAvailable()).hasMatch());
        QVERIFY(percent.match(info.MemUsage()).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+ MB$")).match(info.DriveC()).hasMatch());
        QCOMPARE(info.FreeGDIRes(), QStringLiteral("unknown"));
        QCOMPARE(info.RegOrganisation(), QStringLiteral("unknown"));
    }
};

PARBLOK_TEST_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
