#pragma once

#include "ColorValue.h"

#include <QStringList>
#include <QWidget>

class QMouseEvent;

// A progress bar whose filled part is a gradient from StartColor to EndColor, squeezed into the
// filled length, so the far end of the filling always shows EndColor. Setting Position paints at
// once, so the bar advances even while no events are processed.
class TGradProgress : public QWidget
{
    Q_OBJECT
public:
    enum TGradStyle { gsVertical, gsHorizontal };
    Q_ENUM(TGradStyle)
    enum TBevelStyle { bsLowered, bsRaised, bsNone };
    Q_ENUM(TBevelStyle)

private:
    Q_PROPERTY(TGradStyle Style READ Style WRITE setStyle)
    Q_PROPERTY(TBevelStyle BevelStyle READ BevelStyle WRITE setBevelStyle)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(TColor StartColor READ StartColor WRITE setStartColor)
    Q_PROPERTY(TColor EndColor READ EndColor WRITE setEndColor)
    Q_PROPERTY(int Position READ Position WRITE setPosition)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(int Step READ Step WRITE setStep)
    Q_PROPERTY(bool ShowPercent READ ShowPercent WRITE setShowPercent)
    Q_PROPERTY(TColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE setFontColor)

public:
    explicit TGradProgress(QWidget *parent = nullptr);

    TGradStyle Style() const { return m_style; }
    void setStyle(TGradStyle value);
    TBevelStyle BevelStyle() const { return m_bevelStyle; }
    void setBevelStyle(TBevelStyle value);
    // Kept only when both 2 × value ≤ Height − 4 and 2 × value ≤ Width − 4.
    int BevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int value);
    TColor StartColor() const { return m_startColor; }
    void setStartColor(TColor value);
    TColor EndColor() const { return m_endColor; }
    void setEndColor(TColor value);
    // A negative value or the current one is ignored; a value above MaxValue is taken as MaxValue.
    int Position() const { return m_position; }
    void setPosition(int value);
    // Lowers Position to the new maximum when it stands above it. A negative maximum is ignored.
    int MaxValue() const { return m_maxValue; }
    void setMaxValue(int value);
    int Step() const { return m_step; }
    void setStep(int value);
    bool ShowPercent() const { return m_showPercent; }
    void setShowPercent(bool value);
    TColor BackColor() const { return m_backColor; }
    void setBackColor(TColor value);
    QFont Font() const { return font(); }
    // The colour of the percentage text.
    TColor FontColor() const { return m_fontColor; }
    void setFontColor(TColor value);

    // Position := Position + Step.
    Q_INVOKABLE void Stepit();

    // The filled length in pixels and the percentage text shown for the current state.
    int FilledLength() const;
    QString PercentText() const;
    // Whether the percentage of a vertical bar is written turned on its side.
    bool PercentRotated() const;

    // Sorted names of the scalable fonts installed, collected when the bar was made.
    const QStringList &TrueTypeFonts() const { return m_trueTypeFonts; }

signals:
    void MouseDown(QMouseEvent *event);
    void MouseMove(QMouseEvent *event);
    void MouseUp(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRect InnerRect() const;
    QFont PercentFont() const;
    void PaintBevel(class QPainter &painter) const;
    void PaintPercent(class QPainter &painter, const QRect &inner, int fillLength) const;

    TGradStyle m_style = gsHorizontal;
    TBevelStyle m_bevelStyle = bsLowered;
    int m_bevelWidth = 1;
    TColor m_startColor = clBlue;
    TColor m_endColor = clRed;
    TColor m_backColor = clBtnFace;
    TColor m_fontColor = clWhite;
    int m_position = 0;
    int m_maxValue = 100;
    int m_step = 1;
    bool m_showPercent = true;
    QStringList m_trueTypeFonts;
};
