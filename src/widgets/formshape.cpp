#include "formshape.h"

#include "AppError.h"
#include "RegionData.h"
#include "WidgetAccessibility.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

QWidget *requireForm(QWidget *owner)
{
    if (owner == nullptr || !owner->isWindow())
        throw AppError(QStringLiteral("Control parent must be a form!"));
    return owner;
}

// The outline's rounded rectangle covering exactly the pixels of bounds, with corner ellipses of
// size ellips; drawn without smoothing so that the outline and the window's edge meet pixel for
// pixel.
void drawRoundRect(QPainter &painter, const QRect &bounds, int ellips)
{
    painter.drawRoundedRect(QRectF(bounds.left(), bounds.top(), bounds.width() - 1,
                                   bounds.height() - 1),
                            ellips / 2.0, ellips / 2.0);
}

// A line from a to b, b itself left out, as the platform's line drawing does.
void drawLineTo(QPainter &painter, const QLine &line)
{
    const QPoint step((line.dx() > 0) - (line.dx() < 0), (line.dy() > 0) - (line.dy() < 0));
    if (step.isNull())
        return;
    painter.drawLine(line.p1(), line.p2() - step);
}

// The pixels of the outline's rounded body: a rectangle (left, top, right, bottom) with right and
// bottom exclusive, one pixel inside the body region on those sides.
QRect outlineBody(tformshape::TBalloonPosition position, int w, int h, int indent)
{
    const auto pixels = [](int left, int top, int right, int bottom) {
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    };
    switch (position) {
    case tformshape::bpLeftTop:
    case tformshape::bpLeftBottom:
        return pixels(indent, 0, w - 1, h - 1);
    case tformshape::bpRightTop:
    case tformshape::bpRightBottom:
        return pixels(0, 0, w - indent - 1, h - 1);
    case tformshape::bpBottomLeft:
    case tformshape::bpBottomRight:
        return pixels(0, 0, w - 1, h - indent - 1);
    case tformshape::bpTopLeft:
    case tformshape::bpTopRight:
        return pixels(0, indent, w - 1, h - 1);
    case tformshape::bpNone:
        break;
    }
    return pixels(0, 0, w - 1, h - 1);
}

