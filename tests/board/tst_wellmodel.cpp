#include "Clock.h"
#include "Random.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "WellModel.h"

#include <QPoint>
#include <QSet>

using namespace WinColor;

namespace {

// A fixed clock reading: ((10 * 60 + 20) * 60 + 30) * 1000 + 400 = 37230400 is the seed that
// every re-seeding takes while it holds.
const QDateTime LayoutMoment(QDate(2024, 5, 6), QTime(10, 20, 30, 400), Qt::UTC);

constexpr Value Settled = clWhite;

// Letters a..n stand for the 14 layout colours in their draw order, '#' for any other settled
// colour, '.' for an empty cell.
char cellLetter(const TWellModel &well, int column, int row)
{
    if (well.CellEmpty(column, row))
        return '.';
    const auto &colors = TWellModel::ExtraColors();
    for (int i = 0; i < int(colors.size()); ++i)
        if (colors[i] == well.Cell(column, row))
            return char('a' + i);
    return '#';
}

// Rows first..20 of the well, top to bottom.
QStringList picture(const TWellModel &well, int first = 0)
{
    QStringList rows;
    for (int row = first; row < TWellModel::Rows; ++row) {
        QString line;
        for (int column = 0; column < TWellModel::Columns; ++column)
            line += QLatin1Char(cellLetter(well, column, row));
        rows << line;
    }
    return rows;
}

// Fills the bottom rows of the well from a picture: any character but '.' is a settled cell,
// letters a..n in their layout colour.
void lay(TWellModel &well, const QStringList &bottomRows)
{
    const int first = TWellModel::Rows - int(bottomRows.size());
    for (int i = 0; i < bottomRows.size(); ++i)
        for (int column = 0; column < TWellModel::Columns; ++column) {
            const QChar ch = bottomRows[i].at(column);
            Value colour = well.BackGroundColor();
            if (ch >= QLatin1Char('a') && ch <= QLatin1Char('n'))
                colour = TWellModel::ExtraColors()[ch.toLatin1() - 'a'];
            else if (ch != QLatin1Char('.'))
                colour = Settled;
            well.setCell(column, first + i, colour);
        }
}

// The matrix of the falling piece as four rows, '#' a square.
QStringList matrix(const TWellModel &well)
{
    QStringList rows;
    for (int r = 0; r < TWellModel::MatrixSize; ++r) {
        QString line;
        for (int c = 0; c < TWellModel::MatrixSize; ++c)
            line += well.SquareEmpty(c, r) ? QLatin1Char('.') : QLatin1Char('#');
        rows << line;
    }
    return rows;
}

// The well cells the falling piece covers, in matrix column order.
QList<QPoint> pieceCells(const TWellModel &well)
{
    QList<QPoint> cells;
    for (int c = 0; c < TWellModel::MatrixSize; ++c)
        for (int r = 0; r < TWellModel::MatrixSize; ++r)
            if (!well.SquareEmpty(c, r))
                cells << QPoint(well.PieceCol() + c, well.PieceRow() + r);
    return cells;
}

int settledCount(const TWellModel &well)
{
    int count = 0;
    for (int column = 0; column < TWellModel::Columns; ++column)
        for (int row = 0; row < TWellModel::Rows; ++row)
            count += well.CellEmpty(column, row) ? 0 : 1;
    return count;
}

// Records what the model asks its view to draw.
struct RecordingView : TWellView
{
    QList<QPoint> cells;
    int wellRepaints = 0;
    int previews = 0;
    void drawCell(int column, int row, Value) override { cells << QPoint(column, row); }
    void repaintWell() override { ++wellRepaints; }
    void fillArea() override {}
    void paintPreview() override { ++previews; }
};

// Landed pieces have their own colours; this shows them as '#' like the test pictures.
QStringList pieceAsHash(QStringList rows)
{
    for (QString &line : rows)
        for (QChar &ch : line)
            if (ch == QLatin1Char('i') || ch == QLatin1Char('l')) // clRed, clBlue
                ch = QLatin1Char('#');
    return rows;
}

QStringList emptyRows(int count)
{
    return QStringList(count, QStringLiteral(".........."));
}

} // namespace

