#include "TApplication.h"

#include "AppError.h"
#include "MessageBox.h"

#include <QFont>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(applicationTitle());
    setApplicationDisplayName(QString());
    // The windows have fixed pixel layouts: a point is 1/72 of 96 pixels on every screen, so a
    // font given in points takes the same room as on the machines the forms were drawn for.
    setAttribute(Qt::AA_Use96Dpi, true);
    registerFontSubstitutes();
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        HandleException(error);
    } catch (...) {
        ShowErrorMessage(QStringLiteral("Neznámá chyba"));
    }
    return true;
}

void TApplication::HandleException(const std::exception &error)
{
    if (const auto *appError = dynamic_cast<const AppError *>(&error))
        ShowErrorMessage(appError->message());
    else
        ShowErrorMessage(QString::fromLocal8Bit(error.what()));
}

void registerFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

void preferXcbOnWayland()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
                         || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (wayland && qEnvironmentVariableIsSet("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}
