// Vantrel: start the engine, run the states, shut down in order.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "DataDirectory.h"
#include "FinishedRun.h"
#include "FrontEnd.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KEReport.h"
#include "KESystem.h"
#include "LevelCheck.h"
#include "LevelEditor.h"
#include "LevelFile.h"
#include "LevelRoster.h"
#include "Levels.h"
#include "MainMenu.h"
#include "PadMappings.h"
#include "RunFile.h"
#include "RunWatching.h"
#include "SettingsInEffect.h"
#include "StartScreen.h"
#include "StateRequests.h"

namespace {

const char kUsage[] =
    "Usage: vantrel [--window | --fullscreen] [--level FILE | --edit FILE | --replay FILE]\n"
    "  --window        play in an 800 by 600 window this time\n"
    "  --fullscreen    play full screen this time\n"
    "  --level FILE    play the level in FILE (see the README), then quit\n"
    "  --edit FILE     open the level editor on FILE (a new level when there is none), then quit\n"
    "  --replay FILE   watch the run in FILE (a .run file), then go on to the main menu\n"
    "  --help          show this and quit\n"
    "  --version       show the game's version and quit\n"
    "Settings are kept in $XDG_CONFIG_HOME/vantrel/settings.ini (else "
    "~/.config/vantrel/settings.ini),\nwon levels in $XDG_DATA_HOME/vantrel/progress.txt (else "
    "~/.local/share/vantrel/progress.txt),\nyour own levels in $XDG_DATA_HOME/vantrel/levels/ "
    "(else ~/.local/share/vantrel/levels/),\nruns in $XDG_DATA_HOME/vantrel/runs/ (else "
    "~/.local/share/vantrel/runs/).\n"
    "Game controllers SDL does not know can be mapped in $XDG_CONFIG_HOME/vantrel/"
    "gamecontrollerdb.txt\nor SDL_GAMECONTROLLERCONFIG, in the community's mapping format.\n";

// The options override the settings file for this run only. Returns -1 to go on, else the
// exit code.
int ReadOptions(int argc, char** argv, Settings* settings, std::string* levelFile,
                std::string* editFile, std::string* runFile) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--window") == 0) {
      settings->fullScreen = false;
    } else if (std::strcmp(argv[i], "--fullscreen") == 0) {
      settings->fullScreen = true;
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if ((std::strcmp(argv[i], "--level") == 0 || std::strcmp(argv[i], "--edit") == 0) &&
               i + 1 < argc) {
      // Named before the move into the data folder, so relative to where we started; the
      // last one named counts.
      const bool edit = argv[i][2] == 'e';
      std::error_code error;
      (edit ? *editFile : *levelFile) = std::filesystem::absolute(argv[++i], error).string();
      (edit ? *levelFile : *editFile).clear();
      runFile->clear();
    } else if (std::strcmp(argv[i], "--replay") == 0 && i + 1 < argc) {
      std::error_code error;
      *runFile = std::filesystem::absolute(argv[++i], error).string();
      levelFile->clear();
      editFile->clear();
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("vantrel " VANTREL_VERSION);
      return 0;
    } else {
      KEReport("Unknown option \"%s\"\n%.*s", argv[i], int(sizeof kUsage - 2), kUsage);
      return 2;
    }
  }
  return -1;
}

// One level from a file: restart plays it again, the main menu or its exit ends the game.
GameState* ReloadFileLevel(unsigned target) {
  if (target == 0) return nullptr;
  auto* level = static_cast<LevelBase*>(CreateLevel(kLevelFromFile));
  level->ShowOverviewAtStart();
  return level;
}

GameState* EndFileLevel() {
  std::printf("%s: exit reached in %.1f s\n", FileLevelName().c_str(), gFinishedRun.seconds);
  return nullptr;
}

// The whole file is judged before any window opens: its first problem, and how many more,
// on one line.
bool ReadFileLevel(const std::string& path) {
  Level level;
  std::vector<std::string> problems;
  if (ReadLevelFile(path, &level, &problems) && problems.empty())
    for (const LevelProblem& problem : CheckLevel(level))
      problems.push_back(path + ": " + problem.Line());
  if (!problems.empty()) {
    const std::size_t more = problems.size() - 1;
    std::fprintf(stderr, "%s%s\n", problems[0].c_str(),
                 more ? (" (and " + std::to_string(more) + " more)").c_str() : "");
    return false;
  }
  SetFileLevel(CastOf(level, path), path);
  return true;
}

// A file to edit need not play yet, but it must read whole: what could not be read would be
// lost at the first save. A missing one is a new level.
bool CanEdit(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return true;
  Level level;
  std::vector<std::string> problems;
  if (ReadLevelFile(path, &level, &problems) && problems.empty()) return true;
  if (problems.empty()) problems.push_back(path + ": not a level");
  const std::size_t more = problems.size() - 1;
  std::fprintf(stderr, "%s%s\n", problems[0].c_str(),
               more ? (" (and " + std::to_string(more) + " more)").c_str() : "");
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Messages reach a log file or a pipe as they happen, not when the process ends.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const Settings saved = LoadSettings();
  Settings settings = saved;
  std::string levelFile, editFile, runFile;
  if (const int code = ReadOptions(argc, argv, &settings, &levelFile, &editFile, &runFile);
      code >= 0)
    return code;
  if (!levelFile.empty() && !ReadFileLevel(levelFile)) return 1;
  if (!editFile.empty() && !CanEdit(editFile)) return 1;
  auto run = std::make_shared<RecordedRun>();
  std::string problem;
  if (!runFile.empty() && !ReadRunFile(runFile, run.get(), &problem)) {
    std::fprintf(stderr, "%s: %s\n", runFile.c_str(), problem.c_str());
    return 1;
  }
  WriteDefaultSettingsIfMissing();
  if (!EnterDataDirectory()) return 1;
  // The level as this copy of the game has it must be the one the run was recorded on.
  if (!runFile.empty()) {
    const LevelCast* cast = LevelCastOf(run->level);
    problem = cast ? RunMismatch(*run, cast->checksum) : "it names no level of this game";
    if (!problem.empty()) {
      std::fprintf(stderr, "%s: not played: %s\n", runFile.c_str(), problem.c_str());
      return 1;
    }
  }
  if (!KESysInit(nullptr, 1, 800, 600, 0, 60, nullptr)) return 1;
  KESysSetWindowTitle("Vantrel");
  KESysReset();
  KESysSetWindowIcon("Assets/icon.png");
  KEGfxSetBackgroundColor(0, 0, 0);
  StartWithSettings(saved, settings);
  // Pads SDL does not know yet, in the community's mapping format.
  if (const std::string mappings = PadMappingsFilePath(); !mappings.empty())
    AddPadMappings(mappings, KEInputAddPadMapping);

  if (!editFile.empty()) {
    // Leaving the editor ends the game.
    SetEditorExit(nullptr);
    GameStateLoopBegin(CreateLevelEditor(editFile));
  } else if (!runFile.empty()) {
    ConnectFrontEnd();
    GameStateLoopBegin(WatchRun(run, [] { return new MainMenu; }));
    GameStateManager.level = run->level;
  } else if (levelFile.empty()) {
    ConnectFrontEnd();
    GameStateLoopBegin(new StartScreen);
  } else {
    SetLoadingScreenFactory(ReloadFileLevel);
    SetResultScreenFactory(EndFileLevel);
    GameStateLoopBegin(ReloadFileLevel(kLevelFromFile));
    GameStateManager.level = kLevelFromFile;
  }
  do {
    KeepWindowModeChanges();
  } while (GameStateLoopStep());

  KESysExit();
  return 0;
}
