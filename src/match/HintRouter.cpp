#include "HintRouter.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QStatusTipEvent>
#include <QWidget>

THintRouter::THintRouter(QObject *owner) : QObject(owner)
{
}

THintRouter *THintRouter::instance()
{
    static THintRouter *router = nullptr;
    if (router == nullptr) {
        router = new THintRouter(qApp);
        qApp->installEventFilter(router);
    }
    return router;
}

void THintRouter::setHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    emit OnHint();
}

QString THintRouter::HintOf(const QWidget *widget)
{
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (!widget->statusTip().isEmpty())
            return widget->statusTip();
        if (!widget->toolTip().isEmpty())
            return widget->toolTip();
        if (widget->isWindow())
            break;
    }
    return QString();
}

bool THintRouter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        setHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    case QEvent::Enter:
    case QEvent::Leave:
        if (!watched->isWidgetType())
            break;
        // While an open menu has an item highlighted (from the keyboard, or a menu opening under
        // the mouse), that item's hint stays, whatever the mouse crosses.
        if (const auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            menu != nullptr && menu->activeAction() != nullptr) {
            setHint(menu->activeAction()->statusTip());
        } else if (const auto *widget = static_cast<QWidget *>(watched);
                   event->type() == QEvent::Enter) {
            setHint(HintOf(widget));
        } else {
            // Leaving a control returns the mouse to its parent; leaving a window, to no window
            // of ours until another one is entered.
            setHint(widget->isWindow() ? QString() : HintOf(widget->parentWidget()));
        }
        break;
    case QEvent::Hide:
        // A window closing under the mouse sends no leave: the hint becomes that of whatever the
        // mouse is over now. Tool tips and menus come and go over a control that keeps its hint.
        if (const auto *window = qobject_cast<QWidget *>(watched);
            window != nullptr && window->isWindow() && window->windowType() != Qt::ToolTip
            && window->windowType() != Qt::Popup
            && window->frameGeometry().contains(QCursor::pos())) {
            setHint(HintOf(QApplication::widgetAt(QCursor::pos())));
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
