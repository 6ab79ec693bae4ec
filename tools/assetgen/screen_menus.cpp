// Menu pictures. Buttons are drawn over these by the game, so each one keeps clear
// the places where its buttons sit.
#include <cmath>

#include "ControlsPictures.h"
#include "PromptPictures.h"
#include "screens.h"

namespace {

const char* const kMenuMap[] = {
    "################", "#....#.....~~~.#", "#.o..#..^^.~~~.#", "#....#..^^.....#",
    "#..........o...#", "###..####..#####", "#......#.......#", "#.~~...#...^^..#",
    "#.~~.......^^.E#", "#....o.........#", "#..............#", "################",
};

const char* const kSelectMap[] = {
    "################", "#......#.......#", "#.^^^..#..o..~~#", "#.^^^.....o..~~#",
    "#......#.......#", "####.######.####", "#......~~~.....#", "#..o...~~~..o..#",
    "#..............#", "#.~~.....^^....#", "#.~~.....^^...E#", "################",
};

struct Actor {
  const char* strip;
  int frame;
  double x, y, angle;
};

// Monsters placed clear of the title and the button panel.
const Actor kMenuActors[] = {
    {"FIRERAT.png", 1, 95, 310, 0},          {"TIRE.png", 2, 705, 330, M_PI},
    {"BULB.png", 2, 160, 470, -M_PI / 2},    {"WATERRAT.png", 0, 640, 470, M_PI / 2},
    {"FIREBALL.png", 1, 705, 540, M_PI},     {"PlayerMove.png", 1, 205, 540, 0},
};

void Backdrop(cairo_t* cr, const AssetSet& set, const char* const* map, double dim) {
  TileScene(cr, set, map, 12);
  for (const Actor& a : kMenuActors) {
    bool player = std::string(a.strip) == "PlayerMove.png";
    PlaceCreature(cr, set, a.strip, a.frame, a.x, a.y, a.angle, 1,
                  player ? "playerLOS.png" : "monsterLOS.png");
  }
  Darken(cr, 800, 600, dim);
  Vignette(cr, 800, 600, 0.85);
}

TextStyle Body(double size, Color color = pal::kCream) {
  TextStyle t;
  t.font = Font::Sans;
  t.size = size;
  t.color = color;
  return t;
}

TextStyle Heading(double size, Color color = pal::kTeal) {
  TextStyle t;
  t.size = size;
  t.color = color;
  return t;
}

void ScreenTitle(cairo_t* cr, const char* text, double y) {
  TextStyle t;
  t.size = 38;
  t.outline = 3;
  t.shadow = 4;
  DrawText(cr, text, 400, y, t);
}

Image MainMenu(const AssetSet& set) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  Backdrop(cr, set, kMenuMap, 0.55);
  Glow(cr, 400, 125, 260, Hex(0x4fc3c9, 0.25));
  Logo(cr, 400, 118, 108);
  TextStyle tag = Body(20, pal::kTealBright);
  tag.outline = 2.5;
  DrawText(cr, "Photograph them.  Become them.  Escape.", 400, 198, tag);
  // Backing for the five buttons (plates from y 322 to 572).
  Panel(cr, 268, 306, 264, 282);
  return c.Take();
}

// One line per monster: what it is and what fools it.
void FieldNotes(cairo_t* cr, const AssetSet& set, double x, double y, double w) {
  Panel(cr, x, y, w, 376);
  DrawText(cr, "FIELD NOTES", x + w / 2, y + 28, Heading(20));
  struct Note {
    const char* strip;
    const char* name;
    const char* line1;
    const char* line2;
  };
  const Note notes[] = {
      {"FIRERAT.png", "FIRE RAT", "Any disguise fools it.", "Its photo walks on lava."},
      {"WATERRAT.png", "WATER RAT", "Any disguise fools it.", "Dries up away from water."},
      {"TIRE.png", "TIRE", "Fast. Sees through rats;", "fooled by tire, bulb, fireball."},
      {"BULB.png", "BULB", "Leaves deadly sparks.", "Only a bulb fools it."},
      {"FIREBALL.png", "FIREBALL", "Sees through everything", "but another fireball."},
  };
  for (int i = 0; i < 5; ++i) {
    double ry = y + 78 + i * 62;
    cairo_arc(cr, x + 38, ry, 25, 0, 2 * M_PI);
    FillStroke(cr, Hex(0x0b0d14), WithAlpha(pal::kTeal, 0.5), 1.5);
    PaintFrame(cr, set.Get(notes[i].strip), 4, 0, x + 18, ry - 20);
    DrawText(cr, notes[i].name, x + 74, ry - 16, Heading(15, pal::kAmber), 0);
    DrawText(cr, notes[i].line1, x + 74, ry + 2, Body(13.5), 0);
    DrawText(cr, notes[i].line2, x + 74, ry + 19, Body(13.5, pal::kMuted), 0);
  }
}

