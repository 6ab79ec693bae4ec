// What the Game Over and result screens fill in at run time: the line saying why a try
// ended, each level's name, the result's labels, the glyphs its times are set in, and the
// line saying how to go on.
#include <cstring>
#include <string>

#include "ControlsPictures.h"
#include "DeathLines.h"
#include "EditorPictures.h"
#include "LevelNames.h"
#include "PromptPictures.h"
#include "ResultPictures.h"
#include "YourLevelsPictures.h"
#include "screens.h"

std::string InAssets(const char* path) {
  const char prefix[] = "Assets/";
  return std::strncmp(path, prefix, sizeof prefix - 1) == 0 ? path + sizeof prefix - 1 : path;
}

namespace {

// The way on after a death or a win, in the lettering of the picture it is drawn over.
Image HintPicture(const char* what, const TextStyle& style, bool pad) {
  Canvas c(kHintWidth, kHintHeight);
  PressToGoOn(c.cr(), kHintWidth / 2.0, kHintHeight / 2.0, what, style, pad);
  return c.Take();
}

// Drawn under "GAME OVER" on its dark red, as the sentence it replaces was.
Image DeathLinePicture(const char* words) {
  Canvas c(760, 40);
  cairo_t* cr = c.cr();
  const double size = FitSize(cr, words, Font::SansBold, 22, 740);
  DrawText(cr, words, 380, 20, Style(Font::SansBold, size, Hex(0xffd9c2), 0, 2));
  return c.Take();
}

Image LevelNamePicture(const char* name) {
  Canvas c(400, 48);
  DrawText(c.cr(), name, 200, 24, Style(Font::SansBold, 32, pal::kTealBright, 3, 3));
  return c.Take();
}

// A label that ends at its right edge, beside the time it names.
Image Label(const char* words) {
  Canvas c(160, 36);
  DrawText(c.cr(), words, 156, 18, Style(Font::SansBold, 22, pal::kTeal, 0, 2), 1);
  return c.Take();
}

Image NewBestTag() {
  Canvas c(150, 36);
  cairo_t* cr = c.cr();
  PathRoundRect(cr, 3, 4, 144, 28, 14);
  FillStroke(cr, pal::kAmber, pal::kInk, 2);
  DrawText(cr, "NEW BEST", 75, 18, Style(Font::SansBold, 18, pal::kInk));
  return c.Take();
}

Image NoPhotos() {
  Canvas c(360, 36);
  DrawText(c.cr(), "No photos taken", 180, 18, Style(Font::Sans, 22, pal::kCream, 0, 2));
  return c.Take();
}

// Behind a best time in the level select, so that it reads over the button's edge.
Image BestTimePlate() {
  Canvas c(84, 24);
  PathRoundRect(c.cr(), 1, 1, 82, 22, 11);
  FillStroke(c.cr(), WithAlpha(pal::kPanel, 0.9), pal::kAmber, 1.5);
  return c.Take();
}

Image KeyGlyphs() {
  Canvas c(kKeyGlyphWidth * kKeyGlyphCount, kKeyGlyphHeight);
  for (int i = 0; i < kKeyGlyphCount; ++i) {
    const char glyph[] = {kKeyGlyphs[i], '\0'};
    DrawText(c.cr(), glyph, kKeyGlyphWidth * (i + 0.5), kKeyGlyphHeight / 2.0,
             Style(Font::SansBold, 17, pal::kCream, 0, 2));
  }
  return c.Take();
}

// The editor's lines: every printable character in a plain monospaced face, so that any
// name and any problem line can be set.
Image EditorGlyphs() {
  Canvas c(kEditorGlyphWidth * kEditorGlyphCount, kEditorGlyphHeight);
  for (int i = 0; i < kEditorGlyphCount; ++i) {
    const char glyph[] = {kEditorGlyphs[i], '\0'};
    DrawText(c.cr(), glyph, kEditorGlyphWidth * (i + 0.5), kEditorGlyphHeight / 2.0,
             Style(Font::MonoBold, 26, pal::kCream, 0, 2));
  }
  return c.Take();
}

Image TimeGlyphs() {
  Canvas c(kTimeGlyphWidth * kTimeGlyphCount, kTimeGlyphHeight);
  for (int i = 0; i < kTimeGlyphCount; ++i) {
    const char glyph[] = {kTimeGlyphs[i], '\0'};
    DrawText(c.cr(), glyph, kTimeGlyphWidth * (i + 0.5), kTimeGlyphHeight / 2.0,
             Style(Font::SansBold, 30, pal::kCream, 0, 2));
  }
  return c.Take();
}

// Monospaced, so the strip's equal cells space the letters evenly.
Image ListGlyphs(Color color) {
  Canvas c(kListGlyphWidth * kListGlyphCount, kListGlyphHeight);
  for (int i = 0; i < kListGlyphCount; ++i) {
    const char glyph[] = {kListGlyphs[i], '\0'};
    DrawText(c.cr(), glyph, kListGlyphWidth * (i + 0.5), kListGlyphHeight / 2.0,
             Style(Font::MonoBold, 19, color, 0, 1.5));
  }
  return c.Take();
}

}  // namespace

void MakeOutcomes(AssetSet& set) {
  for (const DeathLine& line : kDeathLines)
    set.Add(InAssets(line.picture), DeathLinePicture(line.words));
  for (int i = 0; i < int(sizeof kLevelNames / sizeof kLevelNames[0]); ++i)
    set.Add(InAssets(kLevelNamePictures[i]), LevelNamePicture(kLevelNames[i]));
  set.Add(InAssets(kTimeGlyphsPicture), TimeGlyphs());
  set.Add(InAssets(kKeyGlyphsPicture), KeyGlyphs());
  set.Add(InAssets(kListGlyphsPicture), ListGlyphs(pal::kCream));
  set.Add(InAssets(kProblemGlyphsPicture), ListGlyphs(pal::kAmber));
  set.Add(InAssets(kEditorGlyphsPicture), EditorGlyphs());
  set.Add(InAssets(kTimeLabelPicture), Label("TIME"));
  set.Add(InAssets(kBestLabelPicture), Label("BEST"));
  set.Add(InAssets(kNewBestPicture), NewBestTag());
  set.Add(InAssets(kNoPhotosPicture), NoPhotos());
  set.Add(InAssets(kBestTimePlatePicture), BestTimePlate());
  for (bool pad : {false, true}) {
    set.Add(InAssets(Prompt(kTryAgainPictures, pad)),
            HintPicture("to try again", Style(Font::SansBold, 20, pal::kCream), pad));
    set.Add(InAssets(Prompt(kContinuePictures, pad)),
            HintPicture("to continue", Style(Font::SansBold, 22, pal::kCream, 2), pad));
  }
}
