#include "Launch.h"

#include <QProcess>

namespace {
ProcessStarter &testingStarter()
{
    static ProcessStarter starter;
    return starter;
}
} // namespace

void LaunchProgram(const QString &file, const QString &parameters, const QString &folder,
                   int showCommand)
{
    Q_UNUSED(showCommand);
    const QStringList arguments = parameters.isEmpty() ? QStringList() : QStringList{parameters};
    if (testingStarter())
        testingStarter()(file, arguments, folder);
    else
        QProcess::startDetached(file, arguments, folder);
}

void setProcessStarterForTesting(ProcessStarter starter)
{
    testingStarter() = std::move(starter);
}
