#pragma once

// Drivers of the main window shared by the window tests; header-only, since only the tests that
// link the main window's library include it.

#include "Hlavni.h"
#include "Timer.h"

#include <QFrame>

// A running match without the selection dialogs: player 1's gravity at `interval1`, player 2's at
// `interval2` (0: player 2 is not playing, the right well stays covered).
inline void RunMatch(THlavniDialog &main, int interval1, int interval2)
{
    main.Timer1->setInterval(interval1);
    main.Timer1->setEnabled(interval1 > 0);
    main.Timer3->setInterval(interval2);
    main.Timer3->setEnabled(interval2 > 0);
    main.Kryti1->hide();
    main.Kryti2->setVisible(interval2 == 0);
}
