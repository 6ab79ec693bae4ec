// Single-picture screens: credits and instructions with a back button to the main menu,
// and the result screen of a won level (its name, time, best time and the photos taken),
// which Space or the pad's A leaves for the level select (or YOUR LEVELS after one of the
// player's own).
#pragma once

#include <vector>

#include "DevicePrompt.h"
#include "GameState.h"
#include "GlyphText.h"
#include "Sprite.h"
#include "TimeText.h"
#include "UIButton.h"

// A full-screen picture and a back button leading to a new main menu. A picture that names
// keys has a pad version too.
class PictureWithBackScreen : public GameState {
 public:
  PictureWithBackScreen(const PromptPictures& picture, const ButtonSpec& back);
  void Load() override;
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override {}

  DevicePicture picture;
  UIButton* back = nullptr;  // owned by the UI object list

 private:
  PromptPictures pictureFiles_;
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
  DevicePicture goOn;  // how to leave, for the device in use
  Sprite notSaved;  // shown when the win could not be written to disk
  bool saved = true;
  double seconds = 0;  // this run's time; 0 when the level did not say
  double best = 0;     // the level's best time, this run's included
  bool newBest = false;
  Sprite levelName, timeLabel, bestLabel, newBestTag, noPhotos;
  bool fileLevel = false;  // one of the player's own levels, named in glyphs
  GlyphText fileName;
  TimeText times;
  std::vector<Sprite> photos;  // one card per photo taken, in order
};
