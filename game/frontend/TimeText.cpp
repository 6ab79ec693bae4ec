#include "TimeText.h"

#include "Progress.h"
#include "ResultPictures.h"

std::string FormatTime(double seconds) {
  const long tenths = TimeInTenths(seconds);
  const long wholeSeconds = tenths / 10 % 60;
  return std::to_string(tenths / 600) + ":" + (wholeSeconds < 10 ? "0" : "") +
         std::to_string(wholeSeconds) + "." + std::to_string(tenths % 10);
}

void TimeText::Load(float scale) {
  text_.Load(kTimeGlyphsPicture, kTimeGlyphs, kTimeGlyphWidth, kTimeGlyphHeight, scale, ":.");
}
