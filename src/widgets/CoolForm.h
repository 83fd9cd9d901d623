#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <QWidget>

// A picture that fills its window and cuts the window to a stored outline, so the window takes
// the shape of the picture. Pressing the left button on the picture and moving drags the whole
// window. The picture is drawn centred.
//
// The outline is kept in its stored form "Mask2": a 32-bit little-endian byte count followed by
// that many bytes of region data (see RegionData.h); a count of 0 means no outline.
class TCoolForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QRegion Outline READ Outline WRITE setOutline)
    Q_PROPERTY(QByteArray Mask2 READ Mask2 WRITE setMask2)
    Q_PROPERTY(bool Draggable READ Draggable WRITE setDraggable)
public:
    explicit TCoolForm(QWidget *parent = nullptr);

    QPixmap Picture() const { return m_picture; }
    // A new picture forgets the outline; the window keeps the shape it was given.
    void setPicture(const QPixmap &picture);

    QRegion Outline() const { return m_outline; }
    // Adopts the outline and gives it to the window. An empty region changes nothing.
    void setOutline(const QRegion &outline);

    // The stored form of the outline. Reading malformed data throws AppError and changes nothing.
    QByteArray Mask2() const;
    void setMask2(const QByteArray &stored);
    // Reads the stored form from a file or resource; throws AppError when it cannot be read.
    void loadMask2(const QString &fileName);

    // Kept for form compatibility: the window is dragged by its picture either way.
    bool Draggable() const { return m_draggable; }
    void setDraggable(bool draggable) { m_draggable = draggable; }

    // Where the picture's top-left corner lies inside the control (centred).
    QPoint pictureOrigin() const;

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void attachToParent();
    void fillParent();
    void applyMaskToWindow();
    void armDrag(QMouseEvent *event);

    QPixmap m_picture;
    QRegion m_outline;
    QByteArray m_regionData;
    bool m_draggable = true;
    QPointer<QWidget> m_watchedParent;
    // Dragging: where the left button went down (global) and the window's position then.
    bool m_dragArmed = false;
    bool m_dragManual = false;
    bool m_clickArmed = false;
    QPoint m_pressGlobal;
    QPoint m_windowStart;
};
