#pragma once

#include <QChar>
#include <QString>

// The keys of the game: which key does what for the one player of a one-player match and for each
// player of a two-player match. The main window's keyboard and the key pictures both read this
// table.
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

// The action a key cap does for `column`'s player, if any. `cap` is a cap's label as the
// pictures print it ("Space" for the space bar).
bool actionOfCap(Column column, const QString &cap, Action *action);

// The action a typed character does for `column`'s player, if any. Letters count in either case;
// the space bar types " ".
bool actionOfKey(Column column, QChar typed, Action *action);

} // namespace KeyLayout
