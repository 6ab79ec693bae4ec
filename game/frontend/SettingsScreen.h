// The settings panel as a screen of its own, reached from the main menu, with the menu's
// music; BACK or Escape return to the main menu.
#pragma once

#include "AudioService.h"
#include "GameState.h"
#include "SettingsPanel.h"

class SettingsScreen : public GameState {
 public:
  void Load() override;
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override;

  SettingsPanel panel;
  float delay = 0;  // seconds since entry while below half a second
  MusicHandle music;
  bool musicStarted = false;
};
