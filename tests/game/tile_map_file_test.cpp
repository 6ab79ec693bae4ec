#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TileMapFile.h"

namespace {

struct Read {
  explicit Read(const std::string& text) {
    grid.width = 7;  // what a bad file must not leave behind
    grid.cells = {1};
    std::istringstream in(text);
    std::ostringstream out;
    ok = ReadTileMap(in, "map.txt", &grid, out);
    log = out.str();
  }
  bool ok = false;
  TileMapGrid grid;
  std::string log;
};

const std::string kHeader = "width 3\nheight 2\ntileSize 50\n";

TEST(TileMapFileTest, FineFilesAreReadExactly) {
  struct Case {
    const char* what;
    std::string text;
    unsigned width, height, tileSize;
    std::vector<unsigned> cellsBottomFirst;
  };
  std::string wideRow;
  for (int i = 0; i < 256; ++i) wideRow += "0 ";
  const std::vector<Case> cases = {
      {"one row a line", kHeader + "9 9 9\n0 4 5\n", 3, 2, 50, {0, 4, 5, 9, 9, 9}},
      {"line breaks mean nothing", kHeader + "9\t9\n9 0\r\n4   5", 3, 2, 50, {0, 4, 5, 9, 9, 9}},
      {"text after the cells", kHeader + "1 8 7 4 5 6 notes 7", 3, 2, 50, {4, 5, 6, 1, 8, 7}},
      {"labels are not checked", "a= 2\n#: 1\nsize(px) 8\n7 8", 2, 1, 8, {7, 8}},
      {"every known code", "w 8\nh 1\nt 1\n0 1 4 5 6 7 8 +09", 8, 1, 1, {0, 1, 4, 5, 6, 7, 8, 9}},
      {"widest row", "w 256\nh 1\nt 9\n" + wideRow, 256, 1, 9, std::vector<unsigned>(256)},
      // With its space the label uses the whole skip.
      {"longest label",
       std::string(kMapLabelSkip - 1, 'L') + " 1\nh 1\nt 1024\n6",
       1,
       1,
       1024,
       {6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Read read(c.text);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.grid.width, c.width);
    EXPECT_EQ(read.grid.height, c.height);
    EXPECT_EQ(read.grid.tileSize, c.tileSize);
    EXPECT_EQ(read.grid.cells, c.cellsBottomFirst);
    EXPECT_EQ(read.log, "");
  }
}

TEST(TileMapFileTest, ABadHeaderLeavesNoMapAndOneLine) {
  const std::string cells = "\n9 9 9\n0 4 5\n";
  const struct {
    std::string text;
    const char* problem;
  } cases[] = {
      {"w -5\nh 2\nt 50" + cells, "width -5 is out of range 1..256"},
      {"w 100000\nh 2\nt 50" + cells, "width 100000 is out of range 1..256"},
      {"w 99999999999999999999999999999999\nh 2\nt 50" + cells,
       "width 999999999999999999999999... is out of range 1..256"},
      {"w 3\nh 257\nt 50" + cells, "height 257 is out of range 1..256"},
      {"w 3\nh 2\nt 0" + cells, "tile size 0 is out of range 1..1024"},
      {"", "the width is missing or not a number"},
      {"w 3\nh 2\n", "the tile size is missing or not a number"},
      {std::string(kMapLabelSkip + 1, 'L') + " 3\nh 2\nt 50" + cells,
       "the width is missing or not a number"},
      // The space after a value closes the next label, so one line cannot hold the header.
      {"w 3 h 2 t 50" + cells, "the height is missing or not a number"},
  };
  for (const auto& c : cases) {
    const Read read(c.text);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.grid.Empty());
    EXPECT_EQ(read.grid.width + read.grid.height + read.grid.tileSize, 0u);
    EXPECT_EQ(read.log, "map.txt: " + std::string(c.problem) + "; the level has no map\n");
  }
}

// A bad cell costs that cell alone: floor inside the map, wall on its edge so that the map
// stays closed; one line counts them and names the first.
TEST(TileMapFileTest, ABadOrMissingCellIsFloorInsideAndWallOnTheEdge) {
  const struct {
    const char* cells;
    std::vector<unsigned> cellsTopFirst;
    std::string problem;
  } cases[] = {
      {"9 9 9  9 X 9  9 4 9  notes after the cells", {9, 9, 9, 9, 0, 9, 9, 4, 9},
       "1 of 9 cells holds no known code: \"X\" at column 1, row 1"},
      {"9 9 9  9 42 9  9 4 9", {9, 9, 9, 9, 0, 9, 9, 4, 9},
       "1 of 9 cells holds no known code: \"42\" at column 1, row 1"},
      {"9 X 9  0 5 0  4 9 9", {9, 9, 9, 0, 5, 0, 4, 9, 9},
       "1 of 9 cells holds no known code: \"X\" at column 1, row 0"},
      {"9 9 -1  9 3 9  4 9 99999999999999999999999999999", {9, 9, 9, 9, 0, 9, 4, 9, 9},
       "3 of 9 cells hold no known code, the first \"-1\" at column 2, row 0"},
      {"0 0 0  0 7", {0, 0, 0, 0, 7, 9, 9, 9, 9}, "4 of 9 cells are missing"},
      {"0 0 0  0 ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~", {0, 0, 0, 0, 0, 9, 9, 9, 9},
       "1 of 9 cells holds no known code: \"~~~~~~~~~~~~~~~~~~~~~~~~...\" at column 1, row 1, "
       "and 4 are missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cells);
    const Read read("w 3\nh 3\nt 10\n" + std::string(c.cells));
    EXPECT_TRUE(read.ok);
    std::vector<unsigned> topFirst;
    for (int row = 2; row >= 0; --row)
      for (unsigned column = 0; column < 3; ++column) topFirst.push_back(read.grid.At(row, column));
    EXPECT_EQ(topFirst, c.cellsTopFirst);
    EXPECT_EQ(read.log, "map.txt: " + c.problem + "; they are floor, or wall on the map's edge\n");
  }
}

}  // namespace
