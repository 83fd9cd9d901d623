#pragma once

// The desktop's key repeat: the first repeat of a held key comes `delay` milliseconds after the
// press, the next ones every `interval` milliseconds; `on` is false when held keys do not repeat.
struct KeyboardRepeat
{
    int delay;
    int interval;
    bool on = true;
};

// The X server's key repeat of the core keyboard; without an X server (another platform), the
// X server's defaults at the rate the platform names.
KeyboardRepeat desktopKeyboardRepeat();
