#include "Settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/vantrel_settings_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home = folder;
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  }
  void TearDown() override {
    fs::remove_all(home);
    unsetenv("XDG_CONFIG_HOME");
  }
  void Write(const std::string& text) {
    fs::create_directories(home + "/vantrel");
    std::ofstream(SettingsFilePath(), std::ios::binary) << text;
  }
  std::string Read() const {
    std::stringstream text;
    text << std::ifstream(SettingsFilePath(), std::ios::binary).rdbuf();
    return text.str();
  }
  std::string home;
};

bool Same(const Settings& a, const Settings& b) {
  return a.musicVolume == b.musicVolume && a.effectsVolume == b.effectsVolume &&
         a.fullScreen == b.fullScreen && a.vsync == b.vsync && a.gameSpeed == b.gameSpeed;
}

TEST_F(SettingsTest, DefaultsAreWrittenOutOnceAndChangesReadBack) {
  EXPECT_EQ(SettingsFilePath(), home + "/vantrel/settings.ini");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(Same(LoadSettings(), Settings()));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "no file is no news";
  WriteDefaultSettingsIfMissing();
  const std::string defaults = Read();
  EXPECT_NE(defaults.find("\nmusic_volume = 100\neffects_volume = 100\nfullscreen = yes\n"
                          "vsync = auto\ngame_speed = 100\n"),
            std::string::npos)
      << defaults;

  Settings changed;
  changed.musicVolume = 0;
  changed.effectsVolume = 40;
  changed.fullScreen = false;
  changed.vsync = VSyncMode::kOff;
  changed.gameSpeed = 70;
  EXPECT_TRUE(SaveSettings(changed));
  EXPECT_TRUE(Same(LoadSettings(), changed));
  WriteDefaultSettingsIfMissing();
  EXPECT_TRUE(Same(LoadSettings(), changed)) << "an existing file is never reset";
}

// A person's edits: bad values fall back to their default with one line each, and what
// the game does not know survives the next save where it stood.
TEST_F(SettingsTest, BadLinesGiveTheirDefaultAndUnknownOnesAreKept) {
  Write(
      "# mine\r\n"
      "colour = blue\r\n"
      "  music_volume=30  \r\n"
      "effects_volume = 55\r\n"
      "fullscreen = maybe\r\n"
      "just words\r\n"
      "vsync = ON\r\n"
      "game_speed = 50\r\n"
      "music_volume = 70\r\n");
  testing::internal::CaptureStdout();
  const Settings read = LoadSettings();
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(read.musicVolume, 70) << "the last of two lines wins";
  EXPECT_EQ(read.effectsVolume, 100);
  EXPECT_TRUE(read.fullScreen);
  EXPECT_EQ(read.vsync, VSyncMode::kAuto);
  const std::string where = "Settings file " + SettingsFilePath() + ", line ";
  for (const std::string& line :
       {where + "2: unknown setting \"colour\", kept as it is",
        where + "4: effects_volume = \"55\" is not 0 to 100 in steps of 10; using 100",
        where + "5: fullscreen = \"maybe\" is not yes or no; using yes",
        where + "6: \"just words\" is not `key = value`; kept as it is",
        where + "7: vsync = \"ON\" is not auto, on or off; using auto",
        where + "8: game_speed = \"50\" is not 100, 85 or 70; using 100"}) {
    EXPECT_NE(said.find(line + "\n"), std::string::npos) << line << "\nin\n" << said;
  }
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 6) << said;

  EXPECT_TRUE(SaveSettings(read));
  EXPECT_EQ(Read(),
            "# mine\ncolour = blue\nmusic_volume = 70\neffects_volume = 100\nfullscreen = yes\n"
            "just words\nvsync = auto\ngame_speed = 100\n");
}

TEST_F(SettingsTest, AFolderThatCannotHoldTheFileLeavesTheDefaults) {
  // A file where the folder should be.
  std::ofstream(home + "/vantrel") << "not a folder";
  Settings changed;
  changed.musicVolume = 10;
  EXPECT_FALSE(SaveSettings(changed));
  WriteDefaultSettingsIfMissing();
  EXPECT_TRUE(Same(LoadSettings(), Settings()));
  // A pipe in the file's place is neither read nor written over.
  fs::remove(home + "/vantrel");
  fs::create_directories(home + "/vantrel");
  ASSERT_EQ(mkfifo(SettingsFilePath().c_str(), 0644), 0);
  EXPECT_TRUE(Same(LoadSettings(), Settings()));
  EXPECT_FALSE(SaveSettings(changed));
  EXPECT_TRUE(fs::is_fifo(SettingsFilePath()));
}

TEST(SwapInterval, VsyncOnlyWhereEveryUpdateIsShownEquallyLong) {
  struct Case {
    double hz;
    int automatic, forcedOn;
  } cases[] = {{0, 0, 1},   {59.94, 1, 1}, {60, 1, 1},  {75, 0, 1},  {120, 2, 2},
               {144, 0, 1}, {165, 0, 1},   {240, 4, 4}, {-60, 0, 1}, {59.0, 0, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseSwapInterval(c.hz, VSyncMode::kAuto), c.automatic) << c.hz << " Hz";
    EXPECT_EQ(ChooseSwapInterval(c.hz, VSyncMode::kOn), c.forcedOn) << c.hz << " Hz";
    EXPECT_EQ(ChooseSwapInterval(c.hz, VSyncMode::kOff), 0) << c.hz << " Hz";
  }
}

}  // namespace
