// Each creature is a few outlined shapes: big enough silhouettes to be told apart at
// 40 by 40, with a dark outline so they stand out on every tile. Everything stays
// inside the frame's inner 36 by 36, so nothing is cut off at the frame's edge.
#include <algorithm>
#include <cmath>

#include "creatures.h"
#include "draw.h"

namespace {

constexpr double kLine = 1.2;
// The clear border of every frame, in pixels.
constexpr double kInnerLow = 2, kInnerHigh = 38;

// How far a ray from (cx, cy) at `angle` runs before it leaves the frame's inner box.
double RoomToward(double cx, double cy, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  double room = 1e9;
  if (c > 1e-9) room = std::min(room, (kInnerHigh - cx) / c);
  if (c < -1e-9) room = std::min(room, (kInnerLow - cx) / c);
  if (s > 1e-9) room = std::min(room, (kInnerHigh - cy) / s);
  if (s < -1e-9) room = std::min(room, (kInnerLow - cy) / s);
  return room;
}

// Shapes that overlap but must read as one silhouette: outline all, then fill all.
void OutlinedEllipses(cairo_t* cr, const double (*e)[4], int n, Color fill) {
  for (int i = 0; i < n; ++i) PathEllipse(cr, e[i][0], e[i][1], e[i][2], e[i][3]);
  Stroke(cr, pal::kInk, kLine * 2, true);
  SetColor(cr, fill);
  cairo_fill(cr);
}

void Shadow(cairo_t* cr, double cx, double cy, double rx, double ry) {
  PathEllipse(cr, cx, cy, rx, ry);
  FillStroke(cr, Hex(0x000000, 0.28), {}, 0);
}

void Teardrop(cairo_t* cr, double x, double y, double size, double angle) {
  // Round end at (x, y), point `size` away in direction `angle`.
  double c = std::cos(angle), s = std::sin(angle), r = size * 0.42;
  cairo_move_to(cr, x + c * size, y + s * size);
  cairo_curve_to(cr, x + c * r - s * r * 1.4, y + s * r + c * r * 1.4, x - c * r * 1.6 - s * r,
                 y - s * r * 1.6 + c * r, x - c * r, y - s * r);
  cairo_curve_to(cr, x - c * r * 1.6 + s * r, y - s * r * 1.6 - c * r, x + c * r + s * r * 1.4,
                 y + s * r - c * r * 1.4, x + c * size, y + s * size);
  cairo_close_path(cr);
}

void Flame(cairo_t* cr, double x, double y, double size, double angle, double flicker) {
  Teardrop(cr, x, y, size * 1.25 + flicker, angle);
  FillStroke(cr, Hex(0xe0381a), pal::kInk, 0.9);
  Teardrop(cr, x + 0.5 * std::cos(angle), y + 0.5 * std::sin(angle), size * 0.95 + flicker * 0.7,
           angle);
  FillStroke(cr, Hex(0xff9a22), {}, 0);
  Teardrop(cr, x + std::cos(angle), y + std::sin(angle), size * 0.55 + flicker * 0.4, angle);
  FillStroke(cr, Hex(0xffe773), {}, 0);
}

struct RatLook {
  Color fur, furDark, inner, tail, eye;
};

void DrawRat(cairo_t* cr, int frame, bool fire) {
  const RatLook look = fire ? RatLook{Hex(0xd8461e), Hex(0x8e2410), Hex(0xffb08a), Hex(0xc98062),
                                      Hex(0xffdd44)}
                            : RatLook{Hex(0x3f86d6), Hex(0x1f4f8f), Hex(0xa8d8ff), Hex(0x7fa8d8),
                                      Hex(0xffffff)};
  const double p = frame * M_PI / 2, s = std::sin(p), c = std::cos(p);
  // Nose to burning tail tip, the rat is longer than the frame: draw it a little smaller.
  cairo_translate(cr, 20, 20);
  cairo_scale(cr, 0.88, 0.88);
  cairo_translate(cr, -20, -20);
  Shadow(cr, 20, 22.5, 15, 8);

  // Tail swishing behind the body; the fire rat's burns at the tip.
  double tx = 5.5, ty = 20 + 4 * s;
  cairo_move_to(cr, 10, 20);
  cairo_curve_to(cr, 6, 20 - 3 * c, 6, ty + 2 * c, tx, ty);
  Stroke(cr, pal::kInk, 3.6, true);
  Stroke(cr, look.tail, 1.8);
  if (fire) {
    Flame(cr, tx + 1, ty, 4.2, M_PI + 0.5 * s - 0.3, 0.9 * c);
  } else {
    Teardrop(cr, tx + 0.5, ty + 2.8, 3.8, M_PI / 2);
    FillStroke(cr, Hex(0xbfe9ff), pal::kInk, 0.9);
  }

  // Paws move in diagonal pairs: a trot.
  double step = 2.6 * s;
  const double paws[4][2] = {{26 + step, 12.8}, {13 - step, 12.8}, {26 - step, 27.2}, {13 + step, 27.2}};
  for (const auto& paw : paws) {
    PathEllipse(cr, paw[0], paw[1], 2.6, 2);
    FillStroke(cr, look.furDark, pal::kInk, kLine);
  }

  // Body and head as one silhouette, then round ears on top as seen from above.
  const double sil[3][4] = {{17.5, 20, 10.8 + 0.4 * c, 7}, {28.5, 20, 6, 5.6}, {33.5, 20, 4.6, 3.2}};
  OutlinedEllipses(cr, sil, 3, look.fur);
  PathEllipse(cr, 16.5, 20, 7, 3.6);
  FillStroke(cr, Mix(look.fur, Hex(0xffffff), 0.12), {}, 0);
  for (double side : {-1.0, 1.0}) {
    cairo_arc(cr, 25.8, 20 + side * 6.2, 3.6, 0, 2 * M_PI);
    FillStroke(cr, look.fur, pal::kInk, kLine);
    cairo_arc(cr, 26.1, 20 + side * 6.4, 2.1, 0, 2 * M_PI);
    FillStroke(cr, look.inner, {}, 0);
  }
  if (fire) {
    // Flame marks along the spine.
    for (int i = 0; i < 3; ++i) {
      double x = 12 + i * 5.5;
      cairo_move_to(cr, x - 2, 18);
      cairo_line_to(cr, x + 2.5, 20);
      cairo_line_to(cr, x - 2, 22);
      Stroke(cr, Hex(0xffc23a), 1.6);
    }
  } else {
    // A wave along the back and a bead of water on it.
    cairo_move_to(cr, 9.5, 20);
    for (int i = 1; i <= 8; ++i)
      cairo_line_to(cr, 9.5 + i * 2, 20 + 1.5 * std::sin(i * 1.6 + p));
    Stroke(cr, Hex(0xd8f2ff), 1.3);
  }

  // Face: eyes, nose and whiskers point the way it walks.
  for (double ey : {17.6, 22.4}) {
    cairo_arc(cr, 31, ey, 1.45, 0, 2 * M_PI);
    FillStroke(cr, look.eye, {}, 0);
    cairo_arc(cr, 31.6, ey, 0.75, 0, 2 * M_PI);
    FillStroke(cr, pal::kInk, {}, 0);
  }
  cairo_arc(cr, 37.8, 20, 1.35, 0, 2 * M_PI);
  FillStroke(cr, fire ? Hex(0x2a0a05) : Hex(0x0d1f3a), {}, 0);
  for (double d : {-1.0, 1.0}) {
    cairo_move_to(cr, 35, 20 + d * 1.6);
    cairo_line_to(cr, 39.5, 20 + d * 4.2);
  }
  Stroke(cr, Hex(0xffffff, 0.75), 0.6);

  // Drifting embers or droplets, one phase apart so they seem to rise.
  for (int i = 0; i < 2; ++i) {
    int t = (frame + i * 2) % 4;
    double x = 15 + i * 8, y = (i ? 31.5 : 8.5) + (i ? 1 : -1) * t * 0.9;
    if (fire) {
      cairo_arc(cr, x, y, 1.1, 0, 2 * M_PI);
      FillStroke(cr, Hex(0xffd54a, 1.0 - t * 0.2), {}, 0);
    } else {
      Teardrop(cr, x, y, 2.8, i ? M_PI / 2 : -M_PI / 2);
      FillStroke(cr, Hex(0xbfe9ff, 1.0 - t * 0.18), Hex(0x0d1f3a, 1.0 - t * 0.18), 0.7);
    }
  }
}

void DrawPlayer(cairo_t* cr, int frame, bool walking) {
  const double s = walking ? std::sin(frame * M_PI / 2) : 0;
  // One pixel back, so that the lens stays clear of the frame's edge.
  cairo_translate(cr, -1, 0);
  Shadow(cr, 19, 21.5, 13, 12);
  // Shoes step out in front of and behind the body.
  for (double side : {-1.0, 1.0}) {
    PathEllipse(cr, 18 + side * 7.5 * s, 20 + side * 8.2, 4.6, 3);
    FillStroke(cr, Hex(0x3b2a22), pal::kInk, kLine);
  }
  // The shoulders sway with each step.
  cairo_translate(cr, 20, 20);
  cairo_rotate(cr, -0.1 * s);
  cairo_translate(cr, -20, -20);
  // Backpack on the back shows which way the player faces.
  PathRoundRect(cr, 7, 13.5, 7, 13, 2.5);
  FillStroke(cr, Hex(0x8a6236), pal::kInk, kLine);
  PathEllipse(cr, 18, 20, 7.6, 12);
  FillStroke(cr, Hex(0x2f6f74), pal::kInk, kLine);
  // Arms reach forward to the camera.
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, 18.5, 20 + side * 9.5);
    cairo_line_to(cr, 26.5, 20 + side * 6.3);
  }
  Stroke(cr, pal::kInk, 5.6, true);
  Stroke(cr, Hex(0x3a8388), 3.4);
  // The camera, held sideways with its lens pointing ahead.
  PathRoundRect(cr, 26.5, 12.5, 5.5, 15, 1.5);
  FillStroke(cr, Hex(0x2a2a31), pal::kInk, kLine);
  cairo_rectangle(cr, 32, 16.2, 4.5, 7.6);
  FillStroke(cr, Hex(0x474a57), pal::kInk, kLine);
  cairo_rectangle(cr, 36.5, 16.8, 1.8, 6.4);
  FillStroke(cr, Hex(0x8fe3e8), pal::kInk, 0.8);
  cairo_rectangle(cr, 27.5, 14, 2.5, 3.5);
  FillStroke(cr, Hex(0xe8e8f0), {}, 0);
  for (double side : {-1.0, 1.0}) {
    cairo_arc(cr, 27.5, 20 + side * 6.8, 2.1, 0, 2 * M_PI);
    FillStroke(cr, Hex(0xe3b48c), pal::kInk, 0.9);
  }
  // Head with a red cap whose brim points forward.
  PathEllipse(cr, 22.2, 20, 3.4, 4.6);
  FillStroke(cr, Hex(0x9b2c24), pal::kInk, kLine);
  cairo_arc(cr, 17, 20, 6.2, 0, 2 * M_PI);
  FillStroke(cr, Hex(0xcf463b), pal::kInk, kLine);
  cairo_arc(cr, 15.8, 18.4, 2.6, 0, 2 * M_PI);
  FillStroke(cr, Hex(0xff8a7a, 0.6), {}, 0);
}

