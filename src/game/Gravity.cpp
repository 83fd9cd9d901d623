#include "Gravity.h"

#include "Timer.h"

TGravity::TGravity(Timer &timer1, Timer &timer2) : m_side1{timer1}, m_side2{timer2}
{
    carryOut();
}

TGravity::State TGravity::state(int player) const
{
    const Side &s = side(player);
    if (!s.inGame)
        return State::Finished;
    return suspended(s) ? State::Suspended : State::Running;
}

void TGravity::startMatch(int players, int interval)
{
    m_suspensions = 0;
    m_finishedWithResult = 0;
    m_side1.inGame = true;
    m_side1.interval = interval;
    m_side2.inGame = players == 2;
    m_side2.interval = players == 2 ? interval : 0;
    carryOut();
}

void TGravity::endMatch()
{
    m_side1.inGame = false;
    m_side2.inGame = false;
    carryOut();
}

void TGravity::setInterval(int player, int interval)
{
    Side &s = side(player);
    s.interval = interval;
    carryOut(s);
}

void TGravity::restartPeriod(int player)
{
    Side &s = side(player);
    if (!s.inGame)
        return;
    s.timer.setEnabled(false);
    s.timer.setEnabled(true);
}

void TGravity::finish(int player)
{
    side(player).inGame = false;
    m_finishedWithResult = player;
    carryOut();
}

int TGravity::resultShown()
{
    const int finished = m_finishedWithResult;
    m_finishedWithResult = 0;
    if (finished != 0)
        carryOut();
    return finished;
}

void TGravity::suspend()
{
    ++m_suspensions;
    carryOut();
}

void TGravity::resume()
{
    if (m_suspensions == 0)
        return;
    --m_suspensions;
    carryOut();
}

void TGravity::carryOut(Side &s)
{
    s.timer.setInterval(suspended(s) ? 0 : s.interval);
    s.timer.setEnabled(s.inGame);
}

void TGravity::carryOut()
{
    carryOut(m_side1);
    carryOut(m_side2);
}
