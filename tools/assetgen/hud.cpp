// The status strip along the bottom of a level and everything drawn into it, plus
// the photo flash, the game-over picture, the level overview and the exit arrow.
#include <cmath>

#include "ChargePictures.h"
#include "LevelNames.h"
#include "OverviewLegend.h"
#include "PhotoRefusals.h"
#include "PromptPictures.h"
#include "creatures.h"
#include "screens.h"

namespace {

constexpr Color kSocket = Hex(0x0b0d14);

// Where the status display draws into the strip (x from the left, y from the top).
constexpr double kStatusX = 205, kDigitX[2] = {370, 410}, kPhotoX[3] = {570, 650, 730};
constexpr double kItemY = 45;

void Socket(cairo_t* cr, double cx, double cy, double w, double h) {
  PathRoundRect(cr, cx - w / 2 - 3, cy - h / 2 - 3, w + 6, h + 6, 5);
  FillStroke(cr, kSocket, WithAlpha(pal::kTeal, 0.7), 1.5);
  PathRoundRect(cr, cx - w / 2 - 5.5, cy - h / 2 - 5.5, w + 11, h + 11, 7);
  Stroke(cr, Hex(0x000000, 0.5), 1);
}

// The disguise counter: the game draws its two digits 40 pixels apart, so they sit in
// two windows of one bezel, side by side like the wheels of a camera's frame counter.
void Counter(cairo_t* cr, double cx, double cy) {
  const double half = kDigitX[1] - cx + 21;
  PathRoundRect(cr, cx - half, cy - 16, 2 * half, 32, 6);
  FillGradient(cr, cairo_pattern_create_linear(0, cy - 16, 0, cy + 16),
               {Hex(0x4a5470), Hex(0x262c3e)}, true);
  Stroke(cr, pal::kInk, 1.5);
  PathRoundRect(cr, cx - half - 2.5, cy - 18.5, 2 * half + 5, 37, 8);
  Stroke(cr, WithAlpha(pal::kTeal, 0.7), 1.5);
  for (double x : kDigitX) {
    PathRoundRect(cr, x - 17, cy - 12.5, 34, 25, 3);
    FillStroke(cr, kSocket, Hex(0x000000, 0.8), 1.2);
  }
}

void CameraGlyph(cairo_t* cr, double cx, double cy, double size, Color c) {
  double s = size / 20;
  PathRoundRect(cr, cx - 10 * s, cy - 6 * s, 20 * s, 13 * s, 2.5 * s);
  cairo_rectangle(cr, cx - 4 * s, cy - 9 * s, 8 * s, 3.5 * s);
  SetColor(cr, c);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + 0.5 * s, 4.6 * s, 0, 2 * M_PI);
  SetColor(cr, pal::kInk);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + 0.5 * s, 2.6 * s, 0, 2 * M_PI);
  SetColor(cr, c);
  cairo_fill(cr);
}

Image StatusBar() {
  Canvas c(800, 80);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 800, 80);
  FillGradient(cr, cairo_pattern_create_linear(0, 0, 0, 80),
               {Color{0.14, 0.16, 0.23, 1}, Color{0.06, 0.07, 0.10, 1}});
  cairo_rectangle(cr, 0, 0, 800, 3);
  FillStroke(cr, pal::kTeal, {}, 0);
  cairo_rectangle(cr, 0, 3, 800, 1);
  FillStroke(cr, Hex(0x000000, 0.6), {}, 0);
  for (double x : {8.0, 792.0, 268.0, 460.0})
    for (double y : {14.0, 70.0}) {
      cairo_arc(cr, x, y, 2, 0, 2 * M_PI);
      FillStroke(cr, Hex(0x3a4258), Hex(0x000000, 0.6), 0.8);
    }
  CameraGlyph(cr, 30, 42, 24, pal::kTeal);
  TextStyle logo;
  logo.size = 14;
  logo.color = pal::kCream;
  DrawText(cr, "VANTREL", 48, 42, logo, 0);

  TextStyle label;
  label.size = 11;
  label.color = pal::kMuted;
  Socket(cr, kStatusX, kItemY, 50, 50);
  DrawText(cr, "SPEED", kStatusX - 36, kItemY, label, 1);
  Counter(cr, (kDigitX[0] + kDigitX[1]) / 2, kItemY);
  DrawText(cr, "DISGUISE", kDigitX[0] - 30, kItemY, label, 1);
  DrawText(cr, "SEC", kDigitX[1] + 30, kItemY, label, 0);
  DrawText(cr, "PHOTOS", kPhotoX[0] - 36, kItemY, label, 1);
  for (double x : kPhotoX) Socket(cr, x, kItemY, 50, 50);
  return c.Take();
}

