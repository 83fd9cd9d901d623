#include "CellPainter.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

using WinColor::Value;

QColor WinColor::toQColor(Value colour)
{
    if ((colour & 0xFF000000u) != SystemColorFlag)
        return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
    const QPalette palette = QApplication::palette();
    switch (colour & 0xFF) {
    case 1: // desktop
    case 12: // application workspace
        return palette.color(QPalette::Dark);
    case 2: // active caption
    case 13: // selection
        return palette.color(QPalette::Highlight);
    case 3: // inactive caption
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 5: // window
        return palette.color(QPalette::Base);
    case 6: // window frame
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 8: // window text
    case 7: // menu text
        return palette.color(QPalette::Text);
    case 9: // caption text
    case 14: // selected text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    default: // scroll bar, menu, borders, button face and anything unknown
        return palette.color(QPalette::Button);
    }
}

namespace CellPainter {

namespace {

// A filled rectangle whose outermost pixel ring is in the pen colour, as a 1-pixel pen outlines
// the area from (x1, y1) to (x2, y2), right and bottom edges exclusive.
void outlinedRect(QPainter &painter, const QRect &rect, const QColor &pen, const QColor &brush)
{
    if (rect.isEmpty())
        return;
    painter.fillRect(rect, pen);
    const QRect inside = rect.adjusted(1, 1, -1, -1);
    if (!inside.isEmpty())
        painter.fillRect(inside, brush);
}

QColor penColour(Value colour, const Style &style)
{
    return WinColor::toQColor(style.border ? colour : style.background);
}

QColor brushColour(Value colour, const Style &style)
{
    return WinColor::toQColor(style.fill ? colour : style.background);
}

} // namespace

QRect cellRect(int column, int row, int cellWidth, int cellHeight)
{
    return QRect(column * cellWidth, row * cellHeight, cellWidth, cellHeight);
}

void paintSquare(QPainter &painter, const QRect &rect, Value colour, const Style &style)
{
    outlinedRect(painter, rect, penColour(colour, style), brushColour(colour, style));
}

void paintCell(QPainter &painter, const QRect &rect, Value colour, const Style &style)
{
    if (colour == style.background) {
        paintSquare(painter, rect, colour, style);
        return;
    }
    switch (style.shape) {
    case Square:
        paintSquare(painter, rect, colour, style);
        break;
    case Disc:
        if (rect.width() > 0 && rect.height() > 0) {
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(penColour(colour, style), 0));
            painter.setBrush(brushColour(colour, style));
            painter.drawEllipse(rect.adjusted(0, 0, -1, -1));
            painter.restore();
        }
        break;
    case Button: {
        paintSquare(painter, rect.adjusted(1, 1, -1, -1), colour, style);
        if (rect.width() < 1 || rect.height() < 1)
            break;
        const QColor light = WinColor::toQColor(WinColor::clBtnHighlight);
        const QColor dark = WinColor::toQColor(WinColor::clBtnShadow);
        const int x1 = rect.left();
        const int y1 = rect.top();
        const int x2 = rect.right() + 1;
        const int y2 = rect.bottom() + 1;
        // Light left edge, bottom-left corner included, and top edge; the line ends one pixel
        // short of its end point, so the top-right corner belongs to the shadow.
        painter.fillRect(QRect(x1, y1, 1, y2 - y1), light);
        painter.fillRect(QRect(x1, y1, x2 - 1 - x1, 1), light);
        // Dark right edge and bottom edge, the bottom-left corner excluded.
        painter.fillRect(QRect(x2 - 1, y1, 1, y2 - 1 - y1), dark);
        painter.fillRect(QRect(x1 + 1, y2 - 1, x2 - 1 - x1, 1), dark);
        break;
    }
    default:
        break;
    }
}

} // namespace CellPainter
