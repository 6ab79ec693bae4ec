// The shared look of the full-screen pictures, and the splash, loading, pause and
// result pictures.
#include "screens.h"

#include <cmath>
#include <cstring>

void TileScene(cairo_t* cr, const AssetSet& set, const char* const* rows, int rowCount) {
  for (int r = 0; r < rowCount; ++r)
    for (int c = 0; rows[r][c]; ++c) {
      const char* name = "floor.png";
      switch (rows[r][c]) {
        case '#': name = "wall.png"; break;
        case 'o': name = "pillar.png"; break;
        case '~': name = "WaterTile.png"; break;
        case '^': name = "LavaTile1.png"; break;
        case 'E': name = "Exit.png"; break;
        default: break;
      }
      PaintImage(cr, set.Get(name), c * 50, r * 50);
    }
}

void PlaceCreature(cairo_t* cr, const AssetSet& set, const char* strip, int frame, double x,
                   double y, double angle, double scale, const char* cone) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_scale(cr, scale, scale);
  if (cone) PaintImage(cr, set.Get(cone), 20, -30 * 0.8, 0.8, 0.8, 1, scale != 1);
  PaintFrame(cr, set.Get(strip), 4, frame, -20, -20);
  cairo_restore(cr);
}

void Darken(cairo_t* cr, int w, int h, double alpha) {
  cairo_rectangle(cr, 0, 0, w, h);
  FillStroke(cr, WithAlpha(pal::kNight, alpha), {}, 0);
}

void Vignette(cairo_t* cr, int w, int h, double strength) {
  double r = std::hypot(w, h) / 2;
  cairo_rectangle(cr, 0, 0, w, h);
  FillGradient(cr, cairo_pattern_create_radial(w / 2.0, h / 2.0, r * 0.35, w / 2.0, h / 2.0, r),
               {Color{0, 0, 0, 0}, Color{0, 0, 0, strength}});
}

void Panel(cairo_t* cr, double x, double y, double w, double h, Color fill) {
  PathRoundRect(cr, x + 4, y + 6, w, h, 12);
  FillStroke(cr, Hex(0x000000, 0.45), {}, 0);
  PathRoundRect(cr, x, y, w, h, 12);
  FillStroke(cr, fill, pal::kInk, 4);
  PathRoundRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 11);
  Stroke(cr, WithAlpha(pal::kTeal, 0.75), 1.5);
}

void Logo(cairo_t* cr, double x, double y, double size) {
  TextStyle glow;
  glow.size = size;
  glow.color = WithAlpha(pal::kTeal, 0.35);
  glow.outline = size * 0.09;
  glow.outlineColor = WithAlpha(pal::kTeal, 0.3);
  DrawText(cr, "VANTREL", x, y, glow);
  TextStyle t;
  t.size = size;
  t.color = pal::kCream;
  t.outline = size * 0.045;
  t.outlineColor = pal::kInk;
  t.shadow = size * 0.06;
  DrawText(cr, "VANTREL", x, y, t);
}

