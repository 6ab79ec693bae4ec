// The bar over a watched run: buttons to pause, to watch at 1x, 2x or 4x, to go on a frame
// while paused, to start again and to leave, with the keys and pad buttons that do the same,
// the run's time, and the line saying why a run stopped.
#pragma once

#include <string>

#include "GlyphText.h"
#include "KEMath.h"
#include "UIButton.h"

// What the watcher asked for this frame.
struct WatchAsks {
  bool pause = false;  // pause, or go on after a pause
  int speed = 0;       // 1, 2 or 4 world steps a frame; 0 unchanged
  bool step = false;   // one step while paused
  bool again = false;  // from the start
  bool leave = false;
};

class WatchBar {
 public:
  static constexpr int kButtonCount = 7;
  // Makes its buttons at the end of the UI object list.
  void Load();
  // After the UI object list was freed: its buttons went with it.
  void Forget();
  // After the UI objects' update: the clicks, keys and pad buttons of this frame.
  WatchAsks Update(KEVec2 view, bool paused, int speed);
  void Draw(KEVec2 view, double seconds, bool paused, int speed, const std::string& stopped);

  UIButton* buttons[kButtonCount] = {};

 private:
  ButtonGroup group_;
  GlyphText text_;
};
