#pragma once

#include <QtGlobal>

// The program-wide pseudo-random source shared by both wells: a 32-bit linear congruential
// generator. Every draw first advances the seed (seed * 0x08088405 + 1, modulo 2^32) and then
// scales it into the asked range, so a given seed always yields the same sequence of draws.

quint32 RandSeed();
void setRandSeed(quint32 seed);

// Re-seeds from the clock: the milliseconds elapsed since midnight (UTC) of nowUtc().
void Randomize();

// A draw in 0 .. n - 1: the high 32 bits of the 64-bit product of the advanced seed and n.
// A range of n <= 0 still advances the seed and gives 0.
int Random(int n);
