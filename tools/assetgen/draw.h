// Drawing helpers shared by every picture: colours, shapes, text, noise, and a cairo
// canvas that hands back straight-alpha pixels.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "image.h"

struct Color {
  double r, g, b, a;
};
constexpr Color Hex(uint32_t rgb, double alpha = 1.0) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha};
}
Color Mix(Color a, Color b, double t);
Color WithAlpha(Color c, double alpha);
void SetColor(cairo_t* cr, Color c);

// The game's palette, so that every picture speaks the same language.
namespace pal {
constexpr Color kInk = Hex(0x15121c);         // outlines
constexpr Color kNight = Hex(0x0c0e16);       // deepest background
constexpr Color kPanel = Hex(0x1d2233);       // UI panels
constexpr Color kPanelLight = Hex(0x2b3350);
constexpr Color kTeal = Hex(0x4fc3c9);        // the camera's colour: UI accents
constexpr Color kTealBright = Hex(0xbff5f7);
constexpr Color kCream = Hex(0xf2ecdc);       // text
constexpr Color kAmber = Hex(0xf0a830);       // highlights, pressed buttons
constexpr Color kDanger = Hex(0xe5484d);
constexpr Color kMuted = Hex(0x8c93a8);       // secondary text
}  // namespace pal

class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }
  Image Take() const;

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

void PathRoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void PathEllipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// Fills the current path, outlines it when width > 0, and clears it.
void FillStroke(cairo_t* cr, Color fill, Color line, double width);
// Outlines the current path; clears it unless `keep`.
void Stroke(cairo_t* cr, Color line, double width, bool keep = false);
// A closed polygon through x0, y0, x1, y1, ...
void PathPolygon(cairo_t* cr, std::initializer_list<double> xy);
// Fills the current path with `gradient` (evenly spaced stops), then releases it.
void FillGradient(cairo_t* cr, cairo_pattern_t* gradient, std::initializer_list<Color> stops,
                  bool keep = false);
// A soft round glow, brightest at the centre.
void Glow(cairo_t* cr, double cx, double cy, double radius, Color c);

enum class Font { Sans, SansBold, Condensed, CondensedBold, MonoBold };

struct TextStyle {
  Font font = Font::SansBold;
  double size = 16;
  Color color = pal::kCream;
  double outline = 0;        // width of a dark outline around the letters
  Color outlineColor = pal::kInk;
  double shadow = 0;         // offset of a drop shadow
};

TextStyle Style(Font font, double size, Color color, double outline = 0, double shadow = 0);

double TextWidth(cairo_t* cr, const std::string& text, Font font, double size);
// Largest size up to `maxSize` at which `text` fits in `maxWidth`.
double FitSize(cairo_t* cr, const std::string& text, Font font, double maxSize, double maxWidth);
// Draws one line whose capital letters are vertically centred on y; `align` 0 puts the
// left end at x, 0.5 the middle, 1 the right end.
void DrawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style,
              double align = 0.5);

// Paints a picture with its top-left corner at (x, y), scaled by (sx, sy).
void PaintImage(cairo_t* cr, const Image& image, double x, double y, double sx = 1,
                double sy = 1, double alpha = 1, bool smooth = false);
// Paints one 40-pixel-or-other frame of a one-row strip.
void PaintFrame(cairo_t* cr, const Image& strip, int frames, int index, double x, double y,
                double scale = 1);

// Integer hash noise: the same inputs always give the same value.
uint32_t Hash(int x, int y, uint32_t seed);
double Hash01(int x, int y, uint32_t seed);
// Smooth value noise that repeats every `period` cells, so tiles join seamlessly.
double PeriodicNoise(double x, double y, int period, uint32_t seed);

// A small deterministic generator for scattering details and for sound.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  uint32_t Next();
  double Uniform() { return (Next() >> 8) * (1.0 / 16777216.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

 private:
  uint32_t state_;
};
