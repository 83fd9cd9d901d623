#pragma once

#include "WellWidget.h"
#include "Well.h"

// A board of the main window as the rules of a match drive it.
class TBoardWell final : public TWell
{
public:
    explicit TBoardWell(TWellWidget *board) : m_board(board) {}

    int StepDown() override { return m_board->StepDown(); }
    bool CanStepDown() const override
    {
        const TWellModel &well = m_board->Well();
        return well.CanMove(TWellModel::Down, well.PieceCol(), well.PieceRow());
    }
    int Drop() override { return m_board->Drop(); }
    void Rotate() override { m_board->Rotate(); }
    void MoveLeft() override { m_board->MoveLeft(); }
    void MoveRight() override { m_board->MoveRight(); }
    int FreeRowCount() const override { return m_board->FreeRowCount(); }
    int NumberOfPieces() const override { return m_board->NumberOfPieces(); }
    int LastDeletedLine() const override { return m_board->LastDeletedLine(); }
    void setScreenNumber(int number) override { m_board->setScreenNumber(number); }
    void NewGame() override { m_board->NewGame(); }

private:
    TWellWidget *m_board;
};
