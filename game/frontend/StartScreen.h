// The first state of every run: the title picture with the studio's line over it, fading
// out, then the main menu.
#pragma once

#include "GameState.h"
#include "Sprite.h"

class StartScreen : public GameState {
 public:
  void Load() override;
  void Initialize() override {}
  void Update() override;  // a skip key, or 4 s, leads to the main menu
  void Draw() override;
  void Free() override {}
  void Unload() override {}

  Sprite picture;    // the title
  double timer = 0;  // seconds since the state was entered
  // Starts at 1 and falls from the third second. The start screen runs once per
  // run, so it belongs to the screen rather than to the process.
  float splashOpacity = 1.0f;
};
