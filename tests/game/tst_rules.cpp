#include "Match.h"
#include "Timer.h"
#include "Well.h"

#include <QTest>

// The rules of a match on scripted wells and bare timers: no window, no display.

namespace {

// A well whose next step is told by the test: 0 the piece moves, 1 it lands (removing
// `nextRows` rows), 2 no room for the next piece.
class ScriptedWell : public TWell
{
public:
    int nextStep = 0;
    int nextRows = 0;
    int freeRows = 18;
    int pieces = 0;
    int lastRows = 0;
    int dropRows = 0;
    QList<int> layouts; // every start layout laid, in order
    int newGames = 0;

    int StepDown() override
    {
        const int step = nextStep;
        if (step == 1) {
            ++pieces;
            lastRows = nextRows;
        }
        nextStep = 0;
        nextRows = 0;
        return step;
    }
    bool CanStepDown() const override { return nextStep == 0; }
    int Drop() override { return dropRows; }
    void Rotate() override {}
    void MoveLeft() override {}
    void MoveRight() override {}
    int FreeRowCount() const override { return freeRows; }
    int NumberOfPieces() const override { return pieces; }
    int LastDeletedLine() const override { return lastRows; }
    void setScreenNumber(int number) override { layouts << number; }
    void NewGame() override
    {
        ++newGames;
        pieces = lastRows = 0;
    }
};

class RecordingDisplay : public TMatchDisplay
{
public:
    TFigures shown[2];
    QStringList sounds;
    QList<TMatchResult> results;

    void ShowFigures(int player, const TFigures &figures) override { shown[player - 1] = figures; }
    void PlaySound(const QString &name) override { sounds << name; }
    void ShowResult(const TMatchResult &result) override { results << result; }
};

// The level table as the game is played: rows needed, and the interval of each kind.
struct Row
{
    int rows;
    int standard;
    int advanced;
};
constexpr Row Levels[9] = {{8, 900, 800},   {20, 800, 650},  {33, 700, 500},
                           {44, 600, 350},  {55, 500, 200},  {66, 400, 150},
                           {80, 300, 150},  {100, 200, 150}, {120, 100, 150}};

} // namespace

Q_DECLARE_METATYPE(GameKind)

class TestRules : public QObject
{
    Q_OBJECT

    ScriptedWell m_well1;
    ScriptedWell m_well2;
    Timer m_timer1, m_timer3; // gravity of player 1 and player 2
    RecordingDisplay m_display;
    std::unique_ptr<TMatch> m;

    ScriptedWell &well(int player) { return player == 1 ? m_well1 : m_well2; }

    // A tick of `player` whose piece lands and removes `rows` rows.
    void land(int player, int rows)
    {
        well(player).nextStep = 1;
        well(player).nextRows = rows;
        m->Tick(player);
    }

private slots:
    void init()
    {
        m_well1 = ScriptedWell();
        m_well2 = ScriptedWell();
        m_display = RecordingDisplay();
        m = std::make_unique<TMatch>(m_well1, m_well2, m_timer1, m_timer3, m_display);
    }

    // Every row of the table for both kinds, one and two players: the landing that brings the
    // rows to the threshold enters the level (not one row earlier), earns its row points at the
    // level before, sets the interval, and in the advanced kind lays the level's start layout.
    void levelTable_data()
    {
        QTest::addColumn<GameKind>("kind");
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("layout"); // -1: none laid
        for (const GameKind kind : {GameKind::Standard, GameKind::Advanced})
            for (int players : {1, 2})
                for (int level = 1; level <= 9; ++level) {
                    const Row &row = Levels[level - 1];
                    const bool advanced = kind == GameKind::Advanced;
                    QTest::addRow("%s, %d players, level %d", advanced ? "advanced" : "standard",
                                  players, level)
                        << kind << players << level << row.rows
                        << (advanced ? row.advanced : row.standard)
                        << (advanced ? (level <= 5 ? level : 0) : -1);
                }
    }
    void levelTable()
    {
        QFETCH(GameKind, kind);
        QFETCH(int, players);
        QFETCH(int, level);
        QFETCH(int, threshold);
        QFETCH(int, interval);
        QFETCH(int, layout);
        m->StartMatch(players, kind);
        const int before = players == 2 ? level - 1 : 7; // player 2's level, alone: untouched
        m->Level1 = level - 1;
        m->Level2 = before;
        m->Rows1 = threshold - 2;
        m_well2.layouts.clear();

        land(1, 1);
        QCOMPARE(m->Level1, level - 1);
        QCOMPARE(m_timer1.Interval(), 1000);
        m->Score1 = 0;
        land(1, 1);
        QCOMPARE(m->Level1, level);
        QCOMPARE(m->Score1, 18 + 4 * level);
        QCOMPARE(m_timer1.Interval(), interval);
        QVERIFY(m_timer1.Enabled());
        QCOMPARE(m->Level2, players == 2 ? level : before);
        QCOMPARE(m_timer3.Interval(), players == 2 ? interval : (layout >= 0 ? interval : 0));
        QCOMPARE(m_timer3.Enabled(), players == 2);
        QCOMPARE(m_display.shown[0].level, level);
        QCOMPARE(m_display.shown[1].level, m->Level2);
        QCOMPARE(m_display.sounds, QStringList{QStringLiteral("Level.wav")});
        QCOMPARE(m_well2.layouts, layout >= 0 ? QList<int>{layout} : QList<int>{});

        // The next row counts at the new level; the next level is not entered before its rows.
        m->Score1 = 0;
        land(1, 1);
        QCOMPARE(m->Score1, 18 + 4 * (level + 1));
        QCOMPARE(m->Level1, level);
    }

