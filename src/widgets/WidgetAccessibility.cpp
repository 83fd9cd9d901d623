#include "WidgetAccessibility.h"

#include "GradText.h"
#include "OContrls.h"

#include <QAccessibleWidget>

namespace {

// An office control: a button or a link that can be pressed.
class OfficeControlAccessible : public QAccessibleWidget
{
public:
    OfficeControlAccessible(TOfficeControl *control, QAccessible::Role role)
        : QAccessibleWidget(control, role)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<TOfficeControl *>(widget())->Click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *customControls(const QString &className, QObject *object)
{
    if (className == QLatin1String("TOfficeButton"))
        return new OfficeControlAccessible(static_cast<TOfficeControl *>(object),
                                           QAccessible::Button);
    if (className == QLatin1String("TOfficeLabel"))
        return new OfficeControlAccessible(static_cast<TOfficeControl *>(object),
                                           QAccessible::Link);
    if (className == QLatin1String("TGradText"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StaticText);
    return nullptr;
}

} // namespace

void InstallWidgetAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(customControls);
        return true;
    }();
    Q_UNUSED(installed);
}

void SyncAccessibleHint(QWidget *widget)
{
    if (widget->accessibleDescription() != widget->toolTip())
        widget->setAccessibleDescription(widget->toolTip());
}
