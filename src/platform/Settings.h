#pragma once

#include <QString>

// The program's two remembered choices live in section "Nastaveni" of "Kvadr.ini", a file shared
// with the other programs of the family: in the program folder, or in the player's own config
// folder where the program folder is shared (PlayerFiles.h). Every call opens the file, does its
// one job and lets it go again: nothing is cached between calls.

// The value of `key` in section "Nastaveni"; a missing file, section or key gives the empty text.
// Never fails.
QString ReadSetting(const QString &key);

// Stores `value` under `key` in section "Nastaveni", creating the file and the section when they
// are missing and leaving every other line of the file as it was. Throws AppError
// "Unable to write to <path>" when the file cannot be written.
void WriteSetting(const QString &key, const QString &value);
