#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace WholeFile {

int writeTemporary(const QString &path, const QByteArray &content, QByteArray &temporary, int mode)
{
    const QFileInfo info(path);
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = QFile::encodeName(info.path() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
                                      + QString::number(QRandomGenerator::global()->generate(), 36));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 10))
            return errno;
    }
    struct stat st {};
    bool written = ::fstat(fd, &st) == 0;
    const mode_t wanted = mode >= 0 ? mode_t(mode) : (st.st_mode & 07777) | 0600;
    written = written && ((st.st_mode & 07777) == wanted || ::fchmod(fd, wanted) == 0);
    for (qsizetype at = 0; written && at < content.size();) {
        const ssize_t put = ::write(fd, content.constData() + at, size_t(content.size() - at));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = EIO;
            written = false;
        } else {
            at += put;
        }
    }
    written = written && ::fsync(fd) == 0;
    const int error = written ? 0 : errno;
    if (::close(fd) != 0 && written && errno != EINTR) {
        discard(temporary);
        return errno;
    }
    if (!written)
        discard(temporary);
    return error;
}

int putInPlace(const QByteArray &temporary, const QString &path, bool keepExisting)
{
    const QByteArray target = QFile::encodeName(path);
    int result = 0;
    if (keepExisting)
        result = ::link(temporary.constData(), target.constData()) == 0 || errno == EEXIST ? 0 : errno;
    else
        result = ::rename(temporary.constData(), target.constData()) == 0 ? 0 : errno;
    discard(temporary);
    return result;
}

void discard(const QByteArray &temporary)
{
    // After a rename the name is gone; a failed removal leaves a hidden stray file, nothing more.
    const int saved = errno;
    ::unlink(temporary.constData());
    errno = saved;
}

void syncFolderOf(const QString &path)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

int read(const QString &path, QByteArray &content)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            const int error = got < 0 ? errno : 0;
            ::close(fd);
            return error;
        }
        content.append(buffer, got);
    }
}

} // namespace WholeFile
