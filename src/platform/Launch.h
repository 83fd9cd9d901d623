#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Starting another program, detached from the game: the game neither waits for it nor watches it.

// Starts `file` with `parameters` as its one argument (none when empty) in `folder` (the empty
// text: the game's current folder). Texts of any length are passed whole. The show command is
// accepted for the callers' sake; a started program opens its own windows as it chooses. A program
// that cannot be started is not reported.
void LaunchProgram(const QString &file, const QString &parameters, const QString &folder,
                   int showCommand);

// The window show command that shows a window in its current size and place.
inline constexpr int SW_SHOW = 5;

// What actually starts a process: (program, arguments, working folder) -> started.
using ProcessStarter = std::function<bool(const QString &program, const QStringList &arguments,
                                          const QString &folder)>;

// Tests put a starter of their own in place of the real one; an empty function restores it.
void setProcessStarterForTesting(ProcessStarter starter);
