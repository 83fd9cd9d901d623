#include "T_TETRIS.h"

#include "CellPainter.h"
#include "PreviewForm.h"

#include <QPaintEvent>
#include <type_traits>
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

TTETRIS::~TTETRIS()
{
    closeCanvas();
}

// Runs an operation of the well and shows what it drew before returning its result.
template<typename Operation>
auto TTETRIS::drawing(Operation operation)
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
    drawing([this, value] { m_well.setBackGroundColor(value); });
}

void TTETRIS::setScreenNumber(int value)
{
    drawing([this, value] { m_well.setScreenNumber(value); });
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
    drawing([this] { m_well.NewGame(); });
}

int TTETRIS::StepDown()
{
    return drawing([this] { return m_well.StepDown(); });
}

bool TTETRIS::MoveLeft()
{
    return drawing([this] { return m_well.MoveLeft(); });
}

bool TTETRIS::MoveRight()
{
    return drawing([this] { return m_well.MoveRight(); });
}

void TTETRIS::Rotate()
{
    drawing([this] { m_well.Rotate(); });
}

bool TTETRIS::TryRotate()
{
    return m_well.TryRotate();
}

int TTETRIS::Drop()
{
    return drawing([this] { return m_well.Drop(); });
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
    drawing([=, this] { drawCell(column, row, colour); });
}

void TTETRIS::PaintPreview()
{
    paintPreview();
}

const QImage &TTETRIS::image()
{
    ensureCanvas();
    closeCanvas();
    return m_image;
}

CellPainter::Style TTETRIS::style() const
{
    return {m_well.BackGroundColor(), m_showBorderColor, m_showFillColor, int(m_blocktype)};
}

bool TTETRIS::ensureCanvas()
{
    if (m_image.size() == size())
        return false;
    closeCanvas();
    m_image = QImage(size(), QImage::Format_RGB32);
    repaintWell();
    return true;
}

void TTETRIS::drawCell(int column, int row, Value colour)
{
    if (m_image.isNull())
        return;
    const QRect rect = CellPainter::cellRect(column, row, m_cellWidth, m_cellHeight);
    CellPainter::paintCell(canvas(), rect, colour, style());
    m_changed += rect;
}

void TTETRIS::repaintWell()
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

void TTETRIS::fillArea()
{
    if (m_image.isNull())
        return;
    canvas().fillRect(m_image.rect(), ToQColor(m_well.BackGroundColor()));
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

QPainter &TTETRIS::canvas()
{
    if (!m_painter)
        m_painter = std::make_unique<QPainter>(&m_image);
    return *m_painter;
}

void TTETRIS::closeCanvas()
{
    m_painter.reset();
}

void TTETRIS::showChanges()
{
    closeCanvas();
    if (!m_changed.isEmpty() && isVisible())
        repaint(m_changed);
    m_changed = QRegion();
}

void TTETRIS::paintEvent(QPaintEvent *event)
{
    ensureCanvas();
    closeCanvas();
    m_changed = QRegion();
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_image, event->rect());
}
