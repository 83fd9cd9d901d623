#include "AppError.h"
#include "CurrentDirectory.h"
#include "ProgramFolderFixture.h"
#include "SoundCache.h"
#include "SoundPlayer.h"
#include "Sounds.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

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

// A pretend audio server: each stream plays 20 ms of what it holds whenever it is asked how much
// is still unheard, and all of it when told to finish.
struct FakeServer
{
    const std::thread::id testThread = std::this_thread::get_id(); // never held up
    std::mutex mutex;
    std::condition_variable released;
    bool down = false; // opening and handing over fail
    bool stalled = false; // opening waits until this is cleared
    QList<std::thread::id> openedOn;
    QList<QByteArray> written, heard; // per stream, in the order of opening
    int live = 0, mostLive = 0;
};

class FakeOutput : public SoundOutput
{
public:
    explicit FakeOutput(std::shared_ptr<FakeServer> server) : m_server(std::move(server)) {}
    ~FakeOutput() override
    {
        std::lock_guard lock(m_server->mutex);
        m_server->live -= m_index >= 0;
    }
    bool open(const WavSound &format, QString *error) override
    {
        std::unique_lock lock(m_server->mutex);
        m_server->openedOn.append(std::this_thread::get_id());
        if (std::this_thread::get_id() != m_server->testThread)
            m_server->released.wait(lock, [this] { return !m_server->stalled; });
        if (m_server->down)
            return refuse(error);
        m_bytesPerLook = format.sampleRate / 50 * format.bytesPerFrame();
        m_bytesPerUSec = format.sampleRate * format.bytesPerFrame() / 1e6;
        m_index = int(m_server->written.size());
        m_server->written.append(QByteArray());
        m_server->heard.append(QByteArray());
        m_server->mostLive = std::max(m_server->mostLive, ++m_server->live);
        return true;
    }
    bool write(const char *data, qsizetype size, QString *error) override
    {
        std::lock_guard lock(m_server->mutex);
        if (m_server->down)
            return refuse(error);
        m_server->written[m_index].append(data, size);
        return true;
    }
    qint64 unheardUSecs(QString *error) override { return play(m_bytesPerLook, error); }
    bool finish(QString *error) override { return play(-1, error) == 0; }

private:
    qint64 play(qsizetype bytes, QString *error)
    {
        std::lock_guard lock(m_server->mutex);
        if (m_server->down)
            return refuse(error) ? 0 : -1;
        QByteArray &heard = m_server->heard[m_index];
        const QByteArray &written = m_server->written[m_index];
        heard += written.mid(heard.size(), bytes);
        return qint64(double(written.size() - heard.size()) / m_bytesPerUSec);
    }
    static bool refuse(QString *error)
    {
        *error = QStringLiteral("Connection refused");
        return false;
    }

    std::shared_ptr<FakeServer> m_server;
    int m_index = -1;
    qsizetype m_bytesPerLook = 0;
    double m_bytesPerUSec = 1;
};

// Runs `look` on the server under its lock.
template <typename Look>
auto with(const std::shared_ptr<FakeServer> &server, Look look)
{
    std::lock_guard lock(server->mutex);
    return look(*server);
}

SoundOutputFactory fakeOutputs(const std::shared_ptr<FakeServer> &server)
{
    return [server] { return std::make_unique<FakeOutput>(server); };
}

