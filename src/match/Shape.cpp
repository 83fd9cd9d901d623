#include "Shape.h"

#include <QPainter>

TShape::TShape(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TShape::setBrushColor(const QColor &color)
{
    if (color == m_brushColor)
        return;
    m_brushColor = color;
    update();
}

void TShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(m_brushColor);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
