#include "OContrls.h"

#include "ColorValue.h"
#include "WidgetAccessibility.h"
#include "WidgetArt.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

const QColor Gray(0x80, 0x80, 0x80);
// See-through colours of the light pictures: white for the button, yellow for the label.
const QColor ButtonSeeThrough(0xFF, 0xFF, 0xFF);
const QColor LabelSeeThrough(0xFF, 0xFF, 0x00);

// A rounded rectangle from (left, top) to (right, bottom), right and bottom exclusive, with
// corner ellipses of corner x corner pixels, filled with the brush: a one-pixel pen runs along
// the pixels left .. right - 1 and top .. bottom - 1, a wider one is centred on them. Painted
// without smoothing, so every pixel is the pen's or the brush's colour.
void drawRoundRect(QPainter &painter, int left, int top, int right, int bottom, int corner)
{
    const QRectF rect(left, top, right - left - 1, bottom - top - 1);
    painter.drawRoundedRect(rect, corner / 2.0, corner / 2.0);
}

} // namespace

// ---- TOfficeControl ------------------------------------------------------------------------

TOfficeControl::TOfficeControl(QWidget *parent, const QString &caption, QSize size)
    : QWidget(parent), m_caption(caption)
{
    InstallWidgetAccessibility();
    setAccessibleName(caption);
    setFont(defaultFont());
    setMouseTracking(true);
    resize(size);
}

void TOfficeControl::Click()
{
    if (isEnabled())
        emit clicked();
}

bool TOfficeControl::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange)
        SyncAccessibleHint(this);
    // A window that closes under the mouse sends no leave: the control would open again lit.
    if (event->type() == QEvent::Hide) {
        m_pressed = false;
        m_clickArmed = false;
        mouseLeft();
    }
    return QWidget::event(event);
}

QFont TOfficeControl::defaultFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

void TOfficeControl::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    setAccessibleName(caption);
    update();
}

void TOfficeControl::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

QColor TOfficeControl::parentColor() const
{
    const QWidget *owner = parentWidget() ? parentWidget() : this;
    return owner->palette().color(QPalette::Active, owner->backgroundRole());
}

QColor TOfficeControl::captionColor() const
{
    return isEnabled() ? palette().color(QPalette::Active, foregroundRole()) : Gray;
}

void TOfficeControl::drawLed(QPainter &painter, QPoint at, const QPixmap &picture,
                             QColor seeThrough, QColor brush)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = seeThrough.rgb();
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            if (alpha == 255 && line[x] == key) {
                line[x] = brush.rgb();
            } else if (alpha < 255) {
                const auto mix = [alpha](int over, int under) {
                    return (over * alpha + under * (255 - alpha) + 127) / 255;
                };
                line[x] = qRgb(mix(qRed(line[x]), brush.red()), mix(qGreen(line[x]), brush.green()),
                               mix(qBlue(line[x]), brush.blue()));
            }
        }
    }
    painter.drawImage(at, image);
}

void TOfficeControl::mouseEntered()
{
    if (m_mouseInside)
        return;
    m_mouseInside = true;
    if (!isEnabled())
        return;
    m_hot = true;
    afterEnter();
    update();
    emit mouseEnter();
}

void TOfficeControl::mouseLeft()
{
    if (!m_mouseInside)
        return;
    m_mouseInside = false;
    if (!isEnabled())
        return;
    afterLeave();
    m_hot = false;
    update();
    emit mouseLeave();
}

void TOfficeControl::enterEvent(QEnterEvent *)
{
    mouseEntered();
}

void TOfficeControl::leaveEvent(QEvent *)
{
    mouseLeft();
}

void TOfficeControl::mouseMoveEvent(QMouseEvent *event)
{
    const bool inside = rect().contains(event->position().toPoint());
    // While a button is held the mouse stays with this control and no enter or leave arrives,
    // so crossing the edge is noticed here.
    if (event->buttons() != Qt::NoButton && inside != m_mouseInside) {
        if (inside)
            mouseEntered();
        else
            mouseLeft();
    }
    if (!isEnabled())
        return;
    if (!m_hot && inside) {
        m_hot = true;
        update();
    }
    emit mouseMove(event->modifiers(), event->position().toPoint().x(),
                   event->position().toPoint().y());
}

bool TOfficeControl::pressed(QMouseEvent *event)
{
    m_pressed = false;
    if (!isEnabled())
        return false;
    m_mouseInside = true;
    m_hot = true;
    m_pressed = true;
    afterPress();
    update();
    return event->button() == Qt::LeftButton;
}

void TOfficeControl::mousePressEvent(QMouseEvent *event)
{
    m_clickArmed = pressed(event);
    if (!isEnabled())
        return;
    const QPoint at = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TOfficeControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click starts no click of its own.
    m_clickArmed = false;
    const bool left = pressed(event);
    if (!isEnabled())
        return;
    QPointer<TOfficeControl> self(this);
    if (left)
        emit doubleClicked();
    if (!self || !isEnabled())
        return;
    const QPoint at = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TOfficeControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    const QPoint at = event->position().toPoint();
    const bool click =
        event->button() == Qt::LeftButton && m_clickArmed && rect().contains(at);
    if (event->button() == Qt::LeftButton)
        m_clickArmed = false;
    // The state is settled before the handlers run, so a handler that raises an error or hides
    // the window leaves the control drawn as released.
    m_pressed = false;
    afterRelease();
    update();
    QPointer<TOfficeControl> self(this);
    if (click) {
        beforeClick();
        emit clicked();
    }
    if (!self || !isEnabled())
        return;
    emit mouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void TOfficeControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_hot = false;
        m_pressed = false;
        m_clickArmed = false;
        afterReset();
        update();
    }
    QWidget::changeEvent(event);
}

