// Text set in a strip of equal cells that the art generator draws, one glyph in each: the
// times of the result screen and the level select, the key names of the controls panel.
#pragma once

#include <string>

#include "Sprite.h"

class GlyphText {
 public:
  // `glyphs` lists the strip's cells in order; the `narrow` ones take less room.
  // A glyph advances by `advance` of its cell, a narrow one by about half that.
  void Load(const char* picture, const char* glyphs, int cellWidth, int cellHeight, float scale,
            const char* narrow = "", float advance = 0.85f);
  // Draws `text` centred on y, its left end at x when `align` is 0, its right end when 1,
  // its middle when 0.5; a character the strip lacks is left out. Returns its right end.
  float Draw(const std::string& text, float x, float y, float align);

 private:
  float Advance(char glyph) const;
  Sprite strip_;
  const char* glyphs_ = "";
  const char* narrow_ = "";
  float cellWidth_ = 0;
  float advance_ = 0.85f;
};
