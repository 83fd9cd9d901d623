#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QPainter;

// Office-style controls: a flat button with rounded corners and a status light, and a clickable
// text line with a status light. Both light up while the mouse is over them.
//
// Mouse handling follows one rule for both: a disabled control ignores hovering, presses and
// clicks; enabling or disabling a control clears its hot and pressed state.

// The flat button. The caption is centred (shifted 7 pixels right to leave room for the light);
// while the mouse is over it the button shows a rounded frame with a highlight along its top,
// and while it is held its light and caption move 1 pixel right and down.
class TOfficeButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor ButtonColor READ ButtonColor WRITE setButtonColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(int RoundSize READ RoundSize WRITE setRoundSize)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
public:
    explicit TOfficeButton(QWidget *parent = nullptr);

    QColor BorderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    // 1..3; other values are refused and the previous width stays.
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    QColor ButtonColor() const { return m_buttonColor; }
    void setButtonColor(const QColor &color);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // The widget's own enabled state; a change clears hot, pressed and the press offset.
    bool Enabled() const { return isEnabled(); }
    // The widget's font (setFont copies it and repaints).
    QFont Font() const { return font(); }
    // Corner size of the rounded frame; 20 after construction.
    int RoundSize() const { return m_roundSize; }
    void setRoundSize(int size);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // The state the button is painted in.
    bool isHot() const { return m_hot; }
    bool isPressed() const { return m_pressed; }
    int pressOffset() const { return m_offset; }
    // Resource path of the light picture for the current state.
    QString ledResource() const;

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseEnter();
    void mouseLeave();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void mouseEntered();
    void mouseLeft();
    void pressed(QMouseEvent *event);

    QColor m_borderColor;
    int m_borderWidth = 1;
    QColor m_buttonColor;
    QString m_caption;
    int m_roundSize = 20;
    bool m_transparent = true;
    bool m_hot = false;
    bool m_pressed = false;
    int m_offset = 0;
    bool m_mouseInside = false;
    bool m_clickArmed = false;
};

// The clickable text line. Its light sits at the top-left corner; the caption is written beside
// it, left-aligned and word-wrapped, with "&" shown as it is. While held it draws a dotted frame
// around its text.
class TOfficeLabel : public QWidget
{
    Q_OBJECT
public:
    enum TLEDType { RoundLED, TriLEDDown, TriLEDUp };
    Q_ENUM(TLEDType)

private:
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(QColor LabelColor READ LabelColor WRITE setLabelColor)
    Q_PROPERTY(TLEDType LEDType READ LEDType WRITE setLEDType)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)

public:
    explicit TOfficeLabel(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool Enabled() const { return isEnabled(); }
    QFont Font() const { return font(); }
    QColor LabelColor() const { return m_labelColor; }
    void setLabelColor(const QColor &color);
    TLEDType LEDType() const { return m_ledType; }
    void setLEDType(TLEDType type);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    bool isHot() const { return m_hot; }
    bool isPressed() const { return m_pressed; }
    bool frameToErase() const { return m_frameToErase; }
    QString ledResource() const;
    // The rectangle the caption is written in, and the dotted frame drawn around it while held.
    QRect textRect() const;
    QRect frameRect() const;

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseEnter();
    void mouseLeave();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void mouseEntered();
    void mouseLeft();
    void pressed(QMouseEvent *event);

    QString m_caption;
    QColor m_labelColor;
    TLEDType m_ledType = RoundLED;
    bool m_transparent = true;
    bool m_hot = false;
    bool m_pressed = false;
    bool m_frameToErase = false;
    bool m_mouseInside = false;
    bool m_clickArmed = false;
};
