// One place that turns a level number into its level: 1 to 6 the story levels, 7 and 8
// the trials.
#pragma once

#include "GameState.h"

struct LevelCast;

constexpr int kLevelCount = 8;
// The level number of one played from a file (vantrel --level): no level of the roster.
constexpr int kLevelFromFile = kLevelCount + 1;

// A new level state for `number`, or null when no level has that number.
GameState* CreateLevel(int number);
// The cast (and through it the map file) of level `number`, or null.
const LevelCast* LevelCastOf(int number);
// What the player calls level `number`, as its button in the level select says ("Level 3",
// "Trial 1"); empty when no level has that number.
const char* LevelName(int number);
