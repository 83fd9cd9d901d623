#include "Match.h"

#include "KeyMap.h"
#include "Levels.h"
#include "Well.h"

TMatch::TMatch(TWell &well1, TWell &well2, Timer &gravityTimer1, Timer &gravityTimer2,
               TMatchDisplay &display)
    : m_well1(well1), m_well2(well2), m_gravity(gravityTimer1, gravityTimer2), m_display(display)
{
}

TMatch::Player TMatch::player(int number)
{
    if (number == 1)
        return {1, 2, m_well1, Score1, Level1, Rows1, Level2, m_shown[0]};
    return {2, 1, m_well2, Score2, Level2, Rows2, Level1, m_shown[1]};
}

// --- Matches ------------------------------------------------------------------------------------

void TMatch::StartMatch(int players, GameKind kind)
{
    if (players == 1) {
        m_well1.setScreenNumber(0);
        Score1 = Level1 = Rows1 = 0;
        m_well1.NewGame();
    } else {
        m_well1.setScreenNumber(0);
        m_well2.setScreenNumber(0);
        Score1 = Score2 = Level1 = Level2 = Rows1 = Rows2 = 0;
        m_well1.NewGame();
        m_well2.NewGame();
    }

    // A suspension still open (a pause the start cleared) is over.
    m_gravity.startMatch(players, StartInterval);
    m_kind = kind;
}

void TMatch::EndMatch()
{
    m_well1.setScreenNumber(0);
    m_well2.setScreenNumber(0);
    m_gravity.endMatch();
    m_kind = GameKind::None;
    ResetFigures(1);
    ResetFigures(2);
    Level1 = Level2 = Score1 = Score2 = Rows1 = Rows2 = 0;
}

void TMatch::ResetFigures(int player)
{
    m_shown[player - 1] = TFigures();
    m_display.ShowFigures(player, m_shown[player - 1]);
}

TMatch::WellsOut TMatch::ResultDialogClosed()
{
    const int finished = m_gravity.resultShown();
    if (finished != 0)
        ResetFigures(finished);
    return {finished == 1, finished == 2};
}

// --- Gravity ------------------------------------------------------------------------------------

void TMatch::Tick(int player)
{
    if (m_kind != GameKind::None)
        StepPlayer(player);
}

void TMatch::StepPlayer(int number)
{
    const Player p = player(number);
    const int result = p.well.StepDown();
    if (result == 1) {
        BookLanding(p);
        if (m_kind != GameKind::Training)
            CheckLevel(p);
    } else if (result == 2) {
        EndPlayersGame(p);
    }
    // The score is shown at every tick, with the points of drops made since the last one.
    p.shown.score = p.score;
    m_display.ShowFigures(number, p.shown);
}

void TMatch::BookLanding(const Player &p)
{
    const int removed = p.well.LastDeletedLine();
    p.score += p.well.FreeRowCount();
    p.shown.pieces = p.well.NumberOfPieces();
    p.shown.lastRows = removed;
    p.score += removed * 4 * (p.level + 1);
    p.rows += removed;
    p.shown.totalRows = p.rows;
}

void TMatch::CheckLevel(const Player &p)
{
    // Only the row after the player's own level can hold: one level at most per landing.
    if (p.level >= LastLevel || p.rows < LevelTable[p.level].rows)
        return;
    const int level = p.level + 1;
    const LevelStep &step = LevelTable[p.level];
    if (m_kind == GameKind::Advanced) {
        SetAdvancedLevel(step.advancedInterval, level);
        Level1 = level;
        if (p.number == 2 || m_gravity.inGame(2))
            Level2 = level;
        ShowLevels();
        return;
    }
    // Standard: the level is shared with the other player while that one still plays.
    m_gravity.setInterval(p.number, step.standardInterval);
    p.level = level;
    if (m_gravity.inGame(p.other)) {
        p.otherLevel = level;
        m_gravity.setInterval(p.other, step.standardInterval);
    }
    m_display.PlaySound(QStringLiteral("Level.wav"));
    ShowLevels();
    m_gravity.restartPeriod(p.number);
}

void TMatch::ShowLevels()
{
    m_shown[0].level = Level1;
    m_shown[1].level = Level2;
    m_display.ShowFigures(1, m_shown[0]);
    m_display.ShowFigures(2, m_shown[1]);
}

void TMatch::SetAdvancedLevel(int interval, int level)
{
    m_gravity.setInterval(1, interval);
    m_gravity.setInterval(2, interval);
    m_display.PlaySound(QStringLiteral("Level.wav"));
    m_well1.setScreenNumber(AdvancedLayout(level));
    m_well2.setScreenNumber(AdvancedLayout(level));
    // Both players in the game start a full interval at the new speed.
    m_gravity.restartPeriod(1);
    m_gravity.restartPeriod(2);
}

void TMatch::EndPlayersGame(const Player &p)
{
    // The other player waits while the result is open.
    m_gravity.finish(p.number);
    m_display.PlaySound(QStringLiteral("Info.wav"));
    // Points of drops made since the last tick count in the result as well.
    p.shown.score = p.score;
    m_display.ShowResult({p.number, m_kind, p.shown.pieces, p.shown.totalRows, p.shown.score});
}

// --- Keys ---------------------------------------------------------------------------------------

void TMatch::KeyPress(QChar key)
{
    using KeyLayout::Column;
    const auto act = [this, key](Column column, int number) {
        KeyLayout::Action action;
        if (!KeyLayout::actionOfKey(column, key, &action))
            return;
        const Player p = player(number);
        switch (action) {
        case KeyLayout::Action::Turn: p.well.Rotate(); break;
        case KeyLayout::Action::Left: p.well.MoveLeft(); break;
        case KeyLayout::Action::Right: p.well.MoveRight(); break;
        case KeyLayout::Action::Down: StepDownKey(number); break;
        case KeyLayout::Action::Drop: p.score += p.well.Drop(); break;
        case KeyLayout::Action::Pause: break;
        }
    };
    // In a two-player match the right-hand player's keys are served first.
    if (PlayerCount == 1) {
        act(Column::OnePlayer, 1);
    } else if (PlayerCount == 2) {
        act(Column::PlayerTwo, 2);
        act(Column::PlayerOne, 1);
    }
}

void TMatch::StepDownKey(int number)
{
    const Player p = player(number);
    // A player whose game is over, or no match at all: the key only steps the well.
    if (!m_gravity.inGame(number) || m_kind == GameKind::None) {
        p.well.StepDown();
        return;
    }
    if (m_gravity.suspensions() == 0) {
        StepPlayer(number);
        return;
    }
    if (p.well.CanStepDown())
        p.well.StepDown();
}
