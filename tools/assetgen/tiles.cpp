// The six 50 by 50 map tiles. Every pattern repeats every 50 pixels so that
// neighbouring cells join without seams.
#include <algorithm>
#include <cmath>

#include "generators.h"

namespace {

constexpr int kTile = 50;

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

Color Shade(Color c, double amount) {
  return amount >= 0 ? Mix(c, Hex(0xffffff), amount) : Mix(c, Hex(0x000000), -amount);
}

// Cool grey flagstones, four to a cell, with thin grout and a soft bevel.
Color FloorPixel(int x, int y) {
  int gx = x % 25, gy = y % 25;
  if (gx == 0 || gy == 0) return Hex(0x2e323d);
  Color base = Hex(0x555c6c);
  double slab = Hash01(x / 25, y / 25, 11) - 0.5;
  double mottle = PeriodicNoise(x / 6.25, y / 6.25, 8, 12) - 0.5;
  double grain = Hash01(x, y, 13) - 0.5;
  double v = slab * 0.10 + mottle * 0.16 + grain * 0.07;
  if (gx == 1 || gy == 1) v += 0.12;
  if (gx == 24 || gy == 24) v -= 0.18;
  return Shade(base, v);
}

// Warm brown bricks, much smaller than the floor slabs and set in dark mortar.
Color WallPixel(int x, int y) {
  static const int rowTop[] = {0, 12, 25, 37, 50};
  int row = 0;
  while (y >= rowTop[row + 1]) ++row;
  int ry = y - rowTop[row], rh = rowTop[row + 1] - rowTop[row];
  int shift = (row % 2) ? 12 : 0;
  int bx = (x + shift) % 25;
  int brick = ((x + shift) / 25) % 2;
  if (ry < 2 || bx < 2) return Hex(0x1c1517);
  Color base = Hex(0x7a5646);
  double v = (Hash01(brick, row, 21) - 0.5) * 0.22 + (PeriodicNoise(x / 5.0, y / 5.0, 10, 22) - 0.5) * 0.14 +
             (Hash01(x, y, 23) - 0.5) * 0.08;
  if (ry == 2 || bx == 2) v += 0.22;
  if (ry == rh - 1 || bx == 24) v -= 0.25;
  return Shade(base, v);
}

// Dark crust plates split by glowing cracks: a Voronoi pattern on a wrapped grid.
Color LavaPixel(int x, int y) {
  const int cells = 4;
  const double cell = double(kTile) / cells;
  double f1 = 1e9, f2 = 1e9;
  int nearest = 0;
  int cx = int(x / cell), cy = int(y / cell);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      int ix = cx + dx, iy = cy + dy;
      int wx = (ix + cells) % cells, wy = (iy + cells) % cells;
      double px = (ix + 0.2 + 0.6 * Hash01(wx, wy, 31)) * cell;
      double py = (iy + 0.2 + 0.6 * Hash01(wx, wy, 32)) * cell;
      double d = std::hypot(x + 0.5 - px, y + 0.5 - py);
      if (d < f1) {
        f2 = f1;
        f1 = d;
        nearest = wy * cells + wx;
      } else if (d < f2) {
        f2 = d;
      }
    }
  double edge = f2 - f1;
  double heat = Clamp01(1.0 - edge / 3.2);
  Color crust = Shade(Hex(0x4a1b10), (Hash01(nearest, 0, 33) - 0.5) * 0.3 +
                                        (Hash01(x, y, 34) - 0.5) * 0.12 - f1 / cell * 0.25);
  if (heat <= 0) return crust;
  Color hot = heat > 0.6 ? Mix(Hex(0xff7a1a), Hex(0xffe873), (heat - 0.6) / 0.4)
                         : Mix(Hex(0xb3260e), Hex(0xff7a1a), heat / 0.6);
  return Mix(crust, hot, std::min(1.0, heat * 1.6));
}

// Deep blue water with bright wave crests that wander across the cell.
Color WaterPixel(int x, int y) {
  const double tau = 2 * M_PI;
  double wobble = 0.55 * std::sin(tau * x / kTile) + 0.25 * std::sin(tau * 2 * (x + 9) / kTile);
  double phase = tau * 3 * y / kTile + tau * wobble;
  double wave = std::sin(phase);
  double depth = PeriodicNoise(x / 10.0, y / 10.0, 5, 41) - 0.5;
  Color c = Shade(Hex(0x1f5a99), depth * 0.25 + 0.08 * wave + (Hash01(x, y, 42) - 0.5) * 0.05);
  double crest = Clamp01((wave - 0.82) / 0.18);
  // Crests only on the rising side, so the lines read as ripples, not stripes.
  if (std::cos(phase) > 0) crest = 0;
  return Mix(c, Hex(0xcdefff), crest * 0.85);
}

