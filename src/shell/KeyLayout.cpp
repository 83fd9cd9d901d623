#include "KeyLayout.h"

namespace KeyLayout {

namespace {

// The colours of the actions, in the order of KeyLayout::Action.
const QColor ActionColours[ActionCount] = {
    QColor(0xF0, 0x8C, 0x1E), // turn
    QColor(0x2F, 0x6E, 0xD6), // left
    QColor(0x2E, 0x9E, 0x48), // right
    QColor(0x8C, 0x4F, 0xC6), // down
    QColor(0xD2, 0x34, 0x34), // drop
    QColor(0x1F, 0x99, 0xA6), // pause
};

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
    return ActionColours[int(action)];
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
