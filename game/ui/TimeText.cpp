#include "TimeText.h"

#include <cstring>

#include "Progress.h"
#include "ResultPictures.h"

namespace {

// Glyphs stand in equal cells; the narrow colon and point take less room than digits.
float Advance(char glyph) { return kTimeGlyphWidth * (glyph == ':' || glyph == '.' ? 0.45f : 0.85f); }

}  // namespace

std::string FormatTime(double seconds) {
  const long tenths = TimeInTenths(seconds);
  const long wholeSeconds = tenths / 10 % 60;
  return std::to_string(tenths / 600) + ":" + (wholeSeconds < 10 ? "0" : "") +
         std::to_string(wholeSeconds) + "." + std::to_string(tenths % 10);
}

void TimeText::Load(float scale) {
  scale_ = scale;
  glyphs_.Init(kTimeGlyphCount, kTimeGlyphWidth * scale / 2, kTimeGlyphHeight * scale / 2);
  glyphs_.AddStrip(kTimeGlyphsPicture, kTimeGlyphCount, 0);
}

float TimeText::Draw(double seconds, float x, float y, float align) {
  const std::string text = FormatTime(seconds);
  float width = 0;
  for (char glyph : text) width += Advance(glyph) * scale_;
  float left = x - width * align;
  for (char glyph : text) {
    const float advance = Advance(glyph) * scale_;
    glyphs_.currentFrame = int(std::strchr(kTimeGlyphs, glyph) - kTimeGlyphs);
    BeginSpriteDraw(1.0f, left + advance / 2, y);
    glyphs_.DrawFrame();
    left += advance;
  }
  return left;
}
