// The status strip along the bottom of a level's view, as the player writes to it: the pace
// of its look and the pictures of its photos. The strip belongs to the level, which hands it
// to its player; a player without one (in tests and tools) plays all the same.
#pragma once

#include <string>

class StatusStrip {
 public:
  // The strip is opaque and covers the bottom of the view, whatever lies under it.
  static constexpr float kStripHeight = 80;

  virtual ~StatusStrip() = default;
  virtual void SetStatusImage(const std::string& name) = 0;
  virtual void ResetStatusImage() = 0;
  // Slot 0 to 2 shows the empty picture again.
  virtual void ResetPicture(int slot) = 0;
  virtual void SetPicture(int slot, const std::string& name) = 0;
};
