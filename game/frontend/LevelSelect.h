// Where the player picks one of the eight levels, goes to their own levels (YOUR LEVELS) or
// back to the main menu; every level goes through a loading screen. Won levels wear a badge
// and their best time.
#pragma once

#include <memory>
#include <string>

#include "AudioService.h"
#include "GameState.h"
#include "GlyphText.h"
#include "Progress.h"
#include "RunWatching.h"
#include "Sprite.h"
#include "TimeText.h"

class UIButton;

class LevelSelect : public GameState {
 public:
  static constexpr int kButtonCount = 10;  // levels 1 to 8, back, then YOUR LEVELS

  void Load() override;
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override;

  float delay = 0;  // seconds since entry while below half a second
  Sprite background;
  Sprite badge;
  unsigned wonLevels = 0;  // bit n for a won level n
  BestTimes best;
  Sprite bestPlate;
  TimeText times;
  // Owned by the UI object list; empty before Load and after Free.
  UIButton* buttons[kButtonCount] = {};
  MusicHandle music;
  bool musicStarted = false;
  // Under a level's button, where its best run is kept: the run (null when it cannot be
  // read) and the plate that plays it.
  std::shared_ptr<const RecordedRun> bestRuns[kButtonCount];
  WatchPlate watch[kButtonCount];
  std::string line;  // why a run was not played; empty for none
  GlyphText lineText;
};
