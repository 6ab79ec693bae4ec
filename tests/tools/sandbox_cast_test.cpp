#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "SandboxLevel.h"
#include "TileMap.h"

namespace {

// A line that cannot be read is left out whole: it changes nothing it names.
TEST(SandboxCastTest, UnreadableLinesChangeNothing) {
  const struct {
    const char* text;
    float playerX;
    size_t monsters;
  } cases[] = {
      {"player 7 8\nmonster 2 25 25 route 75 25\n", 7, 1},
      {"player 100 0\nplayer 7 bad\n", 100, 0},
      {"player 7\n", 0, 0},
      {"monster 9 25 25\nmonster 1 25 25 route 75\nmonster 1 25 25 pause -1\n", 0, 0},
  };
  for (const auto& test : cases) {
    std::istringstream in(test.text);
    const Cast cast = ReadCast(in, "cast.txt");
    EXPECT_EQ(cast.playerStart.x, test.playerX) << test.text;
    EXPECT_EQ(cast.monsters.size(), test.monsters) << test.text;
  }
}

// Three by three cells of 50 with a wall in the middle: one line per stray point.
TEST(SandboxCastTest, PointsOutsideTheMapOrInAWallAreReported) {
  TileMapGrid grid;
  grid.width = grid.height = 3;
  grid.tileSize = 50;
  grid.cells = {0, 0, 0, 0, 9, 0, 0, 0, 0};
  TileMap map;
  ASSERT_TRUE(map.LoadGrid(grid));
  std::istringstream in("monster 0 -50 -50 route 50 -50 0 0 500 0\nmonster 1 50 50\n");
  std::ostringstream out;
  ReportStrayPoints(ReadCast(in, "cast.txt"), map, "cast.txt", out);
  EXPECT_EQ(out.str(),
            "cast.txt: monster 1 point (0, 0) is inside a wall\n"
            "cast.txt: monster 1 point (500, 0) is outside the map\n");
}

}  // namespace
