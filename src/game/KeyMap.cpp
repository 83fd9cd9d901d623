#include "KeyMap.h"

namespace KeyLayout {

namespace {

struct ActionRow
{
    const char *name;    // UTF-8
    const char *keys[3]; // one player, player 1, player 2
};

constexpr ActionRow Actions[ActionCount] = {
    {"Otočení tvarů", {"I", "W", "I"}},
    {"Posun vlevo", {"J", "A", "J"}},
    {"Posun vpravo", {"L", "D", "L"}},
    {"Posun dolů", {"K", "S", "K"}},
    {"Odeslání dolů", {"Space", "F", "H"}},
    {"Pauza", {"P", "P", "P"}},
};

} // namespace

QString actionName(Action action)
{
    return QString::fromUtf8(Actions[int(action)].name);
}

QString keyName(Column column, Action action)
{
    return QString::fromLatin1(Actions[int(action)].keys[int(column)]);
}

bool actionOfCap(Column column, const QString &cap, Action *action)
{
    for (int index = 0; index < ActionCount; ++index) {
        if (keyName(column, Action(index)) == cap) {
            *action = Action(index);
            return true;
        }
    }
    return false;
}

bool actionOfKey(Column column, QChar typed, Action *action)
{
    // Only the letters a..z count in either case: no other character folds onto a key of the game.
    const char16_t code = typed.unicode();
    if (code == u' ')
        return actionOfCap(column, QStringLiteral("Space"), action);
    if (code >= u'a' && code <= u'z')
        return actionOfCap(column, QString(QChar(code - u'a' + u'A')), action);
    if (code >= u'A' && code <= u'Z')
        return actionOfCap(column, QString(typed), action);
    return false;
}

} // namespace KeyLayout
