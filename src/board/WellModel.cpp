#include "WellModel.h"

#include "MessageBox.h"
#include "Random.h"

using namespace WinColor;

namespace {

// Every rejected property value is reported through here.
void reject(const QString &text)
{
    ShowMessage(text);
}

const QString ValueOutOfRange = QStringLiteral("Value out of range...");
const QString ReadOnlyProperty = QStringLiteral("This is a Read-Only Property...");
const QString OnlyFifteenPieces = QStringLiteral("There is only 15 [1..15] kind of pieces...");

// The fifteen shapes as rows of the 4 x 4 matrix, row 0 on top, '#' a square. Index 0 is
// type 1; anything outside 1..14 takes the last shape.
constexpr const char *Shapes[TWellModel::PieceTypes][TWellModel::MatrixSize] = {
    {"....", ".##.", ".##.", "...."}, // 1 square
    {".#..", ".#..", ".##.", "...."}, // 2 L
    {"..#.", "..#.", ".##.", "...."}, // 3 mirrored L
    {".#..", ".#..", ".#..", ".#.."}, // 4 bar
    {"....", "##..", ".##.", "...."}, // 5 Z
    {"....", ".##.", "##..", "...."}, // 6 S
    {"....", ".#..", "###.", "...."}, // 7 T
    {"....", "#.#.", "###.", "...."}, // 8 U
    {"....", "#.#.", "###.", "#.#."}, // 9 H
    {"....", "#.#.", "###.", ".#.."}, // 10
    {"#.#.", "#.#.", "#.#.", "#.#."}, // 11 two bars
    {"####", "#..#", "#..#", "####"}, // 12 hollow square
    {"....", ".#..", "###.", ".#.."}, // 13 cross
    {"....", "#.#.", ".#..", "#.#."}, // 14 diagonal cross
    {"#.#.", "...#", "#...", ".#.#"}, // 15 scattered
};

// The fixed colours of the seven four-square pieces; the others take the colour drawn per build.
constexpr Value ShapeColors[7] = {clBlue, clFuchsia, clAqua, clRed, clMaroon, clOlive, clLime};

} // namespace

const std::array<Value, 14> &TWellModel::ExtraColors()
{
    static const std::array<Value, 14> colors = {clMaroon, clGreen, clOlive, clNavy,   clPurple,
                                                 clTeal,   clGray,  clSilver, clRed,   clLime,
                                                 clYellow, clBlue,  clFuchsia, clAqua};
    return colors;
}

TWellModel::TWellModel(TWellView *view)
    : m_view(view)
{
    for (auto &column : m_cells)
        column.fill(m_backGroundColor);
}

bool TWellModel::inWell(int column, int row)
{
    return column >= 0 && column < Columns && row >= 0 && row < Rows;
}

Value TWellModel::Cell(int column, int row) const
{
    return inWell(column, row) ? m_cells[column][row] : m_backGroundColor;
}

bool TWellModel::CellEmpty(int column, int row) const
{
    return Cell(column, row) == m_backGroundColor;
}

void TWellModel::setCell(int column, int row, Value colour)
{
    if (inWell(column, row))
        m_cells[column][row] = colour;
}

Value TWellModel::Square(int column, int row) const
{
    if (column < 0 || column >= MatrixSize || row < 0 || row >= MatrixSize)
        return m_backGroundColor;
    return m_piece[column][row];
}

bool TWellModel::SquareEmpty(int column, int row) const
{
    return Square(column, row) == m_backGroundColor;
}

void TWellModel::PlacePiece(int type, int column, int row)
{
    m_currentPiece = type;
    BuildPiece(type);
    m_pieceCol = column;
    m_pieceRow = row;
}

void TWellModel::drawCell(int column, int row, Value colour)
{
    if (m_view && inWell(column, row))
        m_view->drawCell(column, row, colour);
}

// --- Properties ---------------------------------------------------------------------------

void TWellModel::setNumberOfPieces(int value)
{
    if (value != m_numberOfPieces)
        reject(ReadOnlyProperty);
}

void TWellModel::setLastDeletedLine(int value)
{
    if (value != m_lastDeletedLine)
        reject(ReadOnlyProperty);
}

void TWellModel::setNextPiece(int value)
{
    if (value < 1 || value > PieceTypes) {
        reject(OnlyFifteenPieces + QString::number(value));
        return;
    }
    if (value == m_nextPiece)
        return;
    m_nextPiece = value;
    if (m_showNextpiece) {
        BuildPiece(m_nextPiece);
        if (m_view)
            m_view->paintPreview();
    }
    BuildPiece(m_currentPiece);
}

