#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// A file descriptor with the few operations the table engine needs: exact positional reads and
// writes, flushing to disk and whole-file locks shared by every running copy.
class PosixFile
{
public:
    PosixFile() = default;
    ~PosixFile();
    PosixFile(const PosixFile &) = delete;
    PosixFile &operator=(const PosixFile &) = delete;

    // Opens for reading and writing when possible, else for reading; false when the file is missing
    // or cannot be opened at all (errno tells why).
    bool open(const QString &path, bool wantWrite);
    // Creates or empties a file for writing.
    void create(const QString &path);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    bool isWritable() const { return m_writable; }
    const QString &path() const { return m_path; }

    qint64 size() const;
    // Identity of the open file, to notice that the path now names another file.
    dev_t device() const;
    ino_t inode() const;

    // Reads exactly `length` bytes; false at end of file.
    bool readAt(qint64 offset, char *data, qint64 length) const;
    QByteArray readAll() const;
    void writeAt(qint64 offset, const char *data, qint64 length);
    void writeAt(qint64 offset, const QByteArray &data) { writeAt(offset, data.constData(), data.size()); }
    void truncate(qint64 length);
    void sync();

    // Takes the file's lock, waiting up to a few seconds for another copy to release it.
    void lock(bool exclusive);
    void unlock();

private:
    [[noreturn]] void fail(const char *what) const;

    int m_fd = -1;
    bool m_writable = false;
    QString m_path;
};

// Holds a file's lock for a scope.
class FileLock
{
public:
    FileLock(PosixFile &file, bool exclusive) : m_file(file) { m_file.lock(exclusive); }
    ~FileLock() { m_file.unlock(); }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    PosixFile &m_file;
};

// Identity of whatever file `path` names now; false when nothing is there.
bool statPath(const QString &path, dev_t &device, ino_t &inode);
// Flushes a folder's entries (after a rename in it) to disk.
void syncFolder(const QString &folder);
// The path shown in messages.
QString shownPath(const QString &path);
