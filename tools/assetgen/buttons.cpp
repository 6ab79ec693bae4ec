// Every button in its three states (idle, hover, clicked) and the sound toggle.
// Each image is the size the game draws it at; the plate inside follows the hit box
// the game tests, and the margin around it stays clear because neighbouring
// buttons overlap there. Every label is set in one size: the largest at which each
// one fits its plate wherever the game draws it.
#include <algorithm>
#include <cmath>

#include "generators.h"

namespace {

enum class State { Idle, Hover, Clicked };

struct Plate {
  double x, y, w, h;
};

struct ButtonSpec {
  const char* name;
  const char* label;
  const char* number;  // a big numeral under the label, for the level tiles
  int width, height;
  Plate plate;
  // Another shape the game also draws the picture at, if any.
  int otherWidth = 0, otherHeight = 0;
};

constexpr Plate kMenuPlate = {22, 17, 176, 42};     // 220 x 80, main menu
constexpr Plate kPausePlate = {15, 16, 120, 39};    // 150 x 75, pause menu
constexpr Plate kAnswerPlate = {15, 21, 120, 52};   // 150 x 100, yes and no
constexpr Plate kBackPlate = {15, 18, 120, 40};     // 150 x 80, back
constexpr Plate kLevelPlate = {14, 18, 120, 60};    // 150 x 100, level select

const ButtonSpec kButtons[] = {
    {"PLAY", "PLAY", nullptr, 220, 80, kMenuPlate},
    // Shown at 220 x 80 in the main menu and squeezed to 150 x 75 in the pause menu.
    {"INST", "INSTRUCTIONS", nullptr, 220, 80, kMenuPlate, 150, 75},
    {"CREDITS", "CREDITS", nullptr, 220, 80, kMenuPlate},
    {"QUIT", "QUIT", nullptr, 220, 80, kMenuPlate},
    {"YES", "YES", nullptr, 150, 100, kAnswerPlate},
    {"NO", "NO", nullptr, 150, 100, kAnswerPlate},
    {"RESUME", "RESUME", nullptr, 150, 75, kPausePlate},
    {"RESTART", "RESTART", nullptr, 150, 75, kPausePlate},
    {"OPTIONS", "OPTIONS", nullptr, 150, 75, kPausePlate},
    {"MENU", "MAIN MENU", nullptr, 150, 75, kPausePlate},
    // Drawn at 150 x 80 in the pause menu and the instructions, 150 x 100 in the credits.
    {"BACK", "BACK", nullptr, 150, 80, kBackPlate},
    {"LEVEL1", "LEVEL", "1", 150, 100, kLevelPlate},
    {"LEVEL2", "LEVEL", "2", 150, 100, kLevelPlate},
    {"LEVEL3", "LEVEL", "3", 150, 100, kLevelPlate},
    {"LEVEL4", "LEVEL", "4", 150, 100, kLevelPlate},
    {"LEVEL5", "LEVEL", "5", 150, 100, kLevelPlate},
    {"LEVEL6", "LEVEL", "6", 150, 100, kLevelPlate},
    {"LEVEL7", "TRIAL", "1", 150, 100, kLevelPlate},
    {"LEVEL8", "TRIAL", "2", 150, 100, kLevelPlate},
    {"LEVELBACK", "BACK", nullptr, 150, 100, kLevelPlate},
};

void Gradient(cairo_t* cr, const Plate& p, uint32_t top, uint32_t bottom) {
  FillGradient(cr, cairo_pattern_create_linear(0, p.y, 0, p.y + p.h), {Hex(top), Hex(bottom)}, true);
}

// The plate shared by every button and the sound toggle; returns how far its face
// moved down (a pressed button sinks).
double DrawPlate(cairo_t* cr, Plate p, State state, bool trial) {
  const double r = 7;
  if (state != State::Clicked) {
    PathRoundRect(cr, p.x, p.y + 3, p.w, p.h, r);
    FillStroke(cr, Hex(0x000000, 0.55), {}, 0);
  }
  if (state == State::Hover) {
    PathRoundRect(cr, p.x - 2, p.y - 2, p.w + 4, p.h + 4, r + 2);
    Stroke(cr, WithAlpha(pal::kTeal, 0.35), 5);
  }
  double sink = state == State::Clicked ? 2 : 0;
  p.y += sink;
  PathRoundRect(cr, p.x, p.y, p.w, p.h, r);
  switch (state) {
    case State::Idle: Gradient(cr, p, 0x2f3858, 0x1b2031); break;
    case State::Hover: Gradient(cr, p, 0x49b3b9, 0x23727a); break;
    case State::Clicked: Gradient(cr, p, 0xf5c05a, 0xc4841a); break;
  }
  Color border = state == State::Idle ? (trial ? pal::kAmber : pal::kTeal)
                                      : state == State::Hover ? pal::kTealBright : Hex(0xfff0c8);
  Stroke(cr, pal::kInk, 3.5, true);
  Stroke(cr, border, 2);
  // Light from above on a raised plate, shade from above on a pressed one.
  cairo_move_to(cr, p.x + r, p.y + 3);
  cairo_line_to(cr, p.x + p.w - r, p.y + 3);
  Stroke(cr, state == State::Clicked ? Hex(0x5a3a08, 0.5) : Hex(0xffffff, 0.22), 1.5);
  return sink;
}

constexpr Font kLabelFont = Font::CondensedBold;

// A picture drawn at two shapes cannot keep its letters' proportions in both; its label
// is widened halfway (geometrically) between them, so both are off by the same share.
double LabelStretch(const ButtonSpec& b) {
  if (!b.otherWidth) return 1;
  return std::sqrt((double(b.otherHeight) / b.height) / (double(b.otherWidth) / b.width));
}

// The width a label may take: the plate less the hover pointers at both ends. Drawn
// smaller, the picture shrinks its plate and label alike, so this holds at every size.
double LabelRoom(const ButtonSpec& b) { return b.plate.w - 28; }

// The one label size: the largest at which every label fits its room.
double LabelSize() {
  Canvas c(1, 1);
  double size = 30;
  for (const ButtonSpec& b : kButtons)
    size = std::min(size, FitSize(c.cr(), b.label, kLabelFont, size, LabelRoom(b) / LabelStretch(b)));
  return size;
}

Image Button(const ButtonSpec& b, State state, double labelSize) {
  Canvas c(b.width, b.height);
  cairo_t* cr = c.cr();
  bool trial = std::string(b.label) == "TRIAL";
  Plate p = b.plate;
  double sink = DrawPlate(cr, p, state, trial);
  double cx = p.x + p.w / 2, cy = p.y + p.h / 2 + sink;

  TextStyle t;
  t.font = kLabelFont;
  t.size = labelSize;
  t.color = state == State::Clicked ? pal::kInk : state == State::Hover ? Hex(0xffffff) : pal::kCream;
  if (state == State::Hover) t.outline = 1.2;
  if (state == State::Idle) t.shadow = 1.5;
  if (state == State::Hover) {
    // Pointers at both ends: the hovered button is obvious even in grey.
    for (double side : {-1.0, 1.0}) {
      double x = cx + side * (p.w / 2 - 7);
      PathPolygon(cr, {x - side * 4, cy - 5, x + side * 2, cy, x - side * 4, cy + 5});
      FillStroke(cr, Hex(0xffffff), pal::kInk, 1);
    }
  }
  if (b.number) {
    if (trial && state == State::Idle) t.color = pal::kAmber;
    DrawText(cr, b.label, cx, cy - 15, t);
    t.font = Font::SansBold;
    t.size = 30;
    DrawText(cr, b.number, cx, cy + 9, t);
  } else {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, LabelStretch(b), 1);
    DrawText(cr, b.label, 0, 0, t);
    cairo_restore(cr);
  }
  return c.Take();
}

