#include "Edge.h"

#include <QPainter>

void DrawEdge(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight,
              bool leftOwnsBottomLeft)
{
    const int corner = leftOwnsBottomLeft ? 1 : 0;
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height() - 1 + corner), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width() - 1, 1), topLeft);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
    painter.fillRect(QRect(rect.left() + corner, rect.bottom(), rect.width() - corner, 1), bottomRight);
}
