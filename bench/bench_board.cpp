// Plays whole games on a board through its public operations and times them; also times single
// moves with their drawing. With BOARD_PNG=<file> it also saves a picture of played boards in
// the three block types, side by side.

#include "Clock.h"
#include "Random.h"
#include "T_TETRIS.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>

#include <cstdio>

namespace {

struct GameStats
{
    qint64 operations = 0;
    qint64 pieces = 0;
    qint64 rows = 0;
};

// One game: every piece is turned and shifted at random, dropped and landed.
void playGame(TTETRIS &board, GameStats &stats)
{
    board.setScreenNumber(0);
    board.NewGame();
    stats.operations += 2;
    for (;;) {
        const int turns = Random(4);
        for (int i = 0; i < turns; ++i)
            board.Rotate();
        const int shift = Random(9) - 4;
        for (int i = 0; i < qAbs(shift); ++i)
            shift < 0 ? board.MoveLeft() : board.MoveRight();
        board.Drop();
        int result = 0;
        do {
            result = board.StepDown();
            ++stats.operations;
        } while (result == 0);
        stats.operations += turns + qAbs(shift) + 1;
        ++stats.pieces;
        stats.rows += board.LastDeletedLine();
        if (result == 2)
            return;
    }
}

TTETRIS *playBoard()
{
    auto *board = new TTETRIS;
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
        TTETRIS *board = playBoard();
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

    TTETRIS *board = playBoard();
    setRandSeed(12345);
    GameStats stats;
    QElapsedTimer timer;
    timer.start();
    const int games = 300;
    for (int game = 0; game < games; ++game)
        playGame(*board, stats);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
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
                perMove / 1000.0, board->cellDrawings() / moves, board->wellRepaints());

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
