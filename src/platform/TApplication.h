#pragma once

#include <QApplication>

// The application object. It is the program's default error handler: an exception that leaves an
// event handler is shown in a message box titled "Parblok 2000", that handler ends there, and the
// program keeps running.
class TApplication : public QApplication
{
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the message of an exception the way the default handler does.
    static void HandleException(const std::exception &error);
};

// Registers the font substitutes the forms rely on ("MS Sans Serif", "Times New Roman", "Arial")
// so layouts do not depend on the machine's font configuration.
void registerFontSubstitutes();

// The program runs on an X server (XWayland on a Wayland session): the assistant and its balloons
// place their own top-level windows, which Wayland does not allow.

// The exit code of a start without an X server.
inline constexpr int NoXServerExitCode = 1;

// Chooses the X11 platform unless the user has chosen one. Returns false, after telling the user
// on standard error, when the X11 platform has no display to connect to. Call before the
// application object is created.
bool chooseXcbPlatform();

// Lives while the application object is created: if the X11 platform cannot connect to its
// display, the program ends with a Czech message on standard error and NoXServerExitCode instead
// of the platform's abort; the platform's own messages of a start that succeeds are kept.
class XServerConnectionGuard
{
public:
    XServerConnectionGuard();
    ~XServerConnectionGuard();
    XServerConnectionGuard(const XServerConnectionGuard &) = delete;
    XServerConnectionGuard &operator=(const XServerConnectionGuard &) = delete;

private:
    bool m_active = false;
};