void DrawTire(cairo_t* cr, int frame) {
  // Speed lines behind it.
  for (int i = 0; i < 3; ++i) {
    double len = 3 + ((frame + i) % 4) * 1.2;
    cairo_move_to(cr, 3, 12 + i * 8);
    cairo_line_to(cr, 3 + len, 12 + i * 8);
  }
  Stroke(cr, Hex(0xd8dbe4, 0.7), 1.4);
  Shadow(cr, 22, 22, 15.5, 15.5);
  const double cx = 21, cy = 20;
  cairo_arc(cr, cx, cy, 16.2, 0, 2 * M_PI);
  FillStroke(cr, Hex(0x1e1e23), pal::kInk, kLine);
  // Ten tread blocks turning clockwise: a quarter of their spacing per frame.
  const double turn = frame * (2 * M_PI / 10) / 4;
  for (int i = 0; i < 10; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, turn + i * 2 * M_PI / 10);
    PathRoundRect(cr, 13, -2.4, 2.8, 4.8, 0.8);
    FillStroke(cr, Hex(0x5a5a66), {}, 0);
    cairo_restore(cr);
  }
  // A wide bright hub carries the face, so that it still reads at 40 pixels: big eyes,
  // heavy angry brows and bared teeth, all looking the way it rolls.
  cairo_arc(cr, cx, cy, 11.8, 0, 2 * M_PI);
  FillGradient(cr, cairo_pattern_create_radial(cx - 3, cy - 3, 1, cx, cy, 12),
               {Color{0.93, 0.94, 0.96, 1}, Color{0.62, 0.64, 0.70, 1}}, true);
  Stroke(cr, pal::kInk, 1.6);
  for (double side : {-1.0, 1.0}) {
    PathEllipse(cr, cx + 0.8, cy + side * 4.4, 2.7, 3.1);
    FillStroke(cr, Hex(0xffffff), pal::kInk, 1.1);
    cairo_arc(cr, cx + 1.8, cy + side * 4.1, 1.6, 0, 2 * M_PI);
    FillStroke(cr, pal::kInk, {}, 0);
    cairo_move_to(cr, cx - 3.2, cy + side * 7.6);
    cairo_line_to(cr, cx - 1.4, cy + side * 2.2);
  }
  Stroke(cr, pal::kInk, 2.2);
  PathRoundRect(cr, cx + 5.4, cy - 5, 3.8, 10, 1.2);
  FillStroke(cr, Hex(0xffffff), pal::kInk, 1.1);
  for (double y : {-1.7, 1.7}) {
    cairo_move_to(cr, cx + 5.4, cy + y);
    cairo_line_to(cr, cx + 9.2, cy + y);
  }
  cairo_move_to(cr, cx + 7.3, cy - 5);
  cairo_line_to(cr, cx + 7.3, cy + 5);
  Stroke(cr, pal::kInk, 0.8);
}

