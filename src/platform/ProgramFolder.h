#pragma once

#include <QString>

// The program's folder: the folder of the running executable, ending with the path separator.
// The settings file, the sounds and the manual are found through it; TAppPath shows it to forms.

// Computed at every call.
QString ProgramFolder();

// Cuts the file name off a program path, keeping the trailing separator.
QString FolderOfProgram(const QString &programPath);

// Tests point the program folder elsewhere; an empty text returns to the executable's folder.
void SetProgramFolderForTesting(const QString &folder);
