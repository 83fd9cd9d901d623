#pragma once

#include "WinColor.h"

#include <QRect>

class QPainter;

// The pixel geometry and drawing of well cells, apart from the well's state.
namespace CellPainter {

// The styles of a settled cell, by their stored values: plain square, disc, raised button.
enum Shape { Square = 0, Disc = 1, Button = 2 };

// How cells are drawn: the background colour, whether a cell is outlined and filled in its own
// colour (otherwise in the background colour), and the shape of a settled cell.
struct Style
{
    WinColor::Value background = WinColor::clBlack;
    bool border = false;
    bool fill = false;
    int shape = Square;
};

// The pixels of cell (column, row): from (column * width, row * height), width x height.
QRect cellRect(int column, int row, int cellWidth, int cellHeight);

// Draws one cell into `rect`. An empty cell (the background colour) is always a plain square;
// a settled one takes the style's shape; an unknown shape draws nothing.
void paintCell(QPainter &painter, const QRect &rect, WinColor::Value colour, const Style &style);

// A plain square in the style's outline and fill, as the preview draws every square.
void paintSquare(QPainter &painter, const QRect &rect, WinColor::Value colour, const Style &style);

} // namespace CellPainter
