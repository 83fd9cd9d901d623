#pragma once

// The build steps that draw the program's pictures run without a display or a session.

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

// Call before the application object is made: it paints off screen, and the platform gets the
// private runtime folder it wants (`runtime`, which must outlive the application object).
inline void prepareOffscreenArt(const QTemporaryDir &runtime)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
}
