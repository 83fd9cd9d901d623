#include "KeyboardRepeat.h"

#include <QGuiApplication>
#include <QStyleHints>

#include <X11/XKBlib.h>

KeyboardRepeat desktopKeyboardRepeat()
{
    if (const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        unsigned int delay = 0;
        unsigned int interval = 0;
        Display *display = x11->display();
        XKeyboardState state;
        if (display != nullptr && XkbGetAutoRepeatRate(display, XkbUseCoreKbd, &delay, &interval)
            && interval > 0 && XGetKeyboardControl(display, &state) != 0)
            return {int(delay), int(interval), state.global_auto_repeat == AutoRepeatModeOn};
    }
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    return {660, rate > 0 ? 1000 / rate : 40};
}
