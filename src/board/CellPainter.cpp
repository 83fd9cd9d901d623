#include "CellPainter.h"

#include "Edge.h"

#include <QPainter>

using WinColor::Value;

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
    return ToQColor(style.border ? colour : style.background);
}

QColor brushColour(Value colour, const Style &style)
{
    return ToQColor(style.fill ? colour : style.background);
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
        // Raised: light left and top edges, the bottom-left corner included; the top-right
        // corner belongs to the shadow.
        DrawEdge(painter, rect, ToQColor(clBtnHighlight), ToQColor(clBtnShadow), true);
        break;
    }
    default:
        break;
    }
}

} // namespace CellPainter