void Aperture(cairo_t* cr, double cx, double cy, double r, double turn, double open) {
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_clip(cr);
  const double ro = r * open;
  for (int i = 0; i < 6; ++i) {
    double a = turn + i * M_PI / 3, b = a + M_PI / 3;
    cairo_move_to(cr, cx + ro * std::cos(a), cy + ro * std::sin(a));
    cairo_line_to(cr, cx + 2 * r * std::cos(a + 0.35), cy + 2 * r * std::sin(a + 0.35));
    cairo_line_to(cr, cx + 2 * r * std::cos(b + 0.35), cy + 2 * r * std::sin(b + 0.35));
    cairo_line_to(cr, cx + ro * std::cos(b), cy + ro * std::sin(b));
    cairo_close_path(cr);
    FillStroke(cr, i % 2 ? Hex(0x262c3e) : Hex(0x1e2332), Hex(0x4fc3c9, 0.6), 1.5);
  }
  cairo_restore(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  Stroke(cr, pal::kInk, r * 0.16, true);
  Stroke(cr, Hex(0x3a4258), r * 0.1);
}

void KeyCap(cairo_t* cr, double x, double y, double w, const char* label) {
  PathRoundRect(cr, x, y, w, 26, 5);
  FillStroke(cr, Hex(0xd9d3c3), pal::kInk, 2);
  PathRoundRect(cr, x + 2.5, y + 2, w - 5, 18, 4);
  FillStroke(cr, Hex(0xf7f3e8), {}, 0);
  TextStyle t;
  t.size = std::strlen(label) > 2 ? 11 : 14;
  t.color = pal::kInk;
  DrawText(cr, label, x + w / 2, y + 11, t);
}

void FaceButton(cairo_t* cr, double cx, double cy, double r, char label) {
  Color face = Hex(0x3dae4f);
  switch (label) {
    case 'B': face = Hex(0xd8413c); break;
    case 'X': face = Hex(0x3a72d6); break;
    case 'Y': face = Hex(0xf0c42c); break;
    default: break;
  }
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  FillStroke(cr, face, pal::kInk, 2);
  // A lighter top, as the key caps have.
  cairo_arc(cr, cx, cy - r * 0.12, r * 0.72, M_PI * 1.05, M_PI * 1.95);
  Stroke(cr, WithAlpha(Mix(face, Hex(0xffffff), 0.6), 0.8), r * 0.14);
  const char text[] = {label, '\0'};
  DrawText(cr, text, cx, cy, Style(Font::SansBold, r * 1.1, label == 'Y' ? pal::kInk : Hex(0xffffff)));
}

void TriggerCap(cairo_t* cr, double x, double y, double w, const char* label) {
  const double h = 26, r = w * 0.45;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, x + 3, y + h);
  cairo_line_to(cr, x + w - 3, y + h);
  cairo_arc_negative(cr, x + w - 3, y + h - 3, 3, M_PI / 2, 0);
  cairo_line_to(cr, x + w, y + r);
  cairo_arc_negative(cr, x + w - r, y + r, r, 0, -M_PI / 2);
  cairo_line_to(cr, x + r * 0.6, y);
  cairo_arc_negative(cr, x + r * 0.6, y + r * 0.6, r * 0.6, -M_PI / 2, -M_PI);
  cairo_line_to(cr, x, y + h - 3);
  cairo_arc_negative(cr, x + 3, y + h - 3, 3, M_PI, M_PI / 2);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xd9d3c3), pal::kInk, 2);
  PathRoundRect(cr, x + 3, y + 3, w - 6, 6, 3);
  FillStroke(cr, Hex(0xf7f3e8), {}, 0);
  DrawText(cr, label, x + w / 2, y + 15, Style(Font::SansBold, 11, pal::kInk));
}

void StickCap(cairo_t* cr, double cx, double cy, double r, const char* label) {
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  FillStroke(cr, Hex(0x3a4258), pal::kInk, 2);
  cairo_arc(cr, cx, cy, r * 0.7, 0, 2 * M_PI);
  FillStroke(cr, Hex(0xd9d3c3), pal::kInk, 1.5);
  DrawText(cr, label, cx, cy, Style(Font::SansBold, r * 0.85, pal::kInk));
}

