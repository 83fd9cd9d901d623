#include "GradText.h"

#include "WidgetAccessibility.h"

#include "GradMath.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

TGradText::TGradText(QWidget *parent) : QWidget(parent), m_lines{QStringLiteral("GradText")}
{
    // A graphic control: clicks and keys belong to whatever lies beneath it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    QFont face(QStringLiteral("Times New Roman"));
    face.setPixelSize(24);
    face.setBold(true);
    face.setItalic(true);
    setFont(face);
    resize(75, 25);
    InstallWidgetAccessibility();
    setAccessibleName(m_lines.join(QLatin1Char(' ')));
}

bool TGradText::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange)
        SyncAccessibleHint(this);
    return QWidget::event(event);
}

void TGradText::setBeginColor(TColor value)
{
    if (StoreChanged(m_beginColor, value))
        update();
}

void TGradText::setEndColor(TColor value)
{
    if (StoreChanged(m_endColor, value))
        update();
}

void TGradText::setGradientStyle(TGradientStyle value)
{
    if (StoreChanged(m_gradientStyle, value))
        update();
}

void TGradText::setLines(const QStringList &value)
{
    if (value.isEmpty())
        return;
    m_lines = value;
    setAccessibleName(m_lines.join(QLatin1Char(' ')));
    update();
}

void TGradText::setJustification(TJustification value)
{
    if (StoreChanged(m_justification, value))
        update();
}

QString TGradText::Text() const
{
    return m_lines.join(QLatin1Char('\r'));
}

int TGradText::TextFlags() const
{
    int flags = Qt::TextWordWrap | Qt::AlignTop;
    switch (m_justification) {
    case jLeft:
        flags |= Qt::AlignLeft;
        break;
    case jCenter:
        flags |= Qt::AlignHCenter;
        break;
    case jRight:
        flags |= Qt::AlignRight;
        break;
    }
    return flags;
}

// The text as drawn: each carriage return starts a new line. "&" is shown as it is.
static QString DrawnText(const QString &text)
{
    QString drawn = text;
    drawn.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return drawn;
}

QSize TGradText::MeasureText() const
{
    const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, width(), height()), TextFlags(),
                                                    DrawnText(Text()));
    return bounds.size();
}

void TGradText::FitToText()
{
    const QSize measured = MeasureText();
    if (!measured.isEmpty() && measured != size())
        resize(measured);
}

void TGradText::FillGradient(QImage &image, TGradientStyle style, TColor begin, TColor end)
{
    const int w = image.width();
    const int h = image.height();
    const TGradientSteps steps(begin, end);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    auto colorAt = [&](int t, int scale) { return ToQColor(steps.At(t, scale)); };

    switch (style) {
    case gsHorizontal:
        for (int t = 0; t < 256; ++t) {
            const int left = MulDiv(t, w, 256);
            const int right = MulDiv(t + 1, w, 256);
            if (right > left)
                painter.fillRect(QRect(left, 0, right - left, h), colorAt(t, 255));
        }
        break;
    case gsVertical:
        for (int t = 0; t < 256; ++t) {
            const int top = MulDiv(t, h, 256);
            const int bottom = MulDiv(t + 1, h, 256);
            if (bottom > top)
                painter.fillRect(QRect(0, top, w, bottom - top), colorAt(t, 255));
        }
        break;
    case gsRectangle: {
        // 256 nested rectangles closing in on the centre, the outermost in the begin colour.
        const double stepX = w / 510.0;
        const double stepY = h / 510.0;
        double left = 0, top = 0, right = w + 2, bottom = h + 2;
        for (int t = 0; t < 256; ++t) {
            left += stepX;
            top += stepY;
            right -= stepX;
            bottom -= stepY;
            // A rectangle without an outline covers up to one pixel short of its right and
            // bottom corner.
            const int x = int(std::lround(left));
            const int y = int(std::lround(top));
            const int width = int(std::lround(right)) - 1 - x;
            const int height = int(std::lround(bottom)) - 1 - y;
            if (width > 0 && height > 0)
                painter.fillRect(QRect(x, y, width, height), colorAt(t, 255));
        }
        break;
    }
    case gsVertCenter: {
        // Begin colour at the top and bottom rows, end colour in the middle.
        const int half = h / 2;
        for (int i = 0; i <= half; ++i) {
            const QColor color = colorAt(half > 0 ? i : 0, half > 0 ? half : 1);
            painter.fillRect(QRect(0, i, w, 1), color);
            painter.fillRect(QRect(0, h - 1 - i, w, 1), color);
        }
        break;
    }
    case gsHorizCenter: {
        const int half = w / 2;
        for (int i = 0; i <= half; ++i) {
            const QColor color = colorAt(half > 0 ? i : 0, half > 0 ? half : 1);
            painter.fillRect(QRect(i, 0, 1, h), color);
            painter.fillRect(QRect(w - 1 - i, 0, 1, h), color);
        }
        break;
    }
    }
}

void TGradText::paintEvent(QPaintEvent *)
{
    // The control takes the size of its text on every paint.
    FitToText();
    const QSize area = size();
    if (area.isEmpty())
        return;

    const qreal ratio = devicePixelRatioF();
    QImage gradient(area, QImage::Format_ARGB32_Premultiplied);
    gradient.fill(Qt::transparent);
    FillGradient(gradient, m_gradientStyle, m_beginColor, m_endColor);

    // Keep the gradient only where the letters are: the text, drawn at the same place, serves as
    // the mask, and everything else stays see-through.
    QImage letters(area * ratio, QImage::Format_ARGB32_Premultiplied);
    letters.setDevicePixelRatio(ratio);
    letters.fill(Qt::transparent);
    {
        QPainter mask(&letters);
        mask.setFont(font());
        mask.setPen(Qt::black);
        mask.drawText(QRect(QPoint(0, 0), area), TextFlags(), DrawnText(Text()));
        mask.setCompositionMode(QPainter::CompositionMode_SourceIn);
        mask.setRenderHint(QPainter::SmoothPixmapTransform, false);
        mask.drawImage(QRect(QPoint(0, 0), area), gradient);
    }

    QPainter painter(this);
    painter.drawImage(QRect(QPoint(0, 0), area), letters);
}
