#include "PosixFile.h"

#include "AppError.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kLockWaitMs = 10000;
constexpr int kLockPollMs = 5;

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

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
    const QByteArray name = nativePath(path);
    if (wantWrite) {
        m_fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
        m_writable = m_fd >= 0;
        if (m_fd >= 0 || (errno != EACCES && errno != EROFS && errno != EPERM))
            return m_fd >= 0;
    }
    m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    return m_fd >= 0;
}

void PosixFile::create(const QString &path)
{
    close();
    m_path = path;
    m_fd = ::open(nativePath(path).constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0)
        fail("create");
    m_writable = true;
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

QByteArray PosixFile::readAll() const
{
    QByteArray data(size(), Qt::Uninitialized);
    if (!readAt(0, data.data(), data.size()))
        fail("read");
    return data;
}

void PosixFile::writeAt(qint64 offset, const char *data, qint64 length)
{
    while (length > 0) {
        const ssize_t put = ::pwrite(m_fd, data, size_t(length), off_t(offset));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            fail("write");
        data += put;
        offset += put;
        length -= put;
    }
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

void PosixFile::lock(bool exclusive)
{
    const int operation = (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    for (int waited = 0;; waited += kLockPollMs) {
        if (::flock(m_fd, operation) == 0)
            return;
        if (errno != EWOULDBLOCK && errno != EINTR)
            fail("lock");
        if (waited >= kLockWaitMs)
            throw AppError(QStringLiteral("Soubor „%1“ je zamčen jiným programem.").arg(shownPath(m_path)));
        QThread::msleep(kLockPollMs);
    }
}

void PosixFile::unlock()
{
    if (m_fd >= 0)
        ::flock(m_fd, LOCK_UN);
}

void PosixFile::fail(const char *what) const
{
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    if (std::strcmp(what, "read") == 0 || std::strcmp(what, "stat") == 0)
        throw AppError(QStringLiteral("Soubor „%1“ nelze přečíst: %2").arg(shownPath(m_path), reason));
    throw AppError(QStringLiteral("Do souboru „%1“ nelze zapisovat: %2").arg(shownPath(m_path), reason));
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
