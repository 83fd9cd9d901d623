#pragma once

#include <QChar>
#include <QString>

#include <vector>

// Held keys of a two-player match repeat on their own. The desktop repeats only the key pressed
// last: when one player holds a key and the other then presses one, the first key's repeats
// stop although it is still held. The game then repeats that key itself, with the desktop's delay
// and interval, until it is released; a key the desktop still repeats is left to the desktop, so
// a single held key behaves as the desktop makes it, and a key is never repeated twice over.
// Keys are given by their caps (the unshifted letter in capitals, " " for the space bar); times
// are milliseconds of one steady clock.
class HeldKeys
{
public:
    // The desktop's repeat: the first repeat `delay` after the press, then one every `interval`;
    // when the desktop repeats no key (`on` false), the game repeats none either.
    void setTiming(int delay, int interval, bool on = true);
    int delay() const { return m_delay; }
    int interval() const { return m_interval; }

    // The match's player count; the game repeats keys only for two players. A change forgets the
    // held keys.
    void setPlayerCount(int playerCount);

    // A key press: returns whether the key acts now. A real press always acts (and the desktop's
    // repeat goes over to it); the desktop's own repeat of a key that the game repeats does not.
    bool press(QChar cap, bool autoRepeat, qint64 now);
    // A key release; the desktop's repeats come as releases and presses and change nothing.
    void release(QChar cap, bool autoRepeat);
    // Forgets every held key (the window lost the keyboard).
    void clear();

    // When the next repeat by the game is due, or -1 when the game repeats no key.
    qint64 nextRepeat() const;
    // The keys whose repeat is due at `now`, each once, oldest press first; their next repeats are
    // scheduled an interval on (from `now` when the repeat comes late).
    QString takeDue(qint64 now);

private:
    struct Held
    {
        QChar cap;
        qint64 pressedAt;
        qint64 nextRepeat; // -1 while the desktop repeats the key
    };

    bool repeatsOnItsOwn(QChar cap) const;
    Held *find(QChar cap);

    int m_delay = 660;
    int m_interval = 40;
    bool m_on = true;
    int m_playerCount = 0;
    std::vector<Held> m_held;
};
