// A state that does nothing, for tests that need one running or asked for.
#pragma once

#include "GameState.h"

class IdleState : public GameState {
 public:
  void Load() override {}
  void Initialize() override {}
  void Update() override {}
  void Draw() override {}
  void Free() override {}
  void Unload() override {}
};
