#include "WavFile.h"

#include "FileErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 u16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

void put32(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void put16(QByteArray &bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

std::optional<WavSound> refuse(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

constexpr quint16 PcmFormat = 1;
constexpr quint16 ExtensibleFormat = 0xFFFE;
constexpr int FmtSize = 16;
constexpr int ExtensibleFmtSize = 40;
// A length that streaming tools write when they cannot know it: up to the end of the file.
constexpr quint32 UnknownLength = 0xFFFFFFFF;
// The sub-format of an extensible format chunk after its leading format number: the fixed tail
// shared by every format number mapped into that scheme.
const QByteArray SubFormatTail = QByteArray::fromHex("000000001000800000aa00389b71");

// The format number of a format chunk: its own, or for the extensible layout the one inside its
// sub-format (the extensible number itself when that layout is cut short or names no number).
quint16 formatTag(const QByteArray &bytes, qint64 body, qint64 size)
{
    const quint16 tag = u16(bytes, body);
    if (tag != ExtensibleFormat)
        return tag;
    if (size < ExtensibleFmtSize || u16(bytes, body + 16) < ExtensibleFmtSize - 18
        || bytes.mid(body + 26, SubFormatTail.size()) != SubFormatTail)
        return ExtensibleFormat;
    return u16(bytes, body + 24);
}

} // namespace

qint64 WavSound::frameCount() const
{
    return bytesPerFrame() > 0 ? samples.size() / bytesPerFrame() : 0;
}

std::optional<WavSound> parseWav(const QByteArray &bytes, QString *error)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return refuse(error, QStringLiteral("nejde o zvukový soubor WAVE"));
    const quint32 riffSize = u32(bytes, 4);
    const qint64 riffEnd = riffSize == UnknownLength ? bytes.size() : qint64(riffSize) + 8;
    if (riffEnd > bytes.size())
        return refuse(error, QStringLiteral("délka v hlavičce přesahuje konec souboru"));

    std::optional<WavSound> format;
    qint64 pos = 12;
    while (pos + 8 <= riffEnd) {
        const QByteArray id = bytes.mid(pos, 4);
        const quint32 declared = u32(bytes, pos + 4);
        const qint64 body = pos + 8;
        const qint64 size = declared == UnknownLength && id == "data" ? riffEnd - body : declared;
        if (body + size > riffEnd)
            return refuse(error, QStringLiteral("délka bloku přesahuje konec souboru"));

        if (id == "fmt " && !format) {
            if (size < FmtSize)
                return refuse(error, QStringLiteral("popis formátu je příliš krátký"));
            WavSound sound;
            const quint16 tag = formatTag(bytes, body, size);
            sound.channels = u16(bytes, body + 2);
            const quint32 rate = u32(bytes, body + 4);
            sound.sampleRate = static_cast<int>(qMin<quint32>(rate, 1u << 30));
            const quint16 blockAlign = u16(bytes, body + 12);
            sound.bitsPerSample = u16(bytes, body + 14);
            if (tag != PcmFormat)
                return refuse(error, QStringLiteral("zvuk není uložen nekomprimovaně (PCM), "
                                                    "ale ve formátu č. %1").arg(tag));
            if (sound.bitsPerSample != 8 && sound.bitsPerSample != 16)
                return refuse(error, QStringLiteral("vzorky o %1 bitech nejsou podporovány")
                                         .arg(sound.bitsPerSample));
            if (sound.channels < 1 || sound.channels > 2)
                return refuse(error, QStringLiteral("počet kanálů %1 není podporován")
                                         .arg(sound.channels));
            if (sound.sampleRate < 1000 || sound.sampleRate > 192000)
                return refuse(error, QStringLiteral("vzorkovací kmitočet %1 Hz není podporován")
                                         .arg(rate));
            if (blockAlign != sound.bytesPerFrame())
                return refuse(error, QStringLiteral("velikost snímku neodpovídá formátu"));
            format = sound;
        } else if (id == "data") {
            if (!format)
                return refuse(error, QStringLiteral("vzorky předcházejí popisu formátu"));
            WavSound sound = *format;
            const qint64 whole = size - size % sound.bytesPerFrame();
            if (whole == 0)
                return refuse(error, QStringLiteral("soubor neobsahuje žádné vzorky"));
            sound.samples = bytes.mid(body, whole);
            return sound;
        }
        pos = body + size + (size & 1); // chunks are padded to an even length
    }
    return refuse(error, format ? QStringLiteral("chybí blok se vzorky")
                                : QStringLiteral("chybí popis formátu"));
}

std::optional<WavSound> readWavFile(const QString &path, QString *error)
{
    const auto refuseFile = [&](const QString &why) {
        const QString named = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        return refuse(error, QStringLiteral("Zvuk „%1“ nelze přehrát: %2.").arg(named, why));
    };
    // Opened here rather than through QFile, so that the reason of a failure is the system's
    // error code, worded in Czech; without waiting, should the name be a pipe.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return refuseFile(fileErrorText(errno));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuseFile(fileErrorText(EIO));
    }
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return refuseFile(fileErrorText(errno));
    if (S_ISDIR(status.st_mode))
        return refuseFile(fileErrorText(EISDIR));
    if (!S_ISREG(status.st_mode))
        return refuseFile(QStringLiteral("nejde o obyčejný soubor"));
    const QString tooLarge = QStringLiteral("soubor je větší než %1 MB").arg(WavFileSizeLimit >> 20);
    if (status.st_size > WavFileSizeLimit)
        return refuseFile(tooLarge);
    const QByteArray bytes = file.read(WavFileSizeLimit + 1); // the file may grow meanwhile
    if (file.error() != QFileDevice::NoError)
        return refuseFile(fileErrorText(EIO));
    if (bytes.size() > WavFileSizeLimit)
        return refuseFile(tooLarge);
    QString reason;
    std::optional<WavSound> sound = parseWav(bytes, &reason);
    if (!sound)
        return refuseFile(reason);
    return sound;
}

QByteArray encodeWav(const WavSound &sound)
{
    const auto dataSize = static_cast<quint32>(sound.samples.size());
    QByteArray bytes;
    bytes.reserve(44 + sound.samples.size() + 1);
    bytes.append("RIFF");
    put32(bytes, 4 + (8 + FmtSize) + (8 + dataSize + (dataSize & 1)));
    bytes.append("WAVE");
    bytes.append("fmt ");
    put32(bytes, FmtSize);
    put16(bytes, PcmFormat);
    put16(bytes, static_cast<quint16>(sound.channels));
    put32(bytes, static_cast<quint32>(sound.sampleRate));
    put32(bytes, static_cast<quint32>(sound.sampleRate * sound.bytesPerFrame()));
    put16(bytes, static_cast<quint16>(sound.bytesPerFrame()));
    put16(bytes, static_cast<quint16>(sound.bitsPerSample));
    bytes.append("data");
    put32(bytes, dataSize);
    bytes.append(sound.samples);
    if (dataSize & 1)
        bytes.append('\0');
    return bytes;
}
