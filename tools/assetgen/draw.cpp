#include "draw.h"

#include <algorithm>
#include <cmath>

Color Mix(Color a, Color b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Color WithAlpha(Color c, double alpha) { return {c.r, c.g, c.b, alpha}; }

void SetColor(cairo_t* cr, Color c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  // Fixed text rendering, independent of the desktop's font settings.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

Image Canvas::Take() const {
  cairo_surface_flush(surface_);
  Image image;
  image.width = width_;
  image.height = height_;
  image.rgba.resize(size_t(width_) * height_ * 4);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height_; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < width_; ++x) {
      uint32_t p = row[x];
      unsigned a = p >> 24;
      uint8_t* out = &image.rgba[(size_t(y) * width_ + x) * 4];
      for (int c = 0; c < 3; ++c) {
        unsigned v = (p >> (16 - 8 * c)) & 255;
        out[c] = uint8_t(a ? std::min(255u, (v * 255 + a / 2) / a) : 0);
      }
      out[3] = uint8_t(a);
    }
  }
  return image;
}

void PathRoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void PathEllipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void FillStroke(cairo_t* cr, Color fill, Color line, double width) {
  SetColor(cr, fill);
  if (width > 0) {
    cairo_fill_preserve(cr);
    SetColor(cr, line);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  } else {
    cairo_fill(cr);
  }
}

void Stroke(cairo_t* cr, Color line, double width, bool keep) {
  SetColor(cr, line);
  cairo_set_line_width(cr, width);
  if (keep)
    cairo_stroke_preserve(cr);
  else
    cairo_stroke(cr);
}

void PathPolygon(cairo_t* cr, std::initializer_list<double> xy) {
  const double* p = xy.begin();
  cairo_move_to(cr, p[0], p[1]);
  for (size_t i = 2; i + 1 < xy.size(); i += 2) cairo_line_to(cr, p[i], p[i + 1]);
  cairo_close_path(cr);
}

void FillGradient(cairo_t* cr, cairo_pattern_t* gradient, std::initializer_list<Color> stops,
                  bool keep) {
  double i = 0, last = double(stops.size() - 1);
  for (const Color& c : stops) cairo_pattern_add_color_stop_rgba(gradient, i++ / last, c.r, c.g, c.b, c.a);
  cairo_set_source(cr, gradient);
  if (keep)
    cairo_fill_preserve(cr);
  else
    cairo_fill(cr);
  cairo_pattern_destroy(gradient);
}

TextStyle Style(Font font, double size, Color color, double outline, double shadow) {
  TextStyle t;
  t.font = font;
  t.size = size;
  t.color = color;
  t.outline = outline;
  t.shadow = shadow;
  return t;
}

void Glow(cairo_t* cr, double cx, double cy, double radius, Color c) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, c.a);
  cairo_pattern_add_color_stop_rgba(p, 0.45, c.r, c.g, c.b, c.a * 0.45);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

namespace {

void SelectFont(cairo_t* cr, Font font, double size) {
  const char* family = "DejaVu Sans";
  cairo_font_weight_t weight = CAIRO_FONT_WEIGHT_BOLD;
  switch (font) {
    case Font::Sans: weight = CAIRO_FONT_WEIGHT_NORMAL; break;
    case Font::SansBold: break;
    case Font::Condensed: family = "DejaVu Sans Condensed"; weight = CAIRO_FONT_WEIGHT_NORMAL; break;
    case Font::CondensedBold: family = "DejaVu Sans Condensed"; break;
    case Font::MonoBold: family = "DejaVu Sans Mono"; break;
  }
  cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, weight);
  cairo_set_font_size(cr, size);
}

}  // namespace

double TextWidth(cairo_t* cr, const std::string& text, Font font, double size) {
  SelectFont(cr, font, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  return e.x_advance;
}

double FitSize(cairo_t* cr, const std::string& text, Font font, double maxSize, double maxWidth) {
  double w = TextWidth(cr, text, font, maxSize);
  return w <= maxWidth ? maxSize : std::floor(maxSize * maxWidth / w * 4) / 4;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style,
              double align) {
  cairo_save(cr);
  SelectFont(cr, style.font, style.size);
  cairo_text_extents_t e, caps;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_text_extents(cr, "H", &caps);
  double left = x - e.x_advance * align;
  double base = y + caps.height / 2;
  cairo_new_path(cr);
  if (style.shadow > 0) {
    cairo_move_to(cr, left + style.shadow, base + style.shadow);
    cairo_text_path(cr, text.c_str());
    SetColor(cr, WithAlpha(pal::kInk, 0.8 * style.color.a));
    cairo_fill(cr);
  }
  cairo_move_to(cr, left, base);
  cairo_text_path(cr, text.c_str());
  if (style.outline > 0) {
    SetColor(cr, style.outlineColor);
    cairo_set_line_width(cr, style.outline * 2);
    cairo_stroke_preserve(cr);
  }
  SetColor(cr, style.color);
  cairo_fill(cr);
  cairo_restore(cr);
}

void PaintImage(cairo_t* cr, const Image& image, double x, double y, double sx, double sy,
                double alpha, bool smooth) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int py = 0; py < image.height; ++py) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(py) * stride);
    for (int px = 0; px < image.width; ++px) {
      const uint8_t* in = &image.rgba[(size_t(py) * image.width + px) * 4];
      uint32_t a = in[3];
      auto pre = [a](uint32_t v) { return (v * a + 127) / 255; };
      row[px] = (a << 24) | (pre(in[0]) << 16) | (pre(in[1]) << 8) | pre(in[2]);
    }
  }
  cairo_surface_mark_dirty(s);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, sx, sy);
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), smooth ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr, 0, 0, image.width, image.height);
  cairo_clip(cr);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  cairo_surface_destroy(s);
}

void PaintFrame(cairo_t* cr, const Image& strip, int frames, int index, double x, double y,
                double scale) {
  double fw = double(strip.width) / frames;
  cairo_save(cr);
  cairo_rectangle(cr, x, y, fw * scale, strip.height * scale);
  cairo_clip(cr);
  PaintImage(cr, strip, x - index * fw * scale, y, scale, scale);
  cairo_restore(cr);
}

uint32_t Hash(int x, int y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

double Hash01(int x, int y, uint32_t seed) { return (Hash(x, y, seed) >> 8) / 16777216.0; }

double PeriodicNoise(double x, double y, int period, uint32_t seed) {
  auto wrap = [period](int v) { return ((v % period) + period) % period; };
  int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  double fx = x - x0, fy = y - y0;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  double a = Hash01(wrap(x0), wrap(y0), seed), b = Hash01(wrap(x0 + 1), wrap(y0), seed);
  double c = Hash01(wrap(x0), wrap(y0 + 1), seed), d = Hash01(wrap(x0 + 1), wrap(y0 + 1), seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

uint32_t Rng::Next() {
  // xorshift32: tiny, fast and the same everywhere.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}