// A caption centred on x with a thin rule either side of it, from `left` to `right`.
void RuledCaption(cairo_t* cr, const char* text, double x, double y, double left, double right,
                  Color color) {
  const TextStyle style = Heading(14, color);
  DrawText(cr, text, x, y, style);
  const double half = TextWidth(cr, text, style.font, style.size) / 2 + 10;
  cairo_move_to(cr, left, y);
  cairo_line_to(cr, x - half, y);
  cairo_move_to(cr, x + half, y);
  cairo_line_to(cr, right, y);
  Stroke(cr, WithAlpha(color, 0.6), 1.5);
}

Image LevelSelect(const AssetSet& set) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  Backdrop(cr, set, kSelectMap, 0.72);
  ScreenTitle(cr, "SELECT A LEVEL", 48);
  // The game draws the level tiles in two columns (x 90-210 and 260-380): levels 1 to 4
  // down the left, 5 and 6 over the trials on the right. STORY heads both columns; the
  // trials name themselves in amber, and the gap above the first one holds its best time.
  RuledCaption(cr, "STORY", 235, 92, 90, 380, pal::kTeal);
  FieldNotes(cr, set, 430, 96, 345);
  return c.Take();
}

// The game draws six level rows (x 80-620, y 94-460), the page arrows at x 700 and the
// buttons under the panel.
Image YourLevels(const AssetSet& set) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  Backdrop(cr, set, kSelectMap, 0.72);
  ScreenTitle(cr, "YOUR LEVELS", 48);
  Panel(cr, 60, 82, 680, 392);
  return c.Take();
}

Image Credits(const AssetSet& set) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  Backdrop(cr, set, kMenuMap, 0.8);
  ScreenTitle(cr, "CREDITS", 52);
  Panel(cr, 110, 92, 580, 396);
  Logo(cr, 400, 140, 44);
  DrawText(cr, "a top-down stealth game", 400, 178, Body(16, pal::kTealBright));
  const char* roles[][2] = {
      {"DESIGN AND PROGRAMMING", "The Vantrel team"},
      {"ENGINE", "Kestrel Engine"},
      {"ART AND SOUND", "Drawn and synthesised in code by our own generator"},
      {"LETTERING", "DejaVu Sans"},
      {"THANK YOU", "for sneaking through our dungeons"},
  };
  for (int i = 0; i < 5; ++i) {
    double y = 222 + i * 52;
    DrawText(cr, roles[i][0], 400, y, Heading(14, pal::kAmber));
    DrawText(cr, roles[i][1], 400, y + 21, Body(17));
  }
  return c.Take();
}

// The game draws each row's controls right of x 335: the volume's minus, ten steps and
// plus at y 155 and 210, the choices at y 280, 330, 380, 430 and 480; the back button under
// the panel.
Image Settings(const AssetSet& set) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  Backdrop(cr, set, kSelectMap, 0.72);
  ScreenTitle(cr, "SETTINGS", 62);
  Panel(cr, 70, 110, 660, 390);
  // Sound above, picture and pace below.
  cairo_move_to(cr, 96, 245);
  cairo_line_to(cr, 704, 245);
  Stroke(cr, WithAlpha(pal::kTeal, 0.25), 1);
  const struct {
    const char* label;
    double y;
    const char* hint;
  } rows[] = {
      {"MUSIC", 155, nullptr},
      {"EFFECTS", 210, nullptr},
      {"DISPLAY", 280, nullptr},
      {"VSYNC", 330, "auto: on at 60, 120 or 240 Hz"},
      {"GAME SPEED", 380, "slows monsters, hazards and timers"},
      {"EXIT ARROW", 430, nullptr},
      {"GHOST", 480, "your best run, walking beside you"},
  };
  for (const auto& row : rows) {
    DrawText(cr, row.label, 100, row.y, Heading(22, pal::kCream), 0);
    if (row.hint) DrawText(cr, row.hint, 100, row.y + 21, Body(12, pal::kMuted), 0);
  }
  return c.Take();
}