// ---- TOfficeButton -------------------------------------------------------------------------

TOfficeButton::TOfficeButton(QWidget *parent)
    : TOfficeControl(parent, QStringLiteral("OfficeButton"), QSize(100, 25)),
      m_borderColor(Gray),
      m_buttonColor(ToQColor(clSilver))
{
}

void TOfficeButton::setBorderColor(const QColor &color)
{
    m_borderColor = color;
}

void TOfficeButton::setBorderWidth(int width)
{
    if (width < 1 || width > 3 || width == m_borderWidth)
        return;
    m_borderWidth = width;
    update();
}

void TOfficeButton::setButtonColor(const QColor &color)
{
    if (color == m_buttonColor)
        return;
    m_buttonColor = color;
    update();
}

void TOfficeButton::setRoundSize(int size)
{
    if (size == m_roundSize)
        return;
    m_roundSize = size;
    update();
}

QString TOfficeButton::ledResource() const
{
    if (m_hot && m_pressed)
        return WidgetArt::ledPath(QStringLiteral("DOWN"));
    return WidgetArt::ledPath(m_hot ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void TOfficeButton::afterEnter()
{
    m_offset = m_pressed ? 1 : 0;
}

void TOfficeButton::afterLeave()
{
    m_offset = 0;
}

void TOfficeButton::afterPress()
{
    m_offset = 1;
}

void TOfficeButton::afterRelease()
{
    m_offset = 0;
}

void TOfficeButton::afterReset()
{
    m_offset = 0;
}

void TOfficeButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int d = m_offset;
    const int bw = m_borderWidth;
    const int r = m_roundSize;
    const int w = width();
    const int h = height();
    const QColor brush = Transparent() ? parentColor() : m_buttonColor;

    // The face takes the brush: the parent's colour when transparent, else the button's.
    painter.setBrush(brush);
    if (m_hot) {
        painter.setPen(QPen(m_borderColor, bw + 1));
        drawRoundRect(painter, bw, bw, w - bw + 1, h - bw + 1, r);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawLine(r / 2, bw + 2, w - r / 2 - 1, bw + 2);
    } else {
        painter.setPen(QPen(ToQColor(clSilver), bw));
        drawRoundRect(painter, bw - 1, bw - 1, w - bw + 1, h - bw + 1, r);
    }

    const QPixmap led = WidgetArt::picture(ledResource());
    drawLed(painter, QPoint(d + 7, (h - led.height()) / 2 + d), led, ButtonSeeThrough, brush);

    painter.setFont(font());
    painter.setPen(captionColor());
    const QFontMetrics metrics(font());
    const int x = (w - metrics.horizontalAdvance(Caption())) / 2 + d + 7;
    const int y = (h - metrics.height()) / 2 + d;
    painter.drawText(QPoint(x, y + metrics.ascent()), Caption());
}

// ---- TOfficeLabel --------------------------------------------------------------------------

TOfficeLabel::TOfficeLabel(QWidget *parent)
    : TOfficeControl(parent, QStringLiteral("OfficeLabel"), QSize(100, 17)), m_labelColor(ToQColor(clSilver))
{
}

void TOfficeLabel::setLabelColor(const QColor &color)
{
    if (color == m_labelColor)
        return;
    m_labelColor = color;
    update();
}

void TOfficeLabel::setLEDType(TLEDType type)
{
    if (type == m_ledType)
        return;
    m_ledType = type;
    update();
}

QString TOfficeLabel::ledResource() const
{
    static const char *const suffixes[] = {"RND", "3DWN", "3UP"};
    const char *state = !m_hot ? "OFF" : m_pressed ? "DOWN" : "ON";
    return WidgetArt::ledPath(QLatin1String(state) + QLatin1String(suffixes[m_ledType]));
}

QRect TOfficeLabel::textRect() const
{
    const QPixmap led = WidgetArt::picture(ledResource());
    return QRect(QPoint(led.width() + 5, 1), QPoint(width() - 1, height() - 2));
}

QRect TOfficeLabel::frameRect() const
{
    const QRect text = textRect();
    // From (left - 3, top - 1) to (right - 1, bottom), right and bottom exclusive.
    return QRect(QPoint(text.left() - 3, text.top() - 1), QPoint(text.right() - 1, text.bottom()));
}

void TOfficeLabel::afterLeave()
{
    m_frameToErase = true;
}

void TOfficeLabel::beforeClick()
{
    m_frameToErase = true;
}

void TOfficeLabel::afterReset()
{
    m_frameToErase = false;
}

void TOfficeLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor background = Transparent() ? parentColor() : m_labelColor;
    if (!Transparent())
        painter.fillRect(rect(), m_labelColor);

    painter.setFont(font());
    drawLed(painter, QPoint(0, 0), WidgetArt::picture(ledResource()), LabelSeeThrough, background);

    painter.setPen(captionColor());
    painter.drawText(textRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Caption());

    const auto dottedFrame = [&painter, this](const QColor &color) {
        QPen pen(color, 1, Qt::CustomDashLine);
        pen.setDashPattern({1, 1});
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QRect frame = frameRect();
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    };
    if (m_hot && m_pressed) {
        dottedFrame(Qt::black);
    } else if (!m_hot && m_frameToErase) {
        m_frameToErase = false;
        dottedFrame(background);
    }
}
