#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Uncompressed PCM sound as stored in a RIFF WAVE file: 8-bit unsigned or 16-bit signed
// little-endian samples, one or two interleaved channels.
struct WavSound
{
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples; // whole frames only

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    qint64 frameCount() const;
};

// The largest sound file read; sounds of the program last a second or two.
inline constexpr qint64 WavFileSizeLimit = 16 * 1024 * 1024;

// Reads a RIFF WAVE file. Every length in the file is checked against the bytes actually there;
// the length 0xFFFFFFFF of the RIFF or of the samples (written by tools that stream) means "up to
// the end of the file". The extensible format layout is read like the plain one when it holds PCM.
// A file that is empty, cut short, lies about a length, holds no samples or uses anything but
// 8/16-bit PCM in one or two channels is refused: nothing is returned and `error` (if given) says
// why in Czech: parseWav() gives the reason alone ("chybí popis formátu"), readWavFile() a whole
// sentence naming the file by its full path ("Zvuk „…/Zvuky/Level.wav“ nelze přehrát: soubor
// nebo složka neexistuje.").
std::optional<WavSound> parseWav(const QByteArray &bytes, QString *error = nullptr);
std::optional<WavSound> readWavFile(const QString &path, QString *error = nullptr);

// The RIFF WAVE file of a sound: a "fmt " chunk and a "data" chunk.
QByteArray encodeWav(const WavSound &sound);
