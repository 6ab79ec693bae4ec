#include "Settings.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "Controls.h"
#include "SavedFile.h"

namespace fs = std::filesystem;

namespace {

// A real file is a few hundred bytes; one far bigger is not ours.
constexpr off_t kMaxFileSize = 64 * 1024;

// One setting: its key, how its value is written and read back, and what a bad value is
// told it should be.
struct Key {
  const char* name;
  const char* expected;
  std::string (*write)(const Settings&);
  bool (*read)(const std::string&, Settings*);
};

bool ReadPercent(const std::string& text, int* percent) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != text.npos)
    return false;
  const int value = std::atoi(text.c_str());
  if (value > 100 || value % 10 != 0) return false;
  *percent = value;
  return true;
}

bool ReadYesNo(const std::string& text, bool* value) {
  for (const char* yes : {"yes", "on", "true", "1"}) {
    if (text == yes) return *value = true;
  }
  for (const char* no : {"no", "off", "false", "0"}) {
    if (text == no) return !(*value = false);
  }
  return false;
}

bool ReadSpeed(const std::string& text, int* speed) {
  for (int allowed : {100, 85, 70}) {
    if (text == std::to_string(allowed)) {
      *speed = allowed;
      return true;
    }
  }
  return false;
}

template <Action kAction>
std::string WriteKey(const Settings& settings) {
  return KeyName(settings.keys[kAction]);
}

template <Action kAction>
bool ReadKey(const std::string& text, Settings* settings) {
  const unsigned key = KeyFromName(text);
  if (!key) return false;
  settings->keys[kAction] = key;
  return true;
}

constexpr char kKeyExpected[] = "a key such as W, SPACE, LEFT_SHIFT or MOUSE_LEFT";

const char* VSyncName(VSyncMode mode) {
  return mode == VSyncMode::kOn ? "on" : mode == VSyncMode::kOff ? "off" : "auto";
}

const Key kKeys[] = {
    {"music_volume", "0 to 100 in steps of 10",
     [](const Settings& s) { return std::to_string(s.musicVolume); },
     [](const std::string& v, Settings* s) { return ReadPercent(v, &s->musicVolume); }},
    {"effects_volume", "0 to 100 in steps of 10",
     [](const Settings& s) { return std::to_string(s.effectsVolume); },
     [](const std::string& v, Settings* s) { return ReadPercent(v, &s->effectsVolume); }},
    {"fullscreen", "yes or no",
     [](const Settings& s) { return std::string(s.fullScreen ? "yes" : "no"); },
     [](const std::string& v, Settings* s) { return ReadYesNo(v, &s->fullScreen); }},
    {"vsync", "auto, on or off", [](const Settings& s) { return std::string(VSyncName(s.vsync)); },
     [](const std::string& v, Settings* s) {
       for (VSyncMode mode : {VSyncMode::kAuto, VSyncMode::kOn, VSyncMode::kOff}) {
         if (v == VSyncName(mode)) {
           s->vsync = mode;
           return true;
         }
       }
       return false;
     }},
    {"game_speed", "100, 85 or 70", [](const Settings& s) { return std::to_string(s.gameSpeed); },
     [](const std::string& v, Settings* s) { return ReadSpeed(v, &s->gameSpeed); }},
    {"exit_arrow", "yes or no",
     [](const Settings& s) { return std::string(s.exitArrow ? "yes" : "no"); },
     [](const std::string& v, Settings* s) { return ReadYesNo(v, &s->exitArrow); }},
    {"ghost", "yes or no", [](const Settings& s) { return std::string(s.ghost ? "yes" : "no"); },
     [](const std::string& v, Settings* s) { return ReadYesNo(v, &s->ghost); }},
    {"key_walk_up", kKeyExpected, WriteKey<Action::kWalkUp>, ReadKey<Action::kWalkUp>},
    {"key_walk_down", kKeyExpected, WriteKey<Action::kWalkDown>, ReadKey<Action::kWalkDown>},
    {"key_walk_left", kKeyExpected, WriteKey<Action::kWalkLeft>, ReadKey<Action::kWalkLeft>},
    {"key_walk_right", kKeyExpected, WriteKey<Action::kWalkRight>, ReadKey<Action::kWalkRight>},
    {"key_photograph", kKeyExpected, WriteKey<Action::kPhotograph>, ReadKey<Action::kPhotograph>},
    {"key_disguise", kKeyExpected, WriteKey<Action::kDisguise>, ReadKey<Action::kDisguise>},
    {"key_end_disguise", kKeyExpected, WriteKey<Action::kEndDisguise>,
     ReadKey<Action::kEndDisguise>},
    {"key_pause", kKeyExpected, WriteKey<Action::kPause>, ReadKey<Action::kPause>},
};

