#pragma once

// What the rules of a match need of a player's well: the moves, the facts of the latest landing
// and a fresh start. The board of the main window stands behind it; tests use a scripted well.
class TWell
{
public:
    virtual ~TWell() = default;

    // One row down: 0 the piece moved, 1 it landed and the next piece has room, 2 no room.
    virtual int StepDown() = 0;
    // Whether the piece could move one row down without landing.
    virtual bool CanStepDown() const = 0;
    // Moves the piece as far down as it goes; the rows it fell.
    virtual int Drop() = 0;
    virtual void Rotate() = 0;
    virtual void MoveLeft() = 0;
    virtual void MoveRight() = 0;

    // After a landing: the empty rows above the stack, the pieces landed so far and the rows the
    // landing removed.
    virtual int FreeRowCount() const = 0;
    virtual int NumberOfPieces() const = 0;
    virtual int LastDeletedLine() const = 0;

    // Empties the well and lays start layout `number` (0: none).
    virtual void setScreenNumber(int number) = 0;
    // A new game in this well: counters cleared, the first piece on its way.
    virtual void NewGame() = 0;
};
