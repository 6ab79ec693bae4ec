// Times on the result screen and the level select, set in the glyphs the art generator
// draws for them.
#pragma once

#include <string>

#include "Sprite.h"

// Minutes, seconds and the tenth, cut as the progress file cuts them: "1:23.4".
std::string FormatTime(double seconds);

class TimeText {
 public:
  // `scale` 1 is 36 units high.
  void Load(float scale);
  // Draws `seconds` centred on y, its left end at x when `align` is 0, its right end when 1.
  // Returns the x of its right end.
  float Draw(double seconds, float x, float y, float align);

 private:
  Sprite glyphs_;
  float scale_ = 1;
};
