#include "AppPath.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace {
QString &testingFolder()
{
    static QString folder;
    return folder;
}
} // namespace

TAppPath::TAppPath(QObject *owner) : QObject(owner) {}

QString TAppPath::AppFolder() const
{
    if (!testingFolder().isEmpty())
        return testingFolder();
    return FolderOf(QCoreApplication::applicationFilePath());
}

QString TAppPath::FolderOf(const QString &programPath)
{
    const qsizetype cut = std::max(programPath.lastIndexOf(QLatin1Char('/')),
                                   programPath.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : programPath.left(cut + 1);
}

void TAppPath::setFolderForTesting(const QString &folder)
{
    QString normalised = QDir::fromNativeSeparators(folder);
    if (!normalised.isEmpty() && !normalised.endsWith(QLatin1Char('/')))
        normalised += QLatin1Char('/');
    testingFolder() = normalised;
}
