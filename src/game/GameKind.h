#pragma once

#include <QString>

// The kinds of game. The status bar names the kind of the running match, and the results table
// stores it as a one-digit code.
enum class GameKind { None, Training, Standard, Advanced };

// "nevybráno", "Trénink", "Standardní", "Pokročilá".
QString KindName(GameKind kind);

// The kind a name stands for; an unknown name stands for none.
GameKind KindOfName(const QString &name);

// "1", "2" or "3" for the kinds a match can be of; empty for none.
QString KindCode(GameKind kind);

