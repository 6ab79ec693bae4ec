// The level file as a player types, shares and damages it, and the validator's verdict on it.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "LevelCheck.h"
#include "LevelRoster.h"

namespace {

// A small level a person could type: a door between two rooms, a pond, a pocket no one can
// reach at column 7, row 1, and the exit at column 5, row 1.
const char kSmallLevel[] =
    "vantrel level 1\n"
    "name Two rooms\n"
    "width 10\nheight 10\ntilesize 50\n"
    "9 9 9 9 9 9 9 9 9 9\n"
    "9 0 0 0 0 5 9 0 9 9\n"
    "9 0 0 0 0 0 9 9 9 9\n"
    "9 0 0 6 6 6 0 0 0 9\n"
    "9 0 0 6 6 6 0 0 0 9\n"
    "9 9 9 9 9 0 9 9 9 9\n"
    "9 0 0 0 0 0 0 0 0 9\n"
    "9 0 0 0 7 0 0 0 0 9\n"
    "9 0 0 0 0 0 0 0 0 9\n"
    "9 9 9 9 9 9 9 9 9 9\n"
    "player 1,8\n"
    "monster bulb 2,7 route 6,7 pause 2\n"
    "monster water-rat 3,3 route 5,4\n"
    "monster tire 8,6 facing 90\n";

Level Read(const std::string& text, std::vector<std::string>* problems = nullptr) {
  Level level;
  std::vector<std::string> ignored;
  EXPECT_TRUE(ReadLevel(text, "test.txt", &level, problems ? problems : &ignored)) << text;
  return level;
}

void SetCell(Level& level, int column, int row, unsigned code) {
  level.grid.cells[std::size_t(level.grid.height - 1 - row) * level.grid.width + column] = code;
}

LevelMonster Monster(int kind, LevelPoint start, std::vector<LevelPoint> route = {}) {
  LevelMonster monster;
  monster.kind = kind;
  monster.start = start;
  monster.route = std::move(route);
  return monster;
}

constexpr int kTire = 2, kBulb = 3;

struct ProblemRow {
  const char* what;
  std::function<void(Level&)> change;
  std::vector<std::string> lines;
};

// One row per kind of problem, each naming its cell (column, row from the top left).
TEST(LevelCheckTest, EachProblemNamesItsCell) {
  const ProblemRow rows[] = {
      {"the level as typed", [](Level&) {}, {}},
      {"a gap in the border",
       [](Level& l) { SetCell(l, 4, 0, 0); },
       {"column 4, row 0: a gap in the border"}},
      {"lava on the edge is no wall",
       [](Level& l) { SetCell(l, 9, 6, 4); },
       {"column 9, row 6: a gap in the border"}},
      {"the player in a wall",
       [](Level& l) {
         l.player = LevelPoint{4, 7};
       },
       {"column 4, row 7: the player's start is in a wall"}},
      {"the player off the map",
       [](Level& l) {
         l.player = LevelPoint{12, 3};
       },
       {"column 12, row 3: the player's start is outside the map"}},
      {"no player", [](Level& l) { l.player.reset(); }, {"the level has no player start"}},
      {"a monster in a wall",
       [](Level& l) {
         l.monsters.push_back(Monster(kTire, {0, 6}));
       },
       {"column 0, row 6: monster 4 starts in a wall"}},
      {"a waypoint in a wall",
       [](Level& l) {
         l.monsters[0].route.push_back({4, 7});
       },
       {"column 4, row 7: monster 1's waypoint is in a wall"}},
      {"a waypoint no path reaches",
       [](Level& l) {
         l.monsters[2].route = {{7, 1}};
       },
       {"column 7, row 1: monster 3 finds no way here from its waypoint before"}},
      {"a water rat on dry land",
       [](Level& l) {
         l.monsters[1].route = {{7, 3}};
       },
       {"column 7, row 3: monster 2 is a water rat and leaves the water"}},
      {"no way to an exit",
       [](Level& l) { SetCell(l, 5, 5, 9); },
       {"column 1, row 8: no way from the player's start to an exit"}},
      {"lava in the only way and no fire look",
       [](Level& l) { SetCell(l, 5, 5, 4); },
       {"column 1, row 8: the way out crosses lava and no fire rat or fireball lends a fire "
        "look"}},
      {"lava in the only way with a fire rat to photograph",
       [](Level& l) {
         SetCell(l, 5, 5, 4);
         l.monsters.push_back(Monster(0, {7, 7}));
       },
       {}},
      {"too many waypoints",
       [](Level& l) {
         l.monsters[0].route.assign(101, LevelPoint{6, 7});
       },
       {"column 2, row 7: monster 1 has over 100 waypoints"}},
      {"too small",
       [](Level& l) {
         l.grid.height = 9;
         l.grid.cells.resize(90);
       },
       {"the map is 10 by 9 cells; a level is 10 by 10 to 128 by 128"}},
      {"too many monsters",
       [](Level& l) {
         l.monsters.resize(301, Monster(kBulb, {2, 7}));
       },
       {"301 monsters; a level has at most 300"}},
      // A patrol may end on a waypoint off its cell's centre when the next is out of reach.
      {"a patrol that ends off a centre",
       [](Level& l) {
         l.monsters[0].route = {{6, 7, 0, 10}, {7, 1}};
       },
       {}},
      {"the same walk from a centre is a fault",
       [](Level& l) {
         l.monsters[0].route = {{6, 7}, {7, 1}};
       },
       {"column 7, row 1: monster 1 finds no way here from its waypoint before"}},
  };
  for (const ProblemRow& row : rows) {
    SCOPED_TRACE(row.what);
    Level level = Read(kSmallLevel);
    row.change(level);
    std::vector<std::string> lines;
    for (const LevelProblem& problem : CheckLevel(level)) lines.push_back(problem.Line());
    EXPECT_EQ(lines, row.lines);
  }
}

// What a player meets reading a file: the line each damage gives, and what is kept.
TEST(LevelFileTest, DamageCostsItsLineAlone) {
  struct Row {
    const char* what;
    std::string text;
    bool read;
    std::string line;  // the first problem
  };
  const std::string small = kSmallLevel;
  const Row rows[] = {
      {"a newer format", "vantrel level 2\nname x\n" + small.substr(small.find("width")), false,
       "test.txt: \"vantrel level 2\" is a format this game cannot read; it reads vantrel level 1"},
      {"no name", "vantrel level 1\n" + small.substr(small.find("width")), false,
       "test.txt line 2: the level's name is missing"},
      {"an unknown kind", small + "monster dragon 2,2\n", true,
       "test.txt line 20: no monster kind is called \"dragon\"; left out"},
      {"a point in world units", small + "monster bulb -425 -425\n", true,
       "test.txt line 20: the monster's start is not a cell column,row; left out"},
      {"a negative pause", small + "monster bulb 2,2 pause -1\n", true,
       "test.txt line 20: the pause is not a number of seconds; left out"},
      {"a facing of nan", small + "monster bulb 2,2 facing nan\n", true,
       "test.txt line 20: the facing is not a number; left out"},
      {"a second player", small + "player 2,8\n", true,
       "test.txt line 20: a second player start; the first counts; left out"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Level level;
    std::vector<std::string> problems;
    EXPECT_EQ(ReadLevel(row.text, "test.txt", &level, &problems), row.read);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], row.line);
    if (row.read) {
      EXPECT_EQ(level.monsters.size(), 3u) << "the good lines stay";
      EXPECT_EQ(level.player->column, 1);
    }
  }
}