void DPad(cairo_t* cr, double cx, double cy, double size) {
  const double a = size / 2, b = size / 6;
  PathPolygon(cr, {cx - b, cy - a, cx + b, cy - a, cx + b, cy - b, cx + a, cy - b, cx + a, cy + b,
                   cx + b, cy + b, cx + b, cy + a, cx - b, cy + a, cx - b, cy + b, cx - a, cy + b,
                   cx - a, cy - b, cx - b, cy - b});
  FillStroke(cr, Hex(0xd9d3c3), pal::kInk, 2);
  // An arrow into each arm.
  for (int i = 0; i < 4; ++i) {
    const double c = std::cos(i * M_PI / 2), s = std::sin(i * M_PI / 2);
    const double tip = a - 2.5, base = a - 2.5 - b * 1.1;
    PathPolygon(cr, {cx + c * tip, cy + s * tip, cx + c * base - s * b * 0.6, cy + s * base + c * b * 0.6,
                     cx + c * base + s * b * 0.6, cy + s * base - c * b * 0.6});
    FillStroke(cr, Hex(0x6a6456), {}, 0);
  }
}

void PillButton(cairo_t* cr, double x, double y, double w, const char* label) {
  PathRoundRect(cr, x, y + 4, w, 18, 9);
  FillStroke(cr, Hex(0x3a4258), pal::kInk, 2);
  DrawText(cr, label, x + w / 2, y + 13, Style(Font::SansBold, 10, pal::kCream));
}

void PressToGoOn(cairo_t* cr, double cx, double y, const char* what, const TextStyle& style,
                 bool pad) {
  const double key = pad ? 26 : 94, gap = 10;
  double press = TextWidth(cr, "Press", style.font, style.size);
  double rest = TextWidth(cr, what, style.font, style.size);
  double left = cx - (press + key + rest + 2 * gap) / 2;
  DrawText(cr, "Press", left, y, style, 0);
  if (pad)
    FaceButton(cr, left + press + gap + key / 2, y, key / 2, 'A');
  else
    KeyCap(cr, left + press + gap, y - 13, key, "SPACE");
  DrawText(cr, what, left + press + key + 2 * gap, y, style, 0);
}

