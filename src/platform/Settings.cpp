#include "Settings.h"

#include "PlayerFiles.h"
#include "ProgramFolder.h"
#include "ProfileStrings.h"

namespace {

const QString Section = QStringLiteral("Nastaveni");

QString settingsPath()
{
    return PlayerFiles::settingsFileFor(ProgramFolder());
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