Image Controls(const AssetSet& set) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  Backdrop(cr, set, kSelectMap, 0.72);
  ScreenTitle(cr, "CONTROLS", 62);
  Panel(cr, 70, 110, 660, 390);
  DrawText(cr, "KEY", kKeyPlateX, 122, Heading(13, pal::kTeal));
  DrawText(cr, "PAD", 620, 122, Heading(13, pal::kTeal));
  for (int i = 0; i < 8; ++i) {
    const double y = kFirstActionRowY + kActionRowPitch * i;
    DrawText(cr, kActionLabels[i], 100, y, Heading(19, pal::kCream), 0);
    DrawText(cr, kActionPadButtons[i], 620, y, Body(14, pal::kMuted));
  }
  DrawText(cr, "Click a key, then press the new key or mouse button. Escape keeps the old one.",
           400, kControlsHintY, Body(13, pal::kMuted));
  return c.Take();
}

// The mouse as an icon, with one button lit (0 left, 1 middle, 2 right, -1 none).
void Mouse(cairo_t* cr, double x, double y, int lit) {
  PathRoundRect(cr, x, y, 22, 30, 10);
  FillStroke(cr, Hex(0xd9d3c3), pal::kInk, 2);
  if (lit == 0 || lit == 2) {
    cairo_save(cr);
    PathRoundRect(cr, x, y, 22, 30, 10);
    cairo_clip(cr);
    cairo_rectangle(cr, x + (lit == 0 ? 0 : 11), y, 11, 12);
    FillStroke(cr, pal::kAmber, {}, 0);
    cairo_restore(cr);
  }
  cairo_move_to(cr, x, y + 12);
  cairo_line_to(cr, x + 22, y + 12);
  cairo_move_to(cr, x + 11, y);
  cairo_line_to(cr, x + 11, y + 12);
  Stroke(cr, pal::kInk, 1.5);
  PathRoundRect(cr, x + 8.5, y + 3, 5, 7, 2.5);
  FillStroke(cr, lit == 1 ? pal::kAmber : Hex(0x8c8676), pal::kInk, 1);
}

// Where each row of the controls panel starts: the photo's row has a third line.
constexpr double kControlRowY[4] = {154, 202, 269, 317};

void ControlLines(cairo_t* cr, double x, double y, const char* const (&lines)[3]) {
  for (int k = 0; k < 3 && lines[k]; ++k) DrawText(cr, lines[k], x, y + 8 + 19 * k, Body(14.5), 0);
}

// The keys of the controls panel: walk and pause, then a row per way to use the camera.
void KeyboardControls(cairo_t* cr) {
  const char* wasd[] = {"W", "A", "S", "D"};
  for (int i = 0; i < 4; ++i) KeyCap(cr, 36 + i * 30, 120, 26, wasd[i]);
  DrawText(cr, "Walk", 166, 132, Body(16), 0);
  KeyCap(cr, 250, 120, 40, "ESC");
  DrawText(cr, "Pause", 302, 132, Body(16), 0);
  struct Row {
    int mouse;
    const char* lines[3];
  };
  // The player's cone is as long as a photo reaches, wherever the cursor is.
  const Row rows[] = {
      {-1, {"Move the mouse to turn your cone. It", "always reaches 3 cells; walls cut it."}},
      {0, {"Left click: photograph the nearest", "monster in your cone (3 photos). The",
           "camera then recharges for 1.7 s."}},
      {2, {"Right click: disguise yourself as your", "first photo. The photo is used up."}},
      {1, {"Middle click: drop the disguise."}},
  };
  for (int i = 0; i < 4; ++i) {
    Mouse(cr, 42, kControlRowY[i], rows[i].mouse);
    ControlLines(cr, 80, kControlRowY[i], rows[i].lines);
  }
}

