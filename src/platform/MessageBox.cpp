#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageHook &hook()
{
    static MessageHook instance;
    return instance;
}

void show(QMessageBox::Icon icon, const QString &text)
{
    if (hook()) {
        hook()(applicationTitle(), text);
        return;
    }
    QMessageBox box(icon, applicationTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    // The player must answer the box before anything else: it never opens beneath a window that
    // stays on top, such as the splash or a dialog.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
} // namespace

QString applicationTitle()
{
    return QStringLiteral("Parblok 2000");
}

void ShowMessage(const QString &text)
{
    show(QMessageBox::NoIcon, text);
}

void ShowErrorMessage(const QString &text)
{
    show(QMessageBox::Critical, text);
}

void setMessageHook(MessageHook newHook)
{
    hook() = std::move(newHook);
}
