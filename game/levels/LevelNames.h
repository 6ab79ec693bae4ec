// What the player calls each level, 1 to 8: kept apart from the levels themselves so that
// the art generator draws the same names the game means.
#pragma once

constexpr const char* kLevelNames[] = {"Level 1", "Level 2", "Level 3", "Level 4",
                                       "Level 5", "Level 6", "Trial 1", "Trial 2"};
constexpr int kLevelNameCount = sizeof kLevelNames / sizeof kLevelNames[0];
