// The badge the level select puts on the corner of each won level's button: an amber
// medal with a check mark, readable at 32 x 32 over both the idle and the hover plate; and
// the result screen's notice of a win that could not be saved.
#include <cmath>

#include "generators.h"

namespace {

Image WonBadge() {
  Canvas c(32, 32);
  cairo_t* cr = c.cr();
  cairo_arc(cr, 16, 17, 13.5, 0, 2 * M_PI);
  FillStroke(cr, Hex(0x000000, 0.5), {}, 0);
  cairo_arc(cr, 16, 16, 13, 0, 2 * M_PI);
  FillGradient(cr, cairo_pattern_create_linear(0, 3, 0, 29),
               {Hex(0xffd77a), pal::kAmber, Hex(0xb8730f)}, true);
  Stroke(cr, pal::kInk, 2.5, true);
  Stroke(cr, Hex(0xfff0c8), 1);
  cairo_move_to(cr, 9.5, 16.5);
  cairo_line_to(cr, 14, 21);
  cairo_line_to(cr, 22.5, 11);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  Stroke(cr, pal::kInk, 5.5, true);
  Stroke(cr, Hex(0xffffff), 3);
  return c.Take();
}

// Shown on the result screen when the win could not be written to disk: an amber warning
// on a dark plate.
Image NotSavedNotice() {
  Canvas c(560, 44);
  cairo_t* cr = c.cr();
  PathRoundRect(cr, 2, 2, 556, 40, 10);
  FillStroke(cr, WithAlpha(pal::kPanel, 0.92), pal::kAmber, 2);
  cairo_arc(cr, 26, 22, 11, 0, 2 * M_PI);
  FillStroke(cr, pal::kAmber, {}, 0);
  DrawText(cr, "!", 26, 22, Style(Font::SansBold, 17, pal::kInk));
  const char* words = "Not saved: this win counts only until you quit";
  DrawText(cr, words, 46, 22,
           Style(Font::SansBold, FitSize(cr, words, Font::SansBold, 19, 500), pal::kCream, 2), 0);
  return c.Take();
}

}  // namespace

void MakeBadges(AssetSet& set) {
  set.Add("UI/WonBadge.png", WonBadge());
  set.Add("UI/NotSaved.png", NotSavedNotice());
}
