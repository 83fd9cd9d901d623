#include "Random.h"

#include "Clock.h"

namespace {
quint32 seed = 0;
} // namespace

quint32 RandSeed()
{
    return seed;
}

void setRandSeed(quint32 value)
{
    seed = value;
}

void Randomize()
{
    const QTime time = nowUtc().time();
    seed = quint32(((time.hour() * 60 + time.minute()) * 60 + time.second()) * 1000 + time.msec());
}

int Random(int n)
{
    seed = seed * 0x08088405u + 1u;
    if (n <= 0)
        return 0;
    return int((quint64(seed) * quint64(n)) >> 32);
}
