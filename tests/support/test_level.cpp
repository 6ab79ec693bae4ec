#include "test_level.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "Monster.h"
#include "Player.h"
#include "test_input.h"

TestLevel::TestLevel(std::vector<std::string> rows, KEVec2 playerStart, int tileSize)
    : rows_(std::move(rows)), playerStart_(playerStart), tileSize_(tileSize) {}

void TestLevel::Load() {
  // One file per process: several test programs may run at once.
  const std::string file =
      std::string(P_tmpdir) + "/vantrel_test_level_" + std::to_string(getpid()) + ".txt";
  {
    std::ofstream out(file);
    size_t width = 0;
    for (size_t i = 0, n = 0; i <= rows_[0].size(); ++i) {
      if (i == rows_[0].size() || rows_[0][i] == ' ') {
        width += n > 0;
        n = 0;
      } else {
        ++n;
      }
    }
    out << "width " << width << "\nheight " << rows_.size() << "\ntilesize " << tileSize_
        << "\n";
    for (const std::string& row : rows_) out << row << "\n";
  }
  map.LoadFile(file.c_str());
  std::remove(file.c_str());
  if (placeMonsters) placeMonsters(*this);
  LevelBase::Load();
  player->position = playerStart_;
  player->UpdateTransform();
  gCurrentPlayer = player.get();
  camera = new LevelCamera(&player->position);
}

void TestLevel::Unload() {
  LevelBase::Unload();
}

Monster& TestLevel::AddMonster(int kind, KEVec2 position) {
  monster = CreateMonster(kind);
  monster->position = position;
  monster->UpdateTransform();
  return *monster;
}

KEVec2 TestLevel::CellCentre(int column, int rowFromTop) const {
  const float size = float(tileSize_);
  const float halfWidth = map.halfWidth, halfHeight = map.halfHeight;
  const int row = int(rows_.size()) - 1 - rowFromTop;
  return {size * column - halfWidth + size / 2, size * row - halfHeight + size / 2};
}

namespace test_level {

void Start(GameState* level) {
  test_input::Install();
  GameStateLoopBegin(level);
}

int Run(int frames) {
  GameState* level = GameStateManager.current;
  for (int i = 0; i < frames; ++i) {
    if (!GameStateLoopStep() || GameStateManager.current != level) return i + 1;
  }
  return frames;
}

void Finish() {
  if (GameStateManager.current) {
    GameStateManager.next = nullptr;
    GameStateLoopStep();
  }
  test_input::Uninstall();
}

void AimCursorAt(KEVec2 world) {
  float camX, camY;
  KEGfxGetCamPosition(&camX, &camY);
  test_input::SetCursor(int(world.x - camX + 400), int(300 - (world.y - camY)));
}

}  // namespace test_level
