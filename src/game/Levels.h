#pragma once

#include <array>

// The level table of the standard and the advanced kind. Level N (1..9) is entered when the
// player's own removed rows reach the threshold of row N while the player's own level is N - 1;
// the kinds differ only in the gravity interval of each level. Training stays at level 0.
struct LevelStep
{
    int rows;             // removed rows needed
    int standardInterval; // gravity, ms
    int advancedInterval;
};

inline constexpr std::array<LevelStep, 9> LevelTable{{
    {8, 900, 800},
    {20, 800, 650},
    {33, 700, 500},
    {44, 600, 350},
    {55, 500, 200},
    {66, 400, 150},
    {80, 300, 150},
    {100, 200, 150},
    {120, 100, 150},
}};

inline constexpr int LastLevel = int(LevelTable.size());

// Every match starts at level 0 with this gravity interval.
inline constexpr int StartInterval = 1000;

// An advanced level change lays the start layout of its number in both wells up to this level;
// later levels are played in empty wells.
inline constexpr int LastLayoutLevel = 5;

// The start layout an advanced level change to `level` lays (0: an empty well).
constexpr int AdvancedLayout(int level)
{
    return level <= LastLayoutLevel ? level : 0;
}
