#include "WavFile.h"

#include <QFile>
#include <QtEndian>

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

std::optional<WavSound> refuse(QString *error, const char *why)
{
    if (error)
        *error = QString::fromLatin1(why);
    return std::nullopt;
}

constexpr quint16 PcmFormat = 1;
constexpr int FmtSize = 16;

} // namespace

qint64 WavSound::frameCount() const
{
    return bytesPerFrame() > 0 ? samples.size() / bytesPerFrame() : 0;
}

std::optional<WavSound> parseWav(const QByteArray &bytes, QString *error)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return refuse(error, "not a RIFF WAVE file");
    const qint64 riffEnd = qint64(u32(bytes, 4)) + 8;
    if (riffEnd > bytes.size())
        return refuse(error, "RIFF length beyond the end of the file");

    std::optional<WavSound> format;
    qint64 pos = 12;
    while (pos + 8 <= riffEnd) {
        const QByteArray id = bytes.mid(pos, 4);
        const qint64 size = u32(bytes, pos + 4);
        const qint64 body = pos + 8;
        if (body + size > riffEnd)
            return refuse(error, "chunk length beyond the end of the file");

        if (id == "fmt " && !format) {
            if (size < FmtSize)
                return refuse(error, "format chunk too short");
            WavSound sound;
            const quint16 tag = u16(bytes, body);
            sound.channels = u16(bytes, body + 2);
            sound.sampleRate = static_cast<int>(qMin<quint32>(u32(bytes, body + 4), 1u << 30));
            const quint16 blockAlign = u16(bytes, body + 12);
            sound.bitsPerSample = u16(bytes, body + 14);
            if (tag != PcmFormat)
                return refuse(error, "not PCM");
            if (sound.bitsPerSample != 8 && sound.bitsPerSample != 16)
                return refuse(error, "unsupported sample size");
            if (sound.channels < 1 || sound.channels > 2)
                return refuse(error, "unsupported channel count");
            if (sound.sampleRate < 1000 || sound.sampleRate > 192000)
                return refuse(error, "unsupported sample rate");
            if (blockAlign != sound.bytesPerFrame())
                return refuse(error, "block size does not match the format");
            format = sound;
        } else if (id == "data") {
            if (!format)
                return refuse(error, "data before the format chunk");
            WavSound sound = *format;
            const qint64 whole = size - size % sound.bytesPerFrame();
            if (whole == 0)
                return refuse(error, "no samples");
            sound.samples = bytes.mid(body, whole);
            return sound;
        }
        pos = body + size + (size & 1); // chunks are padded to an even length
    }
    return refuse(error, format ? "no data chunk" : "no format chunk");
}

std::optional<WavSound> readWavFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(error, "cannot open the file");
    if (file.size() > WavFileSizeLimit)
        return refuse(error, "file too large");
    return parseWav(file.read(WavFileSizeLimit + 1), error);
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
