#pragma once

// The desktop's key repeat: the first repeat of a held key comes `delay` milliseconds after the
// press, the next ones every `interval` milliseconds.
struct KeyboardRepeat
{
    int delay;
    int interval;
};

// The X server's key repeat of the core keyboard; without an X server (another platform), the
// X server's defaults at the rate the platform names.
KeyboardRepeat desktopKeyboardRepeat();