void Zigzag(cairo_t* cr, double cx, double cy, double angle, double r0, double r1, double jag) {
  double c = std::cos(angle), s = std::sin(angle);
  cairo_move_to(cr, cx + c * r0, cy + s * r0);
  for (int k = 1; k <= 3; ++k) {
    double r = r0 + (r1 - r0) * k / 3, off = (k % 2 ? jag : -jag) * (k < 3 ? 1 : 0);
    cairo_line_to(cr, cx + c * r - s * off, cy + s * r + c * off);
  }
}

void Sparks(cairo_t* cr, double cx, double cy, int count, double r0, double r1, uint32_t seed,
            double strength) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    double a = (i + rng.Range(0.1, 0.9)) * 2 * M_PI / count;
    // Each spark ends, its glow included, inside the frame.
    double end = std::min(r1 + rng.Range(-1.5, 1.5), RoomToward(cx, cy, a) - 2.5);
    double jag = rng.Range(1.4, 2.6);
    if (end > r0 + 3) Zigzag(cr, cx, cy, a, r0, end, jag);
  }
  cairo_path_t* path = cairo_copy_path(cr);
  Stroke(cr, Hex(0x49c8ff, 0.55 * strength), 3.2);
  cairo_append_path(cr, path);
  Stroke(cr, Hex(0xf2fdff, strength), 1.2);
  cairo_path_destroy(path);
}

