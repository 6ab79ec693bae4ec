#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "KEInput.h"
#include "ObjectManager.h"
#include "Tile.h"
#include "TileMap.h"
#include "test_input.h"

namespace {

// A map without tiles, from rows written top row first.
TileMap GridOf(unsigned width, unsigned height, unsigned tileSize, const std::string& rows) {
  std::istringstream in("w " + std::to_string(width) + "\nh " + std::to_string(height) + "\nt " +
                        std::to_string(tileSize) + "\n" + rows);
  TileMapGrid grid;
  std::ostringstream log;
  EXPECT_TRUE(ReadTileMap(in, "grid", &grid, log));
  EXPECT_EQ(log.str(), "");
  TileMap map;
  EXPECT_TRUE(map.LoadGrid(grid));
  return map;
}

std::string Repeat(const char* code, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(code) + " ";
  return text;
}

std::vector<std::pair<float, float>> Points(const std::list<KEVec2>& path) {
  std::vector<std::pair<float, float>> points;
  for (const KEVec2& p : path) points.emplace_back(p.x, p.y);
  return points;
}

const char* const kTextures[] = {"Assets/floor.png", "Assets/wall.png", "Assets/LavaTile1.png",
                                 "Assets/Exit.png"};

class TileMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("tile_map_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    // Loaded now, so that a load under test prints nothing but the map's own lines.
    for (const char* name : kTextures) GetTexture(name);
  }
  void TearDown() override {
    gObjectManager.FreeAll();
    std::filesystem::remove_all(folder_);
  }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::filesystem::path folder_;
};

TEST_F(TileMapTest, LoadsTheThreeByTwoMapIntoTilesRightColumnFirst) {
  TileMap map;
  ASSERT_TRUE(
      map.LoadFile(Write("Level.txt", "Width 3\nHeight 2\nTileSize 50\n9 9 9\n0 4 5\n").c_str()));
  EXPECT_EQ(map.halfWidth, 75.0f);
  EXPECT_EQ(map.halfHeight, 50.0f);
  EXPECT_EQ(map.Extent().x, 100.0f);
  EXPECT_EQ(map.Extent().y, 75.0f);
  EXPECT_EQ(map.CellAt({-50, 25}), 9);
  EXPECT_EQ(map.CellAt({0, -25}), 4);
  const struct {
    float x, y;
    const char* texture;
  } expected[] = {{50, -25, "Assets/Exit.png"},     {50, 25, "Assets/wall.png"},
                  {0, -25, "Assets/LavaTile1.png"}, {0, 25, "Assets/wall.png"},
                  {-50, -25, "Assets/floor.png"},   {-50, 25, "Assets/wall.png"}};
  ASSERT_EQ(map.tiles.size(), 6u);
  ASSERT_EQ(gObjectManager.objects.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const Tile* tile = map.tiles[i];
    EXPECT_EQ(gObjectManager.objects[i].get(), tile);
    EXPECT_EQ(tile->position.x, expected[i].x);
    EXPECT_EQ(tile->position.y, expected[i].y);
    EXPECT_EQ(tile->transform.m[0][2], expected[i].x);  // the transform was rebuilt
    EXPECT_EQ(tile->transform.m[1][1], 50.0f);
    EXPECT_EQ(tile->layer, 0);
    ASSERT_EQ(tile->sprite.animations.size(), 1u);
    EXPECT_EQ(tile->sprite.animations[0].texture, GetTexture(expected[i].texture));
  }
}

