#pragma once

#include "AppError.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <sys/types.h>

// Another program holds a lock on a table file longer than the engine waits for it.
class FileLocked : public AppError
{
public:
    explicit FileLocked(const QString &path);
    // The file that is locked, as given to the engine.
    const QString &path() const { return m_path; }

private:
    QString m_path;
};

// A file descriptor with the few operations the table engine needs: exact positional reads and
// writes, flushing to disk and whole-file record locks.
//
// The locks are open-file-description locks (F_OFD_SETLK) over the whole byte range: two running
// copies of this program exclude each other as before, and other programs' fcntl() record locks
// (which dBASE engines take on records, on the header or far beyond the end of the file) conflict
// with them in both directions. A lock is only waited for briefly, so that the program stays
// responsive; then FileLocked is raised.
class PosixFile
{
public:
    // How long lock() waits for another program to release the file.
    static constexpr int kLockWaitMs = 1000;

    PosixFile() = default;
    ~PosixFile();
    PosixFile(const PosixFile &) = delete;
    PosixFile &operator=(const PosixFile &) = delete;

    // Opens for reading and writing when possible, else for reading; false when the file is missing
    // or cannot be opened at all (errno tells why).
    bool open(const QString &path, bool wantWrite);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    bool isWritable() const { return m_writable; }
    // Why a file asked for writing was opened for reading only (errno), else 0.
    int writeError() const { return m_writeError; }
    const QString &path() const { return m_path; }

    qint64 size() const;
    // Identity of the open file, to notice that the path now names another file.
    dev_t device() const;
    ino_t inode() const;

    // Reads exactly `length` bytes; false at end of file.
    bool readAt(qint64 offset, char *data, qint64 length) const;
    void writeAt(qint64 offset, const char *data, qint64 length);
    void writeAt(qint64 offset, const QByteArray &data) { writeAt(offset, data.constData(), data.size()); }
    void truncate(qint64 length);
    void sync();

    // Takes the file's lock (shared, or exclusive on a writable file), polling until `deadline`;
    // raises FileLocked when another program still holds a conflicting lock then.
    void lock(bool exclusive, QDeadlineTimer deadline = QDeadlineTimer(kLockWaitMs));
    void unlock();

private:
    [[noreturn]] void fail(const char *what) const;

    int m_fd = -1;
    bool m_writable = false;
    int m_writeError = 0;
    QString m_path;
};

// Puts `content` in place of `target` so that a reader sees either the old or the new file
// whole: it is written to a temporary file beside the target, flushed and renamed over it. The
// new file keeps the mode and, where the system allows, the group of the file it replaces; a new
// file takes them from `likeFile` when that exists (the table beside an index), else the usual
// defaults. Errors name `target`, never the temporary file.
void replaceFile(const QString &target, const QByteArray &content, const QString &likeFile = {});

// Identity of whatever file `path` names now; false when nothing is there.
bool statPath(const QString &path, dev_t &device, ino_t &inode);
// Flushes a folder's entries (after a rename in it) to disk.
void syncFolder(const QString &folder);
// The path shown in messages.
QString shownPath(const QString &path);