void DrawBulb(cairo_t* cr, int frame) {
  static const double kPulse[4] = {0.35, 0.55, 0.8, 0.55};
  const double glow = kPulse[frame];
  // Drawn back from the right edge, so that glow and sparks fit in the frame.
  cairo_translate(cr, -1.5, 0);
  Glow(cr, 25, 20, 14, Hex(0xffe45c, 0.35 + 0.45 * glow));
  // Screw base at the back, glass to the front.
  cairo_rectangle(cr, 5, 17, 2.5, 6);
  FillStroke(cr, Hex(0x2a2a31), pal::kInk, kLine);
  PathRoundRect(cr, 7.5, 13.8, 7, 12.4, 1.5);
  FillStroke(cr, Hex(0xa7adb8), pal::kInk, kLine);
  for (double x : {9.5, 11.3, 13.1}) {
    cairo_move_to(cr, x, 14.3);
    cairo_line_to(cr, x - 0.8, 25.7);
  }
  Stroke(cr, Hex(0x5d626e), 0.9);
  PathPolygon(cr, {14.5, 15, 19, 13, 19, 27, 14.5, 25});
  FillStroke(cr, Hex(0xf6e9b0), pal::kInk, kLine);
  cairo_arc(cr, 25.5, 20, 10.8, 0, 2 * M_PI);
  FillGradient(cr, cairo_pattern_create_radial(25, 20, 1, 25.5, 20, 10.8),
               {Color{1, 1, 0.93, 1}, Color{1, 0.94, 0.62 - 0.15 * glow, 1}, Color{0.96, 0.78, 0.26, 1}}, true);
  Stroke(cr, Hex(0x5a4510), kLine);
  // Sparks crackle from the glass outwards.
  Sparks(cr, 25, 20, 4, 8.5, 18, 500 + frame, 0.6 + 0.4 * glow);
  // Filament on its two wires.
  cairo_move_to(cr, 17.5, 18);
  cairo_line_to(cr, 21.5, 18);
  cairo_move_to(cr, 17.5, 22);
  cairo_line_to(cr, 21.5, 22);
  Stroke(cr, Hex(0x7a6a40), 0.7);
  cairo_move_to(cr, 21.5, 18);
  for (int k = 1; k <= 4; ++k) cairo_line_to(cr, 21.5 + k % 2 * 2.2, 18 + k);
  Stroke(cr, Mix(Hex(0xff8a1f), Hex(0xffffff), glow * 0.6), 1.1);
  for (double side : {-1.0, 1.0}) {
    PathEllipse(cr, 30, 20 + side * 3.6, 1.5, 2);
    FillStroke(cr, Hex(0x2a1e08), {}, 0);
    cairo_arc(cr, 30.4, 19.4 + side * 3.6, 0.55, 0, 2 * M_PI);
    FillStroke(cr, Hex(0xffffff), {}, 0);
  }
}

