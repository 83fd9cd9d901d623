#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

#include "KeyMap.h"

// Where each key cap stands in the key pictures and the colours of the actions. Pure data and
// geometry, shared by the windows that list the keys, the build step that draws the pictures and
// the tests; which key does what is the key map of the game (KeyMap.h).
namespace KeyLayout {

// --- The pictures --------------------------------------------------------------------------------

// Both pictures are drawn at the size the windows show them.
inline constexpr int PictureWidth = 322;
inline constexpr int PictureHeight = 182;

struct KeyCap
{
    QString label; // the letter printed on it; "Space" for the space bar
    QRect rect;    // in picture pixels
};

// The letter block of a Czech keyboard and the space bar, row by row from the top.
QList<KeyCap> keyboardCaps();

// The keyboard's case around the caps.
QRect keyboardCase();

// The face colour of a cap that does `action`, and of a cap the game does not use.
QColor actionColour(Action action);
QColor plainCapColour();

// Where the legend shows an action: a small cap in its colour and its name beside it.
QRect legendSwatch(Action action);

// A point on a cap's face that no lettering covers, to read its colour back.
QPoint capFacePoint(const QRect &cap);

} // namespace KeyLayout
