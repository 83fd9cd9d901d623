#include "SoundCache.h"

#include <QFile>

#include <sys/stat.h>

std::optional<SoundCache::Stamp> SoundCache::stampOf(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    const auto nanoseconds = [](const timespec &time) {
        return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return Stamp{quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                 nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

std::optional<WavSound> SoundCache::read(const QString &path, QString *error)
{
    const std::optional<Stamp> stamp = stampOf(path);
    const auto kept = m_entries.constFind(path);
    if (stamp && kept != m_entries.cend() && kept->stamp == *stamp) {
        if (!kept->sound && error)
            *error = kept->error;
        return kept->sound;
    }
    if (kept != m_entries.cend()) {
        m_bytes -= kept->sound ? kept->sound->samples.size() : 0;
        m_entries.erase(kept);
    }

    Entry entry;
    entry.sound = readWavFile(path, &entry.error);
    if (!entry.sound && error)
        *error = entry.error;
    // A file that changed while it was read is read again next time.
    if (!stamp || stampOf(path) != stamp)
        return entry.sound;
    const qint64 bytes = entry.sound ? entry.sound->samples.size() : 0;
    if (m_bytes + bytes > ByteLimit) {
        m_entries.clear();
        m_bytes = 0;
    }
    m_bytes += bytes;
    entry.stamp = *stamp;
    m_entries.insert(path, entry);
    return entry.sound;
}