void DrawFireball(cairo_t* cr, int frame) {
  const double p = frame * M_PI / 2;
  Glow(cr, 24, 20, 14, Hex(0xff7a1a, 0.45));
  // Flame tongues stream back, away from where it flies; the outer ones first.
  static const int kOrder[5] = {0, 4, 1, 3, 2};
  for (int i : kOrder) {
    double a = M_PI + (i - 2) * 0.36 + 0.08 * std::sin(p + i);
    double len = 14 + 3 * std::sin(p + i * 1.9) + (i == 2 ? 5 : (i == 1 || i == 3) ? 2.5 : 0);
    Flame(cr, 26 + std::cos(a) * 3, 20 + std::sin(a) * 3, len * 0.72, a, 0.8 * std::cos(p + i));
  }
  cairo_arc(cr, 27, 20, 8.8, 0, 2 * M_PI);
  FillGradient(cr, cairo_pattern_create_radial(28, 19, 1, 27, 20, 8.8),
               {Color{1, 1, 0.9, 1}, Color{1, 0.86, 0.3, 1}, Color{0.95, 0.38, 0.08, 1}}, true);
  Stroke(cr, Hex(0x6a1306), kLine);
  for (double side : {-1.0, 1.0}) {
    PathEllipse(cr, 30.5, 20 + side * 3.2, 1.8, 1.5);
    FillStroke(cr, Hex(0x3a0a02), {}, 0);
    cairo_move_to(cr, 28, 20 + side * 5.4);
    cairo_line_to(cr, 32.5, 20 + side * 2.2);
  }
  Stroke(cr, Hex(0x3a0a02), 1.1);
}

void DrawElectric(cairo_t* cr, int frame) {
  static const double kPulse[4] = {0.7, 1.0, 0.8, 0.55};
  cairo_arc(cr, 20, 20, 15, 0, 2 * M_PI);
  FillGradient(cr, cairo_pattern_create_radial(20, 20, 2, 20, 20, 15),
               {Color{0.05, 0.05, 0.1, 0.7}, Color{0.05, 0.05, 0.1, 0}});
  Glow(cr, 20, 20, 17, Hex(0x49c8ff, 0.35 * kPulse[frame]));
  Sparks(cr, 20, 20, 5, 2, 18, 700 + frame, kPulse[frame]);
  cairo_arc(cr, 20, 20, 3.2, 0, 2 * M_PI);
  FillStroke(cr, Hex(0xffffff), Hex(0x49c8ff), 1.2);
}

}  // namespace

void DrawCreature(cairo_t* cr, Creature kind, int frame, bool walking) {
  cairo_save(cr);
  switch (kind) {
    case Creature::Player: DrawPlayer(cr, frame, walking); break;
    case Creature::FireRat: DrawRat(cr, frame, true); break;
    case Creature::WaterRat: DrawRat(cr, frame, false); break;
    case Creature::Tire: DrawTire(cr, frame); break;
    case Creature::Bulb: DrawBulb(cr, frame); break;
    case Creature::Fireball: DrawFireball(cr, frame); break;
    case Creature::Electric: DrawElectric(cr, frame); break;
  }
  cairo_restore(cr);
}