// Seven-segment digits, like the timer on a camera's self-release.
Image Digit(int d) {
  static const char* kSegments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                      "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
  Canvas c(20, 20);
  cairo_t* cr = c.cr();
  SetColor(cr, kSocket);
  cairo_paint(cr);
  // Segment ends: a top, b top right, c bottom right, d bottom, e bottom left, f top left, g middle.
  const double L = 3.8, R = 16.2, T = 2.2, M = 10, B = 17.8;
  const double seg[7][4] = {{L, T, R, T}, {R, T, R, M}, {R, M, R, B}, {L, B, R, B},
                            {L, M, L, B}, {L, T, L, M}, {L, M, R, M}};
  for (int pass = 0; pass < 2; ++pass)
    for (int s = 0; s < 7; ++s) {
      bool on = std::string(kSegments[d]).find(char('a' + s)) != std::string::npos;
      if (on != (pass == 1)) continue;
      cairo_move_to(cr, seg[s][0] + (seg[s][0] == seg[s][2] ? 0 : 1.3),
                    seg[s][1] + (seg[s][1] == seg[s][3] ? 0 : 1.3));
      cairo_line_to(cr, seg[s][2] - (seg[s][0] == seg[s][2] ? 0 : 1.3),
                    seg[s][3] - (seg[s][1] == seg[s][3] ? 0 : 1.3));
      Stroke(cr, on ? Hex(0xffc04a) : Hex(0x2a2418), 3);
    }
  return c.Take();
}

// A photo slot with nothing in it: the socket and its dashed frame.
void EmptySlot(cairo_t* cr) {
  SetColor(cr, kSocket);
  cairo_paint(cr);
  PathRoundRect(cr, 4, 4, 42, 42, 4);
  const double dash[] = {4, 3};
  cairo_set_dash(cr, dash, 2, 0);
  Stroke(cr, Hex(0x4a5268), 1.5);
  cairo_set_dash(cr, nullptr, 0, 0);
}

Image EmptyPhoto() {
  Canvas c(50, 50);
  cairo_t* cr = c.cr();
  EmptySlot(cr);
  CameraGlyph(cr, 25, 25, 22, Hex(0x353c50));
  return c.Take();
}

// The empty slot the next photo fills while the camera recharges: the camera dimmed and a
// bar under it that fills with each step, gone once the camera is ready.
Image ChargingPhoto(int step) {
  Canvas c(50, 50);
  cairo_t* cr = c.cr();
  EmptySlot(cr);
  CameraGlyph(cr, 25, 21, 20, Hex(0x262b3a));
  PathRoundRect(cr, 9, 35, 32, 7, 2);
  FillStroke(cr, Hex(0x1a1d28), Hex(0x4a5268), 1);
  const double filled = 30.0 * (step + 1) / (kChargeSteps + 1);
  cairo_rectangle(cr, 10, 36, filled, 5);
  FillStroke(cr, pal::kAmber, {}, 0);
  return c.Take();
}

// A snapshot of one monster in a white instant-photo frame.
Image PhotoCard(Creature kind) {
  Canvas c(50, 50);
  cairo_t* cr = c.cr();
  SetColor(cr, Hex(0xf3eee2));
  cairo_paint(cr);
  cairo_rectangle(cr, 3, 3, 44, 40);
  FillGradient(cr, cairo_pattern_create_radial(25, 23, 2, 25, 23, 30),
               {Color{0.42, 0.45, 0.52, 1}, Color{0.14, 0.15, 0.2, 1}});
  cairo_save(cr);
  cairo_rectangle(cr, 3, 3, 44, 40);
  cairo_clip(cr);
  cairo_translate(cr, 25 - 21, 23 - 21);
  cairo_scale(cr, 1.05, 1.05);
  DrawCreature(cr, kind, 0);
  cairo_restore(cr);
  cairo_rectangle(cr, 0.5, 0.5, 49, 49);
  Stroke(cr, Hex(0x9a9486), 1);
  return c.Take();
}

