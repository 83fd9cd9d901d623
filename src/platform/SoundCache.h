#pragma once

#include "WavFile.h"

#include <QHash>
#include <QString>

#include <optional>

// Sound files read once and kept in memory, with the verdict on those that are refused. A file is
// read again only when it changed (another file in its place, another size, modification or
// change time). Used from one thread.
class SoundCache
{
public:
    // What readWavFile() gives for `path` (an absolute path).
    std::optional<WavSound> read(const QString &path, QString *error = nullptr);

    // All the kept sounds together stay under this many bytes.
    static constexpr qint64 ByteLimit = 2 * WavFileSizeLimit;

private:
    struct Stamp
    {
        quint64 device = 0, inode = 0;
        qint64 size = 0, modified = 0, changed = 0;
        bool operator==(const Stamp &) const = default;
    };
    struct Entry
    {
        Stamp stamp;
        std::optional<WavSound> sound;
        QString error;
    };
    static std::optional<Stamp> stampOf(const QString &path);

    QHash<QString, Entry> m_entries;
    qint64 m_bytes = 0;
};