    // Training has no levels: any number of rows leaves level 0 and the start interval.
    void trainingStays()
    {
        m->StartMatch(1, GameKind::Training);
        for (int landing = 0; landing < 40; ++landing)
            land(1, 4);
        QCOMPARE(m->Rows1, 160);
        QCOMPARE(m->Level1, 0);
        QCOMPARE(m_timer1.Interval(), 1000);
        QCOMPARE(m->Score1, 40 * (18 + 16));
        QVERIFY(m_display.sounds.isEmpty());
    }

    // Rows past two thresholds at once: one level per landing.
    void oneLevelPerLanding()
    {
        m->StartMatch(1, GameKind::Standard);
        m->Rows1 = 7;
        land(1, 14);
        QCOMPARE(m->Level1, 1);
        land(1, 0);
        QCOMPARE(m->Level1, 2);
        QCOMPARE(m_timer1.Interval(), 800);
    }

    // Two players, standard: whoever reaches a threshold first raises both; once the other's
    // game is over a player climbs alone.
    void sharedLevel()
    {
        m->StartMatch(2, GameKind::Standard);
        land(2, 4);
        land(2, 4);
        QCOMPARE(m->Level1, 1);
        QCOMPARE(m_timer1.Interval(), 900);
        land(1, 4);
        land(1, 4);
        QCOMPARE(m->Level2, 1);
        QCOMPARE(m_display.sounds.size(), 1);
        well(1).nextStep = 2; // player 1's game over
        m->Tick(1);
        m->ResultDialogClosed();
        m->Rows2 = 19;
        land(2, 1);
        QCOMPARE(m->Level2, 2);
        QCOMPARE(m->Level1, 1);
        QCOMPARE(m_timer1.Interval(), 900);
        QCOMPARE(m_timer3.Interval(), 800);
    }

    // The score shown after each tick: a drop's points wait for the next tick, which shows them
    // with the points of its own landing.
    void scoreShownEachTick()
    {
        m->StartMatch(1, GameKind::Standard);
        m->PlayerCount = 1;
        const struct
        {
            char key; // typed before the tick
            int dropRows;
            int step;
            int rows;
            int shown;
        } ticks[] = {
            {0, 0, 0, 0, 0},
            {' ', 12, 0, 0, 12},
            {0, 0, 1, 1, 12 + 18 + 4},
            {'j', 0, 0, 0, 34},
            {' ', 3, 1, 2, 34 + 3 + 18 + 8},
            {0, 0, 2, 0, 63},
        };
        int previous = 0;
        for (const auto &tick : ticks) {
            m_well1.dropRows = tick.dropRows;
            if (tick.key != 0)
                m->KeyPress(QLatin1Char(tick.key));
            QCOMPARE(m_display.shown[0].score, previous);
            m_well1.nextStep = tick.step;
            m_well1.nextRows = tick.rows;
            m->Tick(1);
            QCOMPARE(m_display.shown[0].score, tick.shown);
            previous = tick.shown;
        }
    }

