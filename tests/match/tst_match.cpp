#include "Clock.h"
#include "Data.h"
#include "DotazKonec.h"
#include "GradText.h"
#include "Hlavni.h"
#include "MainWindowDriver.h"
#include "Hra1.h"
#include "Hra2.h"
#include "OContrls.h"
#include "Pomocnik.h"
#include "ProgramFolderFixture.h"
#include "WellWidget.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "Timer.h"
#include "SoundPlayer.h"
#include "Vysledek.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QWindow>
#include <memory>

// Whole matches played the way a user plays them: commands, clicks and keys in the dialogs, keys
// in the main window, and gravity ticks.
class TestMatch : public QObject
{
    Q_OBJECT

    ProgramFolderFixture m_folder{ProgramFolderFixture::Data::ResultsTable};
    std::unique_ptr<TDataModule1> m_data;
    std::unique_ptr<MessageCatcher> m_messages;
    THlavniDialog *w = nullptr;
    TPomocnikDialog *m_assistant = nullptr;
    THra2Dialog *m_hra2 = nullptr;
    THra1Dialog *m_hra1 = nullptr;
    TVysledekDialog *m_result = nullptr;
    TDotazKonecDialog *m_question = nullptr;

    QString data(const QString &name) const { return m_folder.data(name); }

    TWellWidget *board(int player) const { return player == 1 ? wellOf(w, 1) : wellOf(w, 2); }
    Timer *timer(int player) const { return player == 1 ? gravityTimerOf(w, 1) : gravityTimerOf(w, 2); }
    QLabel *scoreLabel(int player) const { return player == 1 ? labelOf(w, "player1ScoreLabel") : labelOf(w, "player2ScoreLabel"); }
    QLabel *levelLabel(int player) const { return player == 1 ? labelOf(w, "player1LevelLabel") : labelOf(w, "player2LevelLabel"); }

