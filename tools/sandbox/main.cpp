// vantrel-sandbox: plays one level straight away, with the real window, input and sound.
// Usage: vantrel-sandbox [--fullscreen] [--frames N] [--level N | map file]
// --level opens one of the game's eight levels (1 to 6, then the trials 7 and 8). A level
// file (see LevelFile.h) brings its own cast; it defaults to Sandbox.txt in the
// game's data folder. Restart reloads the level or the file, so edits show at once; the
// main menu, the exit cell or closing the window end the program.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "DataDirectory.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KESystem.h"
#include "LevelRoster.h"
#include "Player.h"
#include "SandboxLevel.h"
#include "StateRequests.h"

namespace {

std::string gMapFile = "Sandbox.txt";
int gLevelNumber = 0;  // one of the game's levels, or 0 for the map file

void SayWhereThePlayerIs() {
  if (gCurrentPlayer) {
    std::printf("player at (%.1f, %.1f)\n", gCurrentPlayer->position.x, gCurrentPlayer->position.y);
  }
}

GameState* Reload(unsigned target) {
  if (target == 0) {
    SayWhereThePlayerIs();
    std::printf("Main menu chosen: the sandbox ends\n");
    return nullptr;
  }
  std::printf("Restarting\n");
  if (gLevelNumber > 0) return CreateLevel(gLevelNumber);
  return new SandboxLevel(gMapFile);
}

GameState* Won() {
  SayWhereThePlayerIs();
  std::printf("Exit reached: the sandbox ends\n");
  return nullptr;
}

int Usage() {
  std::printf("usage: vantrel-sandbox [--fullscreen] [--frames N] [--level 1-%d | map file]\n",
              kLevelCount);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Messages reach a log file or a pipe as they happen, not when the process ends.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  bool fullScreen = false;
  long frameLimit = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--fullscreen") == 0) {
      fullScreen = true;
    } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      char* end = nullptr;
      frameLimit = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || frameLimit <= 0) return Usage();
    } else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
      char* end = nullptr;
      gLevelNumber = int(std::strtol(argv[++i], &end, 10));
      if (*end != '\0' || gLevelNumber < 1 || gLevelNumber > kLevelCount) return Usage();
    } else if (argv[i][0] == '-') {
      return Usage();
    } else {
      // Named before the move into the data folder, so relative to where we started.
      std::error_code error;
      gMapFile = std::filesystem::absolute(argv[i], error).string();
      // A device or a pipe would be read for ever.
      if (std::filesystem::exists(gMapFile, error) &&
          !std::filesystem::is_regular_file(gMapFile, error)) {
        std::printf("The map \"%s\" is not a regular file\n", gMapFile.c_str());
        return 1;
      }
    }
  }

  if (!EnterDataDirectory()) return 1;
  if (!KESysInit(nullptr, 1, 800, 600, 0, 60, nullptr)) return 1;
  KESysSetWindowTitle("Vantrel sandbox");
  KESysSetWindowIcon("Assets/icon.png");
  KEGfxSetBackgroundColor(0, 0, 0);
  if (fullScreen) KEToogleFullScreen(true);
  SetLoadingScreenFactory(Reload);
  SetResultScreenFactory(Won);

  // Restart only reloads a level with a number.
  const int number = gLevelNumber > 0 ? gLevelNumber : 1;
  auto* sandbox = gLevelNumber > 0 ? nullptr : new SandboxLevel(gMapFile);
  GameStateLoopBegin(sandbox ? sandbox : CreateLevel(gLevelNumber));
  GameStateManager.level = number;
  const bool mapRead = !sandbox || sandbox->MapRead();
  const LevelCast& cast = sandbox ? sandbox->GetCast() : *LevelCastOf(gLevelNumber);
  if (!mapRead) {
    std::printf("Cannot open the map \"%s\"\n", gMapFile.c_str());
  } else {
    std::printf(
        "%s: %zu monsters; WASD walk, left click photograph, right click disguise, "
        "G ghost, Escape pause\n",
        cast.mapFile.c_str(), cast.monsters.size());
  }

  long frames = 0;
  while (mapRead && GameStateLoopStep()) {
    if (frameLimit > 0 && ++frames >= frameLimit) break;
  }
  if (frameLimit > 0) SayWhereThePlayerIs();
  // Leave whatever still runs through its Free and Unload.
  if (GameStateManager.current) {
    GameStateManager.next = nullptr;
    GameStateLoopStep();
  }
  if (frameLimit > 0) std::printf("sandbox: %ld frames run\n", frames);
  KESysExit();
  return mapRead ? 0 : 1;
}
