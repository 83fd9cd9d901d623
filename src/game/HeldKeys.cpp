#include "HeldKeys.h"

#include "KeyMap.h"

#include <algorithm>

void HeldKeys::setTiming(int delay, int interval, bool on)
{
    m_delay = std::max(delay, 0);
    m_interval = std::max(interval, 1);
    m_on = on;
    if (!on)
        clear();
}

void HeldKeys::setPlayerCount(int playerCount)
{
    if (playerCount != m_playerCount)
        clear();
    m_playerCount = playerCount;
}

bool HeldKeys::repeatsOnItsOwn(QChar cap) const
{
    using KeyLayout::Action;
    using KeyLayout::Column;
    if (m_playerCount != 2 || !m_on)
        return false;
    Action action;
    for (const Column column : {Column::PlayerOne, Column::PlayerTwo}) {
        if (KeyLayout::actionOfKey(column, cap, &action) && action != Action::Pause)
            return true;
    }
    return false;
}

HeldKeys::Held *HeldKeys::find(QChar cap)
{
    const auto held = std::find_if(m_held.begin(), m_held.end(),
                                   [cap](const Held &key) { return key.cap == cap; });
    return held == m_held.end() ? nullptr : &*held;
}

bool HeldKeys::press(QChar cap, bool autoRepeat, qint64 now)
{
    if (autoRepeat) {
        const Held *held = find(cap);
        return held == nullptr || held->nextRepeat < 0;
    }
    // The desktop now repeats the pressed key only: the game takes over every other held key,
    // keeping the delay of a key pressed a moment ago.
    for (Held &held : m_held) {
        if (held.cap != cap && held.nextRepeat < 0)
            held.nextRepeat = std::max(held.pressedAt + m_delay, now + m_interval);
    }
    if (Held *held = find(cap))
        *held = {cap, now, -1};
    else if (repeatsOnItsOwn(cap))
        m_held.push_back({cap, now, -1});
    return true;
}

void HeldKeys::release(QChar cap, bool autoRepeat)
{
    if (autoRepeat)
        return;
    std::erase_if(m_held, [cap](const Held &key) { return key.cap == cap; });
}

void HeldKeys::clear()
{
    m_held.clear();
}

qint64 HeldKeys::nextRepeat() const
{
    qint64 next = -1;
    for (const Held &held : m_held) {
        if (held.nextRepeat >= 0 && (next < 0 || held.nextRepeat < next))
            next = held.nextRepeat;
    }
    return next;
}

QString HeldKeys::takeDue(qint64 now)
{
    QString due;
    for (Held &held : m_held) {
        if (held.nextRepeat < 0 || held.nextRepeat > now)
            continue;
        due += held.cap;
        held.nextRepeat += m_interval;
        if (held.nextRepeat <= now)
            held.nextRepeat = now + m_interval;
    }
    return due;
}
