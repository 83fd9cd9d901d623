#include "Clock.h"
#include "Data.h"
#include "GradText.h"
#include "Hlavni.h"
#include "MainWindowDriver.h"
#include "Launch.h"
#include "ProgramFolderFixture.h"
#include "NStatusBar.h"
#include "WellWidget.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Timer.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <memory>

namespace {

// What a key may do to a well: the falling piece's place and shape.
struct PieceState
{
    int column = 0;
    int row = 0;
    quint16 shape = 0; // one bit per occupied square of the 4 x 4 matrix

    bool operator==(const PieceState &) const = default;
};

PieceState stateOf(const TWellModel &well)
{
    PieceState state{well.PieceCol(), well.PieceRow(), 0};
    for (int c = 0; c < TWellModel::MatrixSize; ++c)
        for (int r = 0; r < TWellModel::MatrixSize; ++r)
            if (!well.SquareEmpty(c, r))
                state.shape |= quint16(1u << (r * TWellModel::MatrixSize + c));
    return state;
}

constexpr int PieceColumn = 3;
constexpr int PieceRow = 5;

// Applies a named board operation to a model; returns the rows a drop fell.
int apply(TWellModel &well, const QString &operation)
{
    if (operation == QLatin1String("rotate"))
        well.Rotate();
    else if (operation == QLatin1String("left"))
        well.MoveLeft();
    else if (operation == QLatin1String("right"))
        well.MoveRight();
    else if (operation == QLatin1String("down"))
        well.StepDown();
    else if (operation == QLatin1String("drop"))
        return well.Drop();
    return 0;
}

// A piece type whose turn changes its shape, so a turn can be told from no turn.
int turningPiece()
{
    for (int type = 1; type <= TWellModel::PieceTypes; ++type) {
        TWellModel well;
        well.PlacePiece(type, PieceColumn, PieceRow);
        const PieceState before = stateOf(well);
        well.Rotate();
        if (!(stateOf(well) == before))
            return type;
    }
    return 0;
}

} // namespace

class TestHlavni : public QObject
{
    Q_OBJECT

private:
    ProgramFolderFixture m_folder; // an empty one: no manual, no results table
    std::unique_ptr<TDataModule1> m_data;
    std::unique_ptr<MessageCatcher> m_messages;
    THlavniDialog *w = nullptr;
    const QDateTime m_now = QDateTime(QDate(2024, 2, 29), QTime(10, 30), Qt::UTC);

    void sendKey(char key)
    {
        QTest::keyClick(w->windowHandle(), key);
    }

    void sendKeys(const QString &keys)
    {
        for (const QChar key : keys)
            sendKey(key.toLatin1());
    }

    QString hintPanel() const { return partOf<TNStatusBar>(w, "statusLine")->PanelText(0); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        setNowForTesting(m_now);
        m_data = std::make_unique<TDataModule1>();
    }

    void init()
    {
        m_messages = std::make_unique<MessageCatcher>();
        w = m_folder.make<THlavniDialog>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup()
    {
        m_folder.destroyWindows();
        m_messages.reset();
    }

    void cleanupTestCase()
    {
        m_data.reset();
        clearNowForTesting();
    }

    // --- creation ------------------------------------------------------------------------------

    void globalInstanceIsTheWindow()
    {
        QCOMPARE(HlavniDialog(), w);
        m_folder.destroy(w);
        QCOMPARE(HlavniDialog(), nullptr);
    }

    void startState()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Parblok 2000"));
        QCOMPARE(w->Match().PlayerCount, 0);
        QVERIFY(coverOf(w, 1)->isVisible());
        QVERIFY(coverOf(w, 2)->isVisible());
        QVERIFY(!pauseTextOf(w, 1)->isVisible());
        QVERIFY(!pauseTextOf(w, 2)->isVisible());
        QVERIFY(!partOf<QFrame>(w, "bossScreen")->isVisible());
        QCOMPARE(labelOf(w, "gameKindLabel")->text(), QStringLiteral("nevybráno"));
        QVERIFY(labelOf(w, "gameKindLabel")->isVisible());
        QCOMPARE(labelOf(w, "gameKindCaption")->text(), QStringLiteral("Druh hry :"));
        for (QLabel *value : {labelOf(w, "player1PiecesLabel"), labelOf(w, "player1LastRowsLabel"), labelOf(w, "player1TotalRowsLabel"), labelOf(w, "player1LevelLabel"), labelOf(w, "player1ScoreLabel"), labelOf(w, "player2PiecesLabel"), labelOf(w, "player2LastRowsLabel"),
                              labelOf(w, "player2TotalRowsLabel"), labelOf(w, "player2LevelLabel"), labelOf(w, "player2ScoreLabel")})
            QCOMPARE(value->text(), QStringLiteral("0"));
        // No match yet: nobody's gravity ticks.
        for (int player : {1, 2})
            QCOMPARE(w->Match().Gravity().state(player), TGravity::State::Finished);
        for (Timer *timer : {gravityTimerOf(w, 1), gravityTimerOf(w, 2)})
            QVERIFY(!timer->isArmed());
        // The calendar of the boss screen shows today.
        QCOMPARE(partOf<QCalendarWidget>(w, "bossCalendar")->selectedDate(), m_now.toLocalTime().date());
    }

