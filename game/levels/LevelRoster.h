// One place that turns a level number into its level: 1 to 6 the story levels, 7 and 8
// the trials.
#pragma once

#include <string>

#include "GameState.h"

struct LevelCast;

constexpr int kLevelCount = 8;
// The level number of one played from a file (vantrel --level): no level of the roster.
constexpr int kLevelFromFile = kLevelCount + 1;

// The level played from a file (vantrel --level, one of the player's own levels, the
// editor's try): kLevelFromFile plays it until another is set. Set it only while no level
// made from it runs.
void SetFileLevel(const LevelCast& cast, const std::string& name);
// The name the file level goes by (its level's name, else its file's).
const std::string& FileLevelName();

// A new level state for `number` (1 to 8, or kLevelFromFile once one is set), or null when
// no level has that number.
GameState* CreateLevel(int number);
// The cast (and through it the map file) of level `number`, or null.
const LevelCast* LevelCastOf(int number);
// What the player calls level `number`, as its button in the level select says ("Level 3",
// "Trial 1"); empty when no level has that number.
const char* LevelName(int number);
