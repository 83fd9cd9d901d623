#pragma once

// Drivers of the main window shared by the window tests; header-only, since only the tests that
// link the main window's library include it.

#include "GradText.h"
#include "Hlavni.h"
#include "Timer.h"
#include "WellWidget.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QtTest/QTest>

// The main window's parts, reached as a tester (or an accessibility tool) reaches them: by their
// object names. A missing part ends the test run with its name.
template<typename Part>
Part *partOf(const QObject *window, const char *name)
{
    Part *part = window->findChild<Part *>(QLatin1String(name));
    if (part == nullptr)
        qFatal("the window has no %s named %s", Part::staticMetaObject.className(), name);
    return part;
}

inline QAction *actionOf(const THlavniDialog *main, const char *name)
{
    return partOf<QAction>(main, name);
}

inline QLabel *labelOf(const THlavniDialog *main, const char *name)
{
    return partOf<QLabel>(main, name);
}

inline TWellWidget *wellOf(const THlavniDialog *main, int player)
{
    return partOf<TWellWidget>(main, player == 1 ? "player1Well" : "player2Well");
}

inline Timer *gravityTimerOf(const THlavniDialog *main, int player)
{
    return partOf<Timer>(main, player == 1 ? "gravityTimer1" : "gravityTimer2");
}

// The black cover over a well out of play.
inline QFrame *coverOf(const THlavniDialog *main, int player)
{
    return partOf<QFrame>(main, player == 1 ? "player1Cover" : "player2Cover");
}

// "Pauza" over a well.
inline TGradText *pauseTextOf(const THlavniDialog *main, int player)
{
    return partOf<TGradText>(main, player == 1 ? "player1PauseText" : "player2PauseText");
}

// A running match without the selection dialogs: player 1's gravity at `interval1`, player 2's at
// `interval2` (0: player 2 is not playing, the right well stays covered).
inline void RunMatch(THlavniDialog &main, int interval1, int interval2)
{
    TGravity &gravity = main.Match().Gravity();
    gravity.startMatch(interval2 > 0 ? 2 : 1, interval1);
    gravity.setInterval(2, interval2);
    coverOf(&main, 1)->hide();
    coverOf(&main, 2)->setVisible(interval2 == 0);
}
