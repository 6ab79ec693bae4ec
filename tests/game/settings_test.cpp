#include "Settings.h"

#include "Controls.h"

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

TEST_F(SettingsTest, DefaultsAreWrittenOutOnceAndChangesReadBack) {
  EXPECT_EQ(SettingsFilePath(), home + "/vantrel/settings.ini");
  testing::internal::CaptureStderr();
  EXPECT_TRUE(LoadSettings() == Settings());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "no file is no news";
  WriteDefaultSettingsIfMissing();
  const std::string defaults = Read();
  EXPECT_NE(defaults.find("\nmusic_volume = 100\neffects_volume = 100\nfullscreen = yes\n"
                          "vsync = auto\ngame_speed = 100\nexit_arrow = yes\nghost = yes\n"),
            std::string::npos)
      << defaults;

  Settings changed;
  changed.musicVolume = 0;
  changed.effectsVolume = 40;
  changed.fullScreen = false;
  changed.vsync = VSyncMode::kOff;
  changed.gameSpeed = 70;
  changed.exitArrow = false;
  changed.ghost = false;
  EXPECT_TRUE(SaveSettings(changed, Settings()));
  EXPECT_TRUE(LoadSettings() == changed);
  WriteDefaultSettingsIfMissing();
  EXPECT_TRUE(LoadSettings() == changed) << "an existing file is never reset";
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
      "music_volume = 70\r\n"
      "exit_arrow = sometimes\r\n"
      "key_photograph = space\r\n"
      "key_pause = NOPE\r\n");
  testing::internal::CaptureStderr();
  const Settings read = LoadSettings();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(read.musicVolume, 70) << "the last of two lines wins";
  EXPECT_EQ(read.effectsVolume, 100);
  EXPECT_TRUE(read.fullScreen);
  EXPECT_EQ(read.vsync, VSyncMode::kAuto);
  EXPECT_EQ(read.keys[Action::kPhotograph], unsigned(' ')) << "key names in any case";
  EXPECT_EQ(read.keys[Action::kPause], KeyBindings()[Action::kPause]);
  const std::string where = "Settings file " + SettingsFilePath() + ", line ";
  for (const std::string& line :
       {where + "2: unknown setting \"colour\", kept as it is",
        where + "3: music_volume is set again on line 9, which counts",
        where + "4: effects_volume = \"55\" is not 0 to 100 in steps of 10; using 100",
        where + "5: fullscreen = \"maybe\" is not yes or no; using yes",
        where + "6: \"just words\" is not `key = value`; kept as it is",
        where + "7: vsync = \"ON\" is not auto, on or off; using auto",
        where + "8: game_speed = \"50\" is not 100, 85 or 70; using 100",
        where + "10: exit_arrow = \"sometimes\" is not yes or no; using yes",
        where + "12: key_pause = \"NOPE\" is not a key such as W, SPACE, LEFT_SHIFT or "
                "MOUSE_LEFT; using ESCAPE"}) {
    EXPECT_NE(said.find(line + "\n"), std::string::npos) << line << "\nin\n" << said;
  }
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 9) << said;

  // A change is written where its key first stood; the person's other lines stay as typed.
  Settings changed = read;
  changed.effectsVolume = 30;
  changed.musicVolume = 20;
  EXPECT_TRUE(SaveSettings(changed, read));
  EXPECT_EQ(Read(),
            "# mine\ncolour = blue\nmusic_volume = 20\neffects_volume = 30\nfullscreen = maybe\n"
            "just words\nvsync = ON\ngame_speed = 50\nexit_arrow = sometimes\n"
            "key_photograph = space\nkey_pause = NOPE\nghost = yes\n"
            "key_walk_up = W\nkey_walk_down = S\nkey_walk_left = A\nkey_walk_right = D\n"
            "key_disguise = MOUSE_RIGHT\nkey_end_disguise = MOUSE_MIDDLE\n");
}

// What a line says is in effect is what is in effect, now and at the next start.
TEST_F(SettingsTest, LinesSayWhatIsInEffect) {
  // The last line of a key counts, even with a bad value.
  Write("music_volume = 50\nmusic_volume = loud\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadSettings().musicVolume, 100);
  const std::string where = "Settings file " + SettingsFilePath() + ", line ";
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            where + "1: music_volume is set again on line 2, which counts\n" + where +
                "2: music_volume = \"loud\" is not 0 to 100 in steps of 10; using 100\n");

  // One key for two actions would do both at once: the default keys instead, and a new
  // binding is kept with them, not with the set that was refused.
  Write("key_walk_up = D\nkey_photograph = E\n");
  testing::internal::CaptureStderr();
  const Settings read = LoadSettings();
  EXPECT_TRUE(read.keys == KeyBindings());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Settings file " + SettingsFilePath() + ": D is bound twice; using the default keys\n");
  Settings rebound = read;
  rebound.keys[Action::kPause] = 'P';
  EXPECT_TRUE(SaveSettings(rebound, read));
  testing::internal::CaptureStderr();
  EXPECT_TRUE(LoadSettings().keys == rebound.keys);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << Read();
}

