#include "KeyLayout.h"

namespace KeyLayout {

namespace {

struct ActionRow
{
    const char *name; // UTF-8
    const char *keys[3]; // one player, player 1, player 2
    QColor colour;
};

const ActionRow Actions[ActionCount] = {
    {"Otočení tvarů", {"I", "W", "I"}, QColor(0xF0, 0x8C, 0x1E)},
    {"Posun vlevo", {"J", "A", "J"}, QColor(0x2F, 0x6E, 0xD6)},
    {"Posun vpravo", {"L", "D", "L"}, QColor(0x2E, 0x9E, 0x48)},
    {"Posun dolů", {"K", "S", "K"}, QColor(0x8C, 0x4F, 0xC6)},
    {"Odeslání dolů", {"Space", "F", "H"}, QColor(0xD2, 0x34, 0x34)},
    {"Pauza", {"P", "P", "P"}, QColor(0x1F, 0x99, 0xA6)},
};

const ActionRow &row(Action action)
{
    return Actions[int(action)];
}

// Key caps: 23 pixels square, one every 25 pixels; each row starts a little further right.
constexpr int Cap = 23;
constexpr int Pitch = 25;
constexpr int TopRow = 10;

struct CapRow
{
    const char *labels; // UTF-8, one cap per character
    int left;
};

const CapRow Rows[] = {
    {"QWERTZUIOPÚ)", 12},
    {"ASDFGHJKLŮ§", 19},
    {"YXCVBNM,.-", 31},
};

// The space bar lies under the caps C to M of the bottom row.
constexpr int SpaceFrom = 2;
constexpr int SpaceTo = 6;

} // namespace

QString actionName(Action action)
{
    return QString::fromUtf8(row(action).name);
}

QString keyName(Column column, Action action)
{
    return QString::fromUtf8(row(action).keys[int(column)]);
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

QList<KeyCap> keyboardCaps()
{
    QList<KeyCap> caps;
    int top = TopRow;
    for (const CapRow &capRow : Rows) {
        const QString labels = QString::fromUtf8(capRow.labels);
        for (int index = 0; index < labels.size(); ++index)
            caps.append({labels.mid(index, 1),
                         QRect(capRow.left + index * Pitch, top, Cap, Cap)});
        top += Pitch;
    }
    const int spaceLeft = Rows[2].left + SpaceFrom * Pitch;
    const int spaceRight = Rows[2].left + SpaceTo * Pitch + Cap;
    caps.append({QStringLiteral("Space"), QRect(spaceLeft, top, spaceRight - spaceLeft, Cap)});
    return caps;
}

QRect keyboardCase()
{
    return QRect(4, 4, PictureWidth - 8, TopRow + 4 * Pitch - 2);
}

QColor actionColour(Action action)
{
    return row(action).colour;
}

QColor plainCapColour()
{
    return QColor(0xEC, 0xEC, 0xE8);
}

QRect legendSwatch(Action action)
{
    // Two columns of three below the keyboard.
    const int index = int(action);
    const int column = index / 3;
    const int line = index % 3;
    return QRect(10 + column * 158, keyboardCase().bottom() + 9 + line * 22, 17, 17);
}

QPoint capFacePoint(const QRect &cap)
{
    // The upper right corner of the face: letters are centred, a player's mark stands lower left.
    return QPoint(cap.right() - 4, cap.top() + 4);
}

} // namespace KeyLayout