TEST_F(TileMapTest, BadFilesPrintOneLineAndNeverCrash) {
  struct Case {
    const char* name;
    std::string text;
    std::string line;  // after the file's path
    size_t tiles;
  };
  const std::vector<Case> cases = {
      {"Negative.txt", "w -3\nh 2\nt 50\n9 9 9 0 4 5",
       ": width -3 is out of range 1..256; the level has no map", 0},
      {"Enormous.txt", "w 4000000000\nh 4000000000\nt 50\n",
       ": width 4000000000 is out of range 1..256; the level has no map", 0},
      {"Zero.txt", "w 3\nh 2\nt 0\n9 9 9 0 4 5",
       ": tile size 0 is out of range 1..1024; the level has no map", 0},
      {"Garbage.txt", std::string("\x7f\x01\xff\xfe junk\0\n", 12),
       ": the width is missing or not a number; the level has no map", 0},
      {"Short.txt", "w 3\nh 2\nt 50\n9 9",
       ": 4 of 6 cells are missing; they are floor, or wall on the map's edge", 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Write(c.name, c.text);
    TileMap map;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(map.LoadFile(path.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + c.line + "\n");
    EXPECT_EQ(map.tiles.size(), c.tiles);
    EXPECT_EQ(gObjectManager.objects.size(), c.tiles);
    EXPECT_EQ(map.CellAt({-40, -20}), c.tiles ? 9 : -1);  // an unread cell on the edge is wall
    gObjectManager.FreeAll();
  }
}

TEST_F(TileMapTest, AFileThatCannotBeOpenedChangesNothing) {
  TileMap map;
  map.LoadFile(Write("Level.txt", "w 3\nh 2\nt 50\n9 9 9 0 4 5").c_str());
  testing::internal::CaptureStderr();
  const std::string missing = (folder_ / "Missing.txt").string();
  EXPECT_FALSE(map.LoadFile(missing.c_str()));
  EXPECT_FALSE(map.LoadFile(nullptr));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Not able to open map file \"" + missing + "\": No such file or directory\n"
            "Not able to open a map file: none was named\n");
  EXPECT_EQ(map.width, 3u);
  EXPECT_EQ(map.tiles.size(), 6u);
}

TEST_F(TileMapTest, AnEmptyMapAnswersEveryQueryQuietly) {
  TileMap map;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (KEVec2 p : {KEVec2{0, 0}, KEVec2{-1e30f, 1e30f}, KEVec2{nan, nan}}) {
    EXPECT_EQ(map.CellAt(p), -1);
    EXPECT_EQ(map.WallContacts(p, {40, 40}), 0);
    EXPECT_EQ(map.HazardUnder(p, {40, 40}), 0);
    EXPECT_TRUE(map.FindPath(p, {0, 0}).empty());
  }
  EXPECT_EQ(map.SnapToCell({3, 4}, 15).x, 3.0f);
  EXPECT_EQ(map.WalkBox({3, 4}, {40, 40}, {1.5f, 0}).x, 4.5f);
  EXPECT_EQ(map.Extent().x, 0.0f);
}

TEST_F(TileMapTest, CellAtTruncatesTowardZeroAtTheEdges) {
  // 20 by 2 cells of 50: x from -500 to 500, y from -50 to 50.
  const TileMap map = GridOf(20, 2, 50, Repeat("9", 20) + "4 " + Repeat("0", 18) + "5");
  EXPECT_EQ(map.halfWidth, 500.0f);
  EXPECT_EQ(map.SnapToCell({-490, 0}, 1).x, -475.0f);  // the centre of column 0
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float x, y;
    int code;
  } cases[] = {
      {500, -25, -1}, {499.9f, -25, 5}, {-500, -25, 4}, {-510, -25, 4},
      {-549, -25, 4}, {-550, -25, -1},  {-475, -60, 4}, {-475, 49, 9},
      {-475, 50, -1}, {inf, 0, -1},     {-inf, 0, -1},  {std::nanf(""), 0, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(map.CellAt({c.x, c.y}), c.code) << c.x << ", " << c.y;
}

TEST_F(TileMapTest, WallContactsReachSixTenthsOfTheBox) {
  // A wall cell of 40 in the middle: it spans -20..20 on both axes.
  const TileMap map = GridOf(3, 3, 40, "0 0 0  0 9 0  0 0 0");
  const struct {
    float x, y;
    int mask;
  } cases[] = {
      {40, 0, 1}, {43.9f, 0, 1}, {44.1f, 0, 0}, {-40, 0, 2},  {0, -40, 4},
      {0, 40, 8}, {30, 30, 9},   {40, 40, 0},   {1000, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(map.WallContacts({c.x, c.y}, {40, 40}), c.mask) << c.x << ", " << c.y;
  }
}

TEST_F(TileMapTest, SnapToCellMovesOnlyTheMaskedAxes) {
  const TileMap map = GridOf(3, 3, 40, Repeat("0", 9));
  const struct {
    int mask;
    float x, y;
  } cases[] = {{0, 13, 27}, {1, 0, 27}, {2, 0, 27}, {4, 13, 40}, {8, 13, 40}, {15, 0, 40}};
  for (const auto& c : cases) {
    const KEVec2 snapped = map.SnapToCell({13, 27}, c.mask);
    EXPECT_EQ(snapped.x, c.x) << c.mask;
    EXPECT_EQ(snapped.y, c.y) << c.mask;
  }
}

// Cells of 10 under a box of 40 walking up: the wall ahead covers the box's left 18, so it
// eases right, unless a wall 8 to its right leaves no room for the sidestep.
TEST_F(TileMapTest, AWalkingBoxEasesOnlyWhereItFits) {
  for (const char* beside : {"0 0 0 0 0 0 0 ", "0 0 0 0 0 9 0 "}) {
    const std::string rows = Repeat(beside, 4) + Repeat("0", 7);
    const TileMap map = GridOf(7, 7, 10, Repeat("0", 7) + "9 9 0 0 0 0 0 " + rows);
    KEVec2 box = {-13, -5.5f};
    for (int step = 0; step < 40; ++step) box = map.WalkBox(box, {40, 40}, {0, 1.5f});
    const bool room = beside[10] == '0';
    EXPECT_NEAR(box.x, room ? 5 : -13, 0.01f);
    EXPECT_EQ(box.y > 0, room);
  }
}

TEST_F(TileMapTest, HazardUnderPutsLavaOverWaterOverExit) {
  // Columns of 40 centred at -100, -60, ..., 100: lava, exit, water, lava, floor, floor.
  const TileMap map = GridOf(6, 1, 40, "4 5 6 4 0 0");
  const struct {
    float x, size;
    int hazard;
  } cases[] = {{-80, 40, 4}, {-40, 40, 6}, {0, 40, 4}, {-60, 10, 5}, {100, 10, 0}, {200, 10, 0}};
  for (const auto& c : cases) EXPECT_EQ(map.HazardUnder({c.x, 0}, {c.size, 20}), c.hazard) << c.x;
}

TEST_F(TileMapTest, FindPathGoesThroughTheGapCuttingCorners) {
  // Cells of 10, centres at -20..20; a wall up column 2 with its gap in the top row.
  TileMap map = GridOf(5, 5, 10, "0 0 0 0 0  0 0 9 0 0  0 0 9 0 0  0 0 9 0 0  0 0 9 0 0");
  const std::vector<std::pair<float, float>> expected = {{20, -20},  {10, -10}, {10, 0},   {10, 10},
                                                         {10, 20},   {0, 20},   {-10, 10}, {-10, 0},
                                                         {-10, -10}, {-10, -20}};
  EXPECT_EQ(Points(map.FindPath({-20, -20}, {20, -20})), expected);
  EXPECT_EQ(Points(map.FindPath({-20, -20}, {20, -20})), expected);  // marks refilled
}

TEST_F(TileMapTest, FindPathFindsNothingWhereNoStepIsNeededOrPossible) {
  TileMap map = GridOf(5, 5, 10, "0 0 0 0 0  0 9 9 9 0  0 9 0 9 0  0 9 9 9 0  0 0 0 0 0");
  const struct {
    const char* what;
    KEVec2 from, to;
  } cases[] = {
      {"to a wall", {-20, -20}, {-10, -10}},   {"to an enclosed cell", {-20, -20}, {0, 0}},
      {"to itself", {-20, -20}, {-16, -24}},   {"to outside", {-20, -20}, {100, 0}},
      {"from outside", {0, -100}, {-20, -20}}, {"out of an enclosed cell", {0, 0}, {-20, -20}},
  };
  for (const auto& c : cases) EXPECT_TRUE(map.FindPath(c.from, c.to).empty()) << c.what;
  const std::vector<std::pair<float, float>> straight = {
      {20, -20}, {10, -20}, {0, -20}, {-10, -20}};
  EXPECT_EQ(Points(map.FindPath({-20, -20}, {20, -20})), straight);
  // Pressed into the ring's wall, an actor still finds its way to either side of it.
  EXPECT_EQ(Points(map.FindPath({-10, 0}, {0, 0})), (std::vector<std::pair<float, float>>{{0, 0}}));
  EXPECT_EQ(Points(map.FindPath({-10, 0}, {-20, 0})),
            (std::vector<std::pair<float, float>>{{-20, 0}}));
}

TEST_F(TileMapTest, F1DuringASearchDumpsBothGridsOnce) {
  TileMap map = GridOf(3, 2, 50, "9 9 9\n0 4 5");
  test_input::Install();
  KEInputReset();
  test_input::Press(VK_F1);
  std::string dumps;
  for (int frame = 0; frame < 2; ++frame) {
    KEInputUpdate();
    testing::internal::CaptureStdout();
    map.FindPath({-50, -25}, {50, -25});
    dumps += testing::internal::GetCapturedStdout();
  }
  test_input::Uninstall();
  EXPECT_EQ(dumps, "9 9 9 \n0 4 5 \n\n1 1 1 \n0 0 0 \n");
}

}  // namespace
