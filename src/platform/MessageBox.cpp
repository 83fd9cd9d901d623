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
