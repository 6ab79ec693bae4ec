// Animation strips, cones of sight and the monsters' mood icons.
#include <cmath>

#include "creatures.h"
#include "generators.h"

namespace {

constexpr int kFrame = 40;

Image Strip(Creature kind, bool walking = true) {
  Canvas c(kFrame * 4, kFrame);
  for (int f = 0; f < 4; ++f) {
    cairo_save(c.cr());
    cairo_translate(c.cr(), f * kFrame, 0);
    cairo_rectangle(c.cr(), 0, 0, kFrame, kFrame);
    cairo_clip(c.cr());
    DrawCreature(c.cr(), kind, f, walking);
    cairo_restore(c.cr());
  }
  return c.Take();
}

// The cone image is stretched to 2.7 by 1.2 times its length, so it keeps that 9:4
// shape; its tip is the middle of the left edge.
Image Cone(bool player) {
  const int w = 135, h = 60;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  const Color tint = player ? Hex(0xdffcff) : Hex(0xff4a3a);
  PathPolygon(cr, {0, h / 2.0, w, 0, w, h});
  FillGradient(cr, cairo_pattern_create_linear(0, 0, w, 0),
               {Color{tint.r, tint.g, tint.b, player ? 0.42 : 0.5}, Color{tint.r, tint.g, tint.b, player ? 0.08 : 0.14}});
  if (player) {
    // The camera's view: clean bright edges and viewfinder corners at the far end.
    cairo_move_to(cr, w, 1);
    cairo_line_to(cr, 0, h / 2.0);
    cairo_line_to(cr, w, h - 1);
    Stroke(cr, Hex(0xffffff, 0.55), 1.5);
    for (double side : {-1.0, 1.0}) {
      cairo_move_to(cr, w - 12, h / 2.0 + side * 9);
      cairo_line_to(cr, w - 8, h / 2.0 + side * 9);
      cairo_line_to(cr, w - 8, h / 2.0 + side * 5);
    }
    Stroke(cr, Hex(0xffffff, 0.45), 1.2);
  } else {
    // A monster's gaze: sweeping bands, like a searchlight.
    for (int i = 1; i <= 4; ++i) {
      double r = i * w / 4.5;
      cairo_arc(cr, 0, h / 2.0, r, -0.22, 0.22);
      SetColor(cr, Hex(0xff8a70, 0.35));
      cairo_set_line_width(cr, 2.5);
      cairo_new_sub_path(cr);
      cairo_stroke(cr);
    }
    cairo_move_to(cr, w, 0.5);
    cairo_line_to(cr, 0, h / 2.0);
    cairo_line_to(cr, w, h - 0.5);
    Stroke(cr, Hex(0xff6050, 0.6), 1.2);
  }
  return c.Take();
}

// The game draws the icons 30 by 30 with their centre 25 above the monster's, whose top
// is 20 above it: the bottom 10 rows stay clear so that the icon sits on its head.
constexpr double kIconBottom = 20;

Image AlertIcon() {
  Canvas c(30, 30);
  cairo_t* cr = c.cr();
  const double top = 2.6, base = kIconBottom - 2.6;
  PathPolygon(cr, {15, top, 25.5, base, 4.5, base});
  cairo_set_line_width(cr, 4.5);
  SetColor(cr, pal::kInk);
  cairo_stroke_preserve(cr);
  FillStroke(cr, Hex(0xe8322c), Hex(0xffffff), 1.5);
  cairo_move_to(cr, 15, 7);
  cairo_line_to(cr, 15, 10.6);
  Stroke(cr, Hex(0xffffff), 2.8);
  cairo_arc(cr, 15, 14.1, 1.5, 0, 2 * M_PI);
  cairo_fill(cr);
  return c.Take();
}

Image ScanIcon() {
  Canvas c(30, 30);
  cairo_t* cr = c.cr();
  // A thought bubble with a question mark: the monster is looking for you.
  PathEllipse(cr, 16, 9.4, 9.6, 7.2);
  cairo_move_to(cr, 10, 13.5);
  cairo_line_to(cr, 5.5, kIconBottom - 2.2);
  cairo_line_to(cr, 13.5, 15.8);
  cairo_set_line_width(cr, 4);
  SetColor(cr, pal::kInk);
  cairo_stroke_preserve(cr);
  FillStroke(cr, Hex(0xf0b42a), {}, 0);
  PathEllipse(cr, 16, 9.4, 9.6, 7.2);
  Stroke(cr, Hex(0xfff3c4), 1.2);
  TextStyle t;
  t.size = 13;
  t.color = pal::kInk;
  DrawText(cr, "?", 16, 9.4, t);
  return c.Take();
}

}  // namespace

void MakeCreatures(AssetSet& set) {
  set.Add("PlayerMove.png", Strip(Creature::Player));
  set.Add("PlayerStatic.png", Strip(Creature::Player, false));
  set.Add("FIRERAT.png", Strip(Creature::FireRat));
  set.Add("WATERRAT.png", Strip(Creature::WaterRat));
  set.Add("TIRE.png", Strip(Creature::Tire));
  set.Add("BULB.png", Strip(Creature::Bulb));
  set.Add("FIREBALL.png", Strip(Creature::Fireball));
  set.Add("Electri.png", Strip(Creature::Electric));
  set.Add("playerLOS.png", Cone(true));
  set.Add("monsterLOS.png", Cone(false));
  set.Add("Alert.png", AlertIcon());
  set.Add("Scaning.png", ScanIcon());
}