    void startCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("enabled");
        for (const char *name : {"newOnePlayerGameAction", "newTwoPlayerGameAction", "newOnePlayerGamePopupAction", "newTwoPlayerGamePopupAction", "newOnePlayerGameToolAction", "newTwoPlayerGameToolAction", "resultsTableAction", "resultsTableToolAction",
                                 "clearResultsTableAction", "onePlayerKeysAction", "twoPlayerKeysAction",
                                 "bossScreenAction", "bossScreenToolAction", "helpTopicsAction",
                                 "aboutAction", "quitAction"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        // No match runs; the program folder of the test holds no manual.
        for (const char *name : {"endGameAction", "endGamePopupAction", "endGameToolAction", "manualAction", "manualToolAction"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
    }
    void startCommands()
    {
        QFETCH(QString, command);
        QFETCH(bool, enabled);
        auto *action = w->findChild<QAction *>(command);
        QVERIFY(action != nullptr);
        QCOMPARE(action->isEnabled(), enabled);
    }

    void matchCommandsSwitchTogether()
    {
        const char *newGame[] = {"newOnePlayerGameAction",      "newTwoPlayerGameAction",
                                 "newOnePlayerGamePopupAction", "newTwoPlayerGamePopupAction",
                                 "newOnePlayerGameToolAction",  "newTwoPlayerGameToolAction"};
        const char *endGame[] = {"endGameAction", "endGamePopupAction", "endGameToolAction"};
        for (const bool running : {true, false}) {
            if (running)
                w->StartMatch(1, GameKind::Training);
            else
                w->EndMatch();
            for (const char *name : newGame)
                QVERIFY2(actionOf(w, name)->isEnabled() == !running, name);
            for (const char *name : endGame)
                QVERIFY2(actionOf(w, name)->isEnabled() == running, name);
        }
    }

    void formGeometry()
    {
        // Fixed client area below the menu bar.
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->width(), 669);
        QCOMPARE(w->height() - w->menuBar()->height(), 421);
        // Both wells at their run-time size, each under its cover.
        for (TWellWidget *board : {wellOf(w, 1), wellOf(w, 2)})
            QCOMPARE(board->geometry(), QRect(3, 4, 190, 358));
        QCOMPARE(coverOf(w, 1)->geometry(), wellOf(w, 1)->geometry());
        QCOMPARE(coverOf(w, 2)->geometry(), wellOf(w, 2)->geometry());
        // Left well, statistics, right well, in this order and fully inside the play area.
        const QWidget *area = w->centralWidget();
        auto inArea = [area](const QWidget *widget) {
            return QRect(widget->mapTo(area, QPoint(0, 0)), widget->size());
        };
        const QRect well1 = inArea(wellOf(w, 1)), well2 = inArea(wellOf(w, 2));
        const QRect stats1 = inArea(labelOf(w, "player1PiecesLabel")->parentWidget()), stats2 = inArea(labelOf(w, "player2PiecesLabel")->parentWidget());
        QVERIFY(well1.right() < stats1.left());
        QVERIFY(stats1.right() < well2.left());
        QVERIFY(stats1.bottom() < stats2.top());
        QCOMPARE(stats1.left(), stats2.left());
        // The boss screen fills the play area.
        QCOMPARE(partOf<QFrame>(w, "bossScreen")->size(), QSize(657, 367));
        QVERIFY(area->rect().contains(inArea(partOf<QFrame>(w, "bossScreen"))));
        for (const QRect &r : {well1, well2, stats1, stats2})
            QVERIFY(inArea(partOf<QFrame>(w, "bossScreen")).contains(r));
        // The pause texts stand over their wells.
        QVERIFY(well1.contains(inArea(pauseTextOf(w, 1))));
        QVERIFY(well2.contains(inArea(pauseTextOf(w, 2))));
        // The status bar sits at the bottom with its hint panel of 450 pixels.
        QCOMPARE(partOf<TNStatusBar>(w, "statusLine")->geometry().bottom(), w->height() - 1);
        QCOMPARE(partOf<TNStatusBar>(w, "statusLine")->PanelRect(0).width(), 450);
        QVERIFY(labelOf(w, "gameKindLabel")->geometry().left() >= 450);
    }

    void boards_data()
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
        QTest::newRow("ShowFillColor") << "ShowFillColor" << QVariant(true);
        QTest::newRow("ShowNextpiece") << "ShowNextpiece" << QVariant(false);
        QTest::newRow("NumberOfType") << "NumberOfType" << QVariant(8);
        QTest::newRow("PreviewSize") << "PreviewSize" << QVariant(10);
        QTest::newRow("Blocktype") << "Blocktype" << QVariant(int(TWellWidget::btButton));
    }
    void boards()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        for (TWellWidget *board : {wellOf(w, 1), wellOf(w, 2)}) {
            QVariant actual = board->property(qPrintable(property));
            QVERIFY2(actual.isValid(), qPrintable(property));
            if (property == QLatin1String("Blocktype"))
                actual = QVariant(actual.toInt());
            QCOMPARE(actual, value);
        }
    }

