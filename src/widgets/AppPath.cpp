#include "AppPath.h"

#include "ProgramFolder.h"

TAppPath::TAppPath(QObject *owner) : QObject(owner) {}

QString TAppPath::AppFolder() const
{
    return ProgramFolder();
}

QString TAppPath::FolderOf(const QString &programPath)
{
    return FolderOfProgram(programPath);
}

void TAppPath::setFolderForTesting(const QString &folder)
{
    SetProgramFolderForTesting(folder);
}
