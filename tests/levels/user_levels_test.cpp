// The player's levels folder as the level select reads it: files copied in, broken, huge,
// or not files at all.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "LevelCheck.h"
#include "UserLevels.h"

namespace {

namespace fs = std::filesystem;

std::string Level(const std::string& nameLine, const char* playerCell) {
  return "vantrel level 1\n" + nameLine +
         "\nwidth 10\nheight 10\ntilesize 50\n"
         "9 9 9 9 9 9 9 9 9 9\n"
         "9 0 0 0 0 5 0 0 0 9\n"
         "9 0 0 0 0 0 0 0 0 9\n"
         "9 0 0 0 0 0 0 0 0 9\n"
         "9 0 0 0 0 0 0 0 0 9\n"
         "9 0 0 0 0 0 0 0 0 9\n"
         "9 0 0 0 0 0 0 0 0 9\n"
         "9 0 0 0 0 0 0 0 0 9\n"
         "9 0 0 0 0 0 0 0 0 9\n"
         "9 9 9 9 9 9 9 9 9 9\n"
         "player " +
         playerCell + "\n";
}

class UserLevelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/vantrel_levels_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    dir = folder;
  }
  void TearDown() override { fs::remove_all(dir); }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir + "/" + name, std::ios::binary) << text;
  }
  std::string dir;
};

TEST_F(UserLevelsTest, EveryLevelFileIsListedByNameWithItsFirstProblem) {
  Write("b.txt", Level("name Alpha", "1,8"));
  Write("a.txt", Level("name Zed maze", "1,8"));
  Write("noname.txt", Level("name", "2,8"));
  Write("dragon.txt", Level("name Dragon", "1,8") + "monster dragon 2,2\n");
  Write("in-wall.txt", Level("name Walled", "0,8"));
  Write("garbage.txt", "\x89PNG\r\n\x1a\n\x01\x02");
  Write("huge.txt", std::string(3 << 20, '9'));
  ASSERT_EQ(mkfifo((dir + "/pipe.txt").c_str(), 0600), 0);
  fs::create_directory(dir + "/folder.txt");
  Write(".hidden.txt", Level("name Hidden", "1,8"));
  Write("a.txt.lock", "");
  Write("notes.md", "not a level");
  const std::vector<UserLevel> levels = ListUserLevels(dir);
  std::vector<std::string> seen;
  for (const UserLevel& level : levels) seen.push_back(level.name + " | " + level.problem);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Alpha | ",
                      "Dragon | " + levels[1].problem,
                      "garbage.txt | the width is missing or not a number; the level has no map",
                      "huge.txt | larger than 1 MB; not a level",
                      "noname.txt | ",
                      "pipe.txt | cannot be read: it is not a regular file",
                      "Walled | column 0, row 8: the player's start is in a wall",
                      "Zed maze | ",
                  }));
  EXPECT_EQ(levels[1].problem.rfind("line 17: no monster kind", 0), 0u) << levels[1].problem;
  EXPECT_EQ(levels[0].path, dir + "/b.txt");
  EXPECT_TRUE(CheckLevel(levels[0].level).empty());
  EXPECT_TRUE(ListUserLevels(dir + "/missing").empty());
}

TEST_F(UserLevelsTest, ANewLevelTakesTheFirstFreeName) {
  EXPECT_EQ(FreeLevelFileName(dir), "level-1.txt");
  Write("level-1.txt", "");
  // A link to nowhere holds its name too: saving there would write where it points.
  fs::create_symlink(dir + "/nowhere", dir + "/level-2.txt");
  Write("level-4.txt", "");
  EXPECT_EQ(FreeLevelFileName(dir), "level-3.txt");
}

}  // namespace
