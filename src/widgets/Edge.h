#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// A one-pixel edge along the inside of `rect`: the top and left sides in `topLeft`, the right and
// bottom sides in `bottomRight`. Shadow over highlight looks sunken, highlight over shadow raised.
// The top-right corner belongs to the right side; the bottom-left corner to the bottom side, or
// to the left side when `leftOwnsBottomLeft`.
void DrawEdge(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight,
              bool leftOwnsBottomLeft = false);
