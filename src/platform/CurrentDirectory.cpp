#include "CurrentDirectory.h"

#include "AppError.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

QString inOutErrorMessage(int errorCode)
{
    switch (errorCode) {
    case ENOENT:
        return QStringLiteral("File not found");
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return QStringLiteral("Invalid filename");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Too many open files");
    case EACCES:
    case EPERM:
        return QStringLiteral("File access denied");
    default:
        return QStringLiteral("I/O error %1").arg(errorCode);
    }
}

void setCurrentDirectory(const QString &path)
{
    if (::chdir(QFile::encodeName(path).constData()) != 0)
        throw AppError(inOutErrorMessage(errno));
}