Image FloorImage() { return PixelImage(kTile, kTile, FloorPixel); }

Image PillarImage() {
  Canvas c(kTile, kTile);
  cairo_t* cr = c.cr();
  PaintImage(cr, FloorImage(), 0, 0);
  PathEllipse(cr, 27.5, 28.5, 20, 19);
  FillStroke(cr, Hex(0x000000, 0.45), {}, 0);
  cairo_arc(cr, 25, 25, 19.5, 0, 2 * M_PI);
  FillGradient(cr, cairo_pattern_create_radial(20, 19, 2, 25, 25, 21), {Hex(0xc7ccdb), Hex(0x5c6175)},
               true);
  Stroke(cr, pal::kInk, 1.5);
  // Fluted rim and a raised capital make it read as a column from above.
  for (int i = 0; i < 16; ++i) {
    double a = i * M_PI / 8;
    cairo_move_to(cr, 25 + 15.5 * std::cos(a), 25 + 15.5 * std::sin(a));
    cairo_line_to(cr, 25 + 18.5 * std::cos(a), 25 + 18.5 * std::sin(a));
  }
  Stroke(cr, Hex(0x3a3e4c, 0.8), 1.2);
  cairo_arc(cr, 25, 25, 12, 0, 2 * M_PI);
  FillStroke(cr, Hex(0xa9aebb), Hex(0x4a4f5e), 1.2);
  cairo_arc(cr, 23, 23, 6, 0, 2 * M_PI);
  FillStroke(cr, Hex(0xd3d6de, 0.7), {}, 0);
  return c.Take();
}

Image ExitImage() {
  Canvas c(kTile, kTile);
  cairo_t* cr = c.cr();
  PaintImage(cr, FloorImage(), 0, 0);
  Glow(cr, 25, 25, 30, Hex(0x5cff9d, 0.55));
  PathRoundRect(cr, 4, 4, 42, 42, 6);
  FillGradient(cr, cairo_pattern_create_linear(0, 4, 0, 46),
               {Color{0.30, 0.92, 0.55, 1}, Color{0.07, 0.55, 0.30, 1}}, true);
  Stroke(cr, Hex(0x0b2e1b), 2);
  PathRoundRect(cr, 7, 7, 36, 36, 4);
  Stroke(cr, Hex(0xd8ffe6, 0.7), 1);
  // A fat arrow above the word: readable even without the green.
  PathPolygon(cr, {25, 9, 35, 20, 29, 20, 29, 27, 21, 27, 21, 20, 15, 20});
  FillStroke(cr, Hex(0xffffff), Hex(0x0b2e1b), 1.5);
  TextStyle t;
  t.size = 11.5;
  t.color = Hex(0xffffff);
  t.outline = 1.4;
  t.outlineColor = Hex(0x0b2e1b);
  DrawText(cr, "EXIT", 25, 36, t);
  return c.Take();
}

}  // namespace

Image PixelImage(int width, int height, const std::function<Color(int x, int y)>& pixel) {
  Image image;
  image.width = width;
  image.height = height;
  image.rgba.resize(size_t(width) * height * 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Color c = pixel(x, y);
      uint8_t* out = &image.rgba[(size_t(y) * width + x) * 4];
      out[0] = uint8_t(std::lround(Clamp01(c.r) * 255));
      out[1] = uint8_t(std::lround(Clamp01(c.g) * 255));
      out[2] = uint8_t(std::lround(Clamp01(c.b) * 255));
      out[3] = uint8_t(std::lround(Clamp01(c.a) * 255));
    }
  return image;
}

void MakeTiles(AssetSet& set) {
  set.Add("floor.png", FloorImage());
  set.Add("wall.png", PixelImage(kTile, kTile, WallPixel));
  set.Add("pillar.png", PillarImage());
  set.Add("LavaTile1.png", PixelImage(kTile, kTile, LavaPixel));
  set.Add("WaterTile.png", PixelImage(kTile, kTile, WaterPixel));
  set.Add("Exit.png", ExitImage());
}
