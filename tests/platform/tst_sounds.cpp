#include "AppError.h"
#include "CurrentDirectory.h"
#include "ProgramFolderFixture.h"
#include "SoundPlayer.h"
#include "Sounds.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Unprivileged.h"

#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace {

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

// What the sound output is handed while it lives.
class SoundWatch
{
public:
    SoundWatch()
    {
        setSoundObserver([this](const QString &source) { played.append(source); });
    }
    ~SoundWatch() { setSoundObserver({}); }
    QStringList played;
};

} // namespace

class TestSounds : public QObject
{
    Q_OBJECT
private:
    QString m_startDir;

private slots:
    void initTestCase() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }

    // A program folder with Zvuky holding "Level.wav" and a broken "Info.wav", and a separate
    // folder the program was started from.
    void searchOrder_data()
    {
        QTest::addColumn<QStringList>("inStartFolder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("played"); // "-" nothing, "" the default sound, else the file
        QTest::addColumn<bool>("inProgramFolderAfter");

        QTest::newRow("in Zvuky") << QStringList() << "Level.wav" << "Zvuky/Level.wav" << true;
        QTest::newRow("Zvuky wins over the start folder")
            << QStringList{QStringLiteral("Level.wav")} << "Level.wav" << "Zvuky/Level.wav" << true;
        QTest::newRow("only in the start folder: default sound")
            << QStringList{QStringLiteral("Dotaz.wav")} << "Dotaz.wav" << "" << true;
        QTest::newRow("nowhere") << QStringList() << "Dotaz.wav" << "-" << false;
        QTest::newRow("broken file in Zvuky is silent") << QStringList() << "Info.wav" << "-" << true;
        QTest::newRow("a folder is no sound") << QStringList() << "Slozka.wav" << "-" << false;
        QTest::newRow("empty name") << QStringList() << "" << "-" << false;
    }
    void searchOrder()
    {
        QFETCH(QStringList, inStartFolder);
        QFETCH(QString, name);
        QFETCH(QString, played);
        QFETCH(bool, inProgramFolderAfter);

        ProgramFolderFixture program;
        QTemporaryDir start;
        QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Zvuky/Slozka.wav")));
        QVERIFY(writeFileBytes(program.filePath(QStringLiteral("Zvuky/Level.wav")), shortSilentWav()));
        QVERIFY(writeFileBytes(program.filePath(QStringLiteral("Zvuky/Info.wav")), shortSilentWav().left(50)));
        for (const QString &file : inStartFolder)
            QVERIFY(writeFileBytes(start.filePath(file), shortSilentWav()));
        QVERIFY(QDir::setCurrent(start.path()));

        SoundWatch watch;
        PlaySoundFile(name);
        if (played == QLatin1String("-"))
            QCOMPARE(watch.played, QStringList());
        else if (played.isEmpty())
            QCOMPARE(watch.played, QStringList{QString()});
        else
            QCOMPARE(watch.played, QStringList{canonical(program.filePath(played))});
        QCOMPARE(QDir::currentPath(), canonical(inProgramFolderAfter ? program.path() : start.path()));
    }

    void failedDirectoryChange_data()
    {
        QTest::addColumn<QString>("zvuky"); // what stands in place of the sound folder
        QTest::addColumn<QString>("message");
        QTest::newRow("no sound folder") << "missing" << "File not found";
        QTest::newRow("a file in place of the folder") << "file" << "Invalid filename";
    }
    void failedDirectoryChange()
    {
        QFETCH(QString, zvuky);
        QFETCH(QString, message);
        ProgramFolderFixture program;
        QTemporaryDir start;
        if (zvuky == QLatin1String("file"))
            QVERIFY(writeFileBytes(program.filePath(QStringLiteral("Zvuky")), "x"));
        QVERIFY(writeFileBytes(start.filePath(QStringLiteral("Dialog.wav")), shortSilentWav()));
        QVERIFY(QDir::setCurrent(start.path()));

        SoundWatch watch;
        try {
            PlaySoundFile(QStringLiteral("Dialog.wav"));
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), message);
        }
        QCOMPARE(watch.played, QStringList());
        QCOMPARE(QDir::currentPath(), canonical(start.path()));
    }

    void inOutErrorTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("ENOENT") << ENOENT << "File not found";
        QTest::newRow("ENOTDIR") << ENOTDIR << "Invalid filename";
        QTest::newRow("EMFILE") << EMFILE << "Too many open files";
        QTest::newRow("EACCES") << EACCES << "File access denied";
        QTest::newRow("EIO") << EIO << QStringLiteral("I/O error %1").arg(EIO);
    }
    void inOutErrorTexts()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(inOutErrorMessage(code), message);
    }

    void accessDeniedFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("closed")));
        const Unprivileged user({dir.path(), dir.filePath(QStringLiteral("closed"))});
        if (!user.holds())
            QSKIP("cannot give up root here");
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("closed")), QFile::ReadOwner));
        try {
            setCurrentDirectory(dir.filePath(QStringLiteral("closed")));
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("File access denied"));
        }
    }

    void shippedSounds_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"PomocnikStart.wav", "PomocnikKonec.wav", "Dialog.wav", "Dotaz.wav",
                                 "Info.wav", "Level.wav"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void shippedSounds()
    {
        QFETCH(QString, name);
        QString error;
        const auto sound = readWavFile(programDir() + QStringLiteral("/Zvuky/") + name, &error);
        QVERIFY2(sound, qPrintable(error));
        const double seconds = double(sound->frameCount()) / sound->sampleRate;
        QVERIFY2(seconds > 0.2 && seconds < 2.0, qPrintable(QString::number(seconds)));
        QCOMPARE(sound->bitsPerSample, 16);

        // Loud enough to hear, never clipped, and silent at the very end (no click).
        const auto *samples = reinterpret_cast<const qint16 *>(sound->samples.constData());
        const qint64 count = sound->samples.size() / 2;
        int peak = 0;
        for (qint64 i = 0; i < count; ++i)
            peak = std::max(peak, std::abs(int(samples[i])));
        QVERIFY2(peak > 8000 && peak < 30000, qPrintable(QString::number(peak)));
        QVERIFY(std::abs(int(samples[count - 1])) < 200);
    }

    void playerKeepsOneSoundAtATime()
    {
        // Without an audio device nothing plays; with one, each sound cuts the previous short.
        const bool device = !QMediaDevices::defaultAudioOutput().isNull();
        SoundPlayer &player = SoundPlayer::instance();
        const auto liveSinks = [&player] {
            const auto sinks = player.findChildren<QAudioSink *>();
            return std::count_if(sinks.begin(), sinks.end(), [](const QAudioSink *sink) {
                return sink->state() != QAudio::StoppedState;
            });
        };
        for (int round = 0; round < 3; ++round) {
            player.play(SoundPlayer::defaultSound());
            QCOMPARE(player.isPlaying(), device);
            QCOMPARE(liveSinks(), device ? 1 : 0);
        }
        player.stop();
        QVERIFY(!player.isPlaying());
        QCOMPARE(liveSinks(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(player.findChildren<QAudioSink *>().size(), 0);
    }
};

PARBLOK_TEST_MAIN(TestSounds)
#include "tst_sounds.moc"
