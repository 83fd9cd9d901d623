#pragma once

#include "GameKind.h"
#include "Gravity.h"

#include <QChar>
#include <QString>

class TWell;
class Timer;

// What a player's statistics panel shows: the figures of the latest landing, the rows removed in
// the match, the level and the score. The result of a player's game is copied from these.
struct TFigures
{
    int pieces = 0;
    int lastRows = 0;
    int totalRows = 0;
    int level = 0;
    int score = 0;
    bool operator==(const TFigures &) const = default;
};

// The figures a result dialog receives when a player's game ends.
struct TMatchResult
{
    int player = 0;
    GameKind kind = GameKind::None;
    int pieces = 0;
    int rows = 0;
    int score = 0;
    bool operator==(const TMatchResult &) const = default;
};

// Everything the rules show or sound; the main window implements it.
class TMatchDisplay
{
public:
    virtual ~TMatchDisplay() = default;
    virtual void ShowFigures(int player, const TFigures &figures) = 0;
    virtual void PlaySound(const QString &name) = 0;
    // A player's game is over: the result dialog is filled and opened.
    virtual void ShowResult(const TMatchResult &result) = 0;
};

// The rules of a match: the counters of both players, the game kind, the gravity ticks with the
// bookkeeping of each landing, the levels, the end of each player's game, the keys that move the
// pieces, and the suspension of gravity.
class TMatch
{
public:
    // `gravityTimer1` and `gravityTimer2` tick the gravity of player 1's and player 2's well.
    TMatch(TWell &well1, TWell &well2, Timer &gravityTimer1, Timer &gravityTimer2,
           TMatchDisplay &display);

    // The counters of the match.
    int Score1 = 0;
    int Score2 = 0;
    int Level1 = 0;
    int Level2 = 0;
    int Rows1 = 0;
    int Rows2 = 0;
    // 0 until a selection dialog is first opened, then 1 or 2 for good. The keys follow it.
    int PlayerCount = 0;

    GameKind Kind() const { return m_kind; }
    TGravity &Gravity() { return m_gravity; }
    const TGravity &Gravity() const { return m_gravity; }

    // A new match of `players` (1 or 2) from level 0 at the start interval. The figures shown
    // are left as they are (the selection dialog has reset them).
    void StartMatch(int players, GameKind kind);
    // Ends the running match by command: both wells emptied, gravity stopped, kind none, every
    // counter and figure 0.
    void EndMatch();
    // Player `player`'s panel shows 0 everywhere; the counters stay.
    void ResetFigures(int player);

    // A gravity tick of player `player`'s well.
    void Tick(int player);
    // A typed character that moves a piece (the pause key is the window's).
    void KeyPress(QChar key);

    // A level change of the advanced kind: both timers get `interval` and both wells the start
    // layout of `level`; the timers that ran go on, the others stay stopped.
    void SetAdvancedLevel(int interval, int level);

    // What follows a result dialog: the player whose game ended gets its figures reset and the
    // other player's gravity back. Tells whose wells go out of play.
    struct WellsOut
    {
        bool well1 = false;
        bool well2 = false;
    };
    WellsOut ResultDialogClosed();

    // Holds both players' gravity, or lets it go again. Suspensions nest: gravity comes back when
    // the last one ends. A resume without a suspension changes nothing.
    void SuspendGravity() { m_gravity.suspend(); }
    void ResumeGravity() { m_gravity.resume(); }
    int GravitySuspensions() const { return m_gravity.suspensions(); }

private:
    // One player's side: well and counters.
    struct Player
    {
        int number;
        int other;
        TWell &well;
        int &score;
        int &level;
        int &rows;
        int &otherLevel;
        TFigures &shown;
    };
    Player player(int number);

    void StepPlayer(int number);
    void BookLanding(const Player &p);
    void CheckLevel(const Player &p);
    void EndPlayersGame(const Player &p);
    // The one-row-down key: gravity's step while gravity runs; while it is suspended the piece
    // only moves down where it has room, and lands when gravity comes back.
    void StepDownKey(int number);
    void ShowLevels();

    TWell &m_well1;
    TWell &m_well2;
    TGravity m_gravity;
    TMatchDisplay &m_display;
    GameKind m_kind = GameKind::None;
    TFigures m_shown[2];
};
