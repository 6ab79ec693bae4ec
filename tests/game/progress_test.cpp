#include "Progress.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/vantrel_progress_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home = folder;
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(home); }
  std::string File() const { return home + "/data/vantrel/progress.txt"; }
  void Write(const std::string& text) {
    fs::create_directories(home + "/data/vantrel");
    std::ofstream(File(), std::ios::binary) << text;
  }
  std::string Read() const {
    std::stringstream text;
    text << std::ifstream(File()).rdbuf();
    return text.str();
  }
  std::string home;
};

TEST_F(ProgressTest, WhereTheFileLives) {
  EXPECT_EQ(ProgressFilePath(), File());
  const std::string xdg = getenv("XDG_DATA_HOME");
  const char* realHome = getenv("HOME");
  const std::string savedHome = realHome ? realHome : "";
  // A relative folder is not a valid data home.
  setenv("XDG_DATA_HOME", "relative/folder", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(ProgressFilePath(), "/home/someone/.local/share/vantrel/progress.txt");
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  EXPECT_EQ(ProgressFilePath(), "");
  EXPECT_FALSE(RecordWonLevel(2));
  setenv("XDG_DATA_HOME", xdg.c_str(), 1);
  if (realHome) setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(ProgressTest, DamagedFilesCountAsNoProgress) {
  struct Case {
    std::string text;
    unsigned won;
  };
  const Case cases[] = {
      {"vantrel progress 1\nwon 1 3 8\n", 0x10a},
      {"vantrel progress 1\nwon", 0},
      {"vantrel progress 1\nwon 2 banana\n", 0},
      {"vantrel progress 1\nwon 9\n", 0},
      {"vantrel progress 1\nwon -1\n", 0},
      {"vantrel progress 2\nwon 1\n", 0},
      {"", 0},
      {std::string(5000, '7'), 0},
      {"\x89PNG\r\n\x1a\n", 0},
  };
  for (const Case& c : cases) {
    Write(c.text);
    EXPECT_EQ(LoadWonLevels(), c.won) << c.text;
  }
  fs::remove(File());
  EXPECT_EQ(LoadWonLevels(), 0u) << "no file";
}

TEST_F(ProgressTest, AWinIsAddedAndTheFileWrittenWhole) {
  EXPECT_TRUE(RecordWonLevel(5));
  EXPECT_TRUE(RecordWonLevel(2));
  EXPECT_TRUE(RecordWonLevel(5));
  EXPECT_FALSE(RecordWonLevel(0));
  EXPECT_FALSE(RecordWonLevel(9));
  EXPECT_EQ(Read(), "vantrel progress 1\nwon 2 5\n");
  EXPECT_EQ(LoadWonLevels(), (1u << 2) | (1u << 5));
  // Nothing but the file itself is left in the folder.
  const fs::directory_iterator folder(home + "/data/vantrel");
  EXPECT_EQ(std::distance(fs::begin(folder), fs::end(folder)), 1);

  // A damaged file is replaced by one holding the new win.
  Write("garbage");
  EXPECT_TRUE(RecordWonLevel(7));
  EXPECT_EQ(Read(), "vantrel progress 1\nwon 7\n");

  // A folder in the file's place cannot be replaced: one line, no crash.
  fs::remove(File());
  fs::create_directories(File());
  EXPECT_FALSE(RecordWonLevel(1));
}

}  // namespace
