#include "TestMain.h"
#include "Unprivileged.h"
#include "WavFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

namespace {

QByteArray le32(quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    return QByteArray(raw, 4);
}

QByteArray le16(quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    return QByteArray(raw, 2);
}

// A chunk; `declared` overrides the length written in its header.
QByteArray chunk(const char *id, const QByteArray &body, qint64 declared = -1)
{
    QByteArray bytes = QByteArray(id) + le32(quint32(declared < 0 ? body.size() : declared)) + body;
    if (declared < 0 && body.size() % 2)
        bytes += '\0';
    return bytes;
}

QByteArray riff(const QByteArray &chunks, qint64 declared = -1)
{
    return "RIFF" + le32(quint32(declared < 0 ? chunks.size() + 4 : declared)) + "WAVE" + chunks;
}

QByteArray fmt(int channels, int rate, int bits, int tag = 1, int blockAlign = -1)
{
    const int align = blockAlign < 0 ? channels * bits / 8 : blockAlign;
    return chunk("fmt ", le16(quint16(tag)) + le16(quint16(channels)) + le32(quint32(rate))
                             + le32(quint32(rate * align)) + le16(quint16(align)) + le16(quint16(bits)));
}

// The extensible format chunk: `subFormat` numbers the format inside; `tail` replaces the fixed
// rest of the sub-format, `extra` the size of the extension.
QByteArray extensible(int channels, int rate, int bits, int subFormat,
                      const QByteArray &tail = QByteArray::fromHex("000000001000800000aa00389b71"),
                      int extra = 22)
{
    const int align = channels * bits / 8;
    return chunk("fmt ", le16(0xFFFE) + le16(quint16(channels)) + le32(quint32(rate))
                             + le32(quint32(rate * align)) + le16(quint16(align)) + le16(quint16(bits))
                             + le16(quint16(extra)) + le16(quint16(bits)) + le32(channels == 2 ? 3 : 4)
                             + le16(quint16(subFormat)) + tail);
}

const QByteArray Frames = QByteArray::fromHex("00017fff8000ff7f"); // 8 bytes

} // namespace