// A map file of before, with lines after its grid, is a level with no cast.
TEST(LevelFileTest, AMapWithoutTheFirstLineIsAnEmptyLevel) {
  const std::string small = kSmallLevel;
  std::vector<std::string> problems;
  const Level level = Read(small.substr(small.find("width")), &problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(level.grid.width, 10u);
  EXPECT_FALSE(level.player);
  EXPECT_TRUE(level.monsters.empty());
}

// Level 6's fireball turns back short of its second waypoint's centre, as it always has.
TEST(LevelFileTest, AnOffsetPointLandsInWorldUnits) {
  const LevelCast& cast = *LevelCastOf(6);
  ASSERT_GE(cast.monsters.size(), 5u);
  EXPECT_EQ(cast.monsters[4].route.at(0).x, -25);
  EXPECT_EQ(cast.monsters[4].route.at(0).y, 585);
  const Level level = Read(kSmallLevel);
  EXPECT_FLOAT_EQ(*CastOf(level, "").monsters[2].rotation, float(M_PI / 2));
}

// A huge file or line is refused at once: one line, and no more memory than the limit.
TEST(LevelFileTest, HugeFilesAndLinesAreRefusedInBoundedMemory) {
  const std::string folder = testing::TempDir();
  const std::string big = folder + "/big_level.txt";
  {
    std::ofstream file(big);
    file << kSmallLevel;
    file.seekp(50 << 20);  // a sparse 50 MB
    file << "\n";
  }
  const std::string wide = folder + "/wide_level.txt";
  {
    std::ofstream file(wide);
    file << "vantrel level 1\nname Wide\nwidth 100000\nheight 10\ntilesize 50\n";
    for (int cell = 0; cell < 100000; ++cell) file << "0 ";
    file << "\n";
  }
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  for (const auto& [path, line] :
       {std::pair{big, big + ": larger than 1 MB; not a level"},
        std::pair{wide, wide + " line 6: longer than 16384 characters; not a level"}}) {
    Level level;
    std::vector<std::string> problems;
    EXPECT_FALSE(ReadLevelFile(path, &level, &problems));
    EXPECT_EQ(problems, std::vector<std::string>{line});
    EXPECT_TRUE(level.grid.Empty());
  }
  getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 8 * 1024) << "KB more at the peak";
  std::remove(big.c_str());
  std::remove(wide.c_str());
}

// A save makes its folder, replaces the file whole and reads back as the level saved.
TEST(LevelFileTest, ASavedLevelReadsBack) {
  const std::string folder = testing::TempDir() + "/saved_levels";
  std::filesystem::remove_all(folder);
  const std::string path = folder + "/mine.txt";
  Level level = Read(kSmallLevel);
  level.name = "Mine";
  std::string problem;
  ASSERT_TRUE(SaveLevelFile(path, level, &problem)) << problem;
  level.monsters.pop_back();
  ASSERT_TRUE(SaveLevelFile(path, level, &problem)) << problem;
  Level back;
  std::vector<std::string> problems;
  ASSERT_TRUE(ReadLevelFile(path, &back, &problems));
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(WriteLevel(back), WriteLevel(level));
  std::filesystem::remove_all(folder);
}

}  // namespace
