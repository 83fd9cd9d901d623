#include "CountingBoard.h"
#include "Clock.h"
#include "PreviewForm.h"
#include "Random.h"
#include "WellWidget.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QApplication>
#include <QPalette>

using namespace WinColor;

namespace {

QColor rgb(Value colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QColor pixel(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

QColor light()
{
    return QColor(QApplication::palette().color(QPalette::Light).rgb());
}

QColor dark()
{
    return QColor(QApplication::palette().color(QPalette::Dark).rgb());
}

// A board at the size the main window gives it, with the main window's drawing settings.
struct PlayBoard
{
    CountingBoard board;
    PlayBoard()
    {
        board.setShowFillColor(true);
        board.setBlocktype(btButton);
        board.resize(190, 358);
    }
};

} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { clearNowForTesting(); }

    void defaults_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("NumberOfPieces") << "NumberOfPieces" << QVariant(0);
        QTest::newRow("NextPiece") << "NextPiece" << QVariant(1);
        QTest::newRow("LastDeletedLine") << "LastDeletedLine" << QVariant(0);
        QTest::newRow("BackGroundColor") << "BackGroundColor" << QVariant(quint32(clBlack));
        QTest::newRow("ScreenNumber") << "ScreenNumber" << QVariant(0);
        QTest::newRow("SquareDimension") << "SquareDimension" << QVariant(15);
        QTest::newRow("ShowBorderColor") << "ShowBorderColor" << QVariant(false);
        QTest::newRow("ShowFillColor") << "ShowFillColor" << QVariant(false);
        QTest::newRow("ShowNextpiece") << "ShowNextpiece" << QVariant(false);
        QTest::newRow("NumberOfType") << "NumberOfType" << QVariant(8);
        QTest::newRow("PreviewSize") << "PreviewSize" << QVariant(40);
        QTest::newRow("PreviewCaption") << "PreviewCaption" << QVariant(QString());
        QTest::newRow("Blocktype") << "Blocktype" << QVariant::fromValue(TWellWidget::btNormal);
    }
    void defaults()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        TWellWidget board;
        QCOMPARE(board.property(qPrintable(property)), value);
    }

    void constructedShape()
    {
        TWellWidget board;
        QCOMPARE(board.size(), QSize(135, 300));
        QCOMPARE(board.CurrentPiece(), 1);
        QCOMPARE(board.focusPolicy(), Qt::NoFocus);
        QVERIFY(board.PreviewForm());
        QVERIFY(!board.PreviewForm()->isVisible());
        QCOMPARE(board.PreviewForm()->windowTitle(), QStringLiteral("Next"));
        QCOMPARE(board.PreviewForm()->size(), QSize(160, 160));
        QVERIFY(board.PreviewForm()->windowFlags() & Qt::Tool);
        for (int column = 0; column < 10; ++column)
            for (int row = 0; row < 21; ++row)
                QVERIFY(board.Well().CellEmpty(column, row));
        // The nominal square size makes the board 9 squares wide and 20 high.
        board.setSquareDimension(20);
        QCOMPARE(board.size(), QSize(180, 400));
        QCOMPARE(board.image().size(), QSize(180, 400));
        QCOMPARE(QSize(board.CellWidth(), board.CellHeight()), QSize(18, 19));
    }

    void propertiesThroughTheMetaObject_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("message");
        QTest::newRow("kinds accepted") << "NumberOfType" << QVariant(15) << QVariant(15) << QString();
        QTest::newRow("kinds refused") << "NumberOfType" << QVariant(16) << QVariant(8)
                                       << QStringLiteral("Value out of range...");
        QTest::newRow("next piece refused") << "NextPiece" << QVariant(0) << QVariant(1)
                                            << QStringLiteral("There is only 15 [1..15] kind of pieces...0");
        QTest::newRow("counter refused") << "NumberOfPieces" << QVariant(5) << QVariant(0)
                                         << QStringLiteral("This is a Read-Only Property...");
        QTest::newRow("layout refused") << "ScreenNumber" << QVariant(6) << QVariant(0)
                                        << QStringLiteral("Value out of range...");
        QTest::newRow("preview 2 ignored") << "PreviewSize" << QVariant(2) << QVariant(40) << QString();
        QTest::newRow("block type") << "Blocktype" << QVariant::fromValue(TWellWidget::btRound)
                                    << QVariant::fromValue(TWellWidget::btRound) << QString();
        QTest::newRow("caption") << "PreviewCaption" << QVariant(QStringLiteral("Další"))
                                 << QVariant(QStringLiteral("Další")) << QString();
        QTest::newRow("background") << "BackGroundColor" << QVariant(quint32(clNavy))
                                    << QVariant(quint32(clNavy)) << QString();
    }
    void propertiesThroughTheMetaObject()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(QVariant, stored);
        QFETCH(QString, message);
        TWellWidget board;
        MessageCatcher catcher;
        QVERIFY(board.setProperty(qPrintable(property), value));
        QCOMPARE(board.property(qPrintable(property)), stored);
        QCOMPARE(catcher.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    void drawingStyleSwitches_data()
    {
        QTest::addColumn<QString>("steps"); // B/b: ShowBorderColor true/false, F/f: ShowFillColor
        QTest::addColumn<bool>("border");
        QTest::addColumn<bool>("fill");
        QTest::newRow("border off forces fill") << "b" << false << true;
        QTest::newRow("fill off forces border") << "f" << true << false;
        QTest::newRow("border on keeps fill off") << "B" << true << false;
        QTest::newRow("fill on keeps border off") << "F" << false << true;
        QTest::newRow("both on") << "BF" << true << true;
        QTest::newRow("fill off after both on") << "BFf" << true << false;
        QTest::newRow("border off after fill off") << "fb" << false << true;
    }
    void drawingStyleSwitches()
    {
        QFETCH(QString, steps);
        QFETCH(bool, border);
        QFETCH(bool, fill);
        TWellWidget board;
        for (QChar step : steps) {
            const bool on = step.isUpper();
            if (step.toLower() == QLatin1Char('b'))
                board.setShowBorderColor(on);
            else
                board.setShowFillColor(on);
        }
        QCOMPARE(board.ShowBorderColor(), border);
        QCOMPARE(board.ShowFillColor(), fill);
    }

    void cellGeometry_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("cell");
        QTest::newRow("main window") << QSize(190, 358) << QSize(19, 17);
        QTest::newRow("form") << QSize(135, 300) << QSize(13, 14);
        QTest::newRow("odd") << QSize(57, 100) << QSize(5, 4);
    }
    void cellGeometry()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, cell);
        TWellWidget board;
        board.setShowBorderColor(true);
        board.setShowFillColor(true);
        board.resize(size);
        // The bottom row full, and the bottom-right cell in its own colour.
        for (int column = 0; column < 10; ++column)
            board.Well().setCell(column, 20, clLime);
        board.Well().setCell(9, 20, clRed);
        board.Paint();
        const QImage &image = board.image();
        QCOMPARE(QSize(board.CellWidth(), board.CellHeight()), cell);
        const int right = 10 * cell.width();
        const int bottom = 21 * cell.height();
        // The last cell ends where the well ends, at (right - 1, bottom - 1)...
        QCOMPARE(pixel(image, right - 1, bottom - 1), rgb(clRed));
        QCOMPARE(pixel(image, right - cell.width(), bottom - cell.height()), rgb(clRed));
        QCOMPARE(pixel(image, right - cell.width() - 1, bottom - 1), rgb(clLime));
        QCOMPARE(pixel(image, right - 1, bottom - cell.height() - 1), rgb(clBlack));
        // ... and the remainder at the right and the bottom stays background.
        for (int x = right; x < size.width(); ++x)
            QCOMPARE(pixel(image, x, bottom - 1), rgb(clBlack));
        for (int y = bottom; y < size.height(); ++y)
            QCOMPARE(pixel(image, 0, y), rgb(clBlack));
    }

    void cellStyles_data()
    {
        QTest::addColumn<int>("blocktype");
        QTest::addColumn<bool>("border");
        QTest::addColumn<bool>("fill");
        QTest::addColumn<bool>("settled");
        // Pixels of a 19 x 17 cell: corners, the pixel inside the top-left corner, the centre.
        QTest::addColumn<QList<QColor>>("expected"); // TL, TR, BL, BR, inner TL, centre
        const QColor c = rgb(clAqua);
        const QColor bg = rgb(clBlack);
        QTest::newRow("plain, fill only") << 0 << false << true << true << QList<QColor>{bg, bg, bg, bg, c, c};
        QTest::newRow("plain, border and fill") << 0 << true << true << true << QList<QColor>{c, c, c, c, c, c};
        QTest::newRow("plain, border only") << 0 << true << false << true << QList<QColor>{c, c, c, c, bg, bg};
        QTest::newRow("button, fill only")
            << 2 << false << true << true << QList<QColor>{light(), dark(), light(), dark(), bg, c};
        QTest::newRow("button, border and fill")
            << 2 << true << true << true << QList<QColor>{light(), dark(), light(), dark(), c, c};
        QTest::newRow("button, border only")
            << 2 << true << false << true << QList<QColor>{light(), dark(), light(), dark(), c, bg};
        QTest::newRow("disc, fill only") << 1 << false << true << true << QList<QColor>{bg, bg, bg, bg, bg, c};
        QTest::newRow("disc, border only") << 1 << true << false << true << QList<QColor>{bg, bg, bg, bg, bg, bg};
        QTest::newRow("empty cell as button") << 2 << true << true << false << QList<QColor>{bg, bg, bg, bg, bg, bg};
        QTest::newRow("empty cell as disc") << 1 << true << true << false << QList<QColor>{bg, bg, bg, bg, bg, bg};
    }
    void cellStyles()
    {
        QFETCH(int, blocktype);
        QFETCH(bool, border);
        QFETCH(bool, fill);
        QFETCH(bool, settled);
        QFETCH(QList<QColor>, expected);
        TWellWidget board;
        board.resize(190, 358);
        board.setShowBorderColor(true);
        board.setShowFillColor(true);
        board.setShowBorderColor(border);
        board.setShowFillColor(fill);
        board.setBlocktype(TWellWidget::TBlockType(blocktype));
        // Paint a neighbourhood of cells in another colour first, so leftovers would show.
        for (int column = 2; column <= 4; ++column)
            for (int row = 4; row <= 6; ++row)
                board.DrawCell(column, row, clYellow);
        board.DrawCell(3, 5, settled ? clAqua : clBlack);
        const QImage &image = board.image();
        const int x1 = 3 * 19, y1 = 5 * 17, x2 = x1 + 19, y2 = y1 + 17;
        const QList<QColor> got{pixel(image, x1, y1),         pixel(image, x2 - 1, y1),
                                pixel(image, x1, y2 - 1),     pixel(image, x2 - 1, y2 - 1),
                                pixel(image, x1 + 1, y1 + 1), pixel(image, x1 + 9, y1 + 8)};
        QCOMPARE(got, expected);
    }

    void buttonFrameEdges()
    {
        // The raised frame: light along the left and top edges, dark along the right and the
        // bottom; inside it a ring of background, then the colour.
        PlayBoard play;
        play.board.DrawCell(0, 0, clRed);
        const QImage &image = play.board.image();
        for (int y = 0; y < 17; ++y) {
            QCOMPARE(pixel(image, 0, y), light());
            QCOMPARE(pixel(image, 18, y), dark());
        }
        for (int x = 0; x < 19; ++x) {
            QCOMPARE(pixel(image, x, 0), x == 18 ? dark() : light());
            QCOMPARE(pixel(image, x, 16), x == 0 ? light() : dark());
        }
        for (int x = 1; x < 18; ++x) {
            QCOMPARE(pixel(image, x, 1), rgb(clBlack));
            QCOMPARE(pixel(image, x, 15), rgb(clBlack));
        }
        for (int x = 2; x < 17; ++x)
            for (int y = 2; y < 15; ++y)
                QCOMPARE(pixel(image, x, y), rgb(clRed));
        // The neighbour is untouched.
        QCOMPARE(pixel(play.board.image(), 19, 0), rgb(clBlack));
    }

    void movesDrawOnlyThePiece_data()
    {
        QTest::addColumn<int>("type");
        for (int type = 1; type <= 15; ++type)
            QTest::addRow("type %d", type) << type;
    }
    void movesDrawOnlyThePiece()
    {
        QFETCH(int, type);
        PlayBoard play;
        CountingBoard &board = play.board;
        board.image();
        board.Well().PlacePiece(type, 3, 6);
        const QList<std::function<void()>> operations{
            [&] { board.MoveLeft(); }, [&] { board.MoveRight(); }, [&] { board.Rotate(); },
            [&] { board.StepDown(); }, [&] { board.Drop(); }};
        for (const auto &operation : operations) {
            board.resetDrawCounters();
            operation();
            QVERIFY2(board.cellDrawings <= 32, qPrintable(QString::number(board.cellDrawings)));
            QVERIFY(board.cellDrawings > 0);
            QCOMPARE(board.wellRepaints, 0);
        }
        // The picture shows the piece where it now stands, before anything else runs.
        const QImage &image = board.image();
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r) {
                const int x = (board.PieceCol() + c) * 19 + 9;
                const int y = (board.PieceRow() + r) * 17 + 8;
                if (board.PieceCol() + c < 0 || board.PieceCol() + c > 9 || board.PieceRow() + r > 20
                    || board.PieceRow() + r < 0)
                    continue;
                QCOMPARE(pixel(image, x, y), board.Well().SquareEmpty(c, r)
                                                 ? rgb(clBlack)
                                                 : rgb(board.Well().Square(c, r)));
            }
    }

    void fullRepaintsOnlyWhenTheWellChanges()
    {
        PlayBoard play;
        CountingBoard &board = play.board;
        board.image();
        for (int column = 0; column < 9; ++column)
            board.Well().setCell(column, 20, clGray);
        board.Well().PlacePiece(4, 8, -1);
        board.resetDrawCounters();
        board.Drop();
        QCOMPARE(board.wellRepaints, 0);
        QCOMPARE(board.StepDown(), 1);
        QCOMPARE(board.LastDeletedLine(), 1);
        QCOMPARE(board.wellRepaints, 1);
        // After the removal the picture holds the three remaining bar squares, now one lower.
        const QImage &image = board.image();
        QCOMPARE(pixel(image, 9 * 19 + 9, 20 * 17 + 8), rgb(clRed));
        QCOMPARE(pixel(image, 9 * 19 + 9, 18 * 17 + 8), rgb(clRed));
        QCOMPARE(pixel(image, 9 * 19 + 9, 17 * 17 + 8), rgb(clBlack));
        QCOMPARE(pixel(image, 0 * 19 + 9, 20 * 17 + 8), rgb(clBlack));
    }

    void layoutsAndStylesRepaintTheWell()
    {
        setNowForTesting(QDateTime(QDate(2024, 5, 6), QTime(10, 20, 30, 400), Qt::UTC));
        PlayBoard play;
        CountingBoard &board = play.board;
        board.image();
        const QList<std::function<void()>> changes{
            [&] { board.setScreenNumber(1); }, [&] { board.setBlocktype(btRound); },
            [&] { board.setShowBorderColor(false); }, [&] { board.setBackGroundColor(clNavy); },
            [&] { board.NewGame(); }};
        for (const auto &change : changes) {
            board.resetDrawCounters();
            change();
            QVERIFY(board.wellRepaints >= 1);
        }
        // Layout 1 at this clock reading puts clLime (draw 9) at (0, 13); as a disc on navy.
        const QImage &image = board.image();
        QCOMPARE(pixel(image, 9, 13 * 17 + 8), rgb(clLime));
        QCOMPARE(pixel(image, 0, 13 * 17), rgb(clNavy));
        QCOMPARE(pixel(image, 50, 50), rgb(clNavy));
    }

    void backgroundChangeEmptiesCellsOfThatColour()
    {
        PlayBoard play;
        TWellWidget &board = play.board;
        board.Well().setCell(0, 20, clYellow);
        board.Well().setCell(1, 20, clRed);
        board.setBackGroundColor(clYellow);
        QVERIFY(board.Well().CellEmpty(0, 20));
        QVERIFY(!board.Well().CellEmpty(1, 20));
        const QImage &image = board.image();
        // The former yellow square is now background: no button frame is drawn for it.
        QCOMPARE(pixel(image, 0, 20 * 17), rgb(clYellow));
        QCOMPARE(pixel(image, 19, 20 * 17), light());
        QCOMPARE(pixel(image, 19 + 9, 20 * 17 + 8), rgb(clRed));
    }

    void eraseKeepsASettledCellUnderThePiece()
    {
        // Setting the next piece rebuilds the falling one in place, where its squares may lie
        // on settled cells; moving it away must leave those cells visible.
        PlayBoard play;
        TWellWidget &board = play.board;
        board.Well().setCell(5, 10, clSilver);
        board.Paint();
        board.Well().PlacePiece(4, 4, 8); // column 5, rows 8..11
        board.MoveLeft();
        QCOMPARE(pixel(board.image(), 5 * 19 + 9, 10 * 17 + 8), rgb(clSilver));
        QCOMPARE(pixel(board.image(), 5 * 19 + 9, 9 * 17 + 8), rgb(clBlack));
    }

    void shownBoardPaintsItsPicture()
    {
        QWidget window;
        window.resize(200, 370);
        TWellWidget *board = new TWellWidget(&window);
        board->setShowFillColor(true);
        board->setBlocktype(btButton);
        board->setGeometry(3, 4, 190, 358);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        board->Well().setCell(4, 20, clFuchsia);
        board->Paint();
        board->Well().PlacePiece(1, 0, 5);
        board->MoveRight();
        const QImage shot = board->grab().toImage();
        QCOMPARE(pixel(shot, 4 * 19 + 9, 20 * 17 + 8), rgb(clFuchsia));
        QCOMPARE(pixel(shot, 2 * 19 + 9, 6 * 17 + 8), rgb(clBlue));
        QCOMPARE(pixel(shot, 1 * 19 + 9, 6 * 17 + 8), rgb(clBlack));
        // Hidden and shown again (as the cover panel does), nothing is lost.
        board->hide();
        board->show();
        QCOMPARE(board->grab().toImage(), shot);
    }

    void preview_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("border");
        QTest::addColumn<bool>("fill");
        QTest::addColumn<QStringList>("rows"); // centre pixel of each square: # colour, . background
        QTest::addColumn<QColor>("corner"); // top-left pixel of matrix square (1, 2)
        QTest::newRow("bar, filled") << 4 << false << true
                                     << QStringList{QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#..")} << rgb(clBlack);
        QTest::newRow("bar, outlined and filled") << 4 << true << true
                                                  << QStringList{QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#.."), QStringLiteral(".#..")} << rgb(clRed);
        QTest::newRow("mirrored L, outlined only") << 3 << true << false
                                                   << QStringList{QStringLiteral("...."), QStringLiteral("...."), QStringLiteral("...."), QStringLiteral("....")} << rgb(clAqua);
        QTest::newRow("T, filled") << 7 << false << true
                                   << QStringList{QStringLiteral("...."), QStringLiteral(".#.."), QStringLiteral("###."), QStringLiteral("....")} << rgb(clBlack);
    }
    void preview()
    {
        QFETCH(int, type);
        QFETCH(bool, border);
        QFETCH(bool, fill);
        QFETCH(QStringList, rows);
        QFETCH(QColor, corner);
        TWellWidget board;
        board.setShowBorderColor(true);
        board.setShowFillColor(true);
        board.setShowBorderColor(border);
        board.setShowFillColor(fill);
        board.setBlocktype(btButton); // the preview ignores it
        board.setPreviewSize(10);
        board.setShowNextpiece(true);
        QVERIFY(board.PreviewForm()->isVisible());
        board.setNextPiece(type);
        const QImage &image = board.PreviewForm()->image();
        QCOMPARE(image.size(), QSize(40, 40));
        QStringList got;
        for (int r = 0; r < 4; ++r) {
            QString line;
            for (int c = 0; c < 4; ++c)
                line += pixel(image, c * 10 + 5, r * 10 + 5) == rgb(clBlack) ? QLatin1Char('.') : QLatin1Char('#');
            got << line;
        }
        QCOMPARE(got, rows);
        QCOMPARE(pixel(image, 10, 20), corner);
        board.setShowNextpiece(false);
        QVERIFY(!board.PreviewForm()->isVisible());
    }

    void previewSizeAndCaption()
    {
        TWellWidget board;
        board.setPreviewSize(10);
        QCOMPARE(board.PreviewForm()->size(), QSize(40, 40));
        board.setPreviewSize(2);
        QCOMPARE(board.PreviewSize(), 10);
        QCOMPARE(board.PreviewForm()->size(), QSize(40, 40));
        board.setPreviewSize(25);
        QCOMPARE(board.PreviewForm()->size(), QSize(100, 100));
        board.setPreviewCaption(QStringLiteral("Hráč 1"));
        QCOMPARE(board.PreviewForm()->windowTitle(), QStringLiteral("Hráč 1"));
        QCOMPARE(board.PreviewCaption(), QStringLiteral("Hráč 1"));
    }

    void previewFollowsTheGame()
    {
        setNowForTesting(QDateTime(QDate(2024, 5, 6), QTime(10, 20, 30, 400), Qt::UTC));
        TWellWidget board;
        board.setShowFillColor(true);
        board.setPreviewSize(10);
        board.setShowNextpiece(true);
        board.setScreenNumber(0);
        board.NewGame();
        // From this clock reading the first pieces are 5 (Z) then 2 (L, clFuchsia).
        QCOMPARE(board.NextPiece(), 2);
        QCOMPARE(pixel(board.PreviewForm()->image(), 15, 5), rgb(clFuchsia));
        QCOMPARE(pixel(board.PreviewForm()->image(), 5, 5), rgb(clBlack));
    }
};

PARBLOK_TEST_MAIN(TestBoard)
#include "tst_board.moc"