namespace {

// Glowing eyes in the dark around the title: the monsters are watching.
void Eyes(cairo_t* cr, double x, double y, Color c) {
  for (double dx : {-7.0, 7.0}) {
    Glow(cr, x + dx, y, 9, WithAlpha(c, 0.5));
    PathEllipse(cr, x + dx, y, 3.5, 2.2);
    FillStroke(cr, Mix(c, Hex(0xffffff), 0.5), {}, 0);
  }
}

Image StartScreen(const AssetSet& set) {
  Canvas c(660, 660);
  cairo_t* cr = c.cr();
  SetColor(cr, pal::kNight);
  cairo_paint(cr);
  Glow(cr, 330, 300, 330, Hex(0x1d4a55, 0.8));
  Aperture(cr, 330, 270, 150, 0.3, 0.42);
  Glow(cr, 330, 270, 70, Hex(0xdffcff, 0.55));
  Eyes(cr, 135, 150, Hex(0xff5a2a));
  Eyes(cr, 530, 175, Hex(0x6ad0ff));
  Eyes(cr, 150, 480, Hex(0xffd54a));
  Eyes(cr, 515, 470, Hex(0xff3a2a));
  Vignette(c.cr(), 660, 660, 1.0);
  // The studio's line stands over the title from the first frame; the game shows only the
  // top 630 rows of this picture, from y 30 down.
  DrawText(cr, "KESTREL WORKS", 330, 66, Style(Font::SansBold, 22, Hex(0xf0c070), 2));
  DrawText(cr, "p r e s e n t s", 330, 92, Style(Font::Sans, 15, Hex(0xc9a66a), 2));
  Logo(cr, 330, 285, 90);
  DrawText(cr, "Photograph them.  Become them.  Escape.", 330, 372,
           Style(Font::Sans, 20, pal::kTealBright, 2));
  PlaceCreature(cr, set, "PlayerStatic.png", 0, 330, 585, -M_PI / 2, 1.5, "playerLOS.png");
  return c.Take();
}

Image Loading() {
  Canvas c(660 * 4, 660);
  cairo_t* cr = c.cr();
  for (int f = 0; f < 4; ++f) {
    cairo_save(cr);
    cairo_translate(cr, f * 660, 0);
    cairo_rectangle(cr, 0, 0, 660, 660);
    cairo_clip(cr);
    SetColor(cr, pal::kNight);
    cairo_paint(cr);
    Glow(cr, 330, 290, 260, Hex(0x1d4a55, 0.7));
    // A quarter of the blades' symmetry per frame, so the loop is seamless.
    Aperture(cr, 330, 280, 120, f * M_PI / 12, 0.3 + 0.08 * std::sin(f * M_PI / 2));
    TextStyle t;
    t.size = 40;
    t.color = pal::kCream;
    t.shadow = 3;
    DrawText(cr, "LOADING", 310, 465, t);
    for (int d = 0; d <= f; ++d) {
      if (d == 0) continue;
      cairo_arc(cr, 405 + d * 16, 478, 4.5, 0, 2 * M_PI);
      FillStroke(cr, pal::kTeal, pal::kInk, 1.5);
    }
    TextStyle tip;
    tip.font = Font::Sans;
    tip.size = 17;
    tip.color = pal::kMuted;
    DrawText(cr, "Each monster trusts only some disguises.", 330, 545, tip);
    Vignette(cr, 660, 660, 1.0);
    cairo_restore(cr);
  }
  return c.Take();
}

// The level draws this at half strength over the world and over the restart and quit
// confirmation. It darkens the edges fully and the middle, where that panel sits, a
// little less, so that the panel's words still read through it.
Image PauseScreen() {
  Canvas c(800, 600);
  cairo_rectangle(c.cr(), 0, 0, 800, 600);
  FillGradient(c.cr(), cairo_pattern_create_radial(400, 300, 180, 400, 300, 500),
               {Hex(0x05070d, 0.7), Hex(0x05070d, 1.0)});
  return c.Take();
}

// Only the words: the pause menu's buttons are drawn over the dimmed level.
Image PauseText() {
  Canvas c(800, 600);
  TextStyle t;
  t.size = 58;
  t.color = pal::kCream;
  t.outline = 3;
  t.shadow = 4;
  DrawText(c.cr(), "PAUSED", 400, 92, t);
  TextStyle hint;
  hint.size = 15;
  hint.color = pal::kTealBright;
  hint.outline = 2;
  DrawText(c.cr(), "Esc returns to the game", 400, 137, hint);
  return c.Take();
}

Image Win(const AssetSet& set) {
  Canvas c(800, 800);
  cairo_t* cr = c.cr();
  SetColor(cr, Hex(0x0c1a1c));
  cairo_paint(cr);
  // Rays of light from the open exit.
  for (int i = 0; i < 24; ++i) {
    double a = i * M_PI / 12;
    cairo_move_to(cr, 400, 400);
    cairo_arc(cr, 400, 400, 700, a, a + M_PI / 24);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0x3ddc84, 0.07), {}, 0);
  }
  // The exit sits low, under the times; the game sets the level's name under the title,
  // the times above the exit, the photos of the run below it and the way on under those.
  Glow(cr, 400, 450, 260, Hex(0x5cff9d, 0.35));
  PaintImage(cr, set.Get("Exit.png"), 360, 410, 1.6, 1.6);
  PlaceCreature(cr, set, "PlayerStatic.png", 0, 400, 448, -M_PI / 2, 1.4);
  Vignette(cr, 800, 800, 0.9);
  DrawText(cr, "LEVEL COMPLETE", 400, 200, Style(Font::SansBold, 64, Hex(0xeafff1), 4, 5));
  return c.Take();
}

}  // namespace

void MakeScreens(AssetSet& set) {
  set.Add("startScreen.png", StartScreen(set));
  set.Add("Loading.png", Loading());
  set.Add("PauseScreen.png", PauseScreen());
  set.Add("PauseText.png", PauseText());
  set.Add("Win.png", Win(set));
  set.Add("icon.png", GameIcon(64));
  MakeMenuScreens(set);
}
