// The first state until the front-end screens exist: one picture on black.
#pragma once

#include "GameState.h"
#include "Sprite.h"

class SplashCard : public GameState {
 public:
  explicit SplashCard(const char* picture);
  void Load() override;
  void Initialize() override {}
  void Update() override;  // Escape quits
  void Draw() override;
  void Free() override {}
  void Unload() override {}

 private:
  const char* picture_;
  Sprite sprite_;
};
