#include "T_TETRIS.h"

#include "CellPainter.h"
#include "PreviewForm.h"

#include <QPaintEvent>
#include <QPainter>

using WinColor::Value;

TTETRIS::TTETRIS(QWidget *parent)
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

TTETRIS::~TTETRIS() = default;

// --- Properties ---------------------------------------------------------------------------

void TTETRIS::setNumberOfPieces(int value)
{
    m_well.setNumberOfPieces(value);
}

void TTETRIS::setLastDeletedLine(int value)
{
    m_well.setLastDeletedLine(value);
}

void TTETRIS::setNextPiece(int value)
{
    m_well.setNextPiece(value);
}

void TTETRIS::setNumberOfType(int value)
{
    m_well.setNumberOfType(value);
}

void TTETRIS::setBackGroundColor(quint32 value)
{
    ensureCanvas();
    m_well.setBackGroundColor(value);
    showChanges();
}

void TTETRIS::setScreenNumber(int value)
{
    ensureCanvas();
    m_well.setScreenNumber(value);
    showChanges();
}

void TTETRIS::setSquareDimension(int value)
{
    m_squareDimension = value;
    resize(9 * value, 20 * value);
}

void TTETRIS::setShowBorderColor(bool value)
{
    m_showBorderColor = value;
    if (!value)
        m_showFillColor = true;
    Paint();
}

void TTETRIS::setShowFillColor(bool value)
{
    m_showFillColor = value;
    if (!value)
        m_showBorderColor = true;
    if (!ensureCanvas())
        repaintWell();
    m_changed = QRegion();
    update();
}

void TTETRIS::setShowNextpiece(bool value)
{
    m_well.setShowNextpiece(value);
    m_previewForm->setVisible(value);
}

void TTETRIS::setPreviewSize(int value)
{
    if (value < 3 || value == m_previewSize)
        return;
    m_previewSize = value;
    m_previewForm->setSquareSize(value);
}

void TTETRIS::setPreviewCaption(const QString &value)
{
    m_previewCaption = value;
    m_previewForm->setWindowTitle(value);
}

void TTETRIS::setBlocktype(TBlockType value)
{
    m_blocktype = value;
    Paint();
}

// --- Play ---------------------------------------------------------------------------------

void TTETRIS::NewGame()
{
    ensureCanvas();
    m_well.NewGame();
    showChanges();
}

int TTETRIS::StepDown()
{
    ensureCanvas();
    const int result = m_well.StepDown();
    showChanges();
    return result;
}

bool TTETRIS::MoveLeft()
{
    ensureCanvas();
    const bool moved = m_well.MoveLeft();
    showChanges();
    return moved;
}

bool TTETRIS::MoveRight()
{
    ensureCanvas();
    const bool moved = m_well.MoveRight();
    showChanges();
    return moved;
}

void TTETRIS::Rotate()
{
    ensureCanvas();
    m_well.Rotate();
    showChanges();
}

bool TTETRIS::TryRotate()
{
    return m_well.TryRotate();
}

int TTETRIS::Drop()
{
    ensureCanvas();
    const int rows = m_well.Drop();
    showChanges();
    return rows;
}

// --- Drawing ------------------------------------------------------------------------------

void TTETRIS::Paint()
{
    if (!ensureCanvas())
        repaintWell();
    showChanges();
}

void TTETRIS::DrawCell(int column, int row, quint32 colour)
{
    ensureCanvas();
    drawCell(column, row, colour);
    showChanges();
}

void TTETRIS::PaintPreview()
{
    paintPreview();
}

const QImage &TTETRIS::image()
{
    ensureCanvas();
    return m_image;
}

void TTETRIS::resetDrawCounters()
{
    m_cellDrawings = 0;
    m_wellRepaints = 0;
}

CellPainter::Style TTETRIS::style() const
{
    return {m_well.BackGroundColor(), m_showBorderColor, m_showFillColor, int(m_blocktype)};
}

bool TTETRIS::ensureCanvas()
{
    if (m_image.size() == size())
        return false;
    m_image = QImage(size(), QImage::Format_RGB32);
    repaintWell();
    return true;
}

void TTETRIS::drawCell(int column, int row, Value colour)
{
    ++m_cellDrawings;
    if (m_image.isNull())
        return;
    const QRect rect = CellPainter::cellRect(column, row, m_cellWidth, m_cellHeight);
    QPainter painter(&m_image);
    CellPainter::paintCell(painter, rect, colour, style());
    m_changed += rect;
}

void TTETRIS::repaintWell()
{
    ++m_wellRepaints;
    m_cellWidth = width() / TWellModel::Columns;
    m_cellHeight = height() / TWellModel::Rows;
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    const CellPainter::Style cellStyle = style();
    painter.fillRect(m_image.rect(), WinColor::toQColor(cellStyle.background));
    for (int column = 0; column < TWellModel::Columns; ++column)
        for (int row = 0; row < TWellModel::Rows; ++row) {
            ++m_cellDrawings;
            CellPainter::paintCell(painter,
                                   CellPainter::cellRect(column, row, m_cellWidth, m_cellHeight),
                                   m_well.Cell(column, row), cellStyle);
        }
    m_changed = QRegion(m_image.rect());
}

void TTETRIS::fillArea()
{
    if (m_image.isNull())
        return;
    m_image.fill(WinColor::toQColor(m_well.BackGroundColor()));
    m_changed = QRegion(m_image.rect());
}

void TTETRIS::paintPreview()
{
    TPreviewForm::Squares squares;
    for (int c = 0; c < TWellModel::MatrixSize; ++c)
        for (int r = 0; r < TWellModel::MatrixSize; ++r)
            squares[c][r] = m_well.Square(c, r);
    m_previewForm->paintPiece(squares, style());
}

void TTETRIS::showChanges()
{
    if (!m_changed.isEmpty() && isVisible())
        repaint(m_changed);
    m_changed = QRegion();
}

void TTETRIS::paintEvent(QPaintEvent *event)
{
    ensureCanvas();
    m_changed = QRegion();
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_image, event->rect());
}
