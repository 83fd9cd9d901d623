// Plays whole games on a board through its public operations (a simple greedy player chooses
// each placement) and times them; also times single
// moves with their drawing. With BOARD_PNG=<file> it also saves a picture of played boards in
// the three block types, side by side.

#include "Clock.h"
#include "Random.h"
#include "CountingBoard.h"
#include "WellWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>

#include <cstdio>
#include <limits>

namespace {

struct GameStats
{
    qint64 operations = 0;
    qint64 pieces = 0;
    qint64 rows = 0;
};

// A placement of the falling piece: how often it is turned and how far it is shifted.
struct Placement
{
    int turns = 0;
    int shift = 0;
};

void applyPlacement(TWellModel &well, Placement placement)
{
    for (int i = 0; i < placement.turns; ++i)
        well.Rotate();
    for (int i = 0; i < qAbs(placement.shift); ++i)
        placement.shift < 0 ? well.MoveLeft() : well.MoveRight();
    well.Drop();
}

// How good the well looks after the piece has settled: full rows are good; height, covered
// holes and an uneven surface are bad.
int score(const TWellModel &well)
{
    int full = 0, height = 0, holes = 0, bumps = 0, previous = -1;
    for (int row = 0; row < TWellModel::Rows; ++row)
        full += well.RowIsFull(row) ? 1 : 0;
    for (int column = 0; column < TWellModel::Columns; ++column) {
        int columnHeight = 0;
        for (int row = 0; row < TWellModel::Rows; ++row) {
            if (!well.CellEmpty(column, row)) {
                if (columnHeight == 0)
                    columnHeight = TWellModel::Rows - row;
            } else if (columnHeight > 0) {
                ++holes;
            }
        }
        height += columnHeight;
        if (previous >= 0)
            bumps += qAbs(columnHeight - previous);
        previous = columnHeight;
    }
    return 76 * full - 51 * height - 36 * holes - 18 * bumps;
}

// Looks ahead on a copy of the well (with no view, so nothing is drawn and no piece is drawn at
// random) and picks the placement that leaves the best well.
Placement bestPlacement(const TWellModel &well)
{
    Placement best;
    int bestScore = std::numeric_limits<int>::min();
    for (int turns = 0; turns < 4; ++turns) {
        for (int shift = -5; shift <= 5; ++shift) {
            TWellModel trial = well;
            trial.setView(nullptr);
            applyPlacement(trial, {turns, shift});
            trial.MergePiece(trial.PieceCol(), trial.PieceRow());
            const int value = score(trial);
            if (value > bestScore) {
                bestScore = value;
                best = {turns, shift};
            }
        }
    }
    return best;
}

// One game played by a simple greedy player: the look-ahead is not timed, every operation on the
// board (with its drawing) is.
void playGame(TWellWidget &board, GameStats &stats, qint64 &nanoseconds)
{
    QElapsedTimer timer;
    timer.start();
    board.setScreenNumber(0);
    board.NewGame();
    nanoseconds += timer.nsecsElapsed();
    stats.operations += 2;
    for (int pieces = 1;; ++pieces) {
        const Placement placement = bestPlacement(board.Well());
        timer.restart();
        for (int i = 0; i < placement.turns; ++i)
            board.Rotate();
        for (int i = 0; i < qAbs(placement.shift); ++i)
            placement.shift < 0 ? board.MoveLeft() : board.MoveRight();
        board.Drop();
        int result = 0;
        do {
            result = board.StepDown();
            ++stats.operations;
        } while (result == 0);
        nanoseconds += timer.nsecsElapsed();
        stats.operations += placement.turns + qAbs(placement.shift) + 1;
        ++stats.pieces;
        stats.rows += board.LastDeletedLine();
        // Long games are cut off so a run stays short.
        if (result == 2 || pieces == 1000)
            return;
    }
}

CountingBoard *playBoard()
{
    auto *board = new CountingBoard;
    board->setShowFillColor(true);
    board->setBlocktype(btButton);
    board->resize(190, 358);
    return board;
}

void savePicture(const QString &file)
{
    const QList<TBlockType> types{btNormal, btRound, btButton};
    QImage sheet(3 * 200 + 10, 370, QImage::Format_RGB32);
    sheet.fill(Qt::lightGray);
    QPainter painter(&sheet);
    // The same clock reading for each board, so all three play the same pieces.
    setNowForTesting(QDateTime(QDate(2024, 5, 6), QTime(10, 20, 30, 400), Qt::UTC));
    for (int i = 0; i < types.size(); ++i) {
        TWellWidget *board = playBoard();
        board->setBlocktype(types[i]);
        board->setScreenNumber(0);
        // Fill part of the well with pieces of all kinds, keep a piece falling in view.
        board->setNumberOfType(15);
        board->NewGame();
        for (int piece = 0; piece < 16; ++piece) {
            for (int k = 0; k < piece % 4; ++k)
                board->Rotate();
            for (int k = 0; k < 5; ++k)
                (piece % 2) ? board->MoveLeft() : board->MoveRight();
            board->Drop();
            board->StepDown();
        }
        for (int k = 0; k < 4; ++k)
            board->StepDown();
        painter.drawImage(10 + i * 200, 6, board->image());
        delete board;
    }
    painter.end();
    clearNowForTesting();
    sheet.save(file);
    std::printf("picture saved to %s\n", qPrintable(file));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    CountingBoard *board = playBoard();
    setRandSeed(12345);
    GameStats stats;
    qint64 nanoseconds = 0;
    const int games = 30;
    for (int game = 0; game < games; ++game)
        playGame(*board, stats, nanoseconds);
    const double seconds = double(nanoseconds) / 1e9;
    QElapsedTimer timer;
    std::printf("%d games, %lld pieces, %lld rows removed, %lld operations in %.3f s\n", games,
                stats.pieces, stats.rows, stats.operations, seconds);
    std::printf("  %.0f operations/s, %.0f games/s\n", double(stats.operations) / seconds,
                games / seconds);

    // One move with its drawing: a piece shuttling left and right in the open well.
    board->setScreenNumber(0);
    board->Well().PlacePiece(7, 4, 8);
    const int moves = 200000;
    board->resetDrawCounters();
    timer.restart();
    for (int i = 0; i < moves; ++i)
        (i % 2) ? board->MoveLeft() : board->MoveRight();
    const double perMove = double(timer.nsecsElapsed()) / moves;
    std::printf("move with drawing: %.2f us (%d cells drawn per move, %d full repaints)\n",
                perMove / 1000.0, board->cellDrawings / moves, board->wellRepaints);

    timer.restart();
    const int repaints = 20000;
    for (int i = 0; i < repaints; ++i)
        board->Paint();
    std::printf("whole-well repaint: %.2f us\n", double(timer.nsecsElapsed()) / repaints / 1000.0);
    delete board;

    if (!qEnvironmentVariableIsEmpty("BOARD_PNG"))
        savePicture(qEnvironmentVariable("BOARD_PNG"));
    return 0;
}
