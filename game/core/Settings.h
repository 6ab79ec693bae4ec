// The player's settings, kept between runs in plain `key = value` lines a person can edit:
// $XDG_CONFIG_HOME/vantrel/settings.ini, else ~/.config/vantrel/settings.ini.
#pragma once

#include <string>

enum class VSyncMode { kAuto, kOn, kOff };

// What the player can bind a key or mouse button to, in the order the settings list them.
enum class Action { kWalkUp, kWalkDown, kWalkLeft, kWalkRight, kPhotograph, kDisguise,
                    kEndDisguise, kPause };
constexpr int kActionCount = 8;

struct KeyBindings {
  // Physical keys and mouse buttons, as key codes.
  unsigned keys[kActionCount] = {'W', 'S', 'A', 'D', 0x01, 0x02, 0x04, 0x1B};
  unsigned& operator[](Action action) { return keys[int(action)]; }
  unsigned operator[](Action action) const { return keys[int(action)]; }
  bool operator==(const KeyBindings& other) const {
    for (int i = 0; i < kActionCount; ++i) {
      if (keys[i] != other.keys[i]) return false;
    }
    return true;
  }
};

struct Settings {
  int musicVolume = 100;    // percent, in steps of 10
  int effectsVolume = 100;  // percent, in steps of 10
  bool fullScreen = true;
  VSyncMode vsync = VSyncMode::kAuto;
  int gameSpeed = 100;  // percent of full speed in the levels: 100, 85 or 70
  bool exitArrow = true;  // an arrow at the view's edge points to the exit off screen
  bool ghost = true;      // the level's best run walks beside the player
  KeyBindings keys;

  bool operator==(const Settings& other) const {
    return musicVolume == other.musicVolume && effectsVolume == other.effectsVolume &&
           fullScreen == other.fullScreen && vsync == other.vsync && gameSpeed == other.gameSpeed &&
           exitArrow == other.exitArrow && ghost == other.ghost && keys == other.keys;
  }
  bool operator!=(const Settings& other) const { return !(*this == other); }
};

// Empty when neither folder is known.
std::string SettingsFilePath();
// The defaults, silently, without a file; a bad line or value gives one line naming it and
// the default used in its place. A key set on two lines takes the last, after one line.
Settings LoadSettings();
// Rewrites the file the way progress is written, with each setting that differs from
// `before` changed in its place (a changed key binding writes all the keys); comments, unknown keys, order and the lines of the other
// settings stay, and settings the file lacks are added. Returns false, after one line saying
// why, when it cannot be written; a read-only file is never written.
bool SaveSettings(const Settings& settings, const Settings& before);
// Writes the defaults out when there is no file yet, so that a person finds one to edit.
void WriteDefaultSettingsIfMissing();

// How many display refreshes each frame is shown for with vsync (0: no vsync, the loop
// paces itself). Vsync needs a refresh rate that is a whole multiple of the 60 updates a
// second, so that every update is shown equally long; `kOn` forces it at any known rate.
int ChooseSwapInterval(double refreshHz, VSyncMode mode);