// The same rows for the pad: its layout is fixed, so the picture can name its buttons.
void PadControls(cairo_t* cr) {
  StickCap(cr, 50, 133, 14, "L");
  DPad(cr, 86, 133, 28);
  DrawText(cr, "Walk", 110, 132, Body(16), 0);
  PillButton(cr, 236, 120, 58, "START");
  DrawText(cr, "Pause", 302, 132, Body(16), 0);
  struct Row {
    const char* trigger;  // drawn left of the face button, or null
    char button;          // a face button, or 0 for the right stick
    const char* lines[3];
  };
  const Row rows[] = {
      {nullptr, 0,
       {"Tilt the right stick to turn your cone.", "It always reaches 3 cells; walls cut it."}},
      {"RT", 'A', {"RT or A: photograph the nearest", "monster in your cone (3 photos). The",
                   "camera then recharges for 1.7 s."}},
      {"LT", 'X', {"LT or X: disguise yourself as your", "first photo. The photo is used up."}},
      {nullptr, 'B', {"B: drop the disguise."}},
  };
  for (int i = 0; i < 4; ++i) {
    const double y = kControlRowY[i];
    if (rows[i].trigger) {
      TriggerCap(cr, 28, y + 2, 26, rows[i].trigger);
      FaceButton(cr, 69, y + 15, 11, rows[i].button);
    } else if (rows[i].button) {
      FaceButton(cr, 53, y + 15, 11, rows[i].button);
    } else {
      StickCap(cr, 53, y + 15, 14, "R");
    }
    ControlLines(cr, 90, y, rows[i].lines);
  }
}

// The title and both panels, over whatever lies behind: the main menu's backdrop, or the
// paused level dimmed by the pause screen. The game's BACK button sits under the panels.
void InstructionPanels(cairo_t* cr, const AssetSet& set, bool pad) {
  ScreenTitle(cr, "HOW TO PLAY", 38);

  // Left: the controls.
  Panel(cr, 18, 72, 372, 456);
  DrawText(cr, "CONTROLS", 204, 98, Heading(19));
  if (pad)
    PadControls(cr);
  else
    KeyboardControls(cr);

  // How long each disguise lasts, as the monsters' kind table in the game sets it.
  DrawText(cr, "A DISGUISE LASTS", 204, 364, Heading(15));
  const struct {
    const char* strip;
    const char* seconds;
  } lasts[] = {{"FIRERAT.png", "40 s"}, {"WATERRAT.png", "10 s"}, {"TIRE.png", "4 s"},
               {"BULB.png", "7 s"}, {"FIREBALL.png", "7 s"}};
  for (int i = 0; i < 5; ++i) {
    const double x = 34 + i * 70;
    PaintFrame(cr, set.Get(lasts[i].strip), 4, 0, x, 374, 0.8);
    DrawText(cr, lasts[i].seconds, x + 34, 390, Style(Font::SansBold, 14, pal::kCream), 0);
  }
  DrawText(cr, "DISGUISE in the strip below counts it down.", 204, 418, Body(13, pal::kMuted));

  // The SPEED socket of the status strip shows how fast the player goes now.
  // Every look but the tire's is slower than walking.
  DrawText(cr, "THE SPEED ARROW BELOW", 204, 444, Heading(15));
  const struct {
    const char* icon;
    double x, y;
    const char* words;
  } speeds[] = {{"Status.png", 30, 458, "walking"},
                {"SPDD.png", 116, 458, "slowed by water"},
                {"SPDU.png", 254, 458, "fast as a tire"},
                {"SPDMIX.png", 30, 490, "a tire in water"},
                {"SPDSLOW.png", 172, 490, "slow in any other look"}};
  for (const auto& speed : speeds) {
    PaintImage(cr, set.Get(speed.icon), speed.x, speed.y, 0.52, 0.52, 1, true);
    DrawText(cr, speed.words, speed.x + 31, speed.y + 13, Body(12), 0);
  }

  // Right: who is fooled, and the dangers of the floor.
  Panel(cr, 406, 72, 376, 456);
  DrawText(cr, "WHO IS FOOLED", 594, 98, Heading(19));
  const char* fooled[][3] = {
      {"FIRERAT.png", "Rats: by any disguise", ""},
      {"TIRE.png", "Tire: by a tire, bulb or fireball", ""},
      {"BULB.png", "Bulb: only by a bulb; a tire or", "fireball look makes it stop and wait."},
      {"FIREBALL.png", "Fireball: only by a fireball", ""},
  };
  const double fooledY[4] = {128, 166, 212, 258};
  for (int i = 0; i < 4; ++i) {
    const double y = fooledY[i];
    PaintFrame(cr, set.Get(fooled[i][0]), 4, 0, 422, y - 20, 0.9);
    if (fooled[i][2][0]) {
      DrawText(cr, fooled[i][1], 470, y - 9, Body(14.5), 0);
      DrawText(cr, fooled[i][2], 470, y + 10, Body(14.5), 0);
    } else {
      DrawText(cr, fooled[i][1], 470, y, Body(14.5), 0);
    }
  }
  DrawText(cr, "DANGERS", 594, 312, Heading(19));
  struct Danger {
    const char* image;
    bool strip;
    const char* line1;
    const char* line2;
  };
  const Danger dangers[] = {
      {"LavaTile1.png", false, "Lava burns: cross it only", "as a fire rat or fireball."},
      {"WaterTile.png", false, "Water slows you down,", "unless you are a water rat."},
      {"Electri.png", true, "Sparks and monsters kill", "at a single touch."},
      {"Exit.png", false, "Walk onto the exit", "to win the level."},
  };
  for (int i = 0; i < 4; ++i) {
    double y = 346 + i * 45;
    if (dangers[i].strip)
      PaintFrame(cr, set.Get(dangers[i].image), 4, 1, 422, y - 20, 1);
    else
      PaintImage(cr, set.Get(dangers[i].image), 424, y - 18, 0.72, 0.72, 1, true);
    DrawText(cr, dangers[i].line1, 470, y - 9, Body(14.5), 0);
    DrawText(cr, dangers[i].line2, 470, y + 10, Body(14.5), 0);
  }
}