const char kHeading[] =
    "# Vantrel settings: one `key = value` a line. Edit them while the game is closed;\n"
    "# a bad value is replaced by its default, and lines the game does not know are kept.\n";

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == text.npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The key of a `key = value` line; empty for comments, blank lines and lines without '='.
std::string KeyOf(const std::string& line, std::string* value) {
  const std::string trimmed = Trim(line);
  const size_t equals = trimmed.find('=');
  if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' || equals == trimmed.npos)
    return "";
  *value = Trim(trimmed.substr(equals + 1));
  return Trim(trimmed.substr(0, equals));
}

const Key* FindKey(const std::string& name) {
  for (const Key& key : kKeys) {
    if (name == key.name) return &key;
  }
  return nullptr;
}

// The file's lines when it could be read.
SavedFileRead ReadLines(const std::string& path, std::vector<std::string>* lines, mode_t* mode,
                        std::string* problem) {
  std::string text;
  const SavedFileRead state = ReadSavedFile(path, kMaxFileSize, &text, mode, problem);
  if (state == SavedFileRead::kRead) *lines = SplitLines(text);
  return state;
}

// The file's lines with the new value of each key this save changed where the key first
// stood (its other lines dropped); keys the file lacks go last. The lines of unchanged keys
// stay as they are, so that a change another copy of the game saved meanwhile survives.
std::string Rewritten(const std::vector<std::string>& lines, const Settings& settings,
                      const Settings& before) {
  // The keys are one set: a change to any writes them all, so that a set the file held that
  // was refused (one key bound twice) cannot come back beside the new binding.
  const bool keysChanged = !(settings.keys == before.keys);
  const auto unchanged = [&](const Key* key) {
    if (keysChanged && std::strncmp(key->name, "key_", 4) == 0) return false;
    return key->write(settings) == key->write(before);
  };
  std::string text;
  std::set<const Key*> seen;
  for (const std::string& line : lines) {
    std::string value;
    const Key* key = FindKey(KeyOf(line, &value));
    const bool first = key && seen.insert(key).second;
    if (!key || unchanged(key)) {
      text += line + "\n";
    } else if (first) {
      text += std::string(key->name) + " = " + key->write(settings) + "\n";
    }
  }
  for (const Key& key : kKeys) {
    if (!seen.count(&key)) text += std::string(key.name) + " = " + key.write(settings) + "\n";
  }
  return text;
}

}  // namespace

std::string SettingsFilePath() {
  return UserFilePath("XDG_CONFIG_HOME", ".config", "settings.ini");
}

