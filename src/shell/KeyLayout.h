#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

// The keyboard of the game as the key pictures show it: which key does what for one player and
// for each of two players, and where each key cap stands in the pictures. Pure data and geometry,
// shared by the windows that list the keys, the build step that draws the pictures and the tests.
namespace KeyLayout {

enum class Action { Turn, Left, Right, Down, Drop, Pause };
inline constexpr int ActionCount = 6;

// Whose keys: the one player of a one-player match, or player 1 (left well) or player 2 (right
// well) of a two-player match.
enum class Column { OnePlayer, PlayerOne, PlayerTwo };

// The Czech name of an action ("Otočení tvarů", ...).
QString actionName(Action action);

// The key of an action as the lists print it: a capital letter, or "Space".
QString keyName(Column column, Action action);

// The action a key cap does for `column`'s player, if any. `cap` is a cap's label as
// keyboardCaps() gives it.
bool actionOfCap(Column column, const QString &cap, Action *action);

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
