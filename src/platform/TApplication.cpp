#include "TApplication.h"

#include "AppError.h"
#include "LazyArrowStyle.h"
#include "MessageBox.h"

#include <QFont>

#include <cstdio>
#include <cstdlib>
#include <vector>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(applicationTitle());
    setApplicationDisplayName(QString());
    // The windows have fixed pixel layouts: a point is 1/72 of 96 pixels on every screen, so a
    // font given in points takes the same room as on the machines the forms were drawn for.
    setAttribute(Qt::AA_Use96Dpi, true);
    registerFontSubstitutes();
    // Before any widget exists, so that the first one is polished by it and no other style is made.
    setStyle(new LazyArrowStyle);
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
    // The faces with the metrics of the forms' fonts come first, whichever of Debian's
    // metric-compatible sets is installed (Liberation, the Chrome OS core fonts, the URW base
    // fonts); only then a face of other widths.
    const QStringList sansFaces{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serifFaces{QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                                 QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sansFaces);
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), serifFaces);
    QFont::insertSubstitutions(QStringLiteral("Arial"), sansFaces);
}

namespace {

// Whether the platform about to be loaded is the X11 one: the user's choice, or ours.
bool xcbChosen()
{
    return qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("xcb"));
}

void reportNoXServer(const QString &reason)
{
    const QString text = QStringLiteral("Parblok 2000 potřebuje ke spuštění X server nebo XWayland, "
                                        "ale žádný není dostupný (%1).\n")
                             .arg(reason);
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

// While the X11 platform starts, its complaints are held back: if it fails, the user reads one
// Czech message instead; if it starts, they are passed on as usual.
void holdPlatformMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        const QString display = qEnvironmentVariable("DISPLAY");
        reportNoXServer(QStringLiteral("k displeji „%1“ se nelze připojit").arg(display));
        std::_Exit(NoXServerExitCode);
    }
    const QByteArray category(context.category != nullptr ? context.category : "");
    if (category.startsWith("qt.qpa"))
        heldMessages.push_back({type, category, text});
    else if (previousHandler != nullptr)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

bool chooseXcbPlatform()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (xcbChosen() && qEnvironmentVariableIsEmpty("DISPLAY")) {
        reportNoXServer(QStringLiteral("proměnná DISPLAY není nastavena"));
        return false;
    }
    return true;
}

XServerConnectionGuard::XServerConnectionGuard()
{
    if (!xcbChosen())
        return;
    m_active = true;
    previousHandler = qInstallMessageHandler(holdPlatformMessages);
}

XServerConnectionGuard::~XServerConnectionGuard()
{
    if (!m_active)
        return;
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &message : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
}
