#pragma once

#include <QString>
#include <functional>

// Every message box of the program goes through here, so tests can read the texts instead of
// facing a box that waits for a click.

// The title the program's message boxes carry.
QString applicationTitle();

// Shows `text` in an information box titled with the application title.
void ShowMessage(const QString &text);

// Shows `text` as an error box titled with the application title.
void ShowErrorMessage(const QString &text);

// A hook that receives (title, text) in place of the box; an empty function restores the box.
using MessageHook = std::function<void(const QString &title, const QString &text)>;
void setMessageHook(MessageHook hook);
