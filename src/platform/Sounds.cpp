#include "Sounds.h"

#include "AppError.h"
#include "ProgramFolder.h"
#include "MessageBox.h"
#include "CurrentDirectory.h"
#include "SoundPlayer.h"

#include <QFileInfo>

void PlaySoundFile(const QString &name)
{
    const QString programFolder = ProgramFolder();
    const QString soundFolder = programFolder + QStringLiteral("Zvuky");
    // The name is looked for in the current directory first, then in the sound folder; the
    // sound itself is always asked for by its bare name inside the sound folder.
    if (!QFileInfo(name).isFile() && !QFileInfo(soundFolder + QLatin1Char('/') + name).isFile())
        return;
    setCurrentDirectory(soundFolder);
    playSoundAsync(name);
    setCurrentDirectory(programFolder);
}

void PlaySoundAndGoOn(const QString &name)
{
    try {
        PlaySoundFile(name);
    } catch (const AppError &error) {
        ShowErrorMessage(error.message());
    } catch (const std::exception &error) {
        ShowErrorMessage(QString::fromLocal8Bit(error.what()));
    }
}
