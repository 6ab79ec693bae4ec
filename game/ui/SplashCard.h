// The first state until the front-end screens exist: one picture on black.
#pragma once

#include "GameState.h"

struct KEGfxTexture;
struct KEGfxVertexList;

class SplashCard : public GameState {
 public:
  explicit SplashCard(const char* picture);
  void Load() override;
  void Initialize() override {}
  void Update() override;  // Escape quits
  void Draw() override;
  void Free() override {}
  void Unload() override;

 private:
  const char* picture_;
  KEGfxTexture* texture_ = nullptr;
  KEGfxVertexList* quad_ = nullptr;
};
