#pragma once

// What must hold for any input of the settings layer, the WAV loader and the region data, checked
// alike by the replay of tricky files (tst_trickyfiles) and by the fuzz targets (fuzz/). Each
// check returns an empty text when all holds, else what went wrong. Only Qt Core and the
// platform layer are used, so the fuzz targets need nothing of Qt Test.

#include "AppError.h"
#include "ProfileStrings.h"
#include "RegionData.h"
#include "WavFile.h"

#include <QList>

namespace ReplayCheck {

// One write of a settings key, and another key whose value must not change by it.
struct SettingsWrite
{
    QByteArray file;
    QString section = QStringLiteral("Nastaveni");
    QString key = QStringLiteral("Pomocnik");
    QString value = QStringLiteral("1");
    QString otherSection = QStringLiteral("Nastaveni");
    QString otherKey = QStringLiteral("Uvitani");
};

// Reads a write from raw bytes: NUL bytes split them into the file's content, the section, the
// key, the value, the other section and the other key. Parts left out keep the values above, so
// a plain settings file is a write of "Pomocnik" = "1".
inline SettingsWrite splitSettingsInput(const QByteArray &input)
{
    const QList<QByteArray> parts = input.split('\0');
    SettingsWrite write;
    write.file = parts.value(0);
    QString *fields[] = {&write.section, &write.key, &write.value, &write.otherSection,
                         &write.otherKey};
    for (qsizetype i = 1; i < parts.size() && i <= 5; ++i)
        *fields[i - 1] = QString::fromUtf8(parts[i]);
    return write;
}

inline bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

inline QString show(const std::optional<QString> &value)
{
    return value ? QStringLiteral("\"%1\"").arg(*value) : QStringLiteral("(none)");
}

// The key reads back as written (line breaks in the value turned to blanks); apart from the one
// line that changes, every byte of the file stays, so no other line is lost, joined or split; and
// another key reads as before.
inline QString settingsWrite(const SettingsWrite &w)
{
    if (!ProfileText::canStore(w.section, w.key))
        return {};
    const QByteArray after = ProfileText::withValue(w.file, w.section, w.key, w.value);

    QString expected = w.value;
    expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const std::optional<QString> readBack = ProfileText::find(after, w.section, w.key);
    if (readBack != expected)
        return QStringLiteral("the key reads back as %1, not \"%2\"").arg(show(readBack), expected);

    qsizetype prefix = 0;
    const qsizetype shorter = qMin(w.file.size(), after.size());
    while (prefix < shorter && w.file[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix
           && w.file[w.file.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = w.file.mid(prefix, w.file.size() - suffix - prefix);
    if (removed.contains('\r') || removed.contains('\n'))
        return QStringLiteral("bytes %1 to %2 of the file, across a line end, were replaced")
            .arg(prefix)
            .arg(w.file.size() - suffix);

    if (!(sameName(w.otherSection, w.section) && sameName(w.otherKey, w.key))) {
        const auto before = ProfileText::find(w.file, w.otherSection, w.otherKey);
        const auto now = ProfileText::find(after, w.otherSection, w.otherKey);
        if (before != now)
            return QStringLiteral("another key changed from %1 to %2").arg(show(before), show(now));
    }
    return {};
}

// A refused sound says why; an accepted one is sound PCM that is written and read back the same.
inline QString wav(const QByteArray &bytes)
{
    QString error;
    const std::optional<WavSound> sound = parseWav(bytes, &error);
    if (!sound)
        return error.isEmpty() ? QStringLiteral("refused without a reason") : QString();
    if ((sound->channels != 1 && sound->channels != 2)
        || (sound->bitsPerSample != 8 && sound->bitsPerSample != 16) || sound->samples.isEmpty()
        || sound->samples.size() % sound->bytesPerFrame() != 0 || sound->samples.size() > bytes.size())
        return QStringLiteral("accepted a sound that is not whole PCM frames");
    const std::optional<WavSound> again = parseWav(encodeWav(*sound));
    if (!again || again->channels != sound->channels || again->sampleRate != sound->sampleRate
        || again->bitsPerSample != sound->bitsPerSample || again->samples != sound->samples)
        return QStringLiteral("the sound does not read back as written");
    return {};
}

inline const QString RegionRefusal = QStringLiteral("Neplatná data obrysu okna: ");

// Refused data gets the region data's Czech message; accepted data is written back and reads
// as the same region.
inline QString region(const QByteArray &bytes)
{
    QRegion parsed;
    try {
        parsed = RegionData::parse(bytes);
    } catch (const AppError &error) {
        return error.message().startsWith(RegionRefusal) ? QString() : error.message();
    }
    try {
        const QByteArray written = RegionData::write(parsed);
        const QRegion again = RegionData::parse(written);
        // Compared as sets of pixels: QRegion may split the same region into bands differently.
        if (!again.xored(parsed).isEmpty())
            return QStringLiteral("the region reads back different");
    } catch (const AppError &error) {
        return QStringLiteral("an accepted region was refused on the way back: ") + error.message();
    }
    return {};
}

} // namespace ReplayCheck