class TestWavFile : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("samples");

        const QByteArray mono16 = fmt(1, 22050, 16);
        QTest::newRow("16-bit mono") << riff(mono16 + chunk("data", Frames)) << true << 1 << 22050 << 16 << Frames;
        QTest::newRow("8-bit stereo") << riff(fmt(2, 11025, 8) + chunk("data", Frames)) << true << 2 << 11025 << 8 << Frames;
        QTest::newRow("16-bit stereo, partial frame dropped")
            << riff(fmt(2, 44100, 16) + chunk("data", Frames.left(7))) << true << 2 << 44100 << 16 << Frames.left(4);
        QTest::newRow("other chunks skipped, odd one padded")
            << riff(chunk("LIST", "abc") + mono16 + chunk("fact", le32(4)) + chunk("data", Frames))
            << true << 1 << 22050 << 16 << Frames;
        QTest::newRow("longer format chunk")
            << riff(chunk("fmt ", fmt(1, 8000, 8).mid(8) + le16(0)) + chunk("data", Frames))
            << true << 1 << 8000 << 8 << Frames;
        QTest::newRow("trailing bytes after the RIFF ignored")
            << riff(mono16 + chunk("data", Frames)) + "junk" << true << 1 << 22050 << 16 << Frames;
        QTest::newRow("extensible PCM")
            << riff(extensible(2, 48000, 16, 1) + chunk("data", Frames)) << true << 2 << 48000 << 16 << Frames;
        QTest::newRow("RIFF and data length unknown (streamed)")
            << riff(mono16 + chunk("data", Frames, 0xFFFFFFFF), 0xFFFFFFFF) << true << 1 << 22050 << 16 << Frames;
        QTest::newRow("RIFF length unknown, data length given")
            << riff(mono16 + chunk("data", Frames, 4) + "junk", 0xFFFFFFFF) << true << 1 << 22050 << 16 << Frames.left(4);
        QTest::newRow("data chunk stops at its length")
            << riff(mono16 + chunk("data", Frames, 4) + Frames.mid(4)) << true << 1 << 22050 << 16 << Frames.left(4);

        const QByteArray good = riff(mono16 + chunk("data", Frames));
        QTest::newRow("empty file") << QByteArray() << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("text file") << QByteArray("RIFF is not a wave") << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("header only") << good.left(12) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("cut in the format chunk") << good.left(30) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("cut in the samples") << good.left(good.size() - 1) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("RIFF length too long")
            << riff(mono16 + chunk("data", Frames), 1000) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("RIFF length 4 GiB less 2")
            << riff(mono16 + chunk("data", Frames), 0xFFFFFFFE) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("data length unknown inside a known RIFF length")
            << riff(mono16 + chunk("data", Frames, 0xFFFFFFFF), 4 + mono16.size() + 8 + 4) << true
            << 1 << 22050 << 16 << Frames.left(4);
        QTest::newRow("extensible A-law")
            << riff(extensible(1, 8000, 8, 6) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("extensible, foreign sub-format scheme")
            << riff(extensible(1, 22050, 16, 1, QByteArray(14, 'x')) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("extensible, extension cut short")
            << riff(chunk("fmt ", extensible(1, 22050, 16, 1).mid(8, 24)) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("extensible, extension size too small")
            << riff(extensible(1, 22050, 16, 1, QByteArray::fromHex("000000001000800000aa00389b71"), 10)
                    + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("data length too long")
            << riff(mono16 + chunk("data", Frames, 0xFFFFFFF0)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("data chunk beyond the RIFF length")
            << riff(mono16 + chunk("data", Frames), 4 + mono16.size() + 8 + 4) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("format length too long")
            << riff(chunk("fmt ", mono16.mid(8), 0x7FFFFFFF) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("format chunk too short")
            << riff(chunk("fmt ", mono16.mid(8, 14)) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("no format chunk") << riff(chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("data before format") << riff(chunk("data", Frames) + mono16) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("no data chunk") << riff(mono16) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("no samples") << riff(mono16 + chunk("data", {})) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("less than one frame")
            << riff(fmt(2, 22050, 16) + chunk("data", Frames.left(3))) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("compressed (ADPCM)")
            << riff(fmt(1, 22050, 4, 2, 256) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("float samples")
            << riff(fmt(1, 22050, 32, 3) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("24-bit PCM") << riff(fmt(1, 22050, 24) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("no channels") << riff(fmt(0, 22050, 16, 1, 2) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("six channels") << riff(fmt(6, 22050, 16) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("sample rate 0") << riff(fmt(1, 0, 16) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
        QTest::newRow("block size lies")
            << riff(fmt(1, 22050, 16, 1, 4) + chunk("data", Frames)) << false << 0 << 0 << 0 << QByteArray();
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QString error;
        const std::optional<WavSound> sound = parseWav(bytes, &error);
        QCOMPARE(sound.has_value(), accepted);
        if (!accepted) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(int, bits);
        QFETCH(QByteArray, samples);
        QCOMPARE(sound->channels, channels);
        QCOMPARE(sound->sampleRate, rate);
        QCOMPARE(sound->bitsPerSample, bits);
        QCOMPARE(sound->samples, samples);
    }

    void encodedSoundReadsBack_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("samples");
        QTest::newRow("8-bit mono, odd length") << 1 << 8 << QByteArray("\x01\x02\x03", 3);
        QTest::newRow("16-bit stereo") << 2 << 16 << Frames;
    }
    void encodedSoundReadsBack()
    {
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(QByteArray, samples);
        const WavSound sound{channels, 16000, bits, samples};
        const QByteArray bytes = encodeWav(sound);
        QCOMPARE(bytes.size() % 2, 0);
        QCOMPARE(bytes.size(), 44 + samples.size() + samples.size() % 2);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("x.wav")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const auto back = readWavFile(file.fileName());
        QVERIFY(back);
        QCOMPARE(back->channels, channels);
        QCOMPARE(back->sampleRate, 16000);
        QCOMPARE(back->bitsPerSample, bits);
        QCOMPARE(back->samples, samples);
    }

    // Every refusal is one Czech sentence naming the file, never the system's own wording.
    void refusedFilesAreNamedInCzech_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing" << "soubor nebo složka neexistuje";
        QTest::newRow("missing, asked for by a bare name") << "relative" << "soubor nebo složka neexistuje";
        QTest::newRow("folder") << "folder" << "jde o složku, ne o soubor";
        QTest::newRow("no read permission") << "unreadable" << "nemáte potřebná oprávnění";
        QTest::newRow("pipe, not waited on") << "pipe" << "nejde o obyčejný soubor";
        QTest::newRow("too large") << "huge" << "soubor je větší než 16 MB";
        QTest::newRow("not a wave") << "text" << "nejde o zvukový soubor WAVE";
        QTest::newRow("cut short") << "cut" << "délka v hlavičce přesahuje konec souboru";
    }
    void refusedFilesAreNamedInCzech()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Zvuk ") + kind + QStringLiteral(".wav"));
        const QByteArray good = riff(fmt(1, 8000, 8) + chunk("data", Frames));
        QFile file(path);
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QFileInfo(path).fileName()));
        } else if (kind == QLatin1String("pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind != QLatin1String("missing") && kind != QLatin1String("relative")) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("huge")) {
                // Sparse: the lengths in it would all fit.
                const quint32 dataSize = quint32(WavFileSizeLimit);
                file.write(riff(fmt(1, 8000, 8) + chunk("data", {}, dataSize), 4 + 24 + 8 + dataSize));
                QVERIFY(file.resize(WavFileSizeLimit + 64));
            } else {
                file.write(kind == QLatin1String("text") ? QByteArray("Dobrý den") : good.left(40));
            }
            file.close();
        }
        QString error;
        std::optional<WavSound> sound;
        if (kind == QLatin1String("unreadable")) {
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
            const Unprivileged user({dir.path(), path});
            if (!user.holds())
                QSKIP("cannot give up root here");
            sound = readWavFile(path, &error);
        } else if (kind == QLatin1String("relative")) {
            // As the player asks for sounds: by name, inside the sound folder.
            const QString before = QDir::currentPath();
            QVERIFY(QDir::setCurrent(dir.path()));
            sound = readWavFile(QFileInfo(path).fileName(), &error);
            QVERIFY(QDir::setCurrent(before));
        } else {
            sound = readWavFile(path, &error);
        }
        QVERIFY(!sound);
        QCOMPARE(error, QStringLiteral("Zvuk „%1“ nelze přehrát: %2.").arg(path, reason));
    }
};

PARBLOK_TEST_MAIN(TestWavFile)
#include "tst_wavfile.moc"
