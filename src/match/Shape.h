#pragma once

#include <QColor>
#include <QWidget>

// A plain filled rectangle with a one-pixel black outline, the building block of the boss
// screen's chart.
class TShape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor BrushColor READ BrushColor WRITE setBrushColor)
public:
    explicit TShape(QWidget *parent = nullptr);

    QColor BrushColor() const { return m_brushColor; }
    void setBrushColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_brushColor = Qt::white;
};
