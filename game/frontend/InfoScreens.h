// Single-picture screens: credits and instructions with a back button to the main menu,
// and the result screen of a won level (its name, time, best time and the photos taken),
// which Space or the pad's A leaves for the level select (or YOUR LEVELS after one of the
// player's own).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DevicePrompt.h"
#include "GameState.h"
#include "GlyphText.h"
#include "RunWatching.h"
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

// What the result screen shows of a won level, worked out once when it first opens (and the
// win and its run are kept), and shown again after watching the run.
struct ResultFacts {
  int level = 0;
  std::string fileLevel;  // the name of the player's own level won; empty for a game level
  bool saved = true;
  double seconds = 0;  // this run's time; 0 when the level did not say
  double best = 0;     // the level's best time, this run's included
  bool newBest = false;
  std::vector<std::string> photos;
  std::shared_ptr<const RecordedRun> run;  // null when the level made none
  double ghostSeconds = 0;                 // the time of the ghost's run; 0 when none walked
};

class ResultScreen : public GameState {
 public:
  ResultScreen() = default;
  // Back from watching the run: the same screen, nothing kept again.
  explicit ResultScreen(ResultFacts facts) : facts_(std::move(facts)), known_(true) {}
  void Load() override;  // the first time, also keeps the win and its run
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override {}

  Sprite picture;
  DevicePicture goOn;  // how to leave, for the device in use
  Sprite notSaved;     // shown when the win could not be written to disk
  Sprite levelName, timeLabel, bestLabel, newBestTag, noPhotos;
  GlyphText fileName;  // an own level's name
  TimeText times;
  std::vector<Sprite> photos;  // one card per photo taken, in order
  WatchPlate watch;            // plays the run again; there only when it was recorded
  GlyphText ghostWords;        // how this run ended against the ghost's
  TimeText ghostTime;
  const ResultFacts& Facts() const { return facts_; }

 private:
  ResultFacts facts_;
  bool known_ = false;
};
