#include "GradProgress.h"

#include "Edge.h"
#include "GradMath.h"

#include <QFontDatabase>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The scalable fonts installed, sorted by name.
QStringList ScalableFonts()
{
    QStringList names;
    const QStringList families = QFontDatabase::families();
    for (const QString &family : families) {
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
            names.append(family);
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace

TGradProgress::TGradProgress(QWidget *parent) : QWidget(parent), m_trueTypeFonts(ScalableFonts())
{
    QFont face = font();
    face.setPixelSize(11);
    face.setBold(false);
    face.setItalic(false);
    face.setUnderline(false);
    face.setStrikeOut(false);
    setFont(face);
    resize(150, 16);
}

void TGradProgress::setStyle(TGradStyle value)
{
    if (StoreChanged(m_style, value))
        update();
}

void TGradProgress::setBevelStyle(TBevelStyle value)
{
    if (StoreChanged(m_bevelStyle, value))
        update();
}

void TGradProgress::setBevelWidth(int value)
{
    if (value == m_bevelWidth)
        return;
    // A bevel must leave room inside the bar; a width that does not is refused.
    if (value >= 0 && value <= 255 && 2 * value <= height() - 4 && 2 * value <= width() - 4)
        m_bevelWidth = value;
    update();
}

void TGradProgress::setStartColor(TColor value)
{
    if (StoreChanged(m_startColor, value))
        update();
}

void TGradProgress::setEndColor(TColor value)
{
    if (StoreChanged(m_endColor, value))
        update();
}

void TGradProgress::setPosition(int value)
{
    if (value < 0 || value == m_position)
        return;
    m_position = qMin(value, m_maxValue);
    // Painted at once: the start-up advances the bar while no events are processed.
    repaint();
}

void TGradProgress::setMaxValue(int value)
{
    if (value == m_maxValue || value < 0)
        return;
    m_maxValue = value;
    if (m_position > m_maxValue)
        m_position = m_maxValue;
    update();
}

void TGradProgress::setStep(int value)
{
    m_step = value;
}

void TGradProgress::setShowPercent(bool value)
{
    if (StoreChanged(m_showPercent, value))
        update();
}

void TGradProgress::setBackColor(TColor value)
{
    if (StoreChanged(m_backColor, value))
        update();
}

void TGradProgress::setFontColor(TColor value)
{
    if (StoreChanged(m_fontColor, value))
        update();
}

void TGradProgress::Stepit()
{
    // Computed wide, so a step past the largest integer fills the bar instead of wrapping round.
    const qint64 next = qint64(m_position) + m_step;
    setPosition(int(std::clamp<qint64>(next, std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max())));
}

int TGradProgress::FilledLength() const
{
    return FillLength(m_position, m_maxValue, m_style == gsHorizontal ? width() : height());
}

QString TGradProgress::PercentText() const
{
    const int extent = m_style == gsHorizontal ? width() : height();
    return QString::number(FillPercent(FilledLength(), extent)) + QLatin1Char('%');
}

QFont TGradProgress::PercentFont() const
{
    QFont face = font();
    // Text turned on its side needs an outline font; fall back to the first one installed.
    if (m_style == gsVertical && !m_trueTypeFonts.isEmpty()
        && !m_trueTypeFonts.contains(face.family(), Qt::CaseInsensitive))
        face.setFamily(m_trueTypeFonts.first());
    return face;
}

bool TGradProgress::PercentRotated() const
{
    if (m_style != gsVertical)
        return false;
    const int textWidth = QFontMetrics(PercentFont()).horizontalAdvance(PercentText());
    return PercentTextRotated(textWidth, width(), m_bevelWidth);
}

QRect TGradProgress::InnerRect() const
{
    if (m_bevelStyle == bsNone)
        return QRect(QPoint(1, 1), QPoint(width() - 2, height() - 2));
    return QRect(QPoint(m_bevelWidth, m_bevelWidth),
                 QPoint(width() - m_bevelWidth - 1, height() - m_bevelWidth - 1));
}

void TGradProgress::PaintBevel(QPainter &painter) const
{
    const QColor light = ToQColor(clBtnHighlight, palette());
    const QColor shadow = ToQColor(clBtnShadow, palette());
    for (int i = 0; i < m_bevelWidth; ++i) {
        const QRect edge(QPoint(i, i), QPoint(width() - i - 1, height() - i - 1));
        if (m_bevelStyle == bsLowered)
            DrawEdge(painter, edge, shadow, light);
        else if (m_bevelStyle == bsRaised)
            DrawEdge(painter, edge, light, shadow);
    }
}

void TGradProgress::PaintPercent(QPainter &painter, const QRect &inner, int fillLength) const
{
    const int extent = m_style == gsHorizontal ? width() : height();
    const QString text = QString::number(FillPercent(fillLength, extent)) + QLatin1Char('%');
    const QFont face = PercentFont();
    const QFontMetrics metrics(face);
    painter.setFont(face);
    painter.setPen(ToQColor(m_fontColor, palette()));
    painter.setBackgroundMode(Qt::TransparentMode);

    if (m_style == gsVertical && PercentTextRotated(metrics.horizontalAdvance(text), width(), m_bevelWidth)) {
        // Written downwards, its top towards the right, about the middle of the bar.
        const int textWidth = metrics.horizontalAdvance(text);
        const int x = int(std::lround((width() + metrics.height() - 3) / 2.0));
        const int y = int(std::lround((height() - textWidth + 3) / 2.0));
        painter.save();
        painter.translate(x, y);
        painter.rotate(90);
        painter.drawText(QPoint(0, metrics.ascent()), text);
        painter.restore();
        return;
    }
    painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void TGradProgress::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return;
    QPainter painter(this);
    PaintBevel(painter);

    const QRect inner = InnerRect();
    if (inner.right() < 0 || inner.bottom() < 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize bitmapSize(inner.right() + 1, inner.bottom() + 1);
    QImage bitmap(bitmapSize * ratio, QImage::Format_RGB32);
    bitmap.setDevicePixelRatio(ratio);
    bitmap.fill(ToQColor(m_backColor, palette()));
    {
        QPainter canvas(&bitmap);
        const int fill = FilledLength();
        const TGradientSteps steps(m_startColor, m_endColor);
        // The whole gradient is squeezed into the filled part.
        for (int n = 0; n <= fill; ++n) {
            const QColor color = ToQColor(steps.At(fill > 0 ? MulDiv(255, n, fill) : 0));
            if (m_style == gsHorizontal)
                canvas.fillRect(QRect(n, inner.top(), 1, inner.height()), color);
            else
                canvas.fillRect(QRect(inner.left(), std::abs(n - h), inner.width(), 1), color);
        }
        // The rest of the bar in the background colour; a vertical bar fills upwards.
        const QColor back = ToQColor(m_backColor, palette());
        if (m_style == gsHorizontal)
            canvas.fillRect(QRect(QPoint(fill, inner.top()), QPoint(w - 1, h - 1)), back);
        else
            canvas.fillRect(QRect(QPoint(inner.left(), inner.top()),
                                  QPoint(inner.right(), std::abs(fill - h) - 1)),
                            back);
        if (m_showPercent)
            PaintPercent(canvas, inner, fill);
    }
    painter.drawImage(inner, bitmap, QRect(inner.topLeft() * ratio, inner.size() * ratio));
}

void TGradProgress::mousePressEvent(QMouseEvent *event)
{
    emit MouseDown(event);
    QWidget::mousePressEvent(event);
}

void TGradProgress::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(event);
    QWidget::mouseMoveEvent(event);
}

void TGradProgress::mouseReleaseEvent(QMouseEvent *event)
{
    emit MouseUp(event);
    QWidget::mouseReleaseEvent(event);
}
