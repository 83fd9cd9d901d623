#pragma once

// A well widget that counts its own drawing, for the tests and the benchmark of the board;
// header-only, since only they include it.

#include "WellWidget.h"

// Counts the cells the board draws alone and its repaints of the whole well.
class CountingBoard : public TWellWidget
{
public:
    int cellDrawings = 0;
    int wellRepaints = 0;
    void resetDrawCounters() { cellDrawings = wellRepaints = 0; }

protected:
    void drawCell(int column, int row, WinColor::Value colour) override
    {
        ++cellDrawings;
        TWellWidget::drawCell(column, row, colour);
    }
    void repaintWell() override
    {
        ++wellRepaints;
        TWellWidget::repaintWell();
    }
};
