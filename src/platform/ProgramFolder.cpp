#include "ProgramFolder.h"

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

QString ProgramFolder()
{
    if (!testingFolder().isEmpty())
        return testingFolder();
    return FolderOfProgram(QCoreApplication::applicationFilePath());
}

QString FolderOfProgram(const QString &programPath)
{
    const qsizetype cut = std::max(programPath.lastIndexOf(QLatin1Char('/')),
                                   programPath.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : programPath.left(cut + 1);
}

void SetProgramFolderForTesting(const QString &folder)
{
    QString normalised = QDir::fromNativeSeparators(folder);
    if (!normalised.isEmpty() && !normalised.endsWith(QLatin1Char('/')))
        normalised += QLatin1Char('/');
    testingFolder() = normalised;
}
