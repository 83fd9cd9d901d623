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

// Chooses the X11 platform on a Wayland session unless the user has chosen one: the assistant and
// its balloons place their own top-level windows, which Wayland does not allow. Call before the
// application object is created.
void preferXcbOnWayland();
