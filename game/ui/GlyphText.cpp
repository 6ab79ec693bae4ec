#include "GlyphText.h"

#include <cstring>

void GlyphText::Load(const char* picture, const char* glyphs, int cellWidth, int cellHeight,
                     float scale, const char* narrow, float advance) {
  glyphs_ = glyphs;
  advance_ = advance;
  narrow_ = narrow;
  cellWidth_ = float(cellWidth) * scale;
  const int count = int(std::strlen(glyphs));
  strip_.Init(count, cellWidth_ / 2, float(cellHeight) * scale / 2);
  strip_.AddStrip(picture, unsigned(count), 0);
}

// Glyphs stand in equal cells; narrow ones (a colon, a point) take less room than the rest.
float GlyphText::Advance(char glyph) const {
  return cellWidth_ * advance_ * (std::strchr(narrow_, glyph) ? 0.53f : 1.0f);
}

float GlyphText::Draw(const std::string& text, float x, float y, float align) {
  float width = 0;
  for (char glyph : text) width += Advance(glyph);
  float left = x - width * align;
  for (char glyph : text) {
    const float advance = Advance(glyph);
    const char* cell = glyph ? std::strchr(glyphs_, glyph) : nullptr;
    if (cell) {
      strip_.currentFrame = int(cell - glyphs_);
      BeginSpriteDraw(1.0f, left + advance / 2, y);
      strip_.DrawFrame();
    }
    left += advance;
  }
  return left;
}
