// The short animated picture shown before the main menu or a level; after just over a
// second it creates the state it was made for.
#pragma once

#include "GameState.h"
#include "Sprite.h"

// Where loading screens get their levels: the level roster unless a test gives its own.
using LevelMaker = GameState* (*)(int number);
void SetLevelMaker(LevelMaker maker);  // null: the level roster
// A new level state for `number` from the maker in use, or null.
GameState* MakeLevel(int number);

class LoadingScreen : public GameState {
 public:
  // 0 the main menu, 1 to 6 the story levels, 7 and 8 the trials.
  explicit LoadingScreen(unsigned target_) : target(target_) {}
  void Load() override;
  void Initialize() override {}
  void Update() override;
  void Draw() override;
  void Free() override {}
  void Unload() override {}

  Sprite picture;
  double timer = 0;  // seconds since the state was entered
  unsigned target;
};