enum class Speed { Normal, Slow, Fast, FastSlowed, SlowLook };

void Chevron(cairo_t* cr, double x, double y, double size) {
  cairo_move_to(cr, x - size * 0.5, y - size);
  cairo_line_to(cr, x + size * 0.5, y);
  cairo_line_to(cr, x - size * 0.5, y + size);
}

void Waves(cairo_t* cr, double y, int count) {
  for (int i = 0; i < count; ++i) {
    double yy = y + i * 6;
    cairo_move_to(cr, 13, yy);
    for (int k = 1; k <= 12; ++k) cairo_line_to(cr, 13 + k * 2, yy + 1.8 * std::sin(k * M_PI / 3));
  }
}

// Speed badges: the symbol's shape tells the state, the colour only helps.
Image SpeedIcon(Speed speed) {
  static const uint32_t kColors[5] = {0x2f8f95, 0x2f62b8, 0x2f9a4e, 0x7b4bb8, 0xa85a26};
  Canvas c(50, 50);
  cairo_t* cr = c.cr();
  SetColor(cr, kSocket);
  cairo_paint(cr);
  cairo_arc(cr, 25, 25, 21.5, 0, 2 * M_PI);
  FillStroke(cr, Hex(kColors[int(speed)]), Hex(0xffffff, 0.85), 2);
  SetColor(cr, Hex(0xffffff));
  cairo_set_line_width(cr, 4);
  switch (speed) {
    case Speed::Normal:  // a walking arrow
      cairo_move_to(cr, 15, 25);
      cairo_line_to(cr, 31, 25);
      cairo_stroke(cr);
      PathPolygon(cr, {36, 25, 27, 17, 27, 33});
      cairo_fill(cr);
      break;
    case Speed::Slow:  // a short arrow held back by water
      cairo_move_to(cr, 17, 18);
      cairo_line_to(cr, 27, 18);
      cairo_stroke(cr);
      PathPolygon(cr, {32, 18, 25, 12, 25, 24});
      cairo_fill(cr);
      Waves(cr, 29, 2);
      cairo_set_line_width(cr, 2.6);
      cairo_stroke(cr);
      break;
    case Speed::Fast:  // three chevrons with speed lines
      for (int i = 0; i < 3; ++i) Chevron(cr, 17 + i * 8, 25, 8);
      cairo_stroke(cr);
      break;
    case Speed::FastSlowed:  // fast chevrons over water
      for (int i = 0; i < 2; ++i) Chevron(cr, 20 + i * 9, 19, 7);
      cairo_stroke(cr);
      Waves(cr, 32, 1);
      cairo_set_line_width(cr, 2.6);
      cairo_stroke(cr);
      break;
    case Speed::SlowLook:  // a snail: a look that crawls, on land or not
      cairo_arc(cr, 27, 23, 8.5, 0, 2 * M_PI);
      cairo_stroke(cr);
      cairo_set_line_width(cr, 2.4);
      cairo_arc(cr, 27, 23, 3.5, M_PI, 2.6 * M_PI);
      cairo_stroke(cr);
      cairo_set_line_width(cr, 4);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_move_to(cr, 11, 34);
      cairo_line_to(cr, 38, 34);
      cairo_move_to(cr, 14, 33);
      cairo_line_to(cr, 12, 24);
      cairo_stroke(cr);
      cairo_set_line_width(cr, 2);
      cairo_move_to(cr, 12, 24);
      cairo_line_to(cr, 9, 17);
      cairo_move_to(cr, 13, 25);
      cairo_line_to(cr, 15, 17);
      cairo_stroke(cr);
      break;
  }
  return c.Take();
}

// A refused photo's line, over the level next to the player: a crossed-out camera and the
// words on a dark plate that reads over any floor.
Image RefusalLinePicture(const char* words) {
  Canvas c(kRefusalLineWidth, kRefusalLineHeight);
  cairo_t* cr = c.cr();
  const double w = kRefusalLineWidth, h = kRefusalLineHeight;
  PathRoundRect(cr, 1.5, 1.5, w - 3, h - 3, 8);
  FillStroke(cr, WithAlpha(pal::kNight, 0.9), pal::kAmber, 1.5);
  CameraGlyph(cr, 20, h / 2, 18, pal::kCream);
  cairo_move_to(cr, 10, h / 2 + 9);
  cairo_line_to(cr, 30, h / 2 - 9);
  Stroke(cr, pal::kDanger, 2.5);
  const double size = FitSize(cr, words, Font::SansBold, 16, w - 52);
  DrawText(cr, words, 38, h / 2, Style(Font::SansBold, size, pal::kCream), 0);
  return c.Take();
}

