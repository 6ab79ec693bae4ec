// Single-picture screens: credits and instructions with a back button to the main menu,
// and the result screen of a won level, which Space leaves for the level select.
#pragma once

#include "GameState.h"
#include "Sprite.h"
#include "UIButton.h"

// A full-screen picture and a back button leading to a new main menu.
class PictureWithBackScreen : public GameState {
 public:
  PictureWithBackScreen(const char* picture, const ButtonSpec& back);
  void Load() override;
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override {}

  Sprite picture;
  UIButton* back = nullptr;  // owned by the UI object list

 private:
  const char* pictureFile_;
  ButtonSpec backLayout_;
};

class CreditsScreen : public PictureWithBackScreen {
 public:
  CreditsScreen();
};

class InstructionScreen : public PictureWithBackScreen {
 public:
  InstructionScreen();
};

class ResultScreen : public GameState {
 public:
  void Load() override;  // also remembers the won level
  void Initialize() override {}
  void Update() override;
  void Draw() override;
  void Free() override {}
  void Unload() override {}

  Sprite picture;
  Sprite notSaved;  // shown when the win could not be written to disk
  bool saved = true;
};