    // The figures a result receives: kind, pieces, rows and the score with the last drop; the
    // other player waits until the result is closed, then the finished well goes out.
    void resultFigures_data()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("ending");
        QTest::newRow("one player") << 1 << 1;
        QTest::newRow("player 1 of two") << 2 << 1;
        QTest::newRow("player 2 of two") << 2 << 2;
    }
    void resultFigures()
    {
        QFETCH(int, players);
        QFETCH(int, ending);
        m->StartMatch(players, GameKind::Advanced);
        m->PlayerCount = players;
        land(ending, 3);
        land(ending, 0);
        well(ending).dropRows = 5;
        m->KeyPress(QLatin1Char(players == 1 ? ' ' : ending == 1 ? 'f' : 'h'));
        well(ending).nextStep = 2;
        m->Tick(ending);
        QCOMPARE(m_display.results.size(), 1);
        const TMatchResult expected{ending, GameKind::Advanced, 2, 3, (18 + 12) + 18 + 5};
        QCOMPARE(m_display.results.first(), expected);
        QCOMPARE(m_display.shown[ending - 1].score, expected.score);
        QCOMPARE(m_display.sounds.last(), QStringLiteral("Info.wav"));
        Timer &own = ending == 1 ? m_timer1 : m_timer3;
        Timer &others = ending == 1 ? m_timer3 : m_timer1;
        QVERIFY(!own.Enabled());
        QCOMPARE(others.Interval(), 0);

        const TMatch::WellsOut out = m->ResultDialogClosed();
        QCOMPARE(out.well1, ending == 1);
        QCOMPARE(out.well2, ending == 2);
        QCOMPARE(m_display.shown[ending - 1], TFigures());
        QCOMPARE(others.Interval(), players == 2 ? 1000 : 0);
        QCOMPARE(others.Enabled(), players == 2);
    }

    // Suspensions nest: only the outermost keeps the intervals, the last resume gives them back.
    void nestedSuspension()
    {
        m->StartMatch(2, GameKind::Standard);
        m->Gravity().setInterval(2, 700);
        m->SuspendGravity();
        m->SuspendGravity();
        QCOMPARE(m->GravitySuspensions(), 2);
        m->ResumeGravity();
        QCOMPARE(m_timer1.Interval() + m_timer3.Interval(), 0);
        m->ResumeGravity();
        QCOMPARE(m_timer1.Interval(), 1000);
        QCOMPARE(m_timer3.Interval(), 700);
        QCOMPARE(m->GravitySuspensions(), 0);
    }

    // A resume without a suspension changes nothing: a finished player stays stopped, the other
    // plays on at its own speed, and the next suspension still holds gravity.
    void resumeWithoutSuspension()
    {
        m->StartMatch(2, GameKind::Standard);
        well(1).nextStep = 2; // player 1's game is over
        m->Tick(1);
        m->ResultDialogClosed();
        m->Gravity().setInterval(2, 300);
        m->ResumeGravity();
        QVERIFY(!m_timer1.isArmed());
        QCOMPARE(m_timer3.Interval(), 300);
        QCOMPARE(m->GravitySuspensions(), 0);
        m->SuspendGravity();
        QCOMPARE(m->Gravity().state(2), TGravity::State::Suspended);
        QVERIFY(!m_timer3.isArmed());
    }

    // Each player's gravity through a match: a finished player's result holds the other player
    // until it has been shown, and a suspension holds both.
    void gravityStates()
    {
        using S = TGravity::State;
        const auto states = [this] {
            return QList<S>{m->Gravity().state(1), m->Gravity().state(2)};
        };
        QCOMPARE(states(), (QList<S>{S::Finished, S::Finished}));
        m->StartMatch(2, GameKind::Standard);
        QCOMPARE(states(), (QList<S>{S::Running, S::Running}));
        well(2).nextStep = 2;
        m->Tick(2);
        QCOMPARE(states(), (QList<S>{S::Suspended, S::Finished}));
        QVERIFY(!m_timer1.isArmed() && !m_timer3.isArmed());
        m->SuspendGravity();
        QCOMPARE(m->ResultDialogClosed().well2, true);
        QCOMPARE(states(), (QList<S>{S::Suspended, S::Finished}));
        m->ResumeGravity();
        QCOMPARE(states(), (QList<S>{S::Running, S::Finished}));
        QCOMPARE(m_timer1.Interval(), 1000);
        QVERIFY(m_timer1.isArmed());
        m->EndMatch();
        QCOMPARE(states(), (QList<S>{S::Finished, S::Finished}));
    }

    // Ending by command: wells emptied, gravity stopped, counters and figures 0.
    void endByCommand()
    {
        m->StartMatch(2, GameKind::Standard);
        land(1, 4);
        m->EndMatch();
        QCOMPARE(m->Kind(), GameKind::None);
        QVERIFY(!m_timer1.Enabled() && !m_timer3.Enabled());
        QCOMPARE(m->Score1 + m->Rows1, 0);
        QCOMPARE(m_display.shown[0], TFigures());
        QCOMPARE(m_well2.layouts.last(), 0);
        land(1, 4); // a tick with no kind does nothing
        QCOMPARE(m->Score1, 0);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
