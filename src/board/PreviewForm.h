#pragma once

#include "CellPainter.h"

#include <QImage>
#include <QWidget>

#include <array>

// The small tool window that shows the next piece of a board. It keeps the squares it was last
// given, so it looks the same after being covered, moved or resized.
class TPreviewForm : public QWidget
{
    Q_OBJECT
public:
    using Squares = std::array<std::array<WinColor::Value, 4>, 4>; // [column][row]

    explicit TPreviewForm(QWidget *owner);

    // Client area of 4 x 4 squares of `squareSize` pixels.
    void setSquareSize(int squareSize);
    int squareSize() const { return m_squareSize; }

    // Paints the matrix: the whole area in the background, then every non-empty square.
    void paintPiece(const Squares &squares, const CellPainter::Style &style);

    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void render();

    int m_squareSize = 0;
    Squares m_squares {};
    CellPainter::Style m_style;
    bool m_painted = false;
    QImage m_image;
};
