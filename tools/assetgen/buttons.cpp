// Every button in its three states (idle, hover, clicked), the sound toggle, the
// settings screen's choices (idle, hover, chosen) and its volume steps.
// Each image is the size the game draws it at; the game answers over the plate inside
// (ButtonPlates.h), and the margin around it stays clear because neighbouring
// buttons overlap there. Every button label is set in one size: the largest at which
// each one fits its plate wherever the game draws it. The choices share a size of
// their own, never larger.
#include <algorithm>
#include <cmath>

#include "ButtonPlates.h"
#include "ControlsPictures.h"
#include "YourLevelsPictures.h"
#include "EditorPictures.h"
#include "generators.h"

namespace {

// Chosen is the settings screen's option now in effect: lit, and raised like an idle one.
enum class State { Idle, Hover, Clicked, Chosen };

struct ButtonSpec {
  const char* name;
  const char* label;
  const char* number;  // a big numeral under the label, for the level tiles
  int width, height;
  Plate plate;
  // Another shape the game also draws the picture at, if any.
  int otherWidth = 0, otherHeight = 0;
};


const ButtonSpec kButtons[] = {
    {"PLAY", "PLAY", nullptr, 220, 80, kMenuPlate},
    // Shown at 220 x 80 in the main menu and squeezed to 150 x 75 in the pause menu.
    {"INST", "INSTRUCTIONS", nullptr, 220, 80, kMenuPlate, 150, 75},
    {"SETTINGS", "SETTINGS", nullptr, 220, 80, kMenuPlate},
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
    {"CONTROLS", "CONTROLS", nullptr, 150, 80, kBackPlate},
    {"RESET", "RESET", nullptr, 150, 80, kBackPlate},
    {"LEVEL1", "LEVEL", "1", 150, 100, kLevelPlate},
    {"LEVEL2", "LEVEL", "2", 150, 100, kLevelPlate},
    {"LEVEL3", "LEVEL", "3", 150, 100, kLevelPlate},
    {"LEVEL4", "LEVEL", "4", 150, 100, kLevelPlate},
    {"LEVEL5", "LEVEL", "5", 150, 100, kLevelPlate},
    {"LEVEL6", "LEVEL", "6", 150, 100, kLevelPlate},
    {"LEVEL7", "TRIAL", "1", 150, 100, kLevelPlate},
    {"LEVEL8", "TRIAL", "2", 150, 100, kLevelPlate},
    {"LEVELBACK", "BACK", nullptr, 150, 100, kLevelPlate},
    // The level select's way to the player's own levels, and that page's buttons.
    {"YOURLEVELS", "YOUR LEVELS", nullptr, 220, 80, kMenuPlate},
    {"NEW", "NEW", nullptr, 150, 80, kBackPlate},
    {"EDIT", "EDIT", nullptr, 150, 80, kBackPlate},
    {"EDITCOPY", "EDIT A COPY", nullptr, 220, 80, kMenuPlate},
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
  if (state == State::Hover || state == State::Chosen) {
    PathRoundRect(cr, p.x - 2, p.y - 2, p.w + 4, p.h + 4, r + 2);
    Stroke(cr, state == State::Hover ? WithAlpha(pal::kTeal, 0.35) : WithAlpha(pal::kAmber, 0.5), 5);
  }
  double sink = state == State::Clicked ? 2 : 0;
  p.y += sink;
  PathRoundRect(cr, p.x, p.y, p.w, p.h, r);
  switch (state) {
    case State::Idle: Gradient(cr, p, 0x2f3858, 0x1b2031); break;
    case State::Hover: Gradient(cr, p, 0x49b3b9, 0x23727a); break;
    case State::Clicked: Gradient(cr, p, 0xf5c05a, 0xc4841a); break;
    case State::Chosen: Gradient(cr, p, 0xffd878, 0xe0982a); break;
  }
  Color border = state == State::Idle ? (trial ? pal::kAmber : pal::kTeal)
                                      : state == State::Hover ? pal::kTealBright : Hex(0xfff0c8);
  Stroke(cr, pal::kInk, 3.5, true);
  Stroke(cr, border, state == State::Chosen ? 2.5 : 2);
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

// Letters and icons on a plate: cream when idle, white when hovered, ink on amber.
Color FaceColor(State state) {
  return state == State::Clicked || state == State::Chosen ? pal::kInk
         : state == State::Hover                           ? Hex(0xffffff)
                                                           : pal::kCream;
}

enum class Icon { Gear, Minus, Plus, Up, Down };

struct IconButtonSpec {
  const char* name;
  Icon icon;
};

// Square buttons in the sound toggle's size and plate: no label, an icon instead, so
// they stay out of the shared label size.
const IconButtonSpec kIconButtons[] = {
    {"GEAR", Icon::Gear},    // opens the settings from the pause menu
    {"MINUS", Icon::Minus},  // volume down
    {"PLUS", Icon::Plus},    // volume up
    {"PAGEUP", Icon::Up},    // the page of levels before
    {"PAGEDOWN", Icon::Down},  // the page of levels after
};

// A cog of eight teeth with a hole, centred on (cx, cy).
void PathGear(cairo_t* cr, double cx, double cy) {
  const int teeth = 8;
  const double outer = 13, root = 9.8, hole = 4.2;
  cairo_new_sub_path(cr);  // so the first line_to starts the outline
  for (int i = 0; i < teeth; ++i) {
    const double a = i * 2 * M_PI / teeth;
    const double corners[][2] = {{root, a - 0.34}, {outer, a - 0.2}, {outer, a + 0.2}, {root, a + 0.34}};
    for (const auto& c : corners) cairo_line_to(cr, cx + c[0] * std::cos(c[1]), cy + c[0] * std::sin(c[1]));
    // The rim between this tooth and the next.
    cairo_arc(cr, cx, cy, root, a + 0.34, a + 2 * M_PI / teeth - 0.34);
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, hole, 2 * M_PI, 0);
  cairo_close_path(cr);
}

// A plus, or only its bar for a minus, as one outline so the ink edge runs round it.
void PathSign(cairo_t* cr, double cx, double cy, bool plus) {
  const double arm = 10, half = 3;
  if (!plus) {
    cairo_rectangle(cr, cx - arm, cy - half, 2 * arm, 2 * half);
    return;
  }
  PathPolygon(cr, {cx - half, cy - arm, cx + half, cy - arm, cx + half, cy - half, cx + arm, cy - half,
                   cx + arm, cy + half, cx + half, cy + half, cx + half, cy + arm, cx - half, cy + arm,
                   cx - half, cy + half, cx - arm, cy + half, cx - arm, cy - half, cx - half, cy - half});
}

void PathIcon(cairo_t* cr, Icon icon, double cx, double cy) {
  switch (icon) {
    case Icon::Gear: return PathGear(cr, cx, cy);
    case Icon::Minus: return PathSign(cr, cx, cy, false);
    case Icon::Plus: return PathSign(cr, cx, cy, true);
    case Icon::Up: return PathPolygon(cr, {cx - 11, cy + 6, cx, cy - 8, cx + 11, cy + 6});
    case Icon::Down: return PathPolygon(cr, {cx - 11, cy - 6, cx + 11, cy - 6, cx, cy + 8});
  }
}

Image IconButton(const IconButtonSpec& b, State state) {
  Canvas c(50, 50);
  cairo_t* cr = c.cr();
  const Plate p = kSmallPlate;
  const double sink = DrawPlate(cr, p, state, false);
  const double cx = p.x + p.w / 2, cy = p.y + p.h / 2 + sink;
  // A soft drop shadow under the idle icon, as under the idle labels.
  if (state == State::Idle) {
    PathIcon(cr, b.icon, cx + 1, cy + 1.5);
    FillStroke(cr, Hex(0x000000, 0.5), {}, 0);
  }
  PathIcon(cr, b.icon, cx, cy);
  FillStroke(cr, FaceColor(state), pal::kInk, 1.2);
  return c.Take();
}

struct ChoiceSpec {
  const char* name;
  const char* label;
};

const ChoiceSpec kChoices[] = {
    {"FULLSCREEN", "FULL SCREEN"}, {"WINDOW", "WINDOW"}, {"AUTO", "AUTO"},
    {"ON", "ON"},                  {"OFF", "OFF"},       {"SPEED100", "100 %"},
    {"SPEED85", "85 %"},           {"SPEED70", "70 %"},
};

// The choices' own label size: the largest at which the longest fits between the
// hover pointers and clear of the check mark, and never above the buttons' size.
double ChoiceLabelSize(double buttonSize) {
  Canvas c(1, 1);
  double size = buttonSize;
  for (const ChoiceSpec& ch : kChoices)
    size = std::min(size, FitSize(c.cr(), ch.label, kLabelFont, size, kChoicePlate.w - 38));
  return size;
}

// One option of a settings row. The chosen one is lit amber with a check mark, so the
// option in effect shows without colour, too.
Image Choice(const ChoiceSpec& ch, State state, double labelSize) {
  Canvas c(120, 50);
  cairo_t* cr = c.cr();
  const Plate p = kChoicePlate;
  DrawPlate(cr, p, state, false);
  const double cx = p.x + p.w / 2, cy = p.y + p.h / 2;
  TextStyle t;
  t.font = kLabelFont;
  t.size = labelSize;
  t.color = FaceColor(state);
  if (state == State::Idle) t.shadow = 1.5;
  if (state == State::Hover) {
    t.outline = 1.2;
    for (double side : {-1.0, 1.0}) {
      double x = cx + side * (p.w / 2 - 7);
      PathPolygon(cr, {x - side * 4, cy - 5, x + side * 2, cy, x - side * 4, cy + 5});
      FillStroke(cr, Hex(0xffffff), pal::kInk, 1);
    }
  }
  if (state == State::Chosen) {
    const double x = p.x + 5, y = cy;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 3, y + 3.5);
    cairo_line_to(cr, x + 8, y - 4.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Stroke(cr, pal::kInk, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  }
  DrawText(cr, ch.label, cx, cy, t);
  return c.Take();
}

// Behind a key's name on the controls screen; the game sets the name over it.
Image KeyPlate(State state) {
  Canvas c(kKeyPlateWidth, kKeyPlateHeight);
  DrawPlate(c.cr(), kKeyPlate, state, false);
  return c.Take();
}

// A row of the YOUR LEVELS list: a dark face the game writes on, whatever the state, so its
// cream and amber letters always read; the focus rings it teal, the chosen level amber.
Image LevelRow(bool hover, bool chosen) {
  Canvas c(kLevelRowWidth, kLevelRowHeight);
  cairo_t* cr = c.cr();
  const Plate p = kLevelRowPlate;
  const double r = 7;
  PathRoundRect(cr, p.x, p.y + 2, p.w, p.h - 2, r);
  FillStroke(cr, Hex(0x000000, 0.5), {}, 0);
  PathRoundRect(cr, p.x, p.y, p.w, p.h - 2, r);
  FillGradient(cr, cairo_pattern_create_linear(0, p.y, 0, p.y + p.h),
               {Hex(hover ? 0x34406a : 0x262d47), Hex(hover ? 0x1f2740 : 0x161a29)}, true);
  Stroke(cr, pal::kInk, 3.5, true);
  Stroke(cr, chosen ? pal::kAmber : hover ? pal::kTealBright : WithAlpha(pal::kTeal, 0.6),
         chosen ? 3 : 2);
  if (hover) {
    // Pointers at both ends, as on the buttons: the focus shows even in grey.
    const double cy = p.y + p.h / 2 - 1;
    for (double side : {-1.0, 1.0}) {
      const double x = p.x + p.w / 2 + side * (p.w / 2 - 9);
      PathPolygon(cr, {x - side * 4, cy - 5, x + side * 2, cy, x - side * 4, cy + 5});
      FillStroke(cr, Hex(0xffffff), pal::kInk, 1);
    }
  }
  return c.Take();
}

// One of the ten steps of a volume row: a dark empty slot, or lit teal.
Image Step(bool on) {
  Canvas c(24, 36);
  cairo_t* cr = c.cr();
  const double x = kStepPlate.x, y = kStepPlate.y, w = kStepPlate.w, h = kStepPlate.h, r = 5;
  PathRoundRect(cr, x, y, w, h, r);
  if (on) {
    FillGradient(cr, cairo_pattern_create_linear(0, y, 0, y + h), {pal::kTealBright, pal::kTeal, Hex(0x23727a)},
                 true);
    Stroke(cr, pal::kInk, 2);
    // Light along the left edge.
    PathRoundRect(cr, x + 3.5, y + 4, 3, h - 10, 1.5);
    FillStroke(cr, Hex(0xffffff, 0.55), {}, 0);
  } else {
    FillGradient(cr, cairo_pattern_create_linear(0, y, 0, y + h), {Hex(0x05060a), Hex(0x161a27)}, true);
    Stroke(cr, pal::kInk, 2, true);
    Stroke(cr, WithAlpha(pal::kTeal, 0.3), 1);
    // The lip of the slot catches a little light at the bottom.
    cairo_move_to(cr, x + r, y + h - 2.5);
    cairo_line_to(cr, x + w - r, y + h - 2.5);
    Stroke(cr, Hex(0xffffff, 0.12), 1);
  }
  return c.Take();
}

// A speaker, with sound waves when on and a red cross when muted.
Image SoundToggle(bool on) {
  Canvas c(50, 50);
  cairo_t* cr = c.cr();
  DrawPlate(cr, kSmallPlate, State::Idle, false);
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

// The editor's bar and tools: smaller plates with a label size of their own, so the other
// buttons keep theirs. A tool's label stands right of the mark the game draws, with its
// number key at the plate's right end.
void MakeEditorButtons(AssetSet& set) {
  static const std::pair<State, const char*> kStates[] = {
      {State::Idle, "idle"}, {State::Hover, "hover"}, {State::Clicked, "clicked"}};
  Canvas measure(1, 1);
  double barSize = 30;
  for (const EditorButtonPicture& b : kEditorBar) {
    const Plate& plate = EditorBarPlate(b);
    barSize = std::min(barSize, FitSize(measure.cr(), b.label, kLabelFont, barSize, plate.w - 16));
  }
  for (const EditorButtonPicture& b : kEditorBar) {
    const ButtonSpec layout = {b.name,  b.label,          nullptr,
                               b.width, kEditorBarHeight, EditorBarPlate(b)};
    for (const auto& s : kStates)
      set.Add(std::string("UI/Button_") + s.second + "_" + b.name + ".png",
              Button(layout, s.first, barSize));
  }
  const double labelLeft = kToolMarkX * 2, keyRoom = 14;
  double toolSize = 30;
  for (const char* label : kToolLabels)
    toolSize = std::min(toolSize, FitSize(measure.cr(), label, kLabelFont, toolSize,
                                          kToolPlate.x + kToolPlate.w - labelLeft - keyRoom));
  for (int i = 0; i < kToolCount; ++i) {
    for (const auto& s : kStates) {
      Canvas c(kToolButtonWidth, kToolButtonHeight);
      cairo_t* cr = c.cr();
      const double sink = DrawPlate(cr, kToolPlate, s.first, false);
      const double cy = kToolPlate.y + kToolPlate.h / 2 + sink;
      TextStyle t;
      t.font = kLabelFont;
      t.size = toolSize;
      t.color = FaceColor(s.first);
      if (s.first == State::Idle) t.shadow = 1.5;
      DrawText(cr, kToolLabels[i], labelLeft, cy, t, 0);
      if (i < 10) {
        const char key[] = {char('0' + (i + 1) % 10), '\0'};
        t.color = s.first == State::Idle ? pal::kMuted : t.color;
        t.size = toolSize * 0.85;
        DrawText(cr, key, kToolPlate.x + kToolPlate.w - 4, cy, t, 1);
      }
      set.Add(std::string("UI/Button_") + s.second + "_TOOL" + std::to_string(i) + ".png",
              c.Take());
    }
  }
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
  for (const IconButtonSpec& b : kIconButtons)
    for (const auto& s : kStates)
      set.Add(std::string("UI/Button_") + s.second + "_" + b.name + ".png", IconButton(b, s.first));
  set.Add("soundOn.png", SoundToggle(true));
  set.Add("soundOFF.png", SoundToggle(false));

  static const std::pair<State, const char*> kChoiceStates[] = {
      {State::Idle, "idle"}, {State::Hover, "hover"}, {State::Chosen, "chosen"}};
  const double choiceSize = ChoiceLabelSize(labelSize);
  for (const ChoiceSpec& ch : kChoices)
    for (const auto& s : kChoiceStates)
      set.Add(std::string("UI/Choice_") + s.second + "_" + ch.name + ".png", Choice(ch, s.first, choiceSize));
  for (int i = 0; i < 3; ++i)
    set.Add(std::string(kKeyPlatePictures[i]).substr(7), KeyPlate(kChoiceStates[i].first));
  for (int i = 0; i < 4; ++i)
    set.Add(std::string(kLevelRowPictures[i]).substr(7), LevelRow(i % 2 == 1, i >= 2));
  set.Add("UI/Step_off.png", Step(false));
  set.Add("UI/Step_on.png", Step(true));
  MakeEditorButtons(set);
}
