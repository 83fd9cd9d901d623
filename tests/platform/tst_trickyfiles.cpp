#include "ReplayChecks.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Replays the tricky files of tests/platform/data/tricky (settings files, sounds, region data)
// through the normal code: each is either taken correctly or refused with a clean Czech message,
// never a crash or a wrong read-back. Files the fuzz targets find go there too.

namespace {

QString trickyDir(const QString &kind)
{
    return sourceDir() + QStringLiteral("/tests/platform/data/tricky/") + kind;
}

// One row per file of the folder, carrying its path and its bytes.
void addFileRows(const QString &kind)
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    const QDir dir(trickyDir(kind));
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    QVERIFY2(!names.isEmpty(), qPrintable(dir.path()));
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << dir.filePath(name) << fileBytes(dir.filePath(name));
}

// A settings file far larger than any real one: long runs of lines without '=' or ']', with the
// program's section at the very end.
QByteArray hugeSettingsFile()
{
    QByteArray content;
    const QByteArray line = "; poznamka bez rovnitka a bez zavorky, jen text\r\n";
    content.reserve(16 << 20);
    while (content.size() < (16 << 20))
        content += line;
    return content + "[Nastaveni]\r\nUvitani=0\r";
}

} // namespace

class TestTrickyFiles : public QObject
{
    Q_OBJECT
private slots:
    void settings_data()
    {
        addFileRows(QStringLiteral("settings"));
        QTest::newRow("16 MB made here") << QString() << hugeSettingsFile();
    }
    void settings()
    {
        QFETCH(QByteArray, content);
        // Writes of the program's own keys, a new key with a value that needs quoting, and a new
        // section; each watched from another key.
        const QStringList writes[] = {
            {QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QStringLiteral("1"), QStringLiteral("Nastaveni"), QStringLiteral("Uvitani")},
            {QStringLiteral("nastaveni"), QStringLiteral(" UVITANI "), QStringLiteral("0"), QStringLiteral("Jine"), QStringLiteral("Pomocnik")},
            {QStringLiteral("Nastaveni"), QStringLiteral("Novy"), QStringLiteral(" s mezerami "), QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik")},
            {QStringLiteral("Nová sekce"), QStringLiteral("Klíč"), QStringLiteral("hodnota"), QStringLiteral("Nastaveni"), QStringLiteral("Uvitani")},
        };
        for (const QStringList &write : writes) {
            const ReplayCheck::SettingsWrite w{content, write[0], write[1], write[2], write[3], write[4]};
            const QString problem = ReplayCheck::settingsWrite(w);
            QVERIFY2(problem.isEmpty(), qPrintable(write.join(QLatin1Char('/')) + QStringLiteral(": ") + problem));
        }

        // The same through a real file: what is on the disk is the edited content.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kvadr.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        file.close();
        const ProfileFile settings(path);
        settings.WriteString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QStringLiteral("0"));
        QCOMPARE(settings.ReadString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QString()),
                 QStringLiteral("0"));
        QVERIFY(fileBytes(path) == ProfileText::withValue(content, QStringLiteral("Nastaveni"),
                                                          QStringLiteral("Pomocnik"), QStringLiteral("0")));
    }

    void sounds_data() { addFileRows(QStringLiteral("wav")); }
    void sounds()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, content);
        const QString problem = ReplayCheck::wav(content);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QString error;
        if (!readWavFile(path, &error)) {
            QVERIFY2(error.startsWith(QStringLiteral("Zvuk „%1“ nelze přehrát: ").arg(QDir::toNativeSeparators(path)))
                         && error.endsWith(QLatin1Char('.')),
                     qPrintable(error));
        }
    }

    void regions_data() { addFileRows(QStringLiteral("region")); }
    void regions()
    {
        QFETCH(QByteArray, content);
        const QString problem = ReplayCheck::region(content);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

PARBLOK_TEST_MAIN(TestTrickyFiles)
#include "tst_trickyfiles.moc"
