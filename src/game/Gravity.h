#pragma once

class Timer;

// The gravity of both players' wells. Each player's gravity is in one of three states:
// - running: the player's piece falls one row each interval of the player's level;
// - suspended: something holds the match for a while (a window over the game, the pause, the boss
//   screen, or the other player's result being shown);
// - finished: the player is out of the game (the game is over, the player is not in the match, or
//   no match has started).
// Suspensions nest: gravity runs again when the last one ends. The two timers only carry the
// state out: a timer is enabled while its player is in the game, and its interval is the player's
// while gravity runs and 0 (stopped) while it is suspended.
class TGravity
{
public:
    enum class State { Running, Suspended, Finished };

    // Both players start finished; `timer1` and `timer2` tick player 1's and player 2's gravity.
    TGravity(Timer &timer1, Timer &timer2);

    State state(int player) const;
    bool inGame(int player) const { return side(player).inGame; }
    // The interval of the player's level, whatever the state.
    int interval(int player) const { return side(player).interval; }
    int suspensions() const { return m_suspensions; }

    // A new match: player 1 plays at `interval`, player 2 too when there are two players (alone,
    // player 2 sits out with no interval). Every suspension of the previous match is over.
    void startMatch(int players, int interval);
    // The match ended by command: both players are out.
    void endMatch();

    void setInterval(int player, int interval);
    // Starts a full interval afresh for a player in the game (after a level's sound, say).
    void restartPeriod(int player);

    // The player's game is over; the other player waits until the result has been shown.
    void finish(int player);
    // The result of the finished player has been shown: the waiting player goes on. Returns the
    // finished player (0 when no result was waiting).
    int resultShown();

    void suspend();
    // Ends one suspension; without one it changes nothing.
    void resume();

private:
    struct Side
    {
        Timer &timer;
        bool inGame = false;
        int interval = 0;
    };
    Side &side(int player) { return player == 1 ? m_side1 : m_side2; }
    const Side &side(int player) const { return player == 1 ? m_side1 : m_side2; }
    // A player waits while the other player's result is shown.
    bool waitsForResult(const Side &s) const
    {
        return m_finishedWithResult != 0 && &s != &side(m_finishedWithResult);
    }
    bool suspended(const Side &s) const { return m_suspensions > 0 || waitsForResult(s); }
    void carryOut(Side &s);
    void carryOut();

    Side m_side1;
    Side m_side2;
    int m_suspensions = 0;
    int m_finishedWithResult = 0;
};