Settings LoadSettings() {
  Settings settings;
  const std::string path = SettingsFilePath();
  if (path.empty()) return settings;
  std::vector<std::string> lines;
  mode_t mode = 0;
  std::string problem;
  switch (ReadLines(path, &lines, &mode, &problem)) {
    case SavedFileRead::kUnreadable:
      SayOnce("Cannot read settings in " + path + ": " + problem + "; using the defaults");
      return settings;
    case SavedFileRead::kTooBig:
      SayOnce("Settings file " + path + " is far too big to be ours; using the defaults");
      return settings;
    default:
      break;
  }
  // A key set twice takes its last line, as a line added at the end is meant to.
  std::map<const Key*, size_t> lastLine;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string value;
    if (const Key* key = FindKey(KeyOf(lines[i], &value))) lastLine[key] = i;
  }
  const Settings defaults;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string value;
    const std::string name = KeyOf(lines[i], &value);
    const std::string where = "Settings file " + path + ", line " + std::to_string(i + 1) + ": ";
    const std::string trimmed = Trim(lines[i]);
    if (name.empty()) {
      if (!trimmed.empty() && trimmed[0] != '#' && trimmed[0] != ';')
        SayOnce(where + Quoted(trimmed) + " is not `key = value`; kept as it is");
      continue;
    }
    const Key* key = FindKey(name);
    if (!key) {
      SayOnce(where + "unknown setting " + Quoted(name) + ", kept as it is");
    } else if (lastLine[key] != i) {
      SayOnce(where + key->name + " is set again on line " + std::to_string(lastLine[key] + 1) +
              ", which counts");
    } else if (!key->read(value, &settings)) {
      SayOnce(where + key->name + " = " + Quoted(value) + " is not " + key->expected + "; using " +
              key->write(defaults));
    }
  }
  // One key for two actions would do both at once.
  for (int i = 0; i < kActionCount; ++i) {
    const int other = ActionBoundTo(settings.keys, settings.keys.keys[i], Action(i));
    if (other < 0) continue;
    SayOnce("Settings file " + path + ": " + KeyName(settings.keys.keys[i]) +
            " is bound twice; using the default keys");
    settings.keys = KeyBindings();
    break;
  }
  return settings;
}

bool SaveSettings(const Settings& settings, const Settings& before) {
  const std::string path = SettingsFilePath();
  if (path.empty()) {
    SayOnce("Cannot keep settings: neither XDG_CONFIG_HOME nor HOME is an absolute folder");
    return false;
  }
  const SavedFileUpdate update(path);
  std::string problem = update.Problem();
  std::vector<std::string> lines;
  mode_t mode = 0;
  if (update.Ready()) {
    switch (ReadLines(update.Target(), &lines, &mode, &problem)) {
      case SavedFileRead::kMissing:
        lines = SplitLines(kHeading);
        break;
      case SavedFileRead::kTooBig:
        problem = "it is far too big to be ours";
        break;
      case SavedFileRead::kRead:
        // A player who took away the right to write it meant it to stay as it is.
        if ((mode & 0222) == 0 || access(update.Target().c_str(), W_OK) != 0)
          problem = "it is read-only, so changes are not kept";
        break;
      default:  // unreadable, with the problem said
        break;
    }
  }
  if (update.Ready() && problem.empty() &&
      WriteReplacing(update.Target(), Rewritten(lines, settings, before), mode, &problem))
    return true;
  SayOnce("Cannot keep settings in " + path + ": " + problem);
  return false;
}

void WriteDefaultSettingsIfMissing() {
  const std::string path = SettingsFilePath();
  std::error_code error;
  // A link to a file not made yet counts as missing: the defaults are written through it.
  if (path.empty() || fs::exists(fs::status(path, error))) return;
  const Settings settings = LoadSettings();
  SaveSettings(settings, settings);
}

int ChooseSwapInterval(double refreshHz, VSyncMode mode) {
  if (mode == VSyncMode::kOff) return 0;
  const double multiple = std::round(refreshHz / 60);
  // NTSC-style rates such as 59.94 Hz count as 60: half a percent off at most.
  if (refreshHz > 0 && multiple >= 1 && std::fabs(refreshHz - 60 * multiple) <= 0.005 * refreshHz)
    return int(multiple);
  return mode == VSyncMode::kOn ? 1 : 0;
}
