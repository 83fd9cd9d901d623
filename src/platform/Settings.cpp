#include "Settings.h"

#include "ProgramFolder.h"
#include "ProfileStrings.h"

namespace {

const QString Section = QStringLiteral("Nastaveni");

QString settingsPath()
{
    return ProgramFolder() + QStringLiteral("Kvadr.ini");
}

} // namespace

QString ReadSetting(const QString &key)
{
    const ProfileFile settings(settingsPath());
    return settings.ReadString(Section, key, QString());
}

void WriteSetting(const QString &key, const QString &value)
{
    const ProfileFile settings(settingsPath());
    settings.WriteString(Section, key, value);
}
