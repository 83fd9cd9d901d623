#pragma once

#include "ColorValue.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

// One or more lines of text whose letters are filled with a gradient between two colours, over a
// see-through background. The control sizes itself to its text whenever it paints.
class TGradText : public QWidget
{
    Q_OBJECT
public:
    enum TGradientStyle { gsHorizontal, gsVertical, gsRectangle, gsVertCenter, gsHorizCenter };
    Q_ENUM(TGradientStyle)
    enum TJustification { jLeft, jCenter, jRight };
    Q_ENUM(TJustification)

private:
    Q_PROPERTY(TColor BeginColor READ BeginColor WRITE setBeginColor)
    Q_PROPERTY(TColor EndColor READ EndColor WRITE setEndColor)
    Q_PROPERTY(TGradientStyle GradientStyle READ GradientStyle WRITE setGradientStyle)
    Q_PROPERTY(QStringList Lines READ Lines WRITE setLines)
    Q_PROPERTY(TJustification Justification READ Justification WRITE setJustification)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)

public:
    explicit TGradText(QWidget *parent = nullptr);

    TColor BeginColor() const { return m_beginColor; }
    void setBeginColor(TColor value);
    TColor EndColor() const { return m_endColor; }
    void setEndColor(TColor value);
    TGradientStyle GradientStyle() const { return m_gradientStyle; }
    void setGradientStyle(TGradientStyle value);
    QStringList Lines() const { return m_lines; }
    // An empty list is ignored and the old text kept.
    void setLines(const QStringList &value);
    TJustification Justification() const { return m_justification; }
    void setJustification(TJustification value);
    QFont Font() const { return font(); }

    // The lines joined with a carriage return between them.
    QString Text() const;

    // The size the text takes when measured from the control's current rectangle, word-wrapped
    // within its width.
    QSize MeasureText() const;
    // Takes the measured size, as every paint does first. Setters leave the size alone, so a form
    // can set the geometry, font and lines in any order before the control is first painted.
    void FitToText();

    // Fills `image` from `begin` to `end` in the given style.
    static void FillGradient(QImage &image, TGradientStyle style, TColor begin, TColor end);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int TextFlags() const;

    TColor m_beginColor = clYellow;
    TColor m_endColor = clRed;
    TGradientStyle m_gradientStyle = gsVertical;
    QStringList m_lines;
    TJustification m_justification = jCenter;
};
