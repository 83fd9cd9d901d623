#pragma once

#include <QString>

// The electronic manual: the program "ManualKvadr" in the program folder, started on its page
// "Index.htm" in the program folder's "Html/Parblok2000/".

// Looks for a file named `name`: first as given (against the current folder), then in `folder`
// (a separator is added when the folder does not end in one). The path found, or the empty text.
QString FileSearch(const QString &name, const QString &folder);

// True when both the manual program and its start page are found for `programFolder`.
bool ManualAvailable(const QString &programFolder);

// Starts the manual on its start page when both files are found; does nothing otherwise. The
// manual gets the page relative to the program folder and the game's current folder as its own.
void LaunchManual(const QString &programFolder);

inline constexpr auto ManualProgram = "ManualKvadr";
inline constexpr auto ManualPageFolder = "Html/Parblok2000/";
inline constexpr auto ManualPage = "Index.htm";
