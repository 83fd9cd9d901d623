#pragma once

// The one way the program ends: the main window's close (menu, frame button, Alt+F4) and the
// session's signals (SIGTERM, SIGHUP, SIGINT) all leave the message loop here, between two events,
// so no write of a file is cut in half. The windows still open are not closed on the way out:
// their close handlers stand for the player's closing of them (the assistant's remembers it was
// closed), which quitting the program is not.

// Leaves the message loop with `exitCode` and marks the program as ending.
void EndProgram(int exitCode = 0);

// Whether the program is ending: set by EndProgram and by the session manager's request to save
// before logout.
bool ProgramEnding();

// From now on SIGTERM, SIGHUP and SIGINT end the program through EndProgram. Call once the
// application object exists.
void EndProgramOnSignals();
