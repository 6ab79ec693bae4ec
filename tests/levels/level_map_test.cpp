// Every level's map against its cast, through the game's own map queries and path search.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "LevelCast.h"
#include "LevelCheck.h"
#include "LevelOverview.h"
#include "LevelRoster.h"
#include "Monster.h"
#include "TileMap.h"

namespace {

std::string At(KEVec2 p) {
  return "(" + std::to_string(int(p.x)) + ", " + std::to_string(int(p.y)) + ")";
}

// Every level file passes the validator, which the game and the editor share.
TEST(LevelMapTest, EveryMapFitsItsCast) {
  for (int number = 1; number <= kLevelCount; ++number) {
    const std::string file = LevelCastOf(number)->mapFile;
    SCOPED_TRACE(file);
    Level level;
    std::vector<std::string> problems;
    ASSERT_TRUE(ReadLevelFile(file, &level, &problems));
    for (const LevelProblem& problem : CheckLevel(level)) problems.push_back(problem.Line());
    for (const std::string& problem : problems) ADD_FAILURE() << problem;
  }
}

// The overview's arrow to each exit of every level hides no cell one can walk on, however
// little of it, stays clear of the bands of words above and below the map, and points
// straight at its exit.
TEST(LevelMapTest, TheOverviewsArrowHidesNoWay) {
  for (int level = 1; level <= kLevelCount; ++level) {
    const LevelCast& cast = *LevelCastOf(level);
    SCOPED_TRACE(cast.mapFile);
    TileMap map;
    ASSERT_TRUE(map.LoadGrid(cast.grid));
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
