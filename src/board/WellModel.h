#pragma once

#include "WinColor.h"

#include <array>

// What the well shows: the model tells its view about every cell it draws and every repaint.
class TWellView
{
public:
    virtual ~TWellView() = default;
    // One cell of the well in the given colour, in the current drawing style.
    virtual void drawCell(int column, int row, WinColor::Value colour) = 0;
    // The whole well from the stored cells.
    virtual void repaintWell() = 0;
    // The whole area in the background colour, before a start layout is laid.
    virtual void fillArea() = 0;
    // The piece matrix, which now holds the next piece, into the preview.
    virtual void paintPreview() = 0;
};

// The state and rules of one well: the grid of settled cells, the falling piece in its 4 x 4
// matrix, the piece types, the counters and the start layouts. It needs no display; whatever
// it changes it reports to its view (if any) cell by cell.
class TWellModel
{
public:
    static constexpr int Columns = 10;
    static constexpr int Rows = 21;
    static constexpr int MatrixSize = 4;
    static constexpr int SpawnColumn = 4;
    static constexpr int SpawnRow = -1;
    static constexpr int FirstSpawnRow = -2;
    static constexpr int PieceTypes = 15;

    enum Direction { Down = 0, Right = 1, Left = 2, Here = 3 };

    explicit TWellModel(TWellView *view = nullptr);

    // The view that is told about drawing; a copy made for looking ahead is given none.
    void setView(TWellView *view) { m_view = view; }

    // Grid and piece.
    WinColor::Value Cell(int column, int row) const;
    bool CellEmpty(int column, int row) const;
    void setCell(int column, int row, WinColor::Value colour); // no drawing
    WinColor::Value Square(int column, int row) const;
    bool SquareEmpty(int column, int row) const;
    int PieceCol() const { return m_pieceCol; }
    int PieceRow() const { return m_pieceRow; }
    int CurrentPiece() const { return m_currentPiece; }
    // Makes `type` the falling piece in its spawn orientation at (column, row), undrawn.
    void PlacePiece(int type, int column, int row);

    // Properties with their setter rules; a rejected value shows its message and changes nothing.
    int NumberOfPieces() const { return m_numberOfPieces; }
    void setNumberOfPieces(int value);
    int LastDeletedLine() const { return m_lastDeletedLine; }
    void setLastDeletedLine(int value);
    int NextPiece() const { return m_nextPiece; }
    void setNextPiece(int value);
    int NumberOfType() const { return m_numberOfType; }
    void setNumberOfType(int value);
    int ScreenNumber() const { return m_screenNumber; }
    void setScreenNumber(int value);
    WinColor::Value BackGroundColor() const { return m_backGroundColor; }
    void setBackGroundColor(WinColor::Value value);
    bool ShowNextpiece() const { return m_showNextpiece; }
    void setShowNextpiece(bool value) { m_showNextpiece = value; }

    // Play.
    void NewGame();
    int StepDown();
    bool MoveLeft();
    bool MoveRight();
    void Rotate();
    bool TryRotate();
    int Drop();
    int FreeRowCount() const;

    // The parts the operations are made of.
    void BuildPiece(int type);
    int RandomPieceType() const;
    void LayScreen();
    bool CanMove(int direction, int column, int row) const;
    bool SquareFree(int c, int r, int column, int row) const;
    void DrawPiece(int column, int row, bool visible);
    void MergePiece(int column, int row);
    int RemoveFullRows(int firstRow);
    bool RowIsFull(int row) const;
    void RemoveRow(int row);

    // The colours of the extra pieces and of the start layouts, in draw order.
    static const std::array<WinColor::Value, 14> &ExtraColors();

private:
    static bool inWell(int column, int row);
    void drawCell(int column, int row, WinColor::Value colour);
    void addLayoutSquare(int column, int row);
    void rotateTypes();
    // Moves the piece one place in `direction` when it fits there, erasing and redrawing it.
    bool shift(int direction, int columns, int rows);

    TWellView *m_view;
    int m_currentPiece = 1;
    int m_nextPiece = 1;
    int m_numberOfType = 8;
    bool m_showNextpiece = false;
    int m_numberOfPieces = 0;
    int m_screenNumber = 0;
    int m_lastDeletedLine = 0;
    int m_pieceCol = 0;
    int m_pieceRow = 0;
    WinColor::Value m_backGroundColor = clBlack;
    std::array<std::array<WinColor::Value, Rows>, Columns> m_cells {};
    std::array<std::array<WinColor::Value, MatrixSize>, MatrixSize> m_piece {};
};