// A speaker, with sound waves when on and a red cross when muted.
Image SoundToggle(bool on) {
  Canvas c(50, 50);
  cairo_t* cr = c.cr();
  DrawPlate(cr, {3, 3, 44, 41}, State::Idle, false);
  PathPolygon(cr, {11, 19.5, 17, 19.5, 24, 13, 24, 34, 17, 27.5, 11, 27.5});
  FillStroke(cr, on ? pal::kCream : pal::kMuted, pal::kInk, 1.2);
  cairo_set_line_width(cr, 2.6);
  if (on) {
    for (int i = 0; i < 2; ++i) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, 24, 23.5, 6 + i * 5.5, -0.9, 0.9);
    }
    SetColor(cr, pal::kTeal);
    cairo_stroke(cr);
  } else {
    cairo_move_to(cr, 29, 18);
    cairo_line_to(cr, 39, 29);
    cairo_move_to(cr, 39, 18);
    cairo_line_to(cr, 29, 29);
    SetColor(cr, pal::kDanger);
    cairo_stroke(cr);
  }
  return c.Take();
}

}  // namespace

void MakeButtons(AssetSet& set) {
  static const std::pair<State, const char*> kStates[] = {
      {State::Idle, "idle"}, {State::Hover, "hover"}, {State::Clicked, "clicked"}};
  const double labelSize = LabelSize();
  for (const ButtonSpec& b : kButtons)
    for (const auto& s : kStates)
      set.Add(std::string("UI/Button_") + s.second + "_" + b.name + ".png",
              Button(b, s.first, labelSize));
  set.Add("soundOn.png", SoundToggle(true));
  set.Add("soundOFF.png", SoundToggle(false));
}