    // Each value label with the caption standing on its left in the same row, under the heading.
    void statistics_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("heading");
        const char *captions[] = {"Počet spadlých obrazců", "Poslední počet odmazaných čar",
                                  "Celkový počet odmazaných čar", "Momentální obtížnost",
                                  "Celkový počet bodů"};
        const char *values[] = {"PiecesLabel", "LastRowsLabel", "TotalRowsLabel", "LevelLabel",
                                "ScoreLabel"};
        for (int player = 1; player <= 2; ++player)
            for (int row = 0; row < 5; ++row) {
                const QString name = QStringLiteral("player%1").arg(player)
                                     + QLatin1String(values[row]);
                QTest::newRow(qPrintable(name))
                    << name << QString::fromUtf8(captions[row])
                    << QStringLiteral("Hráč č. %1").arg(player);
            }
    }
    void statistics()
    {
        QFETCH(QString, value);
        QFETCH(QString, caption);
        QFETCH(QString, heading);
        auto *label = w->findChild<QLabel *>(value);
        QVERIFY(label != nullptr);
        QWidget *panel = label->parentWidget();
        const QLabel *beside = nullptr;
        for (const QLabel *other : panel->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
            if (other != label && other->geometry().center().y() == label->geometry().center().y())
                beside = other;
        QVERIFY(beside != nullptr);
        QCOMPARE(beside->text(), caption);
        QVERIFY(beside->geometry().right() < label->geometry().left());
        const auto headings = panel->findChildren<TGradText *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(headings.size(), 1);
        QCOMPARE(headings.first()->Lines(), QStringList(heading));
        QVERIFY(headings.first()->geometry().bottom() < label->geometry().top());
    }

    void pauseTexts()
    {
        for (TGradText *pause : {pauseTextOf(w, 1), pauseTextOf(w, 2)}) {
            QCOMPARE(pause->Lines(), QStringList(QStringLiteral("Pauza")));
            const QFont font = pause->Font();
            QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
            QCOMPARE(font.pixelSize(), 24);
            QVERIFY(font.bold());
            QVERIFY(font.italic());
        }
    }

    // The decoy's frames, calendar, folder tree and chart, relative to their parents.
    void bossScreenLayout_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QColor>("colour"); // shapes only

        const QColor none;
        QTest::newRow("bossCalendarPanel") << "bossCalendarPanel" << "bossScreen" << QRect(5, 5, 193, 169) << none;
        QTest::newRow("bossCalendar") << "bossCalendar" << "bossCalendarPanel" << QRect(5, 8, 183, 153) << none;
        QTest::newRow("bossChartPanel") << "bossChartPanel" << "bossScreen" << QRect(200, 5, 453, 356) << none;
        QTest::newRow("bossFolderPanel") << "bossFolderPanel" << "bossScreen" << QRect(5, 180, 193, 181) << none;
        QTest::newRow("bossFolderTree") << "bossFolderTree" << "bossFolderPanel" << QRect(4, 4, 185, 173) << none;
        QTest::newRow("bossChartVerticalAxis") << "bossChartVerticalAxis" << "bossChartPanel" << QRect(24, 8, 3, 337) << QColor(Qt::black);
        QTest::newRow("bossChartHorizontalAxis") << "bossChartHorizontalAxis" << "bossChartPanel" << QRect(24, 344, 417, 3) << QColor(Qt::black);

        // Bars 39 pixels wide standing on y = 345.
        struct Bar { const char *name; int left; int height; QColor colour; };
        const Bar bars[] = {
            {"bossChartBar1", 26, 297, QColor(255, 255, 0)},   {"bossChartBar2", 66, 249, QColor(255, 0, 0)},
            {"bossChartBar3", 106, 273, QColor(0, 255, 255)},  {"bossChartBar4", 146, 257, QColor(0, 0, 255)},
            {"bossChartBar5", 186, 241, QColor(0, 255, 0)},   {"bossChartBar6", 226, 137, QColor(0, 128, 0)},
            {"bossChartBar7", 266, 113, QColor(128, 128, 64)}, {"bossChartBar8", 306, 97, QColor(128, 64, 0)},
            {"bossChartBar9", 346, 177, QColor(128, 128, 128)}, {"bossChartBar10", 386, 129, QColor(0, 0, 0)},
        };
        for (const Bar &bar : bars)
            QTest::newRow(bar.name) << bar.name << "bossChartPanel"
                                    << QRect(bar.left, 345 - bar.height, 39, bar.height) << bar.colour;
    }
    void bossScreenLayout()
    {
        QFETCH(QString, control);
        QFETCH(QString, parent);
        QFETCH(QRect, place);
        QFETCH(QColor, colour);
        auto *widget = partOf<QFrame>(w, "bossScreen")->findChild<QWidget *>(control);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), place);
        if (colour.isValid())
            QCOMPARE(widget->property("BrushColor").value<QColor>(), colour);
    }

    void menus()
    {
        // Each menu as its items' captions, "-" for a separator, "[...]" for a submenu.
        auto describe = [](QMenu *menu) {
            QStringList items;
            for (QAction *a : menu->actions()) {
                if (a->isSeparator())
                    items << QStringLiteral("-");
                else if (a->menu())
                    items << QLatin1Char('[') + a->text() + QLatin1Char(']');
                else if (!a->shortcut().isEmpty())
                    items << a->text() + QLatin1Char(' ') + a->shortcut().toString();
                else
                    items << a->text();
            }
            return items.join(QLatin1Char('|'));
        };
        QStringList menus;
        for (QAction *top : w->menuBar()->actions())
            menus << top->text() + QLatin1String(": ") + describe(top->menu());
        QCOMPARE(menus, QStringList({
            QStringLiteral("&Soubor: Nová hra - &1 hráč...|Nová hra - &2 hráči...|&Ukončit hru F3|-|Konec"),
            QStringLiteral("&Nástroje: &Zobrazit tabulku nejhorších|&Vymazat tabulku nejhorších|-|[&Zobrazit ovládání]|-|Šéfovská &pojistka"),
            QStringLiteral("Nápo&věda: Nápo&věda pro Parblok 2000 F1|&Elektronický manuál|-|&O programu Parblok 2000..."),
        }));
        auto *submenu = w->findChild<QMenu *>(QStringLiteral("keyPicturesMenu"));
        QVERIFY(submenu != nullptr);
        QCOMPARE(describe(submenu), QStringLiteral("Ovládání pro 1 hráče|Ovládání pro 2 hráče"));
        QCOMPARE(describe(partOf<QMenu>(w, "contextMenu")),
                 QStringLiteral("Nová hra - &1 hráč...|Nová hra - &2 hráči...|&Ukončit hru F3"));
    }

    // A right click anywhere in the play area or the status bar opens the window's pop-up menu.
    void popupMenu_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("covered well") << "player1Cover";
        QTest::newRow("statistics label") << "player2ScoreLabel";
        QTest::newRow("status bar") << "statusLine";
    }
    void popupMenu()
    {
        QFETCH(QString, control);
        auto *widget = w->findChild<QWidget *>(control);
        QVERIFY(widget != nullptr);
        QVERIFY(!partOf<QMenu>(w, "contextMenu")->isVisible());
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &click);
        QTRY_VERIFY(partOf<QMenu>(w, "contextMenu")->isVisible());
        partOf<QMenu>(w, "contextMenu")->close();
    }

    void exitCommandClosesTheWindow()
    {
        actionOf(w, "quitAction")->trigger();
        QVERIFY(!w->isVisible());
    }

    void toolbar()
    {
        auto *bar = w->findChild<QToolBar *>();
        QVERIFY(bar != nullptr);
        QStringList names;
        for (QAction *a : bar->actions()) {
            if (a->isSeparator())
                names << QStringLiteral("-");
            else if (!a->objectName().isEmpty() || !a->icon().isNull())
                names << a->objectName();
        }
        QCOMPARE(names, QStringList({QStringLiteral("newOnePlayerGameToolAction"), QStringLiteral("newTwoPlayerGameToolAction"), QStringLiteral("endGameToolAction"), QStringLiteral("-"), QStringLiteral("resultsTableToolAction"), QStringLiteral("-"), QStringLiteral("bossScreenToolAction"), QStringLiteral("manualToolAction")}));
        // The manual button stands at the right end, every button has a picture and a hint.
        auto *manual = qobject_cast<QToolButton *>(bar->widgetForAction(actionOf(w, "manualToolAction")));
        QVERIFY(manual != nullptr);
        QVERIFY(manual->geometry().right() > bar->width() - 40);
        for (QAction *a : {actionOf(w, "newOnePlayerGameToolAction"), actionOf(w, "newTwoPlayerGameToolAction"), actionOf(w, "endGameToolAction"), actionOf(w, "resultsTableToolAction"), actionOf(w, "bossScreenToolAction"), actionOf(w, "manualToolAction")}) {
            QVERIFY2(!a->icon().pixmap(16, 16).isNull(), qPrintable(a->objectName()));
            QCOMPARE(a->toolTip(), a->statusTip());
        }
        QCOMPARE(actionOf(w, "resultsTableToolAction")->statusTip(), QStringLiteral("Zobrazí tabulku nejlhorších hráčů"));
        QCOMPARE(actionOf(w, "bossScreenToolAction")->statusTip(), QStringLiteral("Pojistka proti neodbytnému šéfovi"));
    }

    // --- the results table at start --------------------------------------------------------------

    void tableFailureIsShownAndWindowGoesOn()
    {
        // The test's program folder holds no table: the failure is shown once, the window stands.
        QCOMPARE(m_messages->texts().size(), 1);
        QVERIFY(!m_messages->last().isEmpty());
        QVERIFY(!DataModule1->resultsTable->Active());
        QVERIFY(w->isVisible());
        sendKey('p');
        QVERIFY(w->PauseOn());
    }

    void tableOpensFromProgramFolder()
    {
        m_folder.destroy(w);
        m_messages->clear();
        const ProgramFolderFixture shipped(ProgramFolderFixture::Data::ShippedTable);
        QVERIFY(shipped.isValid());
        w = m_folder.make<THlavniDialog>();
        QCOMPARE(m_messages->texts(), QStringList());
        QVERIFY(DataModule1->resultsTable->Active());
        DataModule1->resultsTable->Close();
    }

    // --- the manual -----------------------------------------------------------------------------

    void manualCommands_data()
    {
        QTest::addColumn<bool>("program");
        QTest::addColumn<bool>("page");
        QTest::newRow("neither") << false << false;
        QTest::newRow("program only") << true << false;
        QTest::newRow("page only") << false << true;
        QTest::newRow("both") << true << true;
    }
    void manualCommands()
    {
        QFETCH(bool, program);
        QFETCH(bool, page);
        ProgramFolderFixture folder;
        QVERIFY(folder.isValid());
        QStringList launches;
        setProcessStarterForTesting(
            [&](const QString &file, const QStringList &arguments, const QString &workingFolder) {
                launches << file + QLatin1Char('|') + arguments.join(QLatin1Char('|'))
                                + QLatin1Char('|') + workingFolder;
                return true;
            });
        const auto restore = qScopeGuard([] { setProcessStarterForTesting({}); });
        QVERIFY(folder.addManual(program, page));
        // The check runs at every showing of the window.
        w->hide();
        w->show();
        QCOMPARE(actionOf(w, "manualAction")->isEnabled(), program && page);
        QCOMPARE(actionOf(w, "manualToolAction")->isEnabled(), program && page);

        // Both commands start the manual on its start page, in the game's current folder; with a
        // file missing nothing is started.
        for (QAction *command : {actionOf(w, "manualAction"), actionOf(w, "manualToolAction")}) {
            command->setEnabled(true); // a file may have gone since the check
            command->trigger();
        }
        const QString expected =
            folder.filePath(QStringLiteral("ManualKvadr|Html/Parblok2000/Index.htm|"));
        QCOMPARE(launches, program && page ? QStringList({expected, expected}) : QStringList());
    }

    // --- keyboard ---------------------------------------------------------------------------------

    void keyRouting_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("well1"); // what the key does to the left well
        QTest::addColumn<QString>("well2");

        const QString none;
        for (char key : {'i', 'J', 'l', 'k', ' ', 'w', 'a', 'd', 's', 'f', 'h'})
            QTest::addRow("no match %c", key) << 0 << key << none << none;

        struct Row { char key; const char *well1; const char *well2; };
        const Row one[] = {{'i', "rotate", ""}, {'I', "rotate", ""}, {'j', "left", ""},
                           {'J', "left", ""}, {'l', "right", ""}, {'L', "right", ""},
                           {'k', "down", ""}, {'K', "down", ""}, {' ', "drop", ""},
                           {'h', "", ""}, {'H', "", ""}, {'w', "", ""}, {'a', "", ""},
                           {'d', "", ""}, {'s', "", ""}, {'f', "", ""}, {'x', "", ""},
                           {'1', "", ""}};
        for (const Row &r : one)
            QTest::addRow("one player '%c'", r.key) << 1 << r.key << QString::fromLatin1(r.well1) << QString::fromLatin1(r.well2);

        const Row two[] = {{'i', "", "rotate"}, {'I', "", "rotate"}, {'j', "", "left"},
                           {'J', "", "left"}, {'l', "", "right"}, {'L', "", "right"},
                           {'k', "", "down"}, {'K', "", "down"}, {'h', "", "drop"},
                           {'H', "", "drop"}, {'w', "rotate", ""}, {'W', "rotate", ""},
                           {'a', "left", ""}, {'A', "left", ""}, {'d', "right", ""},
                           {'D', "right", ""}, {'s', "down", ""}, {'S', "down", ""},
                           {'f', "drop", ""}, {'F', "drop", ""}, {' ', "", ""}, {'x', "", ""}};
        for (const Row &r : two)
            QTest::addRow("two players '%c'", r.key) << 2 << r.key << QString::fromLatin1(r.well1) << QString::fromLatin1(r.well2);
    }
    void keyRouting()
    {
        QFETCH(int, players);
        QFETCH(char, key);
        QFETCH(QString, well1);
        QFETCH(QString, well2);

        const int type = turningPiece();
        QVERIFY(type != 0);
        w->Match().PlayerCount = players;
        w->Match().Score1 = 10;
        w->Match().Score2 = 20;
        TWellModel expected1, expected2;
        for (TWellModel *well : {&wellOf(w, 1)->Well(), &wellOf(w, 2)->Well(), &expected1, &expected2})
            well->PlacePiece(type, PieceColumn, PieceRow);
        const int fallen1 = apply(expected1, well1);
        const int fallen2 = apply(expected2, well2);

        sendKey(key);

        QCOMPARE(stateOf(wellOf(w, 1)->Well()), stateOf(expected1));
        QCOMPARE(stateOf(wellOf(w, 2)->Well()), stateOf(expected2));
        QCOMPARE(w->Match().Score1, 10 + fallen1);
        QCOMPARE(w->Match().Score2, 20 + fallen2);
        if (well1 == QLatin1String("drop"))
            QVERIFY(fallen1 > 0);
        if (well2 == QLatin1String("drop"))
            QVERIFY(fallen2 > 0);
        QVERIFY(!w->PauseOn());
    }

    void keysNeedTheWindowEnabled()
    {
        w->Match().PlayerCount = 1;
        wellOf(w, 1)->Well().PlacePiece(turningPiece(), PieceColumn, PieceRow);
        w->setEnabled(false);
        sendKeys(QStringLiteral("jp"));
        QCOMPARE(wellOf(w, 1)->PieceCol(), PieceColumn);
        QVERIFY(!w->PauseOn());
        w->setEnabled(true);
        sendKeys(QStringLiteral("j"));
        QCOMPARE(wellOf(w, 1)->PieceCol(), PieceColumn - 1);
    }

    // --- pause ---------------------------------------------------------------------------------

    void pause_data()
    {
        QTest::addColumn<int>("interval1");
        QTest::addColumn<int>("interval2");
        QTest::newRow("no match") << 0 << 0;
        QTest::newRow("one player") << 700 << 0;
        QTest::newRow("two players") << 400 << 400;
    }
    void pause()
    {
        QFETCH(int, interval1);
        QFETCH(int, interval2);
        if (interval1 != 0)
            RunMatch(*w, interval1, interval2);

        sendKey('P');
        QVERIFY(pauseTextOf(w, 1)->isVisible());
        QVERIFY(pauseTextOf(w, 2)->isVisible());
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 0);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 0);
        QVERIFY(!gravityTimerOf(w, 1)->isArmed());
        QVERIFY(!gravityTimerOf(w, 2)->isArmed());

        sendKey('p');
        QVERIFY(!pauseTextOf(w, 1)->isVisible());
        QVERIFY(!pauseTextOf(w, 2)->isVisible());
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), interval1);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), interval2);
        QCOMPARE(gravityTimerOf(w, 1)->isArmed(), gravityTimerOf(w, 1)->Enabled());
    }

    void movesGoOnDuringPause()
    {
        w->Match().PlayerCount = 1;
        RunMatch(*w, 1000, 0);
        wellOf(w, 1)->Well().PlacePiece(turningPiece(), PieceColumn, PieceRow);
        sendKeys(QStringLiteral("plk "));
        QVERIFY(w->PauseOn());
        QCOMPARE(wellOf(w, 1)->PieceCol(), PieceColumn + 1);
        QVERIFY(w->Match().Score1 > 0);
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 0);
    }

    // --- boss screen ------------------------------------------------------------------------------

    void bossScreen()
    {
        RunMatch(*w, 700, 0);
        actionOf(w, "bossScreenAction")->trigger();
        QVERIFY(partOf<QFrame>(w, "bossScreen")->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Plnění plánu v letošním roce"));
        QVERIFY(!labelOf(w, "gameKindCaption")->isVisible());
        QVERIFY(!labelOf(w, "gameKindLabel")->isVisible());
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 0);
        QCOMPARE(partOf<QCalendarWidget>(w, "bossCalendar")->selectedDate(), m_now.toLocalTime().date());

        // The keys are not blocked by the boss screen.
        w->Match().PlayerCount = 1;
        wellOf(w, 1)->Well().PlacePiece(turningPiece(), PieceColumn, PieceRow);
        sendKey('j');
        QCOMPARE(wellOf(w, 1)->PieceCol(), PieceColumn - 1);

        w->setEnabled(false);
        actionOf(w, "bossScreenToolAction")->trigger();
        QVERIFY(!partOf<QFrame>(w, "bossScreen")->isVisible());
        QVERIFY(w->isEnabled());
        QCOMPARE(w->windowTitle(), QStringLiteral("Parblok 2000"));
        QVERIFY(labelOf(w, "gameKindCaption")->isVisible());
        QVERIFY(labelOf(w, "gameKindLabel")->isVisible());
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 700);
        QVERIFY(gravityTimerOf(w, 1)->isArmed());
    }

    // The boss screen and the pause in every order: once both are over, gravity runs at the
    // speed it had; while either is on, it is suspended.
    void bossScreenAndPause_data()
    {
        QTest::addColumn<QString>("steps"); // B = boss command, P = pause key
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("boss");

        QTest::newRow("boss on") << "B" << false << true;
        QTest::newRow("boss on, off") << "BB" << false << false;
        QTest::newRow("pause, boss on") << "PB" << true << true;
        QTest::newRow("pause, boss on, off") << "PBB" << true << false;
        QTest::newRow("pause, boss on, off, pause") << "PBBP" << false << false;
        QTest::newRow("pause, boss on, pause, boss off") << "PBPB" << false << false;
        QTest::newRow("boss on, pause") << "BP" << true << true;
        QTest::newRow("boss on, pause, boss off") << "BPB" << true << false;
        QTest::newRow("boss on, pause, boss off, pause") << "BPBP" << false << false;
        QTest::newRow("boss on, pause twice, boss off") << "BPPB" << false << false;
        QTest::newRow("pause, boss on, pause twice, boss off, pause") << "PBPPBP" << false << false;
    }
    void bossScreenAndPause()
    {
        QFETCH(QString, steps);
        QFETCH(bool, paused);
        QFETCH(bool, boss);
        RunMatch(*w, 700, 400);
        for (const QChar step : steps) {
            if (step == QLatin1Char('B'))
                actionOf(w, "bossScreenAction")->trigger();
            else
                sendKey('p');
        }
        QCOMPARE(w->PauseOn(), paused);
        QCOMPARE(!partOf<QFrame>(w, "bossScreen")->isHidden(), boss);
        const bool running = !paused && !boss;
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), running ? 700 : 0);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), running ? 400 : 0);
        QCOMPARE(gravityTimerOf(w, 1)->isArmed(), running);
        QCOMPARE(gravityTimerOf(w, 2)->isArmed(), running);
        QCOMPARE(w->windowTitle(), boss ? QStringLiteral("Plnění plánu v letošním roce")
                                        : QStringLiteral("Parblok 2000"));
        // Whatever is still on, ending it brings the speed back.
        if (boss)
            actionOf(w, "bossScreenAction")->trigger();
        if (w->PauseOn())
            sendKey('p');
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 700);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 400);
    }

    void suspensionKeepsTheIntervals()
    {
        RunMatch(*w, 600, 300);
        w->SuspendGravity();
        QCOMPARE(w->Match().Gravity().interval(1), 600);
        QCOMPARE(w->Match().Gravity().interval(2), 300);
        w->ResumeGravity();
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 600);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 300);
        // Nested suspensions: gravity comes back with the last resume, at the kept speed.
        w->SuspendGravity();
        w->SuspendGravity();
        w->ResumeGravity();
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 0);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 0);
        w->ResumeGravity();
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 600);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 300);
    }

    // --- hints ------------------------------------------------------------------------------

    void hintOfControlUnderMouse_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("toolbar button") << "newTwoPlayerGameToolAction" << "Zobrazí dialog pro výběr nové hry 2 hráčů";
        QTest::newRow("disabled toolbar button") << "endGameToolAction" << "Ukončí aktuální hru";
        QTest::newRow("manual button") << "manualToolAction" << "Elektronický manuál";
        QTest::newRow("label without a hint") << "player2ScoreLabel" << "Stiskněte klávesu F1 pro nápovědu";
        QTest::newRow("status bar") << "gameKindLabel" << "Stiskněte klávesu F1 pro nápovědu";
    }
    void hintOfControlUnderMouse()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        QWidget *widget = w->findChild<QWidget *>(control);
        if (auto *action = w->findChild<QAction *>(control))
            widget = w->findChild<QToolBar *>()->widgetForAction(action);
        QVERIFY(widget != nullptr);
        QEnterEvent enter(QPointF(2, 2), widget->mapTo(w, QPointF(2, 2)),
                          widget->mapToGlobal(QPointF(2, 2)));
        QCoreApplication::sendEvent(widget, &enter);
        QCOMPARE(hintPanel(), QStringLiteral("      ") + hint);
        QVERIFY(partOf<TNStatusBar>(w, "statusLine")->currentMessage().isEmpty());
    }

    // Menu items show their own hint; an item without one leaves only the six spaces.
    void menuHints_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("hint");
        QTest::newRow("newOnePlayerGameAction") << "newOnePlayerGameAction" << "";
        QTest::newRow("newTwoPlayerGameAction") << "newTwoPlayerGameAction" << "";
        QTest::newRow("endGameAction") << "endGameAction" << "";
        QTest::newRow("quitAction") << "quitAction" << "";
        QTest::newRow("endGamePopupAction") << "endGamePopupAction" << "";
        QTest::newRow("resultsTableAction") << "resultsTableAction" << "Zobrazí tabulku nejhorších hráčů";
        QTest::newRow("resultsTableToolAction") << "resultsTableToolAction" << "Zobrazí tabulku nejlhorších hráčů";
        QTest::newRow("clearing") << "clearResultsTableAction" << "Vynuluje tabulku nejhorších hráčů";
        QTest::newRow("help") << "helpTopicsAction" << "Zobrazí nápovědu";
        QTest::newRow("about") << "aboutAction" << "Zobrazí dialog s informacemi o programu";
        QTest::newRow("keys 1") << "onePlayerKeysAction" << "Zobrazí ovládání hry pro 1 hráče";
        QTest::newRow("newOnePlayerGameToolAction") << "newOnePlayerGameToolAction" << "Zobrazí dialog pro výběr nové hry 1 hráče";
    }
    void menuHints()
    {
        QFETCH(QString, item);
        QFETCH(QString, hint);
        auto *action = w->findChild<QAction *>(item);
        QVERIFY(action != nullptr);
        actionOf(w, "manualAction")->showStatusText(w->menuBar());
        action->showStatusText(w->menuBar());
        QCOMPARE(hintPanel(), QStringLiteral("      ") + hint);
    }

    // While the menu bar or one of its menus has the keyboard, letters choose menu items and
    // move no piece.
    void menuKeysMoveNoPiece_data()
    {
        QTest::addColumn<QString>("opening"); // "alt": Alt pressed and released; else Alt+letter
        QTest::newRow("Alt") << "alt";
        QTest::newRow("Alt+S") << "s";
        QTest::newRow("Alt+N") << "n";
    }
    void menuKeysMoveNoPiece()
    {
        QFETCH(QString, opening);
        w->Match().PlayerCount = 1;
        wellOf(w, 1)->NewGame();
        wellOf(w, 1)->Well().PlacePiece(turningPiece(), PieceColumn, PieceRow);
        const PieceState before = stateOf(wellOf(w, 1)->Well());
        if (opening == QLatin1String("alt")) {
            QTest::keyPress(w->windowHandle(), Qt::Key_Alt, Qt::AltModifier);
            QTest::keyRelease(w->windowHandle(), Qt::Key_Alt, Qt::NoModifier);
            QTRY_VERIFY(w->menuBar()->hasFocus());
        } else {
            QTest::keyClick(w->windowHandle(), opening.at(0).toLatin1(), Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        }
        sendKeys(QStringLiteral("jlik "));
        QCOMPARE(stateOf(wellOf(w, 1)->Well()), before);
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    // Once the menus are left, by Esc or by a click into the window, a plain letter is a game key
    // again, also one that is the underlined letter of a menu ("s" of "Soubor"). (Menus opened by
    // a click are played on a real display: the offscreen platform does not hand the keyboard
    // back from a closed menu as a window system does.)
    void menuLeftGivesKeysBack_data()
    {
        QTest::addColumn<bool>("altAlone"); // Alt pressed and released; else Alt+S opens "Soubor"
        QTest::addColumn<bool>("byClick");  // left by a click into the wells; else by Esc
        QTest::newRow("Alt+S, Esc Esc") << false << false;
        QTest::newRow("Alt, Esc") << true << false;
        QTest::newRow("Alt, click") << true << true;
    }
    void menuLeftGivesKeysBack()
    {
        QFETCH(bool, altAlone);
        QFETCH(bool, byClick);
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (altAlone) {
            QTest::keyPress(w->windowHandle(), Qt::Key_Alt, Qt::AltModifier);
            QTest::keyRelease(w->windowHandle(), Qt::Key_Alt, Qt::NoModifier);
        } else {
            QTest::keyClick(w->windowHandle(), 's', Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
            // Esc closes the menu and leaves the bar with its title highlighted.
            QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
            QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        }
        QTRY_VERIFY(w->menuBar()->hasFocus());
        if (byClick)
            QTest::mouseClick(wellOf(w, 1), Qt::LeftButton, {}, QPoint(20, 20));
        else
            QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!w->menuBar()->hasFocus());

        w->Match().PlayerCount = 2;
        wellOf(w, 1)->Well().PlacePiece(turningPiece(), PieceColumn, PieceRow);
        sendKey('s');
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QCOMPARE(wellOf(w, 1)->PieceRow(), PieceRow + 1);
    }

    void hintOfMenuItem()
    {
        actionOf(w, "manualAction")->showStatusText(w->menuBar());
        QCOMPARE(hintPanel(), QStringLiteral("      Spustí elektronický manuál programu Parblok 2000"));
        actionOf(w, "bossScreenAction")->showStatusText(w->menuBar());
        QCOMPARE(hintPanel(), QStringLiteral("      Pojistka proti neodbytnému šéfovi"));
        QVERIFY(partOf<TNStatusBar>(w, "statusLine")->currentMessage().isEmpty());
    }

    // An open menu with an item highlighted keeps that item's hint while the mouse enters the
    // menu or leaves a control below it (a menu opening under the mouse); with no item
    // highlighted the mouse decides.
    void hintOfOpenMenu_data()
    {
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<bool>("leaveControl"); // else: enter the menu
        QTest::addColumn<QString>("hint");
        const QString item = QStringLiteral("      Zobrazí tabulku nejhorších hráčů");
        QTest::newRow("item highlighted, menu entered") << true << false << item;
        QTest::newRow("item highlighted, control left") << true << true << item;
        QTest::newRow("nothing highlighted, menu entered") << false << false << "      ";
        QTest::newRow("nothing highlighted, control left") << false << true
                                                          << "      Stiskněte klávesu F1 pro nápovědu";
    }
    void hintOfOpenMenu()
    {
        QFETCH(bool, highlighted);
        QFETCH(bool, leaveControl);
        QFETCH(QString, hint);
        auto *menu = w->findChild<QMenu *>(QStringLiteral("toolsMenu"));
        QVERIFY(menu != nullptr);
        menu->popup(w->mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(menu->isVisible());
        if (highlighted)
            menu->setActiveAction(actionOf(w, "resultsTableAction"));
        if (leaveControl) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(labelOf(w, "player2ScoreLabel"), &leave);
        } else {
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), menu->mapToGlobal(QPointF(2, 2)));
            QCoreApplication::sendEvent(menu, &enter);
        }
        QCOMPARE(hintPanel(), hint);
        menu->close();
    }

    void hintOfOtherWindow()
    {
        QWidget other;
        auto *button = new QWidget(&other);
        button->setToolTip(QStringLiteral("Uzavře dialogové okno"));
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(button, &enter);
        QCOMPARE(hintPanel(), QStringLiteral("      Uzavře dialogové okno"));
        // Leaving the control returns to its window, which has no hint.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
        QCOMPARE(hintPanel(), QStringLiteral("      "));
        // A window closing under the mouse takes its hint with it.
        QCoreApplication::sendEvent(button, &enter);
        other.setGeometry(QRect(0, 0, 20, 20));
        QCursor::setPos(10, 10);
        other.show();
        other.hide();
        QCOMPARE(hintPanel(), QStringLiteral("      "));
    }

    void realMouseMoveShowsHint()
    {
        auto *bar = w->findChild<QToolBar *>();
        QWidget *button = bar->widgetForAction(actionOf(w, "resultsTableToolAction"));
        QTest::mouseMove(w->windowHandle(), QPoint(300, 300));
        QTest::mouseMove(w->windowHandle(), button->mapTo(w, button->rect().center()));
        QTRY_COMPARE(hintPanel(), QStringLiteral("      Zobrazí tabulku nejlhorších hráčů"));
    }
};

PARBLOK_TEST_MAIN(TestHlavni)
#include "tst_hlavni.moc"
