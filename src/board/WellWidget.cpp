#include "WellWidget.h"

#include "CellPainter.h"
#include "PreviewForm.h"

#include <QPaintEvent>
#include <type_traits>
#include <QPainter>

using WinColor::Value;

TWellWidget::TWellWidget(QWidget *parent)
    : QWidget(parent)
    , m_well(this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setSquareDimension(15);
    resize(135, 15 * 20);
    m_blocktype = btNormal;

    m_previewForm = new TPreviewForm(this);
    m_previewForm->hide();
    m_previewSize = 40;
    m_previewForm->setSquareSize(m_previewSize);
    m_previewForm->setWindowTitle(QStringLiteral("Next"));
}

TWellWidget::~TWellWidget()
{
    closeCanvas();
}

// Runs an operation of the well and shows what it drew before returning its result.
template<typename Operation>
auto TWellWidget::drawing(Operation operation)
{
    ensureCanvas();
    if constexpr (std::is_void_v<decltype(operation())>) {
        operation();
        showChanges();
    } else {
        const auto result = operation();
        showChanges();
        return result;
    }
}

// --- Properties ---------------------------------------------------------------------------

void TWellWidget::setNumberOfPieces(int value)
{
    m_well.setNumberOfPieces(value);
}

void TWellWidget::setLastDeletedLine(int value)
{
    m_well.setLastDeletedLine(value);
}

void TWellWidget::setNextPiece(int value)
{
    m_well.setNextPiece(value);
}

void TWellWidget::setNumberOfType(int value)
{
    m_well.setNumberOfType(value);
}

void TWellWidget::setBackGroundColor(quint32 value)
{
    drawing([this, value] { m_well.setBackGroundColor(value); });
}

void TWellWidget::setScreenNumber(int value)
{
    drawing([this, value] { m_well.setScreenNumber(value); });
}

void TWellWidget::setSquareDimension(int value)
{
    m_squareDimension = value;
    resize(9 * value, 20 * value);
}

void TWellWidget::setShowBorderColor(bool value)
{
    m_showBorderColor = value;
    if (!value)
        m_showFillColor = true;
    Paint();
}

void TWellWidget::setShowFillColor(bool value)
{
    m_showFillColor = value;
    if (!value)
        m_showBorderColor = true;
    if (!ensureCanvas())
        repaintWell();
    m_changed = QRegion();
    update();
}

void TWellWidget::setShowNextpiece(bool value)
{
    m_well.setShowNextpiece(value);
    m_previewForm->setVisible(value);
}

void TWellWidget::setPreviewSize(int value)
{
    if (value < 3 || value == m_previewSize)
        return;
    m_previewSize = value;
    m_previewForm->setSquareSize(value);
}

void TWellWidget::setPreviewCaption(const QString &value)
{
    m_previewCaption = value;
    m_previewForm->setWindowTitle(value);
}

void TWellWidget::setBlocktype(TBlockType value)
{
    m_blocktype = value;
    Paint();
}

// --- Play ---------------------------------------------------------------------------------

void TWellWidget::NewGame()
{
    drawing([this] { m_well.NewGame(); });
}

int TWellWidget::StepDown()
{
    return drawing([this] { return m_well.StepDown(); });
}

bool TWellWidget::MoveLeft()
{
    return drawing([this] { return m_well.MoveLeft(); });
}

bool TWellWidget::MoveRight()
{
    return drawing([this] { return m_well.MoveRight(); });
}

void TWellWidget::Rotate()
{
    drawing([this] { m_well.Rotate(); });
}

bool TWellWidget::TryRotate()
{
    return m_well.TryRotate();
}

int TWellWidget::Drop()
{
    return drawing([this] { return m_well.Drop(); });
}

// --- Drawing ------------------------------------------------------------------------------

void TWellWidget::Paint()
{
    if (!ensureCanvas())
        repaintWell();
    showChanges();
}

void TWellWidget::DrawCell(int column, int row, quint32 colour)
{
    drawing([=, this] { drawCell(column, row, colour); });
}

void TWellWidget::PaintPreview()
{
    paintPreview();
}

const QImage &TWellWidget::image()
{
    ensureCanvas();
    closeCanvas();
    return m_image;
}

CellPainter::Style TWellWidget::style() const
{
    return {m_well.BackGroundColor(), m_showBorderColor, m_showFillColor, int(m_blocktype)};
}

bool TWellWidget::ensureCanvas()
{
    if (m_image.size() == size())
        return false;
    closeCanvas();
    m_image = QImage(size(), QImage::Format_RGB32);
    repaintWell();
    return true;
}

void TWellWidget::drawCell(int column, int row, Value colour)
{
    if (m_image.isNull())
        return;
    const QRect rect = CellPainter::cellRect(column, row, m_cellWidth, m_cellHeight);
    CellPainter::paintCell(canvas(), rect, colour, style());
    m_changed += rect;
}

void TWellWidget::repaintWell()
{
    m_cellWidth = width() / TWellModel::Columns;
    m_cellHeight = height() / TWellModel::Rows;
    if (m_image.isNull())
        return;
    QPainter &painter = canvas();
    const CellPainter::Style cellStyle = style();
    painter.fillRect(m_image.rect(), ToQColor(cellStyle.background));
    for (int column = 0; column < TWellModel::Columns; ++column)
        for (int row = 0; row < TWellModel::Rows; ++row)
            CellPainter::paintCell(painter,
                                   CellPainter::cellRect(column, row, m_cellWidth, m_cellHeight),
                                   m_well.Cell(column, row), cellStyle);
    m_changed = QRegion(m_image.rect());
}

void TWellWidget::fillArea()
{
    if (m_image.isNull())
        return;
    canvas().fillRect(m_image.rect(), ToQColor(m_well.BackGroundColor()));
    m_changed = QRegion(m_image.rect());
}

void TWellWidget::paintPreview()
{
    TPreviewForm::Squares squares;
    for (int c = 0; c < TWellModel::MatrixSize; ++c)
        for (int r = 0; r < TWellModel::MatrixSize; ++r)
            squares[c][r] = m_well.Square(c, r);
    m_previewForm->paintPiece(squares, style());
}

QPainter &TWellWidget::canvas()
{
    if (!m_painter)
        m_painter = std::make_unique<QPainter>(&m_image);
    return *m_painter;
}

void TWellWidget::closeCanvas()
{
    m_painter.reset();
}

void TWellWidget::showChanges()
{
    closeCanvas();
    if (!m_changed.isEmpty() && isVisible())
        repaint(m_changed);
    m_changed = QRegion();
}

void TWellWidget::paintEvent(QPaintEvent *event)
{
    ensureCanvas();
    closeCanvas();
    m_changed = QRegion();
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_image, event->rect());
}
