#include "NStatusBar.h"

#include "ColorValue.h"
#include "Edge.h"

#include <QPainter>
#include <QStyle>

namespace {

constexpr int PanelTop = 2;   // gap above the panels
constexpr int PanelGap = 2;   // gap between two panels
constexpr int TextMargin = 2; // text inset inside a panel's frame
constexpr int DefaultHeight = 19;

} // namespace

TNStatusBar::TNStatusBar(QWidget *parent) : QStatusBar(parent)
{
    // The bar sits under a fixed-size window; children are placed by hand.
    setSizeGripEnabled(false);
}

int TNStatusBar::AddPanel(int width, const QString &text)
{
    m_panels.append(TStatusPanel{width, text, Qt::AlignLeft});
    update();
    return int(m_panels.size()) - 1;
}

QString TNStatusBar::PanelText(int index) const
{
    return index >= 0 && index < m_panels.size() ? m_panels.at(index).Text : QString();
}

void TNStatusBar::setPanelText(int index, const QString &text)
{
    if (index < 0 || index >= m_panels.size() || m_panels.at(index).Text == text)
        return;
    m_panels[index].Text = text;
    update(PanelRect(index));
}

void TNStatusBar::setPanelWidth(int index, int width)
{
    if (index < 0 || index >= m_panels.size() || m_panels.at(index).Width == width)
        return;
    m_panels[index].Width = width;
    update();
}

void TNStatusBar::setPanelAlignment(int index, Qt::Alignment alignment)
{
    if (index < 0 || index >= m_panels.size())
        return;
    m_panels[index].Alignment = alignment;
    update(PanelRect(index));
}

QString TNStatusBar::PanelWidths() const
{
    QStringList figures;
    for (const TStatusPanel &panel : m_panels)
        figures.append(QString::number(panel.Width));
    return figures.join(QLatin1Char(','));
}

void TNStatusBar::setPanelWidths(const QString &widths)
{
    const QStringList figures = widths.split(QLatin1Char(','), Qt::SkipEmptyParts);
    m_panels.resize(figures.size());
    for (qsizetype i = 0; i < figures.size(); ++i)
        m_panels[i].Width = qMax(0, figures.at(i).trimmed().toInt());
    update();
}

QRect TNStatusBar::PanelRect(int index) const
{
    if (index < 0 || index >= m_panels.size())
        return QRect();
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_panels.at(i).Width + PanelGap;
    // The last panel reaches the right end of the bar.
    const int right = index == m_panels.size() - 1 ? width() : left + m_panels.at(index).Width;
    return QRect(left, PanelTop, qMax(0, right - left), qMax(0, height() - PanelTop));
}

QSize TNStatusBar::sizeHint() const
{
    QSize hint = QStatusBar::sizeHint();
    int tallest = qMax(DefaultHeight, fontMetrics().height() + PanelTop + 2 * TextMargin);
    // Controls placed on the bar are never cut off at the bottom.
    for (const QObject *child : children()) {
        if (const auto *widget = qobject_cast<const QWidget *>(child);
            widget && !widget->isWindow() && !widget->isHidden())
            tallest = qMax(tallest, widget->geometry().bottom() + 1);
    }
    hint.setHeight(tallest);
    return hint;
}

QSize TNStatusBar::minimumSizeHint() const
{
    return QSize(QStatusBar::minimumSizeHint().width(), sizeHint().height());
}

void TNStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor shadow = ToQColor(clBtnShadow, palette());
    const QColor light = ToQColor(clBtnHighlight, palette());
    painter.setPen(palette().color(QPalette::WindowText));

    for (int i = 0; i < m_panels.size(); ++i) {
        const QRect frame = PanelRect(i);
        if (frame.width() < 2 || frame.height() < 2)
            continue;
        // A sunken one-pixel frame.
        DrawEdge(painter, frame, shadow, light);

        // A temporary message (a tool's status tip) covers the first panel while it lasts.
        const QString message = currentMessage();
        const QString text = i == 0 && !message.isEmpty() ? message : m_panels.at(i).Text;
        const QRect inside = frame.adjusted(1 + TextMargin, 1, -1 - TextMargin, -1);
        painter.drawText(inside, int(m_panels.at(i).Alignment | Qt::AlignVCenter) | Qt::TextSingleLine,
                         text);
    }
    if (m_panels.isEmpty() && !currentMessage().isEmpty())
        painter.drawText(rect().adjusted(TextMargin, PanelTop, -TextMargin, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, currentMessage());
}
