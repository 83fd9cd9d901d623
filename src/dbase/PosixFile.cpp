#include "PosixFile.h"

#include "FileErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kLockPollMs = 2;

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// A lock request over every byte of the file, present and future.
struct flock wholeFile(short type)
{
    struct flock request {};
    request.l_type = type;
    request.l_whence = SEEK_SET;
    request.l_start = 0;
    request.l_len = 0;
    return request;
}

// Writes all `length` bytes at `offset`, resuming after interruptions and short writes; false,
// with errno set, when the system takes no more.
bool writeFully(int fd, qint64 offset, const char *data, qint64 length)
{
    while (length > 0) {
        const ssize_t put = ::pwrite(fd, data, size_t(length), off_t(offset));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = EIO;
            return false;
        }
        data += put;
        offset += put;
        length -= put;
    }
    return true;
}

AppError notWritable(const QString &path, int error)
{
    return AppError(QStringLiteral("Do souboru „%1“ nelze zapisovat: %2.").arg(shownPath(path), fileErrorText(error)));
}

} // namespace

FileLocked::FileLocked(const QString &path)
    : AppError(QStringLiteral("Soubor „%1“ je zamčen jiným programem. Zkuste to prosím znovu později.").arg(shownPath(path))),
      m_path(path)
{
}

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

PosixFile::~PosixFile()
{
    close();
}

bool PosixFile::open(const QString &path, bool wantWrite)
{
    close();
    m_path = path;
    m_writeError = 0;
    const QByteArray name = nativePath(path);
    if (wantWrite) {
        m_fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
        m_writable = m_fd >= 0;
        if (m_fd >= 0 || (errno != EACCES && errno != EROFS && errno != EPERM))
            return m_fd >= 0;
        m_writeError = errno;
    }
    m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    return m_fd >= 0;
}

void PosixFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_writable = false;
}

qint64 PosixFile::size() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        fail("stat");
    return st.st_size;
}

dev_t PosixFile::device() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        fail("stat");
    return st.st_dev;
}

ino_t PosixFile::inode() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        fail("stat");
    return st.st_ino;
}

bool PosixFile::readAt(qint64 offset, char *data, qint64 length) const
{
    if (offset < 0)
        return false;
    while (length > 0) {
        const ssize_t got = ::pread(m_fd, data, size_t(length), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail("read");
        if (got == 0)
            return false;
        data += got;
        offset += got;
        length -= got;
    }
    return true;
}

void PosixFile::writeAt(qint64 offset, const char *data, qint64 length)
{
    if (!writeFully(m_fd, offset, data, length))
        fail("write");
}

void PosixFile::truncate(qint64 length)
{
    if (::ftruncate(m_fd, off_t(length)) != 0)
        fail("write");
}

void PosixFile::sync()
{
    if (::fdatasync(m_fd) != 0)
        fail("write");
}

void PosixFile::lock(bool exclusive, QDeadlineTimer deadline)
{
    struct flock request = wholeFile(exclusive && m_writable ? F_WRLCK : F_RDLCK);
    for (;;) {
        if (::fcntl(m_fd, F_OFD_SETLK, &request) == 0)
            return;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EACCES)
            fail("lock");
        if (deadline.hasExpired())
            throw FileLocked(m_path);
        QThread::msleep(std::min<qint64>(kLockPollMs, std::max<qint64>(1, deadline.remainingTime())));
    }
}

void PosixFile::unlock()
{
    if (m_fd < 0)
        return;
    struct flock request = wholeFile(F_UNLCK);
    ::fcntl(m_fd, F_OFD_SETLK, &request);
}

void PosixFile::fail(const char *what) const
{
    const QString reason = fileErrorText(errno);
    if (std::strcmp(what, "read") == 0 || std::strcmp(what, "stat") == 0)
        throw AppError(QStringLiteral("Soubor „%1“ nelze přečíst: %2.").arg(shownPath(m_path), reason));
    if (std::strcmp(what, "lock") == 0)
        throw AppError(QStringLiteral("Soubor „%1“ nelze zamknout: %2.").arg(shownPath(m_path), reason));
    throw AppError(QStringLiteral("Do souboru „%1“ nelze zapisovat: %2.").arg(shownPath(m_path), reason));
}

void replaceFile(const QString &target, const QByteArray &content, const QString &likeFile)
{
    const QFileInfo info(target);
    const QByteArray temporary = nativePath(info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".new")));
    struct stat like {};
    const bool haveLike = ::stat(nativePath(target).constData(), &like) == 0
        || (!likeFile.isEmpty() && ::stat(nativePath(likeFile).constData(), &like) == 0);

    // A temporary file left by a copy that died is stale: nothing else writes it outside the lock.
    ::unlink(temporary.constData());
    const int fd = ::open(temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw notWritable(target, errno);
    if (haveLike) {
        // The group first: changing it may clear the set-group-ID bit that the mode then restores.
        // Neither may fail the write: without them the file just gets the usual defaults.
        [[maybe_unused]] const int grouped = ::fchown(fd, uid_t(-1), like.st_gid);
        [[maybe_unused]] const int moded = ::fchmod(fd, like.st_mode & 07777);
    }
    if (!writeFully(fd, 0, content.constData(), content.size()) || ::fdatasync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.constData());
        throw notWritable(target, error);
    }
    ::close(fd);
    if (std::rename(temporary.constData(), nativePath(target).constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        throw notWritable(target, error);
    }
}

bool statPath(const QString &path, dev_t &device, ino_t &inode)
{
    struct stat st {};
    if (::stat(nativePath(path).constData(), &st) != 0)
        return false;
    device = st.st_dev;
    inode = st.st_ino;
    return true;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(nativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