// A mono 16-bit sound of `milliseconds` at 8000 Hz whose samples all differ from their neighbours.
WavSound countingSound(int milliseconds, int start = 0)
{
    WavSound sound{1, 8000, 16, {}};
    for (int i = 0; i < 8 * milliseconds; ++i) {
        const auto value = quint16(start + i);
        sound.samples.append(char(value & 0xFF)).append(char(value >> 8));
    }
    return sound;
}

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
        // Each sound cuts the previous one short; only one stream is ever open.
        auto server = std::make_shared<FakeServer>();
        SoundPlayer player(fakeOutputs(server));
        const WavSound first = countingSound(5000), second = countingSound(200, 0x4000);
        player.play(first);
        QTRY_VERIFY(with(server, [](FakeServer &s) { return !s.written.isEmpty() && !s.written[0].isEmpty(); }));
        player.play(second);
        QTRY_VERIFY(!player.isPlaying());
        std::lock_guard lock(server->mutex);
        QCOMPARE(server->written.size(), 2);
        QVERIFY(first.samples.startsWith(server->heard[0]));
        QVERIFY(server->heard[0].size() < first.samples.size());
        QCOMPARE(server->heard[1], second.samples);
        QCOMPARE(server->mostLive, 1);
        QCOMPARE(server->live, 0);
        QVERIFY(!server->openedOn.contains(std::this_thread::get_id()));
    }

    void soundIsHeardToItsLastSample_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("shorter than one piece handed over") << 30;
        QTest::newRow("a second") << 1000;
    }
    void soundIsHeardToItsLastSample()
    {
        QFETCH(int, milliseconds);
        auto server = std::make_shared<FakeServer>();
        SoundPlayer player(fakeOutputs(server));
        const WavSound sound = countingSound(milliseconds);
        player.play(sound);
        QTRY_VERIFY(!player.isPlaying());
        std::lock_guard lock(server->mutex);
        QCOMPARE(server->heard, QList<QByteArray>{sound.samples});
        QCOMPARE(server->live, 0);
    }

    void serverBackAfterFailurePlaysTheNextSound_data()
    {
        QTest::addColumn<bool>("whilePlaying");
        QTest::newRow("gone before the sound") << false;
        QTest::newRow("gone while it plays") << true;
    }
    void serverBackAfterFailurePlaysTheNextSound()
    {
        QFETCH(bool, whilePlaying);
        auto server = std::make_shared<FakeServer>();
        SoundPlayer player(fakeOutputs(server));
        server->down = !whilePlaying;
        player.play(countingSound(3000));
        if (whilePlaying) {
            QTRY_VERIFY(with(server, [](FakeServer &s) { return !s.written.isEmpty() && !s.written[0].isEmpty(); }));
            with(server, [](FakeServer &s) { return s.down = true; });
        }
        QTRY_VERIFY(!player.isPlaying());
        with(server, [](FakeServer &s) { return s.down = false; });
        const WavSound next = countingSound(100, 7);
        player.play(next);
        QTRY_VERIFY(!player.isPlaying());
        std::lock_guard lock(server->mutex);
        QCOMPARE(server->heard.last(), next.samples);
    }

    void stalledServerHoldsUpNeitherPlayNorQuit()
    {
        auto server = std::make_shared<FakeServer>();
        server->stalled = true;
        {
            SoundPlayer player(fakeOutputs(server));
            player.play(countingSound(100));
            QTRY_COMPARE(with(server, [](FakeServer &s) { return s.openedOn.size(); }), 1);
            player.play(countingSound(100, 1)); // the caller goes on while the server is stuck
            QVERIFY(player.isPlaying());
        } // nor does the end of the program wait for it
        with(server, [](FakeServer &s) { return s.stalled = false; });
        server->released.notify_all();
        QTRY_COMPARE(with(server, [](FakeServer &s) { return s.live; }), 0);
        std::lock_guard lock(server->mutex);
        QVERIFY(!server->openedOn.contains(std::this_thread::get_id()));
        for (const QByteArray &heard : server->heard)
            QVERIFY(heard.isEmpty());
    }

    void keptSoundIsReadAgainOnlyAfterItsFileChanged_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("readAgain");
        QTest::newRow("unchanged") << "" << false;
        QTest::newRow("rewritten in place, same size") << "rewrite" << true;
        QTest::newRow("another file renamed over it") << "rename" << true;
        QTest::newRow("was refused, then written whole") << "repair" << true;
    }
    void keptSoundIsReadAgainOnlyAfterItsFileChanged()
    {
        QFETCH(QString, change);
        QFETCH(bool, readAgain);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Level.wav"));
        const QByteArray before = encodeWav(countingSound(50)), after = encodeWav(countingSound(50, 9));
        const auto put = [](const QString &to, const QByteArray &bytes) {
            QFile file(to);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(put(path, change == u"repair" ? before.left(30) : before));
        SoundCache cache;
        const std::optional<WavSound> first = cache.read(path);
        QCOMPARE(first.has_value(), change != u"repair");
        if (change == u"rewrite" || change == u"repair")
            QVERIFY(put(path, after));
        if (change == u"rename") {
            QVERIFY(put(dir.filePath(QStringLiteral("new.wav")), after));
            QVERIFY(QFile::remove(path) && QFile::rename(dir.filePath(QStringLiteral("new.wav")), path));
        }
        const std::optional<WavSound> second = cache.read(path);
        QVERIFY(second);
        QCOMPARE(encodeWav(*second), readAgain ? after : before);
        if (!readAgain)
            QCOMPARE(static_cast<const void *>(second->samples.constData()),
                     static_cast<const void *>(first->samples.constData()));
    }
};

PARBLOK_TEST_MAIN(TestSounds)
#include "tst_sounds.moc"
