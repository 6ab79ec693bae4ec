// Times on the result screen and the level select, set in the glyphs the art generator
// draws for them.
#pragma once

#include <string>

#include "GlyphText.h"

// Minutes, seconds and the tenth, cut as the progress file cuts them: "1:23.4".
std::string FormatTime(double seconds);

class TimeText {
 public:
  // `scale` 1 is 36 units high.
  void Load(float scale);
  float Draw(double seconds, float x, float y, float align) {
    return text_.Draw(FormatTime(seconds), x, y, align);
  }

 private:
  GlyphText text_;
};
