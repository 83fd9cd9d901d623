#include "InfoWindows.h"

#include "Balloon.h"
#include "Companion.h"
#include "Placement.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

TInfoWindow::TInfoWindow(Qt::WindowFlags flags) : QWidget(nullptr, flags)
{
    setFocusPolicy(Qt::StrongFocus);
}

Qt::WindowFlags TInfoWindow::CaptionedToolFlags()
{
    return Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
           | Qt::WindowCloseButtonHint;
}

Qt::WindowFlags TInfoWindow::BorderlessFlags()
{
    return Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint;
}

void TInfoWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TInfoWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

void TInfoWindow::keyPressEvent(QKeyEvent *event)
{
    if (IsEnterKey(event->key()) || IsEscapeKey(event->key())) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TInfoWindow::FormShow()
{
    centreOnScreen();
    if (!m_companionOpen) {
        m_companionOpen = true;
        CompanionShown();
    }
    activateWindow();
    (m_firstControl != nullptr ? m_firstControl : this)->setFocus(Qt::ActiveWindowFocusReason);
}

// Any way the window goes (Enter, Esc, its button, the close button of its caption) ends here, once.
void TInfoWindow::FormClose()
{
    if (!m_companionOpen)
        return;
    m_companionOpen = false;
    CompanionClosed();
}

void TInfoWindow::centreOnScreen()
{
    const QRect area = placementArea();
    // Before the first showing the frame is not known yet; the client area stands for it.
    const QSize outer = frameGeometry().size().expandedTo(size());
    move(area.left() + (area.width() - outer.width()) / 2, area.top() + (area.height() - outer.height()) / 2);
}

void ShowInfoWindow(TInfoWindow *window)
{
    if (window != nullptr)
        window->show();
}

QFont InfoFont(const QString &family, int pixels, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void FillKeyList(QFrame *panel, KeyLayout::Column column, int top)
{
    using namespace KeyLayout;
    const QFont font = InfoFont(QStringLiteral("Times New Roman"), 16, true);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(10, top, 10, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(2, 1);

    auto addLabel = [&](const QString &name, const QString &text, int row, int column) {
        auto *label = new QLabel(text, panel);
        label->setObjectName(name);
        label->setFont(font);
        grid->addWidget(label, row, column);
    };
    // The lines stand in the middle of the room below `top`.
    int row = 1;
    grid->setRowStretch(0, 1);
    for (int index = 0; index < ActionCount; ++index) {
        const Action action = Action(index);
        if (action == Action::Pause) {
            auto *rule = new QFrame(panel);
            rule->setObjectName(QStringLiteral("Bevel%1").arg(panel->objectName()));
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Sunken);
            grid->addWidget(rule, row++, 0, 1, 3);
        }
        const QString number = QString::number(index + 1);
        addLabel(QStringLiteral("Akce") + number, actionName(action), row, 0);
        addLabel(QStringLiteral("Pomlcka") + number, QStringLiteral("–"), row, 1);
        addLabel(QStringLiteral("Klavesa") + number, keyName(column, action), row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);
}
