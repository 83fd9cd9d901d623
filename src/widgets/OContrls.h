#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QPainter;

// Office-style controls: a flat button with rounded corners and a status light, and a clickable
// text line with a status light. Both light up while the mouse is over them.

// What the button and the label share: caption, font, transparency, the hot and pressed states
// and the mouse handling. A disabled control ignores hovering, presses and clicks; enabling or
// disabling it clears its hot and pressed state. While a mouse button is held on the control,
// dragging out of it and back in counts as leaving and entering.
class TOfficeControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
public:
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // The widget's own enabled state.
    bool Enabled() const { return isEnabled(); }
    // The widget's font; setFont copies it and repaints.
    QFont Font() const { return font(); }
    // Transparent: the control shows its parent's colour behind it.
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // What a click does: `clicked` is emitted when the control is enabled. Assistive tools press
    // the control through it.
    void Click();

    // The state the control is painted in.
    bool isHot() const { return m_hot; }
    bool isPressed() const { return m_pressed; }
    // Resource path of the light picture for the current state.
    virtual QString ledResource() const = 0;

    // The font the controls start with: "MS Sans Serif", 8 points at 96 dpi.
    static QFont defaultFont();

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseEnter();
    void mouseLeave();

protected:
    TOfficeControl(QWidget *parent, const QString &caption, QSize size);

    // Hooks for the state a control keeps beyond hot and pressed.
    virtual void afterEnter() {}
    virtual void afterLeave() {}
    virtual void afterPress() {}
    virtual void afterRelease() {}
    virtual void beforeClick() {}
    virtual void afterReset() {}

    // The parent's background colour (the control's own when it has no parent).
    QColor parentColor() const;
    // The caption's colour: the text colour, grey when disabled.
    QColor captionColor() const;
    // Copies a light picture; its pixels of the see-through colour (and its transparent pixels)
    // take the brush colour.
    static void drawLed(QPainter &painter, QPoint at, const QPixmap &picture, QColor seeThrough,
                        QColor brush);

    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

    bool m_hot = false;
    bool m_pressed = false;

private:
    void mouseEntered();
    void mouseLeft();
    bool pressed(QMouseEvent *event);

    QString m_caption;
    bool m_transparent = true;
    bool m_mouseInside = false;
    bool m_clickArmed = false;
};

// The flat button, 100 x 25 after construction. The caption is centred (shifted 7 pixels right to
// leave room for the light); while the mouse is over it the button shows a rounded frame with a
// highlight along its top, and while it is held its light and caption move 1 pixel right and
// down.
class TOfficeButton : public TOfficeControl
{
    Q_OBJECT
    Q_PROPERTY(QColor BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor ButtonColor READ ButtonColor WRITE setButtonColor)
    Q_PROPERTY(int RoundSize READ RoundSize WRITE setRoundSize)
public:
    explicit TOfficeButton(QWidget *parent = nullptr);

    // Colour of the frame while hot; takes effect at the next repaint.
    QColor BorderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    // 1..3; other values are refused and the previous width stays.
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    // The button's face when it is not transparent.
    QColor ButtonColor() const { return m_buttonColor; }
    void setButtonColor(const QColor &color);
    // Corner size of the rounded frame; 20 after construction.
    int RoundSize() const { return m_roundSize; }
    void setRoundSize(int size);

    // 1 while the button is held with the mouse over it, else 0.
    int pressOffset() const { return m_offset; }
    QString ledResource() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void afterEnter() override;
    void afterLeave() override;
    void afterPress() override;
    void afterRelease() override;
    void afterReset() override;

private:
    QColor m_borderColor;
    int m_borderWidth = 1;
    QColor m_buttonColor;
    int m_roundSize = 20;
    int m_offset = 0;
};

// The clickable text line, 100 x 17 after construction. Its light sits at the top-left corner;
// the caption is written beside it, left-aligned and word-wrapped, with "&" shown as it is. While
// held it draws a dotted frame around its text.
class TOfficeLabel : public TOfficeControl
{
    Q_OBJECT
public:
    enum TLEDType { RoundLED, TriLEDDown, TriLEDUp };
    Q_ENUM(TLEDType)

private:
    Q_PROPERTY(QColor LabelColor READ LabelColor WRITE setLabelColor)
    Q_PROPERTY(TLEDType LEDType READ LEDType WRITE setLEDType)

public:
    explicit TOfficeLabel(QWidget *parent = nullptr);

    // The label's background when it is not transparent.
    QColor LabelColor() const { return m_labelColor; }
    void setLabelColor(const QColor &color);
    TLEDType LEDType() const { return m_ledType; }
    void setLEDType(TLEDType type);

    // Set when a frame drawn during a press still has to be wiped.
    bool frameToErase() const { return m_frameToErase; }
    QString ledResource() const override;
    // The rectangle the caption is written in, and the pixels of the dotted frame around it.
    QRect textRect() const;
    QRect frameRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void afterLeave() override;
    void beforeClick() override;
    void afterReset() override;

private:
    QColor m_labelColor;
    TLEDType m_ledType = RoundLED;
    bool m_frameToErase = false;
};