// Two copies of the game, each started with the same file: what each one changes survives
// the other's save.
TEST_F(SettingsTest, TwoCopiesKeepEachOthersChanges) {
  WriteDefaultSettingsIfMissing();
  const Settings started = LoadSettings();
  Settings first = started, second = started;
  first.musicVolume = 30;
  second.gameSpeed = 70;
  second.fullScreen = false;
  EXPECT_TRUE(SaveSettings(first, started));
  EXPECT_TRUE(SaveSettings(second, started));
  const Settings read = LoadSettings();
  EXPECT_EQ(read.musicVolume, 30);
  EXPECT_EQ(read.gameSpeed, 70);
  EXPECT_FALSE(read.fullScreen);
}

// A link to a file not made yet (kept in some synced folder, say): the defaults and every
// change go to the file it names, and the link stays.
TEST_F(SettingsTest, ALinkToAFileNotMadeYetGetsItMade) {
  fs::create_directories(home + "/vantrel");
  fs::create_symlink("../synced/vantrel.ini", SettingsFilePath());
  WriteDefaultSettingsIfMissing();
  Settings changed;
  changed.gameSpeed = 85;
  EXPECT_TRUE(SaveSettings(changed, Settings()));
  EXPECT_TRUE(fs::is_symlink(SettingsFilePath()));
  EXPECT_NE(Read().find("# Vantrel settings"), std::string::npos) << Read();
  EXPECT_NE(Read().find("\ngame_speed = 85\n"), std::string::npos) << Read();
  EXPECT_TRUE(fs::exists(home + "/synced/vantrel.ini"));
}

TEST_F(SettingsTest, AFolderThatCannotHoldTheFileLeavesTheDefaults) {
  // A file where the folder should be.
  std::ofstream(home + "/vantrel") << "not a folder";
  Settings changed;
  changed.musicVolume = 10;
  EXPECT_FALSE(SaveSettings(changed, Settings()));
  WriteDefaultSettingsIfMissing();
  EXPECT_TRUE(LoadSettings() == Settings());
  // A pipe in the file's place is neither read nor written over.
  fs::remove(home + "/vantrel");
  fs::create_directories(home + "/vantrel");
  ASSERT_EQ(mkfifo(SettingsFilePath().c_str(), 0644), 0);
  EXPECT_TRUE(LoadSettings() == Settings());
  EXPECT_FALSE(SaveSettings(changed, Settings()));
  EXPECT_TRUE(fs::is_fifo(SettingsFilePath()));
}

// A player who made the file read-only meant it: it stays as it is, and one line says so.
TEST_F(SettingsTest, AReadOnlyFileIsLeftAlone) {
  Write("music_volume = 30\n");
  chmod(SettingsFilePath().c_str(), 0444);
  Settings changed = LoadSettings();
  testing::internal::CaptureStderr();
  for (int volume : {40, 50}) {
    const Settings before = changed;
    changed.musicVolume = volume;
    EXPECT_FALSE(SaveSettings(changed, before));
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Cannot keep settings in " + SettingsFilePath() +
                ": it is read-only, so changes are not kept\n");
  EXPECT_EQ(Read(), "music_volume = 30\n");
  EXPECT_EQ(fs::status(SettingsFilePath()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
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

// Every key the game can name is read back as that key, so a binding survives the file.
TEST(KeyNames, EveryNamedKeyReadsBackAsItself) {
  int named = 0;
  for (unsigned key = 1; key < 256; ++key) {
    const std::string name = KeyName(key);
    if (name.empty()) continue;
    ++named;
    EXPECT_EQ(KeyFromName(name), key) << name;
  }
  EXPECT_GT(named, 80);
  EXPECT_EQ(KeyFromName("mouse_left"), 0x01u);
  EXPECT_EQ(KeyFromName("NOT A KEY"), 0u);
  EXPECT_EQ(KeyFromName(""), 0u) << "an empty value names no key";
}
