#pragma once

#include <QString>

// Finding the electronic manual: the program "ManualKvadr.exe" in the program folder and its start
// page "Index.htm" in the program folder's "Html/Parblok2000/".

// Looks for a file named `name`: first as given (against the current folder), then in `folder`
// (a separator is added when the folder does not end in one). The path found, or the empty text.
QString FileSearch(const QString &name, const QString &folder);

// True when both the manual program and its start page are found for `programFolder`.
bool ManualAvailable(const QString &programFolder);

inline constexpr auto ManualProgram = "ManualKvadr.exe";
inline constexpr auto ManualPageFolder = "Html/Parblok2000/";
inline constexpr auto ManualPage = "Index.htm";
