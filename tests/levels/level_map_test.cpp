// Every level's map against its cast, through the game's own map queries and path search.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include "LevelCast.h"
#include "LevelOverview.h"
#include "LevelRoster.h"
#include "Monster.h"
#include "TileMap.h"

namespace {

constexpr unsigned kLava = 4, kExit = 5, kWater = 6, kWall = 9;

bool ReadGrid(const char* mapFile, TileMapGrid* grid) {
  std::ifstream file(mapFile);
  return file && ReadTileMap(file, mapFile, grid);
}

bool Free(const TileMap& map, KEVec2 p) { return map.CellAt(p) >= 0 && !map.Blocks(p); }

bool OnCentre(const TileMap& map, KEVec2 p) {
  const float size = float(map.tileSize);
  return std::fmod(p.x + map.halfWidth - size / 2, size) == 0 &&
         std::fmod(p.y + map.halfHeight - size / 2, size) == 0;
}

bool SameCell(const TileMap& map, KEVec2 a, KEVec2 b) {
  const float size = float(map.tileSize);
  return std::floor((a.x + map.halfWidth) / size) == std::floor((b.x + map.halfWidth) / size) &&
         std::floor((a.y + map.halfHeight) / size) == std::floor((b.y + map.halfHeight) / size);
}

std::string At(KEVec2 p) {
  return "(" + std::to_string(int(p.x)) + ", " + std::to_string(int(p.y)) + ")";
}

// The first exit cell the player can walk to, straight or only through lava.
bool ReachesAnExit(TileMap& map, KEVec2 from) {
  for (unsigned row = 0; row < map.height; ++row) {
    for (unsigned column = 0; column < map.width; ++column) {
      if (map.cells[row][column] != kExit) continue;
      const KEVec2 exit = {float(map.tileSize) * (column + 0.5f) - map.halfWidth,
                           float(map.tileSize) * (row + 0.5f) - map.halfHeight};
      if (SameCell(map, from, exit) || !map.FindPath(from, exit).empty()) return true;
    }
  }
  return false;
}

// A failed read ends this map's check only. Its size and centred starts show in its cast's cells.
void CheckMap(int level) {
  const LevelCast& cast = *LevelCastOf(level);
  SCOPED_TRACE(cast.mapFile);
  TileMapGrid grid;
  ASSERT_TRUE(ReadGrid(cast.mapFile, &grid));
  TileMap map;
  ASSERT_TRUE(map.LoadGrid(grid));
  for (unsigned row = 0; row < map.height; ++row)
    for (unsigned column = 0; column < map.width; ++column)
      if (!map.blocking[row][column] &&
          (row == 0 || column == 0 || row + 1 == map.height || column + 1 == map.width))
        ADD_FAILURE() << "a gap in the border at " << column << "," << row;
  EXPECT_TRUE(Free(map, cast.playerStart)) << "player start " << At(cast.playerStart);

  for (size_t m = 0; m < cast.monsters.size(); ++m) {
    const CastMember& member = cast.monsters[m];
    SCOPED_TRACE("monster " + std::to_string(m + 1));
    EXPECT_TRUE(Free(map, member.start)) << "start " << At(member.start);
    std::vector<KEVec2> walked = {member.start};
    for (const PatrolLeg& leg : PatrolLegs(member)) {
      const std::list<KEVec2> path = map.FindPath(leg.from, leg.to);
      const bool reached = Free(map, leg.to) && (!path.empty() || SameCell(map, leg.from, leg.to));
      // A patrol ends on a waypoint off its cell centre ("~") when the next one is out of
      // reach: the monster stands there for good.
      if (!reached && !OnCentre(map, leg.from)) break;
      EXPECT_TRUE(Free(map, leg.to)) << "waypoint " << At(leg.to) << " in a wall";
      EXPECT_TRUE(reached) << "no path from " << At(leg.from) << " to " << At(leg.to);
      walked.insert(walked.end(), path.begin(), path.end());
    }
    if (member.kind != WaterRat) continue;
    for (KEVec2 p : walked)
      EXPECT_EQ(map.CellAt(p), int(kWater)) << "a water rat dries out at " << At(p);
  }

  EXPECT_TRUE(ReachesAnExit(map, cast.playerStart)) << "no way to an exit";
  // Lava in the only way needs a fire look to borrow.
  TileMapGrid noLava = grid;
  for (unsigned& code : noLava.cells) code = code == kLava ? kWall : code;
  TileMap dry;
  ASSERT_TRUE(dry.LoadGrid(noLava));
  if (!ReachesAnExit(dry, cast.playerStart)) {
    bool fireLook = false;
    for (const CastMember& member : cast.monsters)
      fireLook = fireLook || member.kind == FireRat || member.kind == Fireball;
    EXPECT_TRUE(fireLook) << "the way out crosses lava and no monster lends a fire look";
  }
}

TEST(LevelMapTest, EveryMapFitsItsCast) {
  for (int level = 1; level <= kLevelCount; ++level) CheckMap(level);
}

// The overview's arrow to each exit of every level hides no cell one can walk on, however
// little of it, stays clear of the bands of words above and below the map, and points
// straight at its exit.
TEST(LevelMapTest, TheOverviewsArrowHidesNoWay) {
  for (int level = 1; level <= kLevelCount; ++level) {
    const LevelCast& cast = *LevelCastOf(level);
    SCOPED_TRACE(cast.mapFile);
    TileMapGrid grid;
    ASSERT_TRUE(ReadGrid(cast.mapFile, &grid));
    TileMap map;
    ASSERT_TRUE(map.LoadGrid(grid));
    const float size = float(map.tileSize);
    for (KEVec2 exit : map.ExitCentres()) {
      SCOPED_TRACE("exit " + At(exit));
      const OverviewArrowPlace arrow = PlaceOverviewArrow(map, exit);
      for (unsigned row = 0; row < map.height; ++row) {
        for (unsigned column = 0; column < map.width; ++column) {
          if (map.blocking[row][column]) continue;
          const float x = size * (column + 0.5f) - map.halfWidth;
          const float y = size * (row + 0.5f) - map.halfHeight;
          const float apart = std::max(std::fabs(x - arrow.at.x), std::fabs(y - arrow.at.y));
          EXPECT_GE(apart, arrow.half + size / 2) << "hides " << At({x, y});
        }
      }
      EXPECT_LE(std::fabs(arrow.at.y) + arrow.half, map.halfHeight) << "over a band";
      const float dx = exit.x - arrow.at.x, dy = exit.y - arrow.at.y;
      EXPECT_GT(dx * std::cos(arrow.angle) + dy * std::sin(arrow.angle), 0) << "points away";
      EXPECT_LT(std::fabs(dy * std::cos(arrow.angle) - dx * std::sin(arrow.angle)), size / 2)
          << "points past";
    }
  }
}

}  // namespace
