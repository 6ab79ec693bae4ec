// A real level on a small map written by the test, run through the real state loop
// with scripted input, one 1/60 s frame at a time.
#pragma once

#include <functional>
#include <string>

#include "LevelBase.h"

class TestLevel : public LevelBase {
 public:
  // `rows` are the map's cell lines from the top row down, codes separated by spaces.
  TestLevel(std::vector<std::string> rows, KEVec2 playerStart, int tileSize = 50);
  void Load() override;
  void Unload() override;

  // Runs after the map is read and before the shared load: place monsters here.
  std::function<void(TestLevel&)> placeMonsters;
  // Creates a monster of `kind` at `position` the way a level does.
  Monster& AddMonster(int kind, KEVec2 position);
  // Centre of a cell, column from the left, row from the top of the written map.
  KEVec2 CellCentre(int column, int rowFromTop) const;

 private:
  std::vector<std::string> rows_;
  KEVec2 playerStart_;
  int tileSize_;
};

namespace test_level {

// Installs the scripted input, makes `level` the running state and enters it.
void Start(GameState* level);
// Runs `frames` frames; stops early when the level is left. Returns frames run.
int Run(int frames);
// Leaves the level (Free, Unload, destruction) and restores the machine's input.
void Finish();
// Points the cursor at a world position through the current camera.
void AimCursorAt(KEVec2 world);

}  // namespace test_level
