// The controls screen, reached from the settings: each action's key, rebound by pressing its
// plate (a click, or Enter on the focused one) and then the new key or mouse button. A key
// already in use is refused with a line saying for what; RESET brings back the default keys.
// The pad's layout is fixed and listed beside the keys.
#pragma once

#include <string>

#include "GlyphText.h"
#include "KEMath.h"
#include "Settings.h"
#include "Sprite.h"
#include "UIButton.h"

class ControlsPanel {
 public:
  // Reads its pictures and makes its buttons, closed, at the end of the UI object list.
  void Load();
  // After the UI object list was freed: its buttons went with it.
  void Forget();
  void Open(bool open);
  bool IsOpen() const { return open_; }
  // This frame's clicks and keys, after the UI objects' update; true when BACK was pressed.
  bool Update(KEVec2 view);
  // The backdrop, then every UI object, then the key names and the message.
  void Draw(KEVec2 view);

  UIButton* keys[kActionCount] = {};
  UIButton* reset = nullptr;
  UIButton* back = nullptr;
  int waitingFor = -1;  // the action whose new key is awaited, or -1
  std::string message;  // under the rows; empty for none

 private:
  void Wait(int action);
  void TakeKey();
  ButtonGroup group_;  // every button above
  Sprite backdrop_;
  GlyphText text_;
  bool open_ = false;
};