void TWellModel::setNumberOfType(int value)
{
    if (value < 8 || value > PieceTypes) {
        reject(ValueOutOfRange);
        return;
    }
    m_numberOfType = value;
}

void TWellModel::setScreenNumber(int value)
{
    Randomize();
    if (value < 0 || value > 5) {
        reject(ValueOutOfRange);
        return;
    }
    m_screenNumber = value;
    if (m_view)
        m_view->fillArea();
    for (auto &column : m_cells)
        column.fill(m_backGroundColor);
    LayScreen();
}

void TWellModel::setBackGroundColor(Value value)
{
    const Value old = m_backGroundColor;
    if (value == old)
        return;
    for (int column = 0; column < Columns; ++column)
        for (int row = 0; row < Rows; ++row)
            if (m_cells[column][row] == old) {
                m_cells[column][row] = value;
                drawCell(column, row, value);
            }
    for (auto &column : m_piece)
        for (Value &square : column)
            if (square == old)
                square = value;
    m_backGroundColor = value;
    if (m_view)
        m_view->repaintWell();
}

// --- Pieces and layouts -------------------------------------------------------------------

void TWellModel::BuildPiece(int type)
{
    const Value drawn = ExtraColors()[Random(int(ExtraColors().size()))];
    const int index = (type >= 1 && type <= PieceTypes) ? type - 1 : PieceTypes - 1;
    const Value colour = index < 7 ? ShapeColors[index] : drawn;
    for (int c = 0; c < MatrixSize; ++c)
        for (int r = 0; r < MatrixSize; ++r)
            m_piece[c][r] = Shapes[index][r][c] == '#' ? colour : m_backGroundColor;
}

int TWellModel::RandomPieceType() const
{
    return 1 + Random(m_numberOfType - 1);
}

void TWellModel::addLayoutSquare(int column, int row)
{
    const Value colour = ExtraColors()[Random(int(ExtraColors().size()))];
    setCell(column, row, colour);
    drawCell(column, row, colour);
}

void TWellModel::LayScreen()
{
    Randomize();
    switch (m_screenNumber) {
    case 1:
    case 2:
        for (int row = 13; row <= 20; ++row) {
            addLayoutSquare(0, row);
            addLayoutSquare(9, row);
        }
        if (m_screenNumber == 2)
            for (int row = 15; row <= 20; ++row) {
                addLayoutSquare(3, row);
                addLayoutSquare(6, row);
            }
        break;
    case 3:
        for (int i = 0; i < 21; ++i) {
            const Value colour = ExtraColors()[Random(int(ExtraColors().size()))];
            const int row = 20 - Random(5);
            const int column = Random(9);
            setCell(column, row, colour);
            drawCell(column, row, colour);
        }
        break;
    case 4:
        for (int row = 11; row <= 20; ++row) {
            addLayoutSquare(row - 11, row);
            addLayoutSquare(20 - row, row);
        }
        break;
    case 5:
        for (int column = 0; column < Columns; ++column)
            for (int row = 15; row <= 20; ++row)
                if ((column + row) % 2 == 0)
                    addLayoutSquare(column, row);
        break;
    default:
        break;
    }
    if (m_view)
        m_view->repaintWell();
}

// --- Moves --------------------------------------------------------------------------------

bool TWellModel::SquareFree(int c, int r, int column, int row) const
{
    if (SquareEmpty(c, r))
        return true;
    const int x = column + c;
    const int y = row + r;
    if (x < 0 || x >= Columns || y >= Rows)
        return false;
    if (y < 0)
        return true;
    return CellEmpty(x, y);
}

bool TWellModel::CanMove(int direction, int column, int row) const
{
    switch (direction) {
    case Down:
        ++row;
        break;
    case Right:
        ++column;
        break;
    case Left:
        --column;
        break;
    default:
        break;
    }
    for (int c = 0; c < MatrixSize; ++c)
        for (int r = 0; r < MatrixSize; ++r)
            if (!SquareFree(c, r, column, row))
                return false;
    return true;
}

void TWellModel::DrawPiece(int column, int row, bool visible)
{
    for (int c = 0; c < MatrixSize; ++c)
        for (int r = 0; r < MatrixSize; ++r) {
            if (SquareEmpty(c, r))
                continue;
            const int x = column + c;
            const int y = row + r;
            // Erasing shows the settled cell again, which under a falling piece is empty.
            drawCell(x, y, visible ? m_piece[c][r] : Cell(x, y));
        }
}

