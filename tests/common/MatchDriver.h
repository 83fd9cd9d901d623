#pragma once

// Drivers of the main window shared by the window tests; header-only, since only the tests that
// link the main window's library include it.

#include "Hlavni.h"

#include <QFrame>

// A running match without the selection dialogs: player 1's gravity at `interval1`, player 2's at
// `interval2` (0: player 2 is not playing, the right well stays covered).
inline void RunMatch(THlavniDialog &main, int interval1, int interval2)
{
    TGravity &gravity = main.Match().Gravity();
    gravity.startMatch(interval2 > 0 ? 2 : 1, interval1);
    gravity.setInterval(2, interval2);
    main.Kryti1->hide();
    main.Kryti2->setVisible(interval2 == 0);
}
