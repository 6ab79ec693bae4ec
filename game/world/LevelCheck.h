// The one judge of whether a level can be played: the loader, the level tests and the editor
// all ask it, so a level that passes here plays.
#pragma once

#include <string>
#include <vector>

#include "LevelFile.h"

constexpr unsigned kLevelMinSide = 10, kLevelMaxSide = 128;
constexpr std::size_t kLevelMaxMonsters = 300;
constexpr std::size_t kLevelMaxWaypoints = 100;  // per monster

struct LevelProblem {
  int column = -1, row = -1;  // the cell, counted as in the level file; -1 for the level as a whole
  std::string what;
  // "column 3, row 5: the player's start is in a wall"
  std::string Line() const;
};

// Every problem, each naming its cell: the map's size and closed border; the player's start
// and every monster's start and waypoints on free cells of the map; a path for every patrol
// leg (a patrol may end on a waypoint off its cell's centre when the next is out of reach:
// the monster stands there for good); water under every step of a water rat; a way from the
// start to an exit, and a fire look to borrow when that way crosses lava; the bounds on
// monsters and waypoints. Past the bounds on size and numbers the rest is not looked at.
std::vector<LevelProblem> CheckLevel(const Level& level);