// Flat white: any falloff would show as rings once stored in 8 bits.
Image Flash(double strength) {
  return PixelImage(800, 600, [strength](int, int) { return Color{1, 1, 1, strength}; });
}

// The whole view, so that nothing of the dark level shows between it and the status strip
// over its bottom 80 rows; the game sets the line saying why under the title and, below
// it, the way on for the device in use.
Image GameOver() {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 800, 600);
  FillGradient(cr, cairo_pattern_create_radial(400, 230, 30, 400, 260, 520),
               {Color{0.28, 0.05, 0.06, 1}, Color{0.02, 0.0, 0.01, 1}});
  // A cracked lens: the photographer's last picture.
  cairo_arc(cr, 400, 140, 52, 0, 2 * M_PI);
  FillStroke(cr, Hex(0x14161d), Hex(0x5a1a1c), 6);
  cairo_arc(cr, 400, 140, 34, 0, 2 * M_PI);
  FillStroke(cr, Hex(0x1f3a48), pal::kInk, 3);
  cairo_move_to(cr, 382, 112);
  cairo_line_to(cr, 402, 138);
  cairo_line_to(cr, 396, 154);
  cairo_line_to(cr, 420, 170);
  cairo_move_to(cr, 402, 138);
  cairo_line_to(cr, 428, 128);
  Stroke(cr, Hex(0xdff6ff, 0.85), 2);
  DrawText(cr, "GAME OVER", 400, 265, Style(Font::SansBold, 78, pal::kDanger, 4, 5));
  return c.Take();
}

}  // namespace

// Behind the level overview: the 800 x 520 of the view above the strip. The game draws the
// level's name in the top band's left half, the map between the bands and the legend left
// of the map.
Image OverviewBackdrop() {
  Canvas c(800, 520);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 800, 520);
  FillGradient(cr, cairo_pattern_create_linear(0, 0, 0, 520), {pal::kPanel, pal::kNight});
  for (double y : {0.0, 486.0}) {
    cairo_rectangle(cr, 0, y, 800, y == 0 ? 56 : 34);
    FillStroke(cr, WithAlpha(pal::kPanelLight, 0.8), {}, 0);
  }
  for (double y : {56.0, 486.0}) {
    cairo_rectangle(cr, 0, y - 1, 800, 2);
    FillStroke(cr, WithAlpha(pal::kTeal, 0.7), {}, 0);
  }
  // The goal, with the exit's own green.
  const TextStyle goal = Style(Font::SansBold, 22, pal::kCream, 0, 1.5);
  const double goalLeft = 772 - TextWidth(cr, "REACH THE EXIT", goal.font, goal.size);
  cairo_rectangle(cr, goalLeft - 34, 17, 22, 22);
  FillStroke(cr, Hex(0x33cc4d), pal::kCream, 2.5);
  DrawText(cr, "REACH THE EXIT", goalLeft, 28, goal, 0);

  return c.Take();
}

// The line of keys along the overview's foot, which the game draws over its band: what
// starts play, and what shows the map again in play; while it is held in play, what lets go
// of it.
Image OverviewKeys(bool pad, bool inPlay) {
  Canvas c(kOverviewKeysWidth, kOverviewKeysHeight);
  cairo_t* cr = c.cr();
  const TextStyle hint = Style(Font::Sans, 14, pal::kCream);
  double x = 24;
  auto words = [&](const char* text) {
    DrawText(cr, text, x + 4, 17, hint, 0);
    x += TextWidth(cr, text, hint.font, hint.size) + 10;
  };
  // What shows the map in play.
  auto mapKey = [&] {
    if (pad) {
      PillButton(cr, x, 4, 50, "BACK");
      x += 52;
    } else {
      KeyCap(cr, x, 4, 46, "TAB");
      x += 48;
    }
  };
  if (inPlay) {
    words("let go of");
    mapKey();
    words("to play on: the world waits while this map shows");
    return c.Take();
  }
  if (pad) {
    // Start opens the pause menu here, as Escape does, so it is not among these.
    StickCap(cr, x + 13, 17, 13, "L");
    x += 30;
    DPad(cr, x + 13, 17, 26);
    x += 30;
    words("or");
    FaceButton(cr, x + 13, 17, 13, 'A');
    x += 24;
    words(": play");
  } else {
    for (const char* key : {"W", "A", "S", "D"}) {
      KeyCap(cr, x, 4, 26, key);
      x += 30;
    }
    words(",");
    KeyCap(cr, x, 4, 62, "SPACE");
    x += 66;
    KeyCap(cr, x, 4, 62, "ENTER");
    x += 62;
    words("or a click: play");
  }
  x = 470;
  words("hold");
  mapKey();
  words("in play to see this map again");
  return c.Take();
}

