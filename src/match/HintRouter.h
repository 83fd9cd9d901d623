#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The application's current hint. A control's hint is its status tip, or else its tool tip; a
// control without one shows the hint of the nearest parent in its window that has one. The router
// watches every window of the application: when the mouse enters a control, or a menu item or
// toolbar button announces its status tip, the hint changes and OnHint is emitted. Status-tip
// events end here, so no window shows them on its own.
class THintRouter : public QObject
{
    Q_OBJECT
public:
    // The one router, installed on the application object at the first call.
    static THintRouter *instance();

    QString Hint() const { return m_hint; }
    // Stores a changed hint and emits OnHint; the same hint again changes nothing.
    void setHint(const QString &hint);

    // The hint `widget` shows, looked up through its parents up to its window.
    static QString HintOf(const QWidget *widget);

signals:
    void OnHint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit THintRouter(QObject *owner);

    QString m_hint;
};