    void key(QWidget *window, int key, char text = 0)
    {
        if (text != 0)
            QTest::keyClick(window->windowHandle(), text);
        else
            QTest::keyClick(window->windowHandle(), Qt::Key(key));
    }
    void keys(const QString &typed)
    {
        for (const QChar c : typed)
            QTest::keyClick(w->windowHandle(), c.toLatin1());
    }
    void tick(int player) { player == 1 ? w->Match().Tick(1) : w->Match().Tick(2); }
    void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5)); }

    // Opens the selection dialog of `players` and clicks choice 1..3.
    void start(int players, int choice)
    {
        (players == 1 ? actionOf(w, "newOnePlayerGameAction") : actionOf(w, "newTwoPlayerGameAction"))->trigger();
        TVyberHryDialog *dialog = players == 1 ? static_cast<TVyberHryDialog *>(m_hra1) : m_hra2;
        QVERIFY(dialog->isVisible());
        QVERIFY(!w->isEnabled());
        TOfficeLabel *labels[] = {dialog->trainingGameLink, dialog->standardGameLink, dialog->advancedGameLink};
        click(labels[choice - 1]);
        QVERIFY(!dialog->isVisible());
        QVERIFY(w->isEnabled());
    }

    // An emptied well with `rows` full rows at the bottom but for column 9, and a bar falling
    // above the gap: its landing removes exactly `rows` rows.
    void prepareRows(int player, int rows)
    {
        TWellModel &well = board(player)->Well();
        for (int c = 0; c < TWellModel::Columns; ++c)
            for (int r = 0; r < TWellModel::Rows; ++r)
                well.setCell(c, r, r >= TWellModel::Rows - rows && c != 9 ? clRed : well.BackGroundColor());
        well.PlacePiece(4, 8, 0); // the bar stands in column 1 of its matrix
    }

    // Ticks `player` until the falling piece lands.
    void land(int player)
    {
        const int pieces = board(player)->NumberOfPieces();
        for (int i = 0; i < 30 && board(player)->NumberOfPieces() == pieces; ++i)
            tick(player);
        QCOMPARE(board(player)->NumberOfPieces(), pieces + 1);
    }

    void removeRows(int player, int rows)
    {
        prepareRows(player, rows);
        land(player);
    }

    void removeRowsInLandings(int player, const QList<int> &landings)
    {
        for (int rows : landings)
            removeRows(player, rows);
    }

    // A well stacked up to row 2 (never a full row) with a square above it: its landing leaves
    // the next piece no room.
    void prepareFullWell(int player)
    {
        TWellModel &well = board(player)->Well();
        for (int c = 0; c < TWellModel::Columns; ++c)
            for (int r = 0; r < TWellModel::Rows; ++r)
                well.setCell(c, r, r >= 2 && c != 0 ? clRed : well.BackGroundColor());
        well.PlacePiece(1, 4, -2);
    }

    void endGame(int player)
    {
        prepareFullWell(player);
        land(player);
        QVERIFY(m_result->isVisible());
    }

    // The stored rows of kind `code` as "name|points".
    QStringList stored(const QString &code)
    {
        m_data->ShowKind(code);
        QStringList rows;
        for (int r = 0; r < m_data->resultsSource->rowCount(); ++r)
            rows << m_data->resultsSource->index(r, 0).data().toString() + u'|'
                        + m_data->resultsSource->index(r, 1).data().toString();
        return rows;
    }

    void typeName(const QString &name)
    {
        m_result->nameEdit->clear();
        for (const QChar c : name)
            QTest::keyClick(m_result->windowHandle(), c.toLatin1());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        setNowForTesting(QDateTime(QDate(2024, 2, 29), QTime(10, 30), Qt::UTC));
        m_data = std::make_unique<TDataModule1>();
    }

    void init()
    {
        QVERIFY(m_folder.writeResultsTable());
        m_messages = std::make_unique<MessageCatcher>();
        w = m_folder.make<THlavniDialog>();
        m_assistant = m_folder.make<TPomocnikDialog>();
        m_hra2 = m_folder.make<THra2Dialog>();
        m_hra1 = m_folder.make<THra1Dialog>();
        m_result = m_folder.make<TVysledekDialog>();
        m_question = m_folder.make<TDotazKonecDialog>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup()
    {
        m_folder.destroyWindows();
        m_data->resultsTable->Close();
        m_messages.reset();
    }

    void cleanupTestCase()
    {
        m_data.reset();
        clearNowForTesting();
    }

    // --- the dialogs -------------------------------------------------------------------------

    void balloons_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("one player") << "Hra1Dialog";
        QTest::newRow("two players") << "Hra2Dialog";
        QTest::newRow("result") << "VysledekDialog";
        QTest::newRow("question") << "DotazKonecDialog";
    }
    void balloons()
    {
        QFETCH(QString, dialog);
        QWidget *window = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == dialog)
                window = top;
        QVERIFY(window != nullptr);
        QCOMPARE(window->parentWidget(), nullptr);
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(255, 255, 224));
        // The outline is cut: the corners are outside, the middle inside.
        QVERIFY(!window->mask().contains(QPoint(0, 0)));
        QVERIFY(window->mask().contains(window->rect().center()));
    }

    void selection_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("kind");
        for (int players : {1, 2}) {
            const QByteArray count = QByteArray::number(players);
            QTest::newRow(count + " training") << players << 1 << "Trénink";
            QTest::newRow(count + " standard") << players << 2 << "Standardní";
            QTest::newRow(count + " advanced") << players << 3 << "Pokročilá";
        }
    }
    void selection()
    {
        QFETCH(int, players);
        QFETCH(int, choice);
        QFETCH(QString, kind);
        keys(QStringLiteral("p")); // a pause left from before is cleared by the start
        start(players, choice);
        QCOMPARE(labelOf(w, "gameKindLabel")->text(), kind);
        QCOMPARE(w->Match().PlayerCount, players);
        QVERIFY(!w->PauseOn());
        QVERIFY(coverOf(w, 1)->isHidden());
        QCOMPARE(coverOf(w, 2)->isHidden(), players == 2);
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 1000);
        QVERIFY(gravityTimerOf(w, 1)->Enabled());
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), players == 2 ? 1000 : 0);
        QCOMPARE(gravityTimerOf(w, 2)->Enabled(), players == 2);
        QVERIFY(actionOf(w, "endGameAction")->isEnabled() && actionOf(w, "endGameToolAction")->isEnabled() && !actionOf(w, "newOnePlayerGameAction")->isEnabled() && !actionOf(w, "newTwoPlayerGameToolAction")->isEnabled());
        QCOMPARE(w->Match().GravitySuspensions(), 0);
        // The pause works on the new match from scratch.
        keys(QStringLiteral("pp"));
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 1000);
    }

    void selectionLeftWithoutChoice_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<QString>("how");
        QTest::newRow("1 Esc") << 1 << "esc";
        QTest::newRow("1 Enter") << 1 << "enter";
        QTest::newRow("2 Zpět") << 2 << "back";
    }
    void selectionLeftWithoutChoice()
    {
        QFETCH(int, players);
        QFETCH(QString, how);
        labelOf(w, "player1ScoreLabel")->setText(QStringLiteral("12"));
        (players == 1 ? actionOf(w, "newOnePlayerGameAction") : actionOf(w, "newTwoPlayerGameAction"))->trigger();
        TVyberHryDialog *dialog = players == 1 ? static_cast<TVyberHryDialog *>(m_hra1) : m_hra2;
        QVERIFY(!w->isEnabled() && !m_assistant->isEnabled());
        if (how == QLatin1String("back"))
            click(dialog->backButton);
        else
            key(dialog, how == QLatin1String("esc") ? Qt::Key_Escape : Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QVERIFY(w->isEnabled() && m_assistant->isEnabled());
        // The keyboard is back in the game.
        QTRY_COMPARE(QApplication::activeWindow(), w);
        QCOMPARE(labelOf(w, "gameKindLabel")->text(), QStringLiteral("nevybráno"));
        QVERIFY(!coverOf(w, 1)->isHidden() && !coverOf(w, 2)->isHidden());
        QCOMPARE(labelOf(w, "player1ScoreLabel")->text(), QStringLiteral("0"));
        QCOMPARE(w->Match().PlayerCount, players);
    }

    void question_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("Ano") << "ano" << true;
        QTest::newRow("Enter") << "enter" << true;
        QTest::newRow("Ne") << "ne" << false;
        QTest::newRow("Esc") << "esc" << false;
    }
    void question()
    {
        QFETCH(QString, answer);
        QFETCH(bool, ends);
        // F3 does nothing while no match runs.
        QTest::keyClick(w->windowHandle(), Qt::Key_F3);
        QVERIFY(!m_question->isVisible());
        start(2, 2);
        removeRows(1, 2);
        QTest::keyClick(w->windowHandle(), Qt::Key_F3);
        QVERIFY(m_question->isVisible());
        QVERIFY(!w->isEnabled() && !m_assistant->isEnabled());
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 0);
        if (answer == QLatin1String("ano"))
            click(m_question->yesButton);
        else if (answer == QLatin1String("ne"))
            click(m_question->noButton);
        else
            key(m_question, answer == QLatin1String("esc") ? Qt::Key_Escape : Qt::Key_Return);
        QVERIFY(!m_question->isVisible());
        QVERIFY(w->isEnabled() && m_assistant->isEnabled());
        QTRY_COMPARE(QApplication::activeWindow(), w);
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 1000);
        QCOMPARE(gravityTimerOf(w, 1)->Enabled(), !ends);
        QCOMPARE(labelOf(w, "gameKindLabel")->text(), ends ? QStringLiteral("nevybráno") : QStringLiteral("Standardní"));
        QCOMPARE(labelOf(w, "player1TotalRowsLabel")->text(), ends ? QStringLiteral("0") : QStringLiteral("2"));
        QCOMPARE(coverOf(w, 1)->isHidden(), !ends);
        QCOMPARE(actionOf(w, "newOnePlayerGameAction")->isEnabled(), ends);
        QCOMPARE(w->Match().Rows1, ends ? 0 : 2);
        QVERIFY(!m_result->isVisible());
        QCOMPARE(stored(QStringLiteral("2")), QStringList());
    }

    // The question stops gravity and sounds "Dotaz.wav" while the main window and the assistant
    // are still usable; only then do they rest.
    void questionSoundsBeforeWindowsRest()
    {
        const QString sounds = m_folder.filePath(QStringLiteral("Zvuky"));
        QVERIFY(m_folder.addSound(QStringLiteral("Dotaz.wav")));
        const QString startDir = QDir::currentPath();
        QStringList heard;
        setSoundObserver([&](const QString &source) {
            heard << QStringLiteral("%1 gravity %2 main %3 assistant %4")
                         .arg(QFileInfo(source).fileName())
                         .arg(gravityTimerOf(w, 1)->Interval())
                         .arg(w->isEnabled())
                         .arg(m_assistant->isEnabled());
        });
        const auto restore = qScopeGuard([&] {
            setSoundObserver({});
            QDir::setCurrent(startDir);
            QDir(sounds).removeRecursively();
        });
        start(1, 2);
        actionOf(w, "endGameAction")->trigger();
        QCOMPARE(heard, QStringList{QStringLiteral("Dotaz.wav gravity 0 main 1 assistant 1")});
        QVERIFY(!w->isEnabled() && !m_assistant->isEnabled());
    }

    // --- whole matches -----------------------------------------------------------------------

    void wholeMatch_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("code");
        for (int players : {1, 2}) {
            const QByteArray count = QByteArray::number(players);
            QTest::newRow(count + " training") << players << 1 << "1";
            QTest::newRow(count + " standard") << players << 2 << "2";
            QTest::newRow(count + " advanced") << players << 3 << "3";
        }
    }
    void wholeMatch()
    {
        QFETCH(int, players);
        QFETCH(int, choice);
        QFETCH(QString, code);
        start(players, choice);
        QStringList expected;
        for (int p = players; p >= 1; --p) {
            removeRows(p, 2);
            // One row at level 0 after two: 4 points and 18 free rows; the drop's rows count too.
            prepareRows(p, 1);
            keys(p == 1 ? (players == 1 ? QStringLiteral(" ") : QStringLiteral("f")) : QStringLiteral("h"));
            land(p);
            const int points = board(p) == wellOf(w, 1) ? w->Match().Score1 : w->Match().Score2;
            QCOMPARE(scoreLabel(p)->text(), QString::number(points));
            endGame(p);
            QCOMPARE(m_result->headingLabel->text(), QStringLiteral("Hráč č. %1 ukončil hru").arg(p));
            QCOMPARE(m_result->gameKindLabel->text(), labelOf(w, "gameKindLabel")->text());
            QCOMPARE(m_result->rowsLabel->text(), QStringLiteral("3"));
            QCOMPARE(m_result->scoreLabel->text(), QString::number(points));
            QVERIFY(!w->isEnabled() && !m_assistant->isEnabled());
            const QString name = p == 1 ? QStringLiteral("Jan") : QStringLiteral("  ");
            typeName(name);
            key(m_result, Qt::Key_Return);
            QVERIFY(!m_result->isVisible());
            QVERIFY(w->isEnabled() && m_assistant->isEnabled());
            QTRY_COMPARE(QApplication::activeWindow(), w);
            // The table keeps names without their trailing blanks.
            expected << name.trimmed() + u'|' + QString::number(points);
        }
        QVERIFY(!coverOf(w, 1)->isHidden() && !coverOf(w, 2)->isHidden());
        QVERIFY(actionOf(w, "newOnePlayerGameAction")->isEnabled() && actionOf(w, "newOnePlayerGameToolAction")->isEnabled() && !actionOf(w, "endGameAction")->isEnabled() && !actionOf(w, "endGamePopupAction")->isEnabled());
        QCOMPARE(labelOf(w, "player1ScoreLabel")->text(), QStringLiteral("0"));
        QStringList rows = stored(code);
        rows.sort();
        expected.sort();
        QCOMPARE(rows, expected);
    }

    // Esc or an empty name store nothing; the name typed last is offered again.
    void resultWithoutStoring_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::newRow("Esc with a name") << "Eva" << int(Qt::Key_Escape);
        QTest::newRow("Enter, empty") << "" << int(Qt::Key_Return);
    }
    void resultWithoutStoring()
    {
        QFETCH(QString, name);
        QFETCH(int, key);
        start(2, 1);
        endGame(2);
        typeName(name);
        this->key(m_result, key);
        QVERIFY(!m_result->isVisible());
        endGame(1);
        QCOMPARE(m_result->nameEdit->text(), name);
        this->key(m_result, Qt::Key_Escape);
        QCOMPARE(stored(QStringLiteral("1")), QStringList());
    }

    // The name typed last is offered selected: what the next player types replaces it, and
    // Enter alone keeps it.
    void offeredNameSelected_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("second");
        QTest::newRow("typed over") << "Cd" << "Cd";
        QTest::newRow("kept") << "" << "Ab";
    }
    void offeredNameSelected()
    {
        QFETCH(QString, typed);
        QFETCH(QString, second);
        start(2, 1);
        endGame(2);
        typeName(QStringLiteral("Ab"));
        key(m_result, Qt::Key_Return);
        endGame(1);
        QCOMPARE(m_result->nameEdit->selectedText(), QStringLiteral("Ab"));
        for (const QChar c : typed)
            QTest::keyClick(m_result->windowHandle(), c.toLatin1());
        key(m_result, Qt::Key_Return);
        QStringList names;
        for (const QString &row : stored(QStringLiteral("1")))
            names << row.section(u'|', 0, 0);
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("Ab"), second}));
    }

    // A table that refuses the row keeps the dialog open with the message shown; Enter stores
    // once the table is back, Esc leaves without storing.
    void storeFailureKeepsDialog()
    {
        start(1, 2);
        endGame(1);
        m_data->resultsTable->Close();
        QVERIFY(QFile::rename(data(QStringLiteral("Parblok.dbf")), data(QStringLiteral("moved.dbf"))));
        typeName(QStringLiteral("Ota"));
        click(m_result->okButton);
        QCOMPARE(m_messages->texts().size(), 1);
        QVERIFY(m_result->isVisible());
        QVERIFY(!w->isEnabled());
        QVERIFY(QFile::rename(data(QStringLiteral("moved.dbf")), data(QStringLiteral("Parblok.dbf"))));
        key(m_result, Qt::Key_Return);
        QVERIFY(!m_result->isVisible());
        QCOMPARE(stored(QStringLiteral("2")), QStringList{QStringLiteral("Ota|0")});
    }

    // Player 1's full well holds player 2 until the dialog closes; player 2 then plays on alone
    // at its interval, and its figures stay.
    void gameOverSuspendsOther()
    {
        start(2, 2);
        removeRowsInLandings(2, {4, 4});
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 900);
        endGame(1);
        QVERIFY(!gravityTimerOf(w, 1)->Enabled());
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 0);
        QVERIFY(!w->isEnabled());
        key(m_result, Qt::Key_Escape);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 900);
        QVERIFY(gravityTimerOf(w, 2)->Enabled());
        QVERIFY(!coverOf(w, 1)->isHidden() && coverOf(w, 2)->isHidden());
        for (QLabel *label : {labelOf(w, "player1PiecesLabel"), labelOf(w, "player1LastRowsLabel"), labelOf(w, "player1TotalRowsLabel"), labelOf(w, "player1LevelLabel"), labelOf(w, "player1ScoreLabel")})
            QCOMPARE(label->text(), QStringLiteral("0"));
        QCOMPARE(labelOf(w, "player2TotalRowsLabel")->text(), QStringLiteral("8"));
        QVERIFY(actionOf(w, "endGameAction")->isEnabled() && !actionOf(w, "newOnePlayerGameAction")->isEnabled());
        // Alone, player 2 still climbs and scores at its own level.
        removeRowsInLandings(2, {4, 4, 4});
        QCOMPARE(w->Match().Level2, 2);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 800);
        QCOMPARE(labelOf(w, "player2LevelLabel")->text(), QStringLiteral("2"));
    }

    // --- levels and scoring ------------------------------------------------------------------

    void scoring_data()
    {
        QTest::addColumn<QList<int>>("before"); // landings that set the level
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("points"); // 4 x rows x (level + 1) plus the free rows left
        QTest::newRow("one row at level 0") << QList<int>{} << 0 << 1 << 4 + 18;
        QTest::newRow("four rows at level 3") << QList<int>{4, 4, 4, 4, 4, 4, 4, 4, 1} << 3 << 4 << 64 + 21;
    }
    void scoring()
    {
        QFETCH(QList<int>, before);
        QFETCH(int, level);
        QFETCH(int, rows);
        QFETCH(int, points);
        start(1, 2);
        removeRowsInLandings(1, before);
        QCOMPARE(w->Match().Level1, level);
        const int score = labelOf(w, "player1ScoreLabel")->text().toInt();
        removeRows(1, rows);
        QCOMPARE(labelOf(w, "player1ScoreLabel")->text().toInt() - score, points);
        QCOMPARE(labelOf(w, "player1LastRowsLabel")->text(), QString::number(rows));
    }

    // Whoever reaches a threshold first raises the level of both; the other gains nothing there.
    void sharedLevel()
    {
        start(2, 2);
        removeRowsInLandings(2, {4, 4});
        QCOMPARE(labelOf(w, "player1LevelLabel")->text(), QStringLiteral("1"));
        QCOMPARE(labelOf(w, "player2LevelLabel")->text(), QStringLiteral("1"));
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 900);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 900);
        removeRowsInLandings(1, {4, 4});
        QCOMPARE(w->Match().Level1, 1);
        QCOMPARE(w->Match().Level2, 1);
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 900);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 900);
        // A row then counts double for both.
        const int score = w->Match().Score1;
        removeRows(1, 1);
        QCOMPARE(w->Match().Score1 - score, 8 + 18);
    }

    // An advanced level change lays the level's start layout in both wells (none from level 6).
    void advancedLayouts()
    {
        start(2, 3);
        removeRowsInLandings(1, {4, 4});
        for (TWellWidget *well : {wellOf(w, 1), wellOf(w, 2)}) {
            QCOMPARE(well->ScreenNumber(), 1);
            // Layout 1: columns 0 and 9 filled from row 13 down, nothing else.
            for (int r = 0; r < TWellModel::Rows; ++r)
                for (int c = 0; c < TWellModel::Columns; ++c)
                    QCOMPARE(!well->Well().CellEmpty(c, r), r >= 13 && (c == 0 || c == 9));
        }
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 800);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 800);
        QVERIFY(gravityTimerOf(w, 1)->Enabled() && gravityTimerOf(w, 2)->Enabled());
        QCOMPARE(labelOf(w, "player2LevelLabel")->text(), QStringLiteral("1"));
        // Player 1 out: player 2's level changes leave player 1's timer stopped.
        endGame(1);
        key(m_result, Qt::Key_Escape);
        removeRowsInLandings(2, {4, 4, 4, 4, 4});
        QCOMPARE(w->Match().Level2, 2);
        QCOMPARE(wellOf(w, 2)->ScreenNumber(), 2);
        QVERIFY(!gravityTimerOf(w, 1)->Enabled());
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 650);
    }

    // --- keys --------------------------------------------------------------------------------

    // The one-row-down key lands a piece like gravity does, but not while gravity is suspended.
    void downKeyLanding()
    {
        start(1, 2);
        prepareRows(1, 1);
        for (int i = 0; i < 30 && wellOf(w, 1)->NumberOfPieces() == 0; ++i)
            keys(QStringLiteral("k"));
        QCOMPARE(labelOf(w, "player1TotalRowsLabel")->text(), QStringLiteral("1"));
        QCOMPARE(labelOf(w, "player1ScoreLabel")->text(), QStringLiteral("22"));

        prepareRows(1, 1);
        keys(QStringLiteral("p"));
        for (int i = 0; i < 30; ++i)
            keys(QStringLiteral("k"));
        QCOMPARE(wellOf(w, 1)->NumberOfPieces(), 1);
        keys(QStringLiteral("p"));
        keys(QStringLiteral("k"));
        QCOMPARE(wellOf(w, 1)->NumberOfPieces(), 2);
        QCOMPARE(labelOf(w, "player1TotalRowsLabel")->text(), QStringLiteral("2"));

        prepareFullWell(1);
        keys(QStringLiteral("kk"));
        QVERIFY(m_result->isVisible());
    }

    // The result counts the points of a drop made after the last tick.
    void resultCountsLastDrop()
    {
        start(1, 1);
        prepareFullWell(1);
        keys(QStringLiteral(" "));
        QCOMPARE(w->Match().Score1, 1);
        tick(1);
        QVERIFY(m_result->isVisible());
        QCOMPARE(m_result->scoreLabel->text(), QStringLiteral("1"));
    }

    // Pause, boss screen and the question, in several orders: gravity comes back at its speed.
    void suspensions_data()
    {
        QTest::addColumn<QString>("steps"); // P pause key, B boss screen, Q question then "Ne"
        QTest::newRow("pause") << "PP";
        QTest::newRow("question") << "Q";
        QTest::newRow("pause, question") << "PQP";
        QTest::newRow("boss, question") << "BQB";
        QTest::newRow("boss in pause") << "PBBP";
        QTest::newRow("pause in boss") << "BPPB";
        QTest::newRow("crossed") << "PBPB";
        QTest::newRow("crossed other way") << "BPBP";
        QTest::newRow("all") << "BPQBQP";
    }
    void suspensions()
    {
        QFETCH(QString, steps);
        start(2, 2);
        removeRowsInLandings(1, {4, 4});
        for (int i = 0; i < steps.size(); ++i) {
            if (steps[i] == u'P') {
                keys(QStringLiteral("p"));
            } else if (steps[i] == u'B') {
                actionOf(w, "bossScreenAction")->trigger();
            } else {
                actionOf(w, "endGameAction")->trigger();
                QVERIFY(m_question->isVisible());
                QCOMPARE(gravityTimerOf(w, 1)->Interval(), 0);
                click(m_question->noButton);
            }
            if (i + 1 < steps.size())
                QCOMPARE(gravityTimerOf(w, 1)->Interval() + gravityTimerOf(w, 2)->Interval(), 0);
        }
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 900);
        QCOMPARE(gravityTimerOf(w, 2)->Interval(), 900);
        QCOMPARE(w->Match().GravitySuspensions(), 0);
    }

    // A match chosen behind the boss screen waits for the game to come back.
    void startBehindBossScreen()
    {
        actionOf(w, "bossScreenAction")->trigger();
        start(1, 2);
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 0);
        actionOf(w, "bossScreenAction")->trigger();
        QCOMPARE(gravityTimerOf(w, 1)->Interval(), 1000);
    }
};

PARBLOK_TEST_MAIN(TestMatch)
#include "tst_match.moc"