class TestWellModel : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { clearNowForTesting(); }

    void shapes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<Value>("colour");
        // Every build first draws a colour; from seed 37230400 the first draw gives index 9
        // (clLime) and the next index 2 (clOlive).
        const Value drawn = clLime;
        QTest::newRow("1 square") << 1 << QStringList{QStringLiteral("...."), QStringLiteral(".##."), QStringLiteral(".##."), QStringLiteral("....")} << clBlue;
        QTest::newRow("2 L") << 2 << QStringList{QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".##."), QStringLiteral("....")} << clFuchsia;
        QTest::newRow("3 mirrored L") << 3 << QStringList{QStringLiteral("..#."), QStringLiteral("..#."), QStringLiteral(".##."), QStringLiteral("....")} << clAqua;
        QTest::newRow("4 bar") << 4 << QStringList{QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#..")} << clRed;
        QTest::newRow("5 Z") << 5 << QStringList{QStringLiteral("...."), QStringLiteral("##.."), QStringLiteral(".##."), QStringLiteral("....")} << clMaroon;
        QTest::newRow("6 S") << 6 << QStringList{QStringLiteral("...."), QStringLiteral(".##."), QStringLiteral("##.."), QStringLiteral("....")} << clOlive;
        QTest::newRow("7 T") << 7 << QStringList{QStringLiteral("...."), QStringLiteral(".#.."), QStringLiteral("###."), QStringLiteral("....")} << clLime;
        QTest::newRow("8 U") << 8 << QStringList{QStringLiteral("...."), QStringLiteral("#.#."), QStringLiteral("###."), QStringLiteral("....")} << drawn;
        QTest::newRow("9 H") << 9 << QStringList{QStringLiteral("...."), QStringLiteral("#.#."), QStringLiteral("###."), QStringLiteral("#.#.")} << drawn;
        QTest::newRow("10") << 10 << QStringList{QStringLiteral("...."), QStringLiteral("#.#."), QStringLiteral("###."), QStringLiteral(".#..")} << drawn;
        QTest::newRow("11 two bars") << 11 << QStringList{QStringLiteral("#.#."), QStringLiteral("#.#."), QStringLiteral("#.#."), QStringLiteral("#.#.")} << drawn;
        QTest::newRow("12 hollow square") << 12 << QStringList{QStringLiteral("####"), QStringLiteral("#..#"), QStringLiteral("#..#"), QStringLiteral("####")} << drawn;
        QTest::newRow("13 cross") << 13 << QStringList{QStringLiteral("...."), QStringLiteral(".#.."), QStringLiteral("###."), QStringLiteral(".#..")} << drawn;
        QTest::newRow("14 diagonal cross") << 14 << QStringList{QStringLiteral("...."), QStringLiteral("#.#."), QStringLiteral(".#.."), QStringLiteral("#.#.")} << drawn;
        QTest::newRow("15 scattered") << 15 << QStringList{QStringLiteral("#.#."), QStringLiteral("...#"), QStringLiteral("#..."), QStringLiteral(".#.#")} << drawn;
        QTest::newRow("0 as scattered") << 0 << QStringList{QStringLiteral("#.#."), QStringLiteral("...#"), QStringLiteral("#..."), QStringLiteral(".#.#")} << drawn;
        QTest::newRow("16 as scattered") << 16 << QStringList{QStringLiteral("#.#."), QStringLiteral("...#"), QStringLiteral("#..."), QStringLiteral(".#.#")} << drawn;
        QTest::newRow("-3 as scattered") << -3 << QStringList{QStringLiteral("#.#."), QStringLiteral("...#"), QStringLiteral("#..."), QStringLiteral(".#.#")} << drawn;
    }
    void shapes()
    {
        QFETCH(int, type);
        QFETCH(QStringList, rows);
        QFETCH(Value, colour);
        TWellModel well;
        setRandSeed(37230400);
        well.BuildPiece(type);
        QCOMPARE(matrix(well), rows);
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r)
                if (!well.SquareEmpty(c, r))
                    QCOMPARE(well.Square(c, r), colour);
        // Exactly one draw was taken: the next one is the second of the sequence.
        QCOMPARE(Random(14), 2);
    }

    void randomTypesCoverTheRange_data()
    {
        QTest::addColumn<int>("numberOfType");
        QTest::newRow("four-square pieces") << 8;
        QTest::newRow("all but the scattered one") << 15;
        QTest::newRow("eleven kinds") << 12;
    }
    void randomTypesCoverTheRange()
    {
        QFETCH(int, numberOfType);
        TWellModel well;
        well.setNumberOfType(numberOfType);
        setRandSeed(4242);
        QSet<int> seen;
        for (int i = 0; i < 5000; ++i) {
            const int type = well.RandomPieceType();
            QVERIFY2(type >= 1 && type <= numberOfType - 1, qPrintable(QString::number(type)));
            seen.insert(type);
        }
        QCOMPARE(seen.size(), numberOfType - 1);
    }

    void pieceSequence_data()
    {
        QTest::addColumn<bool>("showNext");
        QTest::addColumn<int>("numberOfType");
        QTest::addColumn<QList<int>>("currents");
        QTest::addColumn<QList<int>>("nexts");
        // The first two types come from the seed of the clock reading; the layout pass of
        // NewGame then re-seeds, so the pieces after the first landing draw again from there.
        QTest::newRow("plain") << false << 8 << QList<int>{5, 2, 5, 3, 7, 5, 1, 4, 5}
                               << QList<int>{2, 5, 3, 7, 5, 1, 4, 5, 5};
        // With the preview on, every landing builds one more piece and so takes one more draw.
        QTest::newRow("with preview") << true << 8 << QList<int>{5, 2, 5, 6, 5, 3, 5, 2, 5}
                                      << QList<int>{2, 5, 6, 5, 3, 5, 2, 5, 7};
        QTest::newRow("fifteen kinds") << false << 15 << QList<int>{10, 3, 10, 6, 14, 10, 1, 8, 9}
                                       << QList<int>{3, 10, 6, 14, 10, 1, 8, 9, 9};
    }
    void pieceSequence()
    {
        QFETCH(bool, showNext);
        QFETCH(int, numberOfType);
        QFETCH(QList<int>, currents);
        QFETCH(QList<int>, nexts);
        setNowForTesting(LayoutMoment);
        RecordingView view;
        TWellModel well(&view);
        well.setShowNextpiece(showNext);
        well.setNumberOfType(numberOfType);
        well.setScreenNumber(0);
        well.NewGame();
        QList<int> gotCurrent{well.CurrentPiece()};
        QList<int> gotNext{well.NextPiece()};
        while (gotCurrent.size() < currents.size()) {
            // Spread the pieces over the well so the game lasts; the sequence does not depend
            // on where they land.
            for (int i = 0; i < gotCurrent.size() % 5; ++i)
                well.MoveLeft();
            well.Drop();
            QVERIFY(well.StepDown() != 0);
            gotCurrent << well.CurrentPiece();
            gotNext << well.NextPiece();
        }
        QCOMPARE(gotCurrent, currents);
        QCOMPARE(gotNext, nexts);
        QCOMPARE(view.previews, showNext ? currents.size() : 0);
    }

    void layouts_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QStringList>("bottom");
        QTest::newRow("0 empty") << 0 << emptyRows(10);
        QTest::newRow("1 side walls")
            << 1
            << QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral("j........c"), QStringLiteral("f........k"), QStringLiteral("n........h"),
                           QStringLiteral("j........d"), QStringLiteral("a........e"), QStringLiteral("h........m"), QStringLiteral("i........a"), QStringLiteral("i........d")};
        QTest::newRow("2 four walls")
            << 2
            << QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral("j........c"), QStringLiteral("f........k"), QStringLiteral("n..j..n..h"),
                           QStringLiteral("j..j..l..d"), QStringLiteral("a..c..n..e"), QStringLiteral("h..c..f..m"), QStringLiteral("i..g..j..a"), QStringLiteral("i..e..h..d")};
        // 21 squares on 16 places: a place drawn again takes the later colour.
        QTest::newRow("3 random")
            << 3
            << QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".........."),
                           QStringLiteral(".l..k.h..."), QStringLiteral(".lbci.g.d."), QStringLiteral("i.......e."), QStringLiteral("j........."), QStringLiteral("..knbi..i.")};
        QTest::newRow("4 diagonal cross")
            << 4
            << QStringList{QStringLiteral("j........c"), QStringLiteral(".f......k."), QStringLiteral("..n....h.."), QStringLiteral("...j..d..."), QStringLiteral("....ae...."),
                           QStringLiteral("....mh...."), QStringLiteral("...a..i..."), QStringLiteral("..d....i.."), QStringLiteral(".n......j."), QStringLiteral("l........j")};
        QTest::newRow("5 chequerboard")
            << 5
            << QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".k.e.d.n.h"),
                           QStringLiteral("j.j.i.j.g."), QStringLiteral(".n.h.j.c.m"), QStringLiteral("c.d.a.l.j."), QStringLiteral(".h.m.n.f.k"), QStringLiteral("f.a.i.c.e.")};
    }
    void layouts()
    {
        QFETCH(int, screen);
        QFETCH(QStringList, bottom);
        setNowForTesting(LayoutMoment);
        RecordingView view;
        TWellModel well(&view);
        lay(well, QStringList(21, QStringLiteral("##########")));
        well.setScreenNumber(screen);
        QCOMPARE(well.ScreenNumber(), screen);
        QCOMPARE(picture(well), emptyRows(11) + bottom);
        // Each square is drawn as it is laid, and the well is repainted once after.
        QCOMPARE(int(view.cells.size()), screen == 3 ? 21 : settledCount(well));
        QCOMPARE(view.wellRepaints, 1);
    }

    void boardsLaidAtOneClockReadingMatch()
    {
        setNowForTesting(LayoutMoment);
        TWellModel first;
        TWellModel second;
        first.setScreenNumber(3);
        second.setScreenNumber(3);
        QCOMPARE(picture(second), picture(first));
    }

    void newGameLaysTheLayoutAgain()
    {
        setNowForTesting(LayoutMoment);
        TWellModel well;
        well.setScreenNumber(3);
        const QStringList before = picture(well);
        setNowForTesting(LayoutMoment.addMSecs(1234));
        well.NewGame();
        const QStringList after = picture(well);
        // The first layout stays, and squares drawn at the new clock reading are added to it.
        QVERIFY(settledCount(well) > 16);
        for (int row = 0; row < TWellModel::Rows; ++row)
            for (int column = 0; column < TWellModel::Columns; ++column)
                if (before[row][column] != QLatin1Char('.'))
                    QVERIFY(after[row][column] != QLatin1Char('.'));
        QCOMPARE(well.NumberOfPieces(), 0);
        QCOMPARE(well.PieceCol(), 4);
        QCOMPARE(well.PieceRow(), -2);
    }

    void rejectedValues_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message");
        const QString range = QStringLiteral("Value out of range...");
        const QString readOnly = QStringLiteral("This is a Read-Only Property...");
        QTest::newRow("7 kinds") << "NumberOfType" << 7 << range;
        QTest::newRow("16 kinds") << "NumberOfType" << 16 << range;
        QTest::newRow("negative kinds") << "NumberOfType" << -8 << range;
        QTest::newRow("layout 6") << "ScreenNumber" << 6 << range;
        QTest::newRow("layout -1") << "ScreenNumber" << -1 << range;
        QTest::newRow("next piece 0") << "NextPiece" << 0
                                      << QStringLiteral("There is only 15 [1..15] kind of pieces...0");
        QTest::newRow("next piece 16") << "NextPiece" << 16
                                       << QStringLiteral("There is only 15 [1..15] kind of pieces...16");
        QTest::newRow("next piece -2") << "NextPiece" << -2
                                       << QStringLiteral("There is only 15 [1..15] kind of pieces...-2");
        QTest::newRow("pieces counter") << "NumberOfPieces" << 3 << readOnly;
        QTest::newRow("rows counter") << "LastDeletedLine" << 1 << readOnly;
    }
    void rejectedValues()
    {
        QFETCH(QString, property);
        QFETCH(int, value);
        QFETCH(QString, message);
        setNowForTesting(LayoutMoment);
        TWellModel well;
        well.setScreenNumber(2);
        const QStringList before = picture(well);
        MessageCatcher catcher;
        setRandSeed(77);
        const auto check = [&](auto getter, auto setter) {
            const int old = (well.*getter)();
            (well.*setter)(value);
            QCOMPARE((well.*getter)(), old);
        };
        if (property == QLatin1String("NumberOfType"))
            check(&TWellModel::NumberOfType, &TWellModel::setNumberOfType);
        else if (property == QLatin1String("ScreenNumber"))
            check(&TWellModel::ScreenNumber, &TWellModel::setScreenNumber);
        else if (property == QLatin1String("NextPiece"))
            check(&TWellModel::NextPiece, &TWellModel::setNextPiece);
        else if (property == QLatin1String("NumberOfPieces"))
            check(&TWellModel::NumberOfPieces, &TWellModel::setNumberOfPieces);
        else
            check(&TWellModel::LastDeletedLine, &TWellModel::setLastDeletedLine);
        QCOMPARE(catcher.texts(), QStringList{message});
        QCOMPARE(picture(well), before);
        // Only a layout write re-seeds, and it does so even when it refuses the value.
        QCOMPARE(RandSeed(), property == QLatin1String("ScreenNumber") ? 37230400u : 77u);
    }

    void nextPieceResetsTheFallingPiece_data()
    {
        QTest::addColumn<bool>("showNext");
        QTest::addColumn<quint32>("seedAfter");
        // From seed 100 the seed runs 592679413, 4287376842: one build, or two with the preview.
        QTest::newRow("no preview") << false << 592679413u;
        QTest::newRow("preview") << true << 4287376842u;
    }
    void nextPieceResetsTheFallingPiece()
    {
        QFETCH(bool, showNext);
        QFETCH(quint32, seedAfter);
        RecordingView view;
        TWellModel well(&view);
        well.setShowNextpiece(showNext);
        well.PlacePiece(7, 3, 5);
        well.Rotate();
        QCOMPARE(matrix(well), (QStringList{QStringLiteral("...."), QStringLiteral("..#."), QStringLiteral(".##."), QStringLiteral("..#.")}));
        view.cells.clear();
        setRandSeed(100);
        well.setNextPiece(4);
        QCOMPARE(RandSeed(), seedAfter);
        QCOMPARE(view.previews, showNext ? 1 : 0);
        // Spawn orientation again, at the same place, and not redrawn.
        QCOMPARE(matrix(well), (QStringList{QStringLiteral("...."), QStringLiteral(".#.."), QStringLiteral("###."), QStringLiteral("....")}));
        QCOMPARE(well.PieceCol(), 3);
        QCOMPARE(well.PieceRow(), 5);
        QVERIFY(view.cells.isEmpty());
        // The same value again changes nothing.
        well.setNextPiece(4);
        QCOMPARE(RandSeed(), seedAfter);
    }

    void backgroundChangeKeepsEmptyCellsEmpty()
    {
        TWellModel well;
        lay(well, {QStringLiteral("#........."), QStringLiteral("a........b")});
        well.PlacePiece(1, 4, 3);
        well.setBackGroundColor(clYellow);
        QCOMPARE(well.BackGroundColor(), clYellow);
        QCOMPARE(picture(well, 19), (QStringList{QStringLiteral("#........."), QStringLiteral("a........b")}));
        QVERIFY(well.SquareEmpty(0, 0));
        QCOMPARE(well.Square(1, 1), clBlue);
        // Cells that already have the new background colour become empty ('k' is clYellow).
        TWellModel other;
        lay(other, {QStringLiteral("k.#.......")});
        other.setBackGroundColor(clYellow);
        QCOMPARE(picture(other, 20), QStringList{QStringLiteral("..#.......")});
    }

    void moves_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("bottom");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<int>("finalColumn");
        const QStringList empty = emptyRows(1);
        QTest::newRow("left in the open") << 1 << 4 << 10 << empty << true << true << 3;
        QTest::newRow("right in the open") << 1 << 4 << 10 << empty << false << true << 5;
        // The square uses matrix columns 1 and 2.
        QTest::newRow("left wall") << 1 << -1 << 10 << empty << true << false << -1;
        QTest::newRow("right wall") << 1 << 7 << 10 << empty << false << false << 7;
        QTest::newRow("two bars at left wall") << 11 << 0 << 5 << empty << true << false << 0;
        QTest::newRow("two bars at right wall") << 11 << 7 << 5 << empty << false << false << 7;
        QTest::newRow("blocked by a settled cell")
            << 1 << 4 << 17 << QStringList{QStringLiteral("....#....."), QStringLiteral(".........."), QStringLiteral("..........")} << true << false << 4;
        QTest::newRow("settled cell diagonal") << 1 << 4 << 17
                                               << QStringList{QStringLiteral("...#......"), QStringLiteral(".........."), QStringLiteral("..........")}
                                               << true << true << 3;
        QTest::newRow("above the top edge") << 4 << 4 << -3 << empty << true << true << 3;
        QTest::newRow("above the top edge at the wall") << 4 << -1 << -3 << empty << true << false << -1;
    }
    void moves()
    {
        QFETCH(int, type);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QStringList, bottom);
        QFETCH(bool, left);
        QFETCH(bool, moved);
        QFETCH(int, finalColumn);
        RecordingView view;
        TWellModel well(&view);
        lay(well, bottom);
        well.PlacePiece(type, column, row);
        const QStringList before = picture(well);
        QCOMPARE(left ? well.MoveLeft() : well.MoveRight(), moved);
        QCOMPARE(well.PieceCol(), finalColumn);
        QCOMPARE(well.PieceRow(), row);
        QCOMPARE(picture(well), before);
        if (!moved)
            QVERIFY(view.cells.isEmpty());
    }

    void rotation_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("bottom");
        QTest::addColumn<int>("turns");
        QTest::addColumn<QStringList>("result");
        const QStringList empty = emptyRows(1);
        QTest::newRow("T once points left") << 7 << 3 << 5 << empty << 1
                                            << QStringList{QStringLiteral("...."), QStringLiteral("..#."), QStringLiteral(".##."), QStringLiteral("..#.")};
        QTest::newRow("square four times") << 1 << 3 << 5 << empty << 4
                                           << QStringList{QStringLiteral("...."), QStringLiteral(".##."), QStringLiteral(".##."), QStringLiteral("....")};
        QTest::newRow("square once") << 1 << 3 << 5 << empty << 1
                                     << QStringList{QStringLiteral("...."), QStringLiteral(".##."), QStringLiteral(".##."), QStringLiteral("....")};
        QTest::newRow("bar once lies in row 2") << 4 << 3 << 5 << empty << 1
                                                << QStringList{QStringLiteral("...."), QStringLiteral("...."), QStringLiteral("####"), QStringLiteral("....")};
        QTest::newRow("bar twice, one column right") << 4 << 3 << 5 << empty << 2
                                                     << QStringList{QStringLiteral("..#."), QStringLiteral("..#."), QStringLiteral("..#."), QStringLiteral("..#.")};
        QTest::newRow("bar three times lies in row 1") << 4 << 3 << 5 << empty << 3
                                                       << QStringList{QStringLiteral("...."), QStringLiteral("####"), QStringLiteral("...."), QStringLiteral("....")};
        QTest::newRow("bar four times") << 4 << 3 << 5 << empty << 4
                                        << QStringList{QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#..")};
        // Refused turns leave the matrix as it was.
        QTest::newRow("bar against the left wall") << 4 << -1 << 5 << empty << 1
                                                   << QStringList{QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#..")};
        QTest::newRow("bar against the right wall") << 4 << 7 << 5 << empty << 1
                                                    << QStringList{QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#..")};
        QTest::newRow("turn below the bottom") << 7 << 3 << 18 << empty << 1
                                               << QStringList{QStringLiteral("...."), QStringLiteral(".#.."), QStringLiteral("###."), QStringLiteral("....")};
        QTest::newRow("turn onto a settled cell")
            << 7 << 3 << 15 << QStringList{QStringLiteral(".....#...."), QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral("..........")}
            << 1 << QStringList{QStringLiteral("...."), QStringLiteral(".#.."), QStringLiteral("###."), QStringLiteral("....")};
        QTest::newRow("turn partly above the top edge") << 4 << 3 << -2 << empty << 3
                                                        << QStringList{QStringLiteral("...."), QStringLiteral("####"), QStringLiteral("...."), QStringLiteral("....")};
        QTest::newRow("above the top edge but past the wall") << 4 << -1 << -3 << empty << 1
                                                              << QStringList{QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#..")};
    }
    void rotation()
    {
        QFETCH(int, type);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QStringList, bottom);
        QFETCH(int, turns);
        QFETCH(QStringList, result);
        RecordingView view;
        TWellModel well(&view);
        lay(well, bottom);
        well.PlacePiece(type, column, row);
        const QStringList before = picture(well);
        for (int i = 0; i < turns; ++i)
            well.Rotate();
        QCOMPARE(matrix(well), result);
        QCOMPARE(well.PieceCol(), column);
        QCOMPARE(well.PieceRow(), row);
        QCOMPARE(picture(well), before);
    }

    void stepsAndDrops_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("dropped");
        QTest::addColumn<QList<QPoint>>("cells");
        QTest::newRow("square from a later spawn") << 1 << -1 << 19
                                                   << QList<QPoint>{{5, 19}, {5, 20}, {6, 19}, {6, 20}};
        QTest::newRow("square from the first spawn") << 1 << -2 << 20
                                                     << QList<QPoint>{{5, 19}, {5, 20}, {6, 19}, {6, 20}};
        QTest::newRow("bar") << 4 << -1 << 18 << QList<QPoint>{{5, 17}, {5, 18}, {5, 19}, {5, 20}};
        QTest::newRow("hollow square") << 12 << -1 << 18
                                       << QList<QPoint>{{4, 17}, {4, 18}, {4, 19}, {4, 20}, {5, 17},
                                                        {5, 20}, {6, 17}, {6, 20}, {7, 17}, {7, 18},
                                                        {7, 19}, {7, 20}};
    }
    void stepsAndDrops()
    {
        QFETCH(int, type);
        QFETCH(int, row);
        QFETCH(int, dropped);
        QFETCH(QList<QPoint>, cells);
        TWellModel well;
        well.PlacePiece(type, 4, row);
        QCOMPARE(well.Drop(), dropped);
        QCOMPARE(well.PieceRow(), row + dropped);
        QCOMPARE(pieceCells(well), cells);
        QCOMPARE(settledCount(well), 0); // dropping does not land
        QCOMPARE(well.Drop(), 0);
        QCOMPARE(well.StepDown(), 1);
        QCOMPARE(settledCount(well), int(cells.size()));
        for (const QPoint &cell : cells)
            QCOMPARE(well.Cell(cell.x(), cell.y()), type == 12 ? well.Cell(4, 20) : (type == 1 ? clBlue : clRed));
        QCOMPARE(well.NumberOfPieces(), 1);
        QCOMPARE(well.PieceCol(), 4);
        QCOMPARE(well.PieceRow(), -1);
    }

    void dropWithoutSquaresStopsBelowTheWell_data()
    {
        QTest::addColumn<bool>("game");
        QTest::addColumn<Value>("background");
        QTest::addColumn<int>("dropped");
        // Before the first game the matrix is all black, the empty colour, at (0, 0).
        QTest::newRow("before any game") << false << clBlack << 21;
        // The square piece is blue; on a blue background its squares are empty.
        QTest::newRow("background of the piece's colour") << true << clBlue << 22;
    }
    void dropWithoutSquaresStopsBelowTheWell()
    {
        QFETCH(bool, game);
        QFETCH(Value, background);
        QFETCH(int, dropped);
        TWellModel well;
        if (game)
            well.PlacePiece(1, 4, -1);
        well.setBackGroundColor(background);
        QCOMPARE(well.Drop(), dropped);
        QCOMPARE(well.PieceRow(), TWellModel::Rows);
        QCOMPARE(well.Drop(), 0);
        QCOMPARE(settledCount(well), 0);
    }

    void stepsFromSpawnToTopRow()
    {
        setNowForTesting(LayoutMoment);
        TWellModel well;
        well.NewGame();
        QCOMPARE(well.StepDown(), 0);
        QCOMPARE(well.PieceRow(), -1);
        QCOMPARE(well.StepDown(), 0);
        QCOMPARE(well.PieceRow(), 0);
        well.Drop();
        QCOMPARE(well.StepDown(), 1);
        QCOMPARE(well.PieceRow(), -1);
        QCOMPARE(well.StepDown(), 0);
        QCOMPARE(well.PieceRow(), 0);
    }

    void movingAfterDrop()
    {
        TWellModel well;
        lay(well, {QStringLiteral("...#......"), QStringLiteral("...#......")});
        well.PlacePiece(1, 2, 10);
        QCOMPARE(well.Drop(), 6);
        QVERIFY(well.MoveRight());
        QCOMPARE(well.PieceCol(), 3);
        // Off the ledge it falls on with the next steps.
        QCOMPARE(well.StepDown(), 0);
        QCOMPARE(well.StepDown(), 0);
        QCOMPARE(well.StepDown(), 1);
        QCOMPARE(pieceAsHash(picture(well, 17)),
                 (QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral("...###...."), QStringLiteral("...###....")}));
    }

    void rowRemoval_data()
    {
        QTest::addColumn<QStringList>("bottom");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QStringList>("result");
        QTest::newRow("no full row") << QStringList{QStringLiteral("a........."), QStringLiteral("b.....####")} << 1 << 0 << 0
                                     << QStringList{QStringLiteral(".........."), QStringLiteral("a##......."), QStringLiteral("b##...####")};
        QTest::newRow("one row") << QStringList{QStringLiteral("c........."), QStringLiteral("a........."), QStringLiteral("ab..#####b")} << 1 << 1 << 1
                                 << QStringList{QStringLiteral(".........."), QStringLiteral("c........."), QStringLiteral("a.##......")};
        QTest::newRow("two adjacent rows") << QStringList{QStringLiteral("d........."), QStringLiteral("ab..#####b"), QStringLiteral("ab..######")} << 1 << 1
                                           << 2 << QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral("d.........")};
        QTest::newRow("two rows with one between")
            << QStringList{QStringLiteral("e........."), QStringLiteral("ab.#######"), QStringLiteral("ab.######."), QStringLiteral("ab.#######")} << 4 << 1 << 2
            << QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral("e.#......."), QStringLiteral("ab#######.")};
        QTest::newRow("three rows") << QStringList{QStringLiteral("f........."), QStringLiteral("g........h"), QStringLiteral("ab.#######"), QStringLiteral("ab.#######"),
                                                   QStringLiteral("ab.#######")}
                                    << 4 << 1 << 3
                                    << QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral("f........."),
                                                   QStringLiteral("g.#......h")};
        QTest::newRow("four rows with the bar")
            << QStringList{QStringLiteral("e........f"), QStringLiteral("k...g....."), QStringLiteral("ab.#######"), QStringLiteral("ab.#######"), QStringLiteral("ab.#######"), QStringLiteral("ab.#######")}
            << 4 << 1 << 4
            << QStringList{QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral(".........."), QStringLiteral("e........f"), QStringLiteral("k...g.....")};
        QTest::newRow("row 1 moves to row 2")
            << QStringList{QStringLiteral("a.........")} + QStringList(18, QStringLiteral("..........")) + QStringList{QStringLiteral("ab..#####b")}
            << 1 << 1 << 1
            << QStringList(2, QStringLiteral("..........")) + QStringList{QStringLiteral("a.........")}
                   + QStringList(17, QStringLiteral("..........")) + QStringList{QStringLiteral("..##......")};
    }
    void rowRemoval()
    {
        QFETCH(QStringList, bottom);
        QFETCH(int, type);
        QFETCH(int, column);
        QFETCH(int, removed);
        QFETCH(QStringList, result);
        RecordingView view;
        TWellModel well(&view);
        lay(well, bottom);
        well.PlacePiece(type, column, -1);
        well.Drop();
        view.wellRepaints = 0;
        QCOMPARE(well.StepDown(), 1);
        QCOMPARE(well.LastDeletedLine(), removed);
        // Pieces land in '#' cells; compare shapes of settled cells, not the piece colours.
        QCOMPARE(pieceAsHash(picture(well, TWellModel::Rows - int(result.size()))), result);
        QCOMPARE(picture(well, 0).mid(0, TWellModel::Rows - int(result.size())),
                 emptyRows(TWellModel::Rows - int(result.size())));
        QCOMPARE(view.wellRepaints, removed > 0 ? 1 : 0);
    }

    void lastDeletedLineKeptUntilNextLanding()
    {
        TWellModel well;
        lay(well, {QStringLiteral("#########.")});
        well.PlacePiece(4, 8, -1);
        well.Drop();
        QCOMPARE(well.StepDown(), 1);
        QCOMPARE(well.LastDeletedLine(), 1);
        well.NewGame();
        QCOMPARE(well.LastDeletedLine(), 1);
        QCOMPARE(well.NumberOfPieces(), 0);
    }

    void endOfGame()
    {
        TWellModel well;
        // Rows 2..20 full but for column 0: nothing can pass row 1 at the spawn place.
        lay(well, QStringList(19, QStringLiteral(".#########")));
        setRandSeed(5);
        well.PlacePiece(1, 4, -1);
        QCOMPARE(well.StepDown(), 2);
        QCOMPARE(well.NumberOfPieces(), 1);
        QVERIFY(!well.CellEmpty(5, 0));
        QVERIFY(!well.CellEmpty(6, 1));
        QCOMPARE(well.PieceCol(), 4);
        QCOMPARE(well.PieceRow(), -1);
        // A further step lands the waiting piece where it stands; squares above the top edge
        // are dropped, and the end is reported again.
        const QList<QPoint> waiting = pieceCells(well);
        const Value colour = well.Square(1, 2); // every four-square piece has this square
        QCOMPARE(well.StepDown(), 2);
        QCOMPARE(well.NumberOfPieces(), 2);
        for (const QPoint &cell : waiting)
            if (cell.y() >= 0)
                QCOMPARE(well.Cell(cell.x(), cell.y()), colour);
    }

    void endOfGameWhenTheNewPieceCannotStep()
    {
        TWellModel well;
        // Row 2 is blocked under the spawn place, rows 0 and 1 are free: the square fits where it
        // appears but cannot take one step.
        lay(well, QStringList(19, QStringLiteral("..########")));
        well.setNextPiece(1);
        well.PlacePiece(4, -1, 2);
        QCOMPARE(well.Drop(), 15);
        QCOMPARE(well.StepDown(), 2);
        QVERIFY(well.CanMove(TWellModel::Here, well.PieceCol(), well.PieceRow()));
    }

    void landingAboveTheTopDropsOutsideSquares()
    {
        TWellModel well;
        well.setCell(5, 2, Settled);
        // The bar covers column 5, rows -2..1; only rows 0 and 1 exist.
        well.PlacePiece(4, 4, -2);
        QCOMPARE(well.StepDown(), 2);
        QCOMPARE(settledCount(well), 3);
        QCOMPARE(well.Cell(5, 0), clRed);
        QCOMPARE(well.Cell(5, 1), clRed);
        QCOMPARE(well.Cell(5, 2), Settled);
    }

    void pieceOutsideTheWallsLandsSafely()
    {
        // A vertical bar turned twice stands in matrix column 2; at column -2 it lies against
        // the left wall. Setting the next piece restores the spawn orientation in matrix
        // column 1, outside the well.
        TWellModel well;
        well.PlacePiece(4, 3, 5);
        well.Rotate();
        well.Rotate();
        while (well.MoveLeft()) {
        }
        QCOMPARE(well.PieceCol(), -2);
        well.setNextPiece(3);
        QVERIFY(!well.CanMove(TWellModel::Down, well.PieceCol(), well.PieceRow()));
        QCOMPARE(well.StepDown(), 1);
        // No square of it could be written: the well stays empty.
        QCOMPARE(settledCount(well), 0);
    }

    void freeRowCount_data()
    {
        QTest::addColumn<QStringList>("bottom");
        QTest::addColumn<int>("free");
        QTest::newRow("empty well") << QStringList{} << 21;
        QTest::newRow("bottom row used") << QStringList{QStringLiteral("#.........")} << 20;
        QTest::newRow("compact stack") << QStringList{QStringLiteral("....#....."), QStringLiteral("...###...."), QStringLiteral("##########")} << 18;
        QTest::newRow("empty row under a used one") << QStringList{QStringLiteral("#........."), QStringLiteral(".........."), QStringLiteral("#########.")} << 20;
        QTest::newRow("empty row 18 under row 17") << QStringList{QStringLiteral(".#........"), QStringLiteral(".........."), QStringLiteral("#........."), QStringLiteral("#.........")}
                                                   << 19;
        QTest::newRow("no empty row") << QStringList(21, QStringLiteral("#.........")) << 0;
        QTest::newRow("only the top row empty") << QStringList(20, QStringLiteral(".........#")) << 1;
    }
    void freeRowCount()
    {
        QFETCH(QStringList, bottom);
        QFETCH(int, free);
        TWellModel well;
        lay(well, bottom);
        QCOMPARE(well.FreeRowCount(), free);
    }

};

PARBLOK_TEST_MAIN(TestWellModel)
#include "tst_wellmodel.moc"
