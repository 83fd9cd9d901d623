#pragma once

#include <QObject>
#include <QPointer>
#include <QPolygon>
#include <QRegion>

class QWidget;

// Turns the window that owns it into a speech balloon: a rounded body with a triangular tail on
// one side, outlined in black. The owner must be a top-level window; the shape is applied once
// the window has been set up (at the latest when it is first shown), when Reshape is set by then,
// and follows later resizes. A balloon that is shown comes to the front and becomes the active
// window. Only the corner size (20) and the tail's depth (15) have values of their own; the
// window sets Reshape and BalloonPosition.
class tformshape : public QObject
{
    Q_OBJECT
public:
    enum TBalloonPosition {
        bpTopLeft,
        bpLeftTop,
        bpTopRight,
        bpRightTop,
        bpBottomLeft,
        bpLeftBottom,
        bpBottomRight,
        bpRightBottom,
        bpNone
    };
    Q_ENUM(TBalloonPosition)

private:
    Q_PROPERTY(bool Reshape READ Reshape WRITE setReshape)
    Q_PROPERTY(TBalloonPosition BalloonPosition READ BalloonPosition WRITE setBalloonPosition)
    Q_PROPERTY(int BalloonEllips READ BalloonEllips WRITE setBalloonEllips)
    Q_PROPERTY(int BalloonIndent READ BalloonIndent WRITE setBalloonIndent)

public:
    // Throws AppError "Control parent must be a form!" when owner is not a top-level window.
    explicit tformshape(QWidget *owner);

    bool Reshape() const { return m_reshape; }
    void setReshape(bool reshape) { m_reshape = reshape; }
    TBalloonPosition BalloonPosition() const { return m_position; }
    void setBalloonPosition(TBalloonPosition position) { m_position = position; }
    // Corner size of the rounded body; values below 1 are ignored.
    int BalloonEllips() const { return m_ellips; }
    void setBalloonEllips(int ellips);
    // Depth of the tail; values below 1 are ignored.
    int BalloonIndent() const { return m_indent; }
    void setBalloonIndent(int indent);

    // Applies the shape now if it has not been applied yet. The owner's constructor may call it
    // once its properties are set; otherwise it runs when the event loop first gets control or
    // when the window is first shown, whichever comes first.
    void Loaded();
    bool isApplied() const { return m_applied; }

    // The geometry of a balloon of size width x height, in window coordinates.
    static QRegion bodyRegion(TBalloonPosition position, int width, int height, int ellips,
                              int indent);
    // The tail's corners as the region takes them (its right and bottom edges lie outside the
    // pixels, which the outline's triangle draws one pixel further in).
    static QPolygon tailTriangle(TBalloonPosition position, int width, int height, int ellips,
                                 int indent);
    static QPolygon tailOutlineTriangle(TBalloonPosition position, int width, int height,
                                        int ellips, int indent);
    static QRegion balloonRegion(TBalloonPosition position, int width, int height, int ellips,
                                 int indent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyRegion();
    // The balloon's caption and hint are its accessible name and description.
    void syncAccessibleTexts();
    void paintOutline();

    QPointer<QWidget> m_form;
    bool m_reshape = false;
    TBalloonPosition m_position = bpTopLeft;
    int m_ellips = 20;
    int m_indent = 15;
    bool m_applied = false;
};
