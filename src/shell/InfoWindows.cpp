#include "InfoWindows.h"

#include "PixelFont.h"
#include "Placement.h"
#include "WindowPlacement.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>

TInfoWindow::TInfoWindow(Qt::WindowFlags flags) : TBalloonForm(WhileOpen::MatchStops, flags)
{
    setFocusPolicy(Qt::StrongFocus);
    setFirstControl(this);
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

void TInfoWindow::FormShow()
{
    // On the first showing the window system frames the window only after it is shown: it is
    // centred again as soon as the frame is known.
    centreFrameIn(this, placementArea());
}

void TInfoWindow::FormKeyDown(QKeyEvent *event)
{
    if (IsEnterKey(event->key()) || IsEscapeKey(event->key()))
        close();
    else
        TBalloonForm::FormKeyDown(event);
}

void ShowInfoWindow(TInfoWindow *window)
{
    if (window != nullptr)
        window->show();
}

void FillKeyList(QFrame *panel, KeyLayout::Column column, int top)
{
    using namespace KeyLayout;
    const QFont font = pixelFont(QStringLiteral("Times New Roman"), 16, true);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(10, top, 10, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(2, 1);

    auto addLabel = [&](const QString &name, const QString &text, int row, int gridColumn) {
        auto *label = new QLabel(text, panel);
        label->setObjectName(name);
        label->setFont(font);
        grid->addWidget(label, row, gridColumn);
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
        addLabel(QStringLiteral("actionLabel") + number, actionName(action), row, 0);
        addLabel(QStringLiteral("Pomlcka") + number, QStringLiteral("–"), row, 1);
        addLabel(QStringLiteral("keyLabel") + number, keyName(column, action), row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);
}
