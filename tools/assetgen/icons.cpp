// The game's icon: the window's, and the desktop's in every size of the hicolor theme
// plus a scalable SVG, all from one drawing.
#include <cairo-svg.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "generators.h"
#include "screens.h"

namespace {

// The name the desktop file, the metainfo and the icon theme share.
const char kAppId[] = "org.vantrel.Vantrel";
const int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

// A camera lens on a night-blue tile, laid out on a 64-unit grid. The bold teal ring and the
// bright pupil carry the picture at 16 pixels; the iris blades only show from 32 up. The
// tile leaves a sixteenth of the icon clear on every side, as desktop icons do, so that
// it sits among other icons at the same size.
void DrawIcon(cairo_t* cr, double size, bool blades) {
  const double kMargin = 4;
  cairo_save(cr);
  cairo_scale(cr, size / 64, size / 64);
  cairo_translate(cr, kMargin, kMargin);
  cairo_scale(cr, (64 - 2 * kMargin) / 64, (64 - 2 * kMargin) / 64);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  PathRoundRect(cr, 2, 2, 60, 60, 12);
  FillStroke(cr, pal::kPanel, pal::kTeal, 4);
  if (blades) {
    Aperture(cr, 32, 32, 19, 0.3, 0.45);
  } else {
    cairo_arc(cr, 32, 32, 19, 0, 2 * M_PI);
    FillStroke(cr, Hex(0x262c3e), {}, 0);
  }
  cairo_arc(cr, 32, 32, 19, 0, 2 * M_PI);
  Stroke(cr, pal::kTeal, 6);
  cairo_arc(cr, 32, 32, 8.5, 0, 2 * M_PI);
  FillStroke(cr, Hex(0xdffcff), {}, 0);
  cairo_restore(cr);
}

bool WriteSvg(const std::string& path, int size) {
  cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), size, size);
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(surface);
  DrawIcon(cr, size, true);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

}  // namespace

Image GameIcon(int size) {
  Canvas canvas(size, size);
  DrawIcon(canvas.cr(), size, size >= 32);
  return canvas.Take();
}

bool WriteDesktopIcons(const std::string& dir) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (int size : kIconSizes) {
    const std::string folder =
        dir + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    fs::create_directories(folder, error);
    if (!WritePng(folder + "/" + kAppId + ".png", GameIcon(size))) return false;
  }
  const std::string scalable = dir + "/hicolor/scalable/apps";
  fs::create_directories(scalable, error);
  return WriteSvg(scalable + "/" + kAppId + ".svg", 64);
}
