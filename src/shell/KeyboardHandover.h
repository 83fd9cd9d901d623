#pragma once

class QWidget;

// Window managers do not always give the keyboard where the program asks: one may hand it to the
// main window just after a balloon took it, another may leave it nowhere after a balloon closed.

// Asks the window manager to activate `window` (raised), and asks again every 100 ms, for about
// two seconds, until the keyboard is there. Stops early when `window` is hidden, minimised or
// disabled (a balloon opened over it takes the keyboard instead), or belongs to a minimised
// window.
void HandKeyboardTo(QWidget *window);

// Whether the keyboard is on `window` (as the window system reports it).
bool HasKeyboard(const QWidget *window);
