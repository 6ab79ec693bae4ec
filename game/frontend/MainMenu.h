// The hub: play, instructions, settings, credits and quit, with a yes/no confirmation for quit.
#pragma once

#include "AudioService.h"
#include "GameState.h"
#include "Sprite.h"

class UIButton;

class MainMenu : public GameState {
 public:
  void Load() override;
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override;

  void ShowConfirm(bool open);

  float delay = 0;  // seconds since entry while below half a second
  Sprite background;
  Sprite panel;
  // Owned by the UI object list; empty before Load and after Free.
  UIButton* play = nullptr;
  UIButton* quit = nullptr;
  UIButton* credits = nullptr;
  UIButton* instructions = nullptr;
  UIButton* settings = nullptr;
  UIButton* yes = nullptr;
  UIButton* no = nullptr;
  bool confirmVisible = false;
  MusicHandle music;
  bool musicStarted = false;
};