void TWellModel::MergePiece(int column, int row)
{
    // A square outside the well (above the top edge, where the well has no row) is dropped.
    for (int c = 0; c < MatrixSize; ++c)
        for (int r = 0; r < MatrixSize; ++r)
            if (!SquareEmpty(c, r))
                setCell(column + c, row + r, m_piece[c][r]);
}

bool TWellModel::RowIsFull(int row) const
{
    if (row < 0 || row >= Rows)
        return false;
    for (int column = 0; column < Columns; ++column)
        if (CellEmpty(column, row))
            return false;
    return true;
}

void TWellModel::RemoveRow(int row)
{
    if (row < 0 || row >= Rows)
        return;
    for (int k = row; k >= 1; --k)
        for (int column = 0; column < Columns; ++column)
            m_cells[column][k] = m_cells[column][k - 1];
    for (int column = 0; column < Columns; ++column)
        m_cells[column][0] = m_backGroundColor;
}

int TWellModel::RemoveFullRows(int firstRow)
{
    int count = 0;
    for (int row = firstRow; row < firstRow + MatrixSize; ++row)
        if (RowIsFull(row)) {
            RemoveRow(row);
            ++count;
        }
    if (count > 0 && m_view)
        m_view->repaintWell();
    return count;
}

void TWellModel::rotateTypes()
{
    if (m_showNextpiece) {
        BuildPiece(m_nextPiece);
        if (m_view)
            m_view->paintPreview();
    }
    BuildPiece(m_currentPiece);
}

bool TWellModel::shift(int direction, int columns, int rows)
{
    if (!CanMove(direction, m_pieceCol, m_pieceRow))
        return false;
    DrawPiece(m_pieceCol, m_pieceRow, false);
    m_pieceCol += columns;
    m_pieceRow += rows;
    DrawPiece(m_pieceCol, m_pieceRow, true);
    return true;
}

bool TWellModel::MoveLeft()
{
    return shift(Left, -1, 0);
}

bool TWellModel::MoveRight()
{
    return shift(Right, 1, 0);
}

int TWellModel::StepDown()
{
    if (shift(Down, 0, 1))
        return 0;
    MergePiece(m_pieceCol, m_pieceRow);
    m_lastDeletedLine = RemoveFullRows(m_pieceRow);
    m_pieceCol = SpawnColumn;
    m_pieceRow = SpawnRow;
    m_currentPiece = m_nextPiece;
    m_nextPiece = RandomPieceType();
    rotateTypes();
    ++m_numberOfPieces;
    return CanMove(Down, m_pieceCol, m_pieceRow) ? 1 : 2;
}

bool TWellModel::TryRotate()
{
    decltype(m_piece) turned;
    for (int c = 0; c < MatrixSize; ++c)
        for (int r = 0; r < MatrixSize; ++r)
            turned[r][MatrixSize - 1 - c] = m_piece[c][r];
    for (int c = 0; c < MatrixSize; ++c)
        for (int r = 0; r < MatrixSize; ++r) {
            if (turned[c][r] == m_backGroundColor)
                continue;
            const int x = m_pieceCol + c;
            const int y = m_pieceRow + r;
            if (x < 0 || x >= Columns || y >= Rows)
                return false;
            if (y >= 0 && !CellEmpty(x, y))
                return false;
        }
    m_piece = turned;
    return true;
}

void TWellModel::Rotate()
{
    DrawPiece(m_pieceCol, m_pieceRow, false);
    TryRotate();
    DrawPiece(m_pieceCol, m_pieceRow, true);
}

int TWellModel::Drop()
{
    DrawPiece(m_pieceCol, m_pieceRow, false);
    int count = 0;
    // A matrix without squares (before the first game, or after the background took the piece's
    // colour) fits anywhere; it stops below the bottom row instead of falling for ever.
    while (m_pieceRow < Rows && CanMove(Down, m_pieceCol, m_pieceRow)) {
        ++m_pieceRow;
        ++count;
    }
    DrawPiece(m_pieceCol, m_pieceRow, true);
    return count;
}

int TWellModel::FreeRowCount() const
{
    for (int row = Rows - 1; row >= 0; --row) {
        bool empty = true;
        for (int column = 0; column < Columns && empty; ++column)
            empty = CellEmpty(column, row);
        if (empty)
            return row + 1;
    }
    return 0;
}

void TWellModel::NewGame()
{
    m_pieceCol = SpawnColumn;
    m_pieceRow = FirstSpawnRow;
    m_currentPiece = RandomPieceType();
    m_nextPiece = RandomPieceType();
    rotateTypes();
    m_numberOfPieces = 0;
    LayScreen();
}