// The legend's words, one row each, beside the marks the game draws left of them.
Image OverviewLegend() {
  Canvas c(kLegendWordsWidth, kLegendRowHeight * kLegendRows);
  for (int i = 0; i < kLegendRows; ++i)
    DrawText(c.cr(), kLegendWords[i], 0, kLegendRowHeight * (i + 0.5),
             Style(Font::SansBold, 13, pal::kCream, 0, 1.5), 0);
  return c.Take();
}

// The level names the game uses, one 360 x 48 frame each.
Image OverviewNames() {
  Canvas c(360 * kLevelNameCount, 48);
  cairo_t* cr = c.cr();
  for (int i = 0; i < kLevelNameCount; ++i)
    DrawText(cr, kLevelNames[i], 360 * i + 8, 24, Style(Font::SansBold, 30, pal::kAmber, 0, 2), 0);
  return c.Take();
}

// Points right; the game turns it towards the exit.
Image ExitArrow() {
  Canvas c(48, 48);
  cairo_t* cr = c.cr();
  PathPolygon(cr, {5, 16, 24, 16, 24, 5, 44, 24, 24, 43, 24, 32, 5, 32});
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  FillStroke(cr, Hex(0x33cc4d), pal::kInk, 3);
  PathPolygon(cr, {9, 20, 28, 20, 28, 14, 38, 24, 28, 24, 9, 24});
  FillStroke(cr, Hex(0xbff0c8, 0.7), {}, 0);
  return c.Take();
}

void MakeHud(AssetSet& set) {
  set.Add("gui.png", StatusBar());
  for (int d = 0; d < 10; ++d) set.Add(std::to_string(d) + ".png", Digit(d));
  set.Add("PIC.png", EmptyPhoto());
  set.Add("SFIRE.png", PhotoCard(Creature::FireRat));
  set.Add("SWATER.png", PhotoCard(Creature::WaterRat));
  set.Add("STIRE.png", PhotoCard(Creature::Tire));
  set.Add("SBULB.png", PhotoCard(Creature::Bulb));
  set.Add("SLAVA.png", PhotoCard(Creature::Fireball));
  set.Add("Status.png", SpeedIcon(Speed::Normal));
  set.Add("SPDD.png", SpeedIcon(Speed::Slow));
  set.Add("SPDU.png", SpeedIcon(Speed::Fast));
  set.Add("SPDMIX.png", SpeedIcon(Speed::FastSlowed));
  set.Add("SPDSLOW.png", SpeedIcon(Speed::SlowLook));
  for (int step = 0; step < kChargeSteps; ++step)
    set.Add(InAssets(kChargePictures[step]), ChargingPhoto(step));
  for (const RefusalLine& line : kRefusalLines)
    set.Add(InAssets(line.picture), RefusalLinePicture(line.words));
  set.Add("flash1.png", Flash(0.35));
  set.Add("flash2.png", Flash(0.65));
  set.Add("Flash3.png", Flash(0.92));
  set.Add("GameOver.png", GameOver());
  set.Add("OverviewBackdrop.png", OverviewBackdrop());
  set.Add("OverviewNames.png", OverviewNames());
  set.Add(InAssets(kLegendPicture), OverviewLegend());
  for (bool pad : {false, true}) {
    set.Add(InAssets(Prompt(kOverviewKeyPictures, pad)), OverviewKeys(pad, false));
    set.Add(InAssets(Prompt(kOverviewInPlayKeyPictures, pad)), OverviewKeys(pad, true));
  }
  set.Add("ExitArrow.png", ExitArrow());
}