Image Instructions(const AssetSet& set, bool pad) {
  Canvas c(800, 600);
  Backdrop(c.cr(), set, kMenuMap, 0.85);
  InstructionPanels(c.cr(), set, pad);
  return c.Take();
}

// The pause menu's instructions: the level drawn dim behind them, as in the rest of the menu.
Image InstructionsOverPause(const AssetSet& set, bool pad) {
  Canvas c(800, 600);
  InstructionPanels(c.cr(), set, pad);
  return c.Take();
}

// The yes and no buttons cover the lower part of these panels. The level draws its
// panel over the half-transparent pause screen and the menu over its own picture, so the
// panel is opaque and near black and its words white: clear over anything behind.
Image Confirm(int w, const char* question, const char* detail) {
  Canvas c(w, 300);
  cairo_t* cr = c.cr();
  Panel(cr, 4, 4, w - 10, 290, pal::kNight);
  PathPolygon(cr, {w / 2.0, 22, w / 2.0 + 20, 58, w / 2.0 - 20, 58});
  FillStroke(cr, pal::kAmber, pal::kInk, 2.5);
  DrawText(cr, "!", w / 2.0, 46, Heading(22, pal::kInk));
  TextStyle q;
  q.size = 28;
  q.color = Hex(0xffffff);
  q.shadow = 2;
  DrawText(cr, question, w / 2.0, 90, q);
  DrawText(cr, detail, w / 2.0, 124, Style(Font::SansBold, 15, Hex(0xffffff)));
  return c.Take();
}

}  // namespace

void MakeMenuScreens(AssetSet& set) {
  set.Add("main.png", MainMenu(set));
  set.Add("controls.png", Controls(set));
  set.Add("level.png", LevelSelect(set));
  set.Add("yourlevels.png", YourLevels(set));
  set.Add("creditscreen.png", Credits(set));
  set.Add("settings.png", Settings(set));
  for (bool pad : {false, true}) {
    set.Add(InAssets(Prompt(kInstructionPictures, pad)), Instructions(set, pad));
    set.Add(InAssets(Prompt(kPausedInstructionPictures, pad)), InstructionsOverPause(set, pad));
  }
  set.Add("confirmationscreen.png", Confirm(400, "ARE YOU SURE?", "This level's progress will be lost."));
  set.Add("confirmation_quitgame.png", Confirm(500, "QUIT VANTREL?", "The monsters will still be here."));
}
