#pragma once

#include <QString>

// Plays `name` (a bare file name such as "Level.wav") from the program's "Zvuky" folder in the
// background and returns at once; a sound already playing is cut short. Nothing happens when the
// file is found neither in the current directory nor in "Zvuky". Afterwards the current directory
// is the program folder. A failed change of the current directory throws AppError with the
// input/output error text ("File not found", "File access denied", ...).
void PlaySoundFile(const QString &name);

// PlaySoundFile for handlers that must go on whatever happens to the sound: a failure is shown in
// the program's message box and the caller carries on.
void PlaySoundAndGoOn(const QString &name);
