#include "Manual.h"

#include "Launch.h"

#include <QFileInfo>

QString FileSearch(const QString &name, const QString &folder)
{
    if (QFileInfo(name).isFile())
        return name;
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += name;
    return QFileInfo(path).isFile() ? path : QString();
}

bool ManualAvailable(const QString &programFolder)
{
    return !FileSearch(QLatin1String(ManualProgram), programFolder).isEmpty()
           && !FileSearch(QLatin1String(ManualPage), programFolder + QLatin1String(ManualPageFolder))
                   .isEmpty();
}

void LaunchManual(const QString &programFolder)
{
    if (!ManualAvailable(programFolder))
        return;
    LaunchProgram(programFolder + QLatin1String(ManualProgram),
                  QLatin1String(ManualPageFolder) + QLatin1String(ManualPage), QString(), SW_SHOW);
}
