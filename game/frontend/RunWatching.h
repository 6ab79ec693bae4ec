// Watching a kept run in the real game, from the result screen, the level select or the
// command line, and the WATCH plates that lead there.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "GameState.h"
#include "GlyphText.h"
#include "Run.h"
#include "UIButton.h"

// The name a level's runs are kept under: its file's name without ".txt" ("Level3");
// empty for a number no level has.
std::string RunName(int level);
// The level's best run on disk, or null with `problem` saying why (empty when it has none).
std::shared_ptr<const RecordedRun> LoadBestRun(int level, std::string* problem);
// Why the run cannot be watched, in the glyphs a screen shows; empty when it can.
std::string UnwatchableLine(const RecordedRun& run);
// The run's level, watched from its start; `back` makes the state to go back to.
GameState* WatchRun(std::shared_ptr<const RecordedRun> run, std::function<GameState*()> back);

// A small plate saying WATCH, pressed like any button.
class WatchPlate {
 public:
  void Load(float x, float y, float width, float height, float textScale);
  void Update();  // after the UI objects' update: lit under the focus
  void Draw();
  UIButton* button = nullptr;  // owned by the UI object list

 private:
  GlyphText text_;
  float x_ = 0, y_ = 0;
};