// A picture of the given size for painting shapes whose pixels become a region.
QImage shapeCanvas(int w, int h)
{
    QImage image(qMax(w, 0), qMax(h, 0), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The tail in each of its eight places: the triangle the region takes (its right and bottom
// edges lie outside the pixels), the triangle the outline draws one pixel further in, and the
// base line redrawn in the window's colour so that body and tail read as one outline.
struct Tail
{
    QPolygon region;
    QPolygon outline;
    QLine base;
};

Tail tailAt(tformshape::TBalloonPosition p, int w, int h, int e, int i)
{
    switch (p) {
    case tformshape::bpTopLeft:
        return {QPolygon({QPoint(e, 0), QPoint(e, i), QPoint(e + i, i)}),
                QPolygon({QPoint(e, 1), QPoint(e, i), QPoint(e + i - 1, i)}),
                QLine(e + i - 1, i, e, i)};
    case tformshape::bpLeftTop:
        return {QPolygon({QPoint(0, e), QPoint(i, e), QPoint(i, e + i)}),
                QPolygon({QPoint(0, e), QPoint(i, e), QPoint(i, e + i)}),
                QLine(i, e, i, e + i - 1)};
    case tformshape::bpTopRight:
        return {QPolygon({QPoint(w - e, 0), QPoint(w - e, i), QPoint(w - e - i, i)}),
                QPolygon({QPoint(w - e - 1, 1), QPoint(w - e - 1, i), QPoint(w - e - i, i)}),
                QLine(w - i - e + 1, i, w - e, i)};
    case tformshape::bpRightTop:
        return {QPolygon({QPoint(w, e), QPoint(w - i - 1, e), QPoint(w - i - 1, e + i)}),
                QPolygon({QPoint(w - 1, e), QPoint(w - i - 2, e), QPoint(w - i - 2, e + i)}),
                QLine(w - i - 2, e, w - i - 2, e + i)};
    case tformshape::bpBottomLeft:
        return {QPolygon({QPoint(e, h), QPoint(e, h - i - 1), QPoint(e + i, h - i - 1)}),
                QPolygon({QPoint(e, h - 1), QPoint(e, h - i - 2), QPoint(e + i, h - i - 2)}),
                QLine(e + i - 1, h - i - 2, e, h - i - 2)};
    case tformshape::bpLeftBottom:
        return {QPolygon({QPoint(0, h - e), QPoint(i, h - e), QPoint(i, h - e - i)}),
                QPolygon({QPoint(1, h - e - 1), QPoint(i, h - e - 1), QPoint(i, h - e - i)}),
                QLine(i, h - e - 1, i, h - i - e)};
    case tformshape::bpBottomRight:
        return {QPolygon({QPoint(w - e, h), QPoint(w - e, h - i - 1), QPoint(w - e - i, h - i - 1)}),
                QPolygon({QPoint(w - e - 1, h - 1), QPoint(w - e - 1, h - i - 2),
                          QPoint(w - e - i + 1, h - i - 2)}),
                QLine(w - i - e + 1, h - i - 2, w - e, h - i - 2)};
    case tformshape::bpRightBottom:
        return {QPolygon({QPoint(w, h - e), QPoint(w - i - 1, h - e), QPoint(w - i - 1, h - e - i)}),
                QPolygon({QPoint(w - 2, h - e - 1), QPoint(w - i - 2, h - e - 1),
                          QPoint(w - i - 2, h - e - i)}),
                QLine(w - i - 2, h - e - 1, w - i - 2, h - i - e)};
    case tformshape::bpNone:
        break;
    }
    return {};
}

} // namespace

tformshape::tformshape(QWidget *owner) : QObject(requireForm(owner)), m_form(owner)
{
    owner->installEventFilter(this);
    syncAccessibleTexts();
    QTimer::singleShot(0, this, &tformshape::Loaded);
}

void tformshape::setBalloonEllips(int ellips)
{
    if (ellips > 0)
        m_ellips = ellips;
}

void tformshape::setBalloonIndent(int indent)
{
    if (indent > 0)
        m_indent = indent;
}

QRegion tformshape::bodyRegion(TBalloonPosition position, int width, int height, int ellips,
                               int indent)
{
    // Painted rather than computed, so that the region holds exactly the pixels of the outline
    // and of what it encloses.
    const QRect body = outlineBody(position, width, height, indent);
    if (body.width() < 1 || body.height() < 1)
        return QRegion();
    QImage image = shapeCanvas(width, height);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    drawRoundRect(painter, body, ellips);
    painter.end();
    return RegionData::fromAlpha(image, 127);
}

QPolygon tformshape::tailTriangle(TBalloonPosition position, int width, int height, int ellips,
                                  int indent)
{
    return tailAt(position, width, height, ellips, indent).region;
}

QRegion tformshape::balloonRegion(TBalloonPosition position, int width, int height, int ellips,
                                  int indent)
{
    QRegion region = bodyRegion(position, width, height, ellips, indent);
    if (position == bpNone)
        return region;
    region += QRegion(tailTriangle(position, width, height, ellips, indent), Qt::WindingFill);
    return region.intersected(QRect(0, 0, width, height));
}

QPolygon tformshape::tailOutlineTriangle(TBalloonPosition position, int width, int height,
                                         int ellips, int indent)
{
    return tailAt(position, width, height, ellips, indent).outline;
}

void tformshape::Loaded()
{
    if (m_applied || !m_form)
        return;
    m_applied = true;
    if (!m_reshape)
        return;
    if (!m_form->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        const bool visible = m_form->isVisible();
        m_form->setWindowFlag(Qt::FramelessWindowHint, true);
        if (visible)
            m_form->show();
    }
    applyRegion();
}

void tformshape::syncAccessibleTexts()
{
    if (m_form->accessibleName() != m_form->windowTitle())
        m_form->setAccessibleName(m_form->windowTitle());
    SyncAccessibleHint(m_form);
}

void tformshape::applyRegion()
{
    m_form->setMask(
        balloonRegion(m_position, m_form->width(), m_form->height(), m_ellips, m_indent));
    m_form->update();
}

void tformshape::paintOutline()
{
    const int w = m_form->width();
    const int h = m_form->height();
    QPainter painter(m_form);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    drawRoundRect(painter, outlineBody(m_position, w, h, m_indent), m_ellips);
    if (m_position == bpNone)
        return;
    const Tail tail = tailAt(m_position, w, h, m_ellips, m_indent);
    painter.drawPolygon(tail.outline);
    painter.setPen(m_form->palette().color(QPalette::Active, m_form->backgroundRole()));
    drawLineTo(painter, tail.base);
}

bool tformshape::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_form)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Show:
        Loaded();
        // A balloon that opens is what the user answers next: it takes the keyboard focus, so
        // Enter and Esc reach it at once.
        if (m_reshape && !event->spontaneous()) {
            m_form->raise();
            m_form->activateWindow();
        }
        break;
    case QEvent::WindowTitleChange:
    case QEvent::ToolTipChange:
        syncAccessibleTexts();
        break;
    case QEvent::Resize:
        if (m_applied && m_reshape)
            applyRegion();
        break;
    case QEvent::Paint:
        if (m_applied && m_reshape) {
            // The window paints itself first; the outline goes on top of it.
            static_cast<QObject *>(m_form.data())->event(event);
            paintOutline();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
