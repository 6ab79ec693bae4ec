// The overview's legend: a row for each thing its map marks, the mark drawn by the game
// beside the words the art generator draws. Shared with the generator.
#pragma once

// The monsters' kinds in their order (as MonsterKind), then the player and the exit.
constexpr const char* kLegendWords[] = {"FIRE RAT", "WATER RAT", "TIRE", "BULB",
                                        "FIREBALL", "YOU",       "EXIT"};
constexpr int kLegendRows = int(sizeof kLegendWords / sizeof kLegendWords[0]);
constexpr const char kLegendPicture[] = "Assets/OverviewLegend.png";
// The words' picture: one row of this height each, the words from its left edge.
constexpr int kLegendWordsWidth = 104, kLegendRowHeight = 26;
