// A level as one plain text file: a line naming the format, the level's name, the map grid
// as the map files have it, then the cast in cells.
//
//   vantrel level 1
//   name My first level
//   width 10
//   height 10
//   tilesize 50
//   9 9 9 9 9 9 9 9 9 9
//   ... (ten rows of ten cell codes, the top row first)
//   player 1,8
//   monster bulb 3,2 route 7,2 7,5 pause 2
//   monster tire 5,7 facing 270
//
// A point is a cell, column,row counted from 0 at the top left; "~dx,dy" after it shifts it
// that many units east and north of the cell's centre. A monster is its kind, its start and
// any of: route (the waypoints after the start), pause (seconds at each waypoint), facing
// (degrees, east 0, north 90). Lines starting with '#' are notes. A map file without the
// first line is read as a level with no cast.
//
// Pure data: no GL, no game objects, so the game, the tools, the tests and the fuzzer share it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "KEMath.h"
#include "TileMapFile.h"

constexpr const char* kLevelFormatLine = "vantrel level 1";
// A 128 by 128 map with 300 monsters on long routes is well under this.
constexpr long kLevelFileMaxBytes = 1 << 20;
constexpr std::size_t kLevelLineMaxChars = 16384;

// The kinds in the order the game numbers them (MonsterKind).
constexpr const char* kMonsterKindNames[] = {"fire-rat", "water-rat", "tire", "bulb", "fireball"};
constexpr int kMonsterKindCount = 5;
constexpr int kFireRatKind = 0, kWaterRatKind = 1, kFireballKind = 4;

struct LevelPoint {
  int column = 0, row = 0;  // row 0 at the top
  float dx = 0, dy = 0;     // units east and north of the cell's centre
};

struct LevelMonster {
  int kind = 0;
  LevelPoint start;
  std::vector<LevelPoint> route;  // after the start; the walk closes through it
  std::optional<double> pause;    // seconds at every waypoint
  std::optional<double> facing;   // degrees; without one the monster faces east
};

struct Level {
  std::string name;
  TileMapGrid grid;
  std::optional<LevelPoint> player;
  std::vector<LevelMonster> monsters;
};

// Field by field, as an editor tells a changed level from the one it saved.
bool operator==(const LevelPoint& a, const LevelPoint& b);
bool operator==(const LevelMonster& a, const LevelMonster& b);
bool operator==(const Level& a, const Level& b);

// Reads a level from `text`. False, with one line in `problems`, when there is no level to
// play (not a level or map, a damaged header, over the bounds). A damaged cell or a cast line
// that cannot be read costs that cell or line alone, with one line in `problems` each.
bool ReadLevel(const std::string& text, const std::string& fileName, Level* out,
               std::vector<std::string>* problems);
// The same from a regular file of at most kLevelFileMaxBytes, without ever blocking.
bool ReadLevelFile(const std::string& path, Level* out, std::vector<std::string>* problems);
// The text ReadLevel reads back as the same level.
std::string WriteLevel(const Level& level);
// Replaces `path` whole, under the same lock as the player's other files. False with
// `problem` set, leaving the old file.
bool SaveLevelFile(const std::string& path, const Level& level, std::string* problem);

// The level in world units, as the game places it: origin at the map's centre, y up.
struct CastMember {
  int kind;  // MonsterKind
  KEVec2 start;
  std::optional<float> rotation;  // radians; without one the monster faces +x
  std::vector<KEVec2> route;      // points after the start; the walk closes through it
  std::optional<double> pause;    // seconds at every waypoint
};

struct LevelCast {
  std::string mapFile;
  KEVec2 playerStart;
  std::vector<CastMember> monsters;
  bool initializeWhenPlaced = false;  // also Initialize each monster as soon as it is placed
  TileMapGrid grid;
  uint32_t checksum = 0;  // of the level's text, for telling whether a run was made on it
  // The name its runs are kept under; empty for the map file's name without ".txt".
  std::string runName;
};

KEVec2 WorldPoint(const TileMapGrid& grid, LevelPoint point);
LevelCast CastOf(const Level& level, const std::string& mapFile);

struct PatrolLeg {
  KEVec2 from, to;
};

// The legs a patrol walks, in order, once round. A monster on a waypoint walks on to the
// point after the first waypoint equal to it, so a route that passes its start again never
// walks on past that point.
std::vector<PatrolLeg> PatrolLegs(const CastMember& member);
