#include "PreviewForm.h"

#include <QPaintEvent>
#include <QPainter>

TPreviewForm::TPreviewForm(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreviewForm::setSquareSize(int squareSize)
{
    m_squareSize = squareSize;
    setFixedSize(4 * squareSize, 4 * squareSize);
    render();
    update();
}

void TPreviewForm::paintPiece(const Squares &squares, const CellPainter::Style &style)
{
    m_squares = squares;
    m_style = style;
    m_painted = true;
    render();
    if (isVisible())
        repaint();
}

void TPreviewForm::render()
{
    const QSize area(4 * m_squareSize, 4 * m_squareSize);
    if (m_image.size() != area)
        m_image = QImage(area, QImage::Format_RGB32);
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    // Until the first piece arrives the window shows its own colour, the board's background.
    painter.fillRect(m_image.rect(), WinColor::toQColor(m_style.background));
    if (!m_painted)
        return;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (m_squares[c][r] != m_style.background)
                CellPainter::paintSquare(painter,
                                         QRect(c * m_squareSize, r * m_squareSize, m_squareSize,
                                               m_squareSize),
                                         m_squares[c][r], m_style);
}

void TPreviewForm::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), WinColor::toQColor(m_style.background));
    painter.drawImage(event->rect().topLeft(), m_image, event->rect());
}
