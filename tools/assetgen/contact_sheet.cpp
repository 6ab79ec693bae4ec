// One overview picture of all the art, for the README and for reviewing changes.
#include <algorithm>
#include <cmath>

#include "generators.h"

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kMargin = 16;
constexpr int kLabel = 16;

// Small pictures are enlarged so their pixels can be judged; big screens shrink.
double ScaleFor(const Image& image) {
  if (image.height <= 50 && image.width <= 200) return 3;
  if (image.height <= 100 && image.width <= 220) return 1;
  return std::min(220.0 / image.height, 660.0 / image.width);
}

void Checker(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  for (int j = 0; j * 8 < h; ++j)
    for (int i = 0; i * 8 < w; ++i) {
      SetColor(cr, (i + j) % 2 ? Hex(0x3a3f4d) : Hex(0x2f3340));
      cairo_rectangle(cr, x + i * 8, y + j * 8, 8, 8);
      cairo_fill(cr);
    }
  cairo_restore(cr);
}

struct Placed {
  const std::pair<std::string, Image>* item;
  double x, y, scale;
};

}  // namespace

Image MakeContactSheet(const AssetSet& set) {
  // The screens as a player sees them come first, then every file.
  std::vector<std::pair<std::string, Image>> items = MakeMockups(set);
  const size_t mockups = items.size();
  items.insert(items.end(), set.All().begin(), set.All().end());
  // Lay out in rows first to learn the height.
  std::vector<Placed> placed;
  double x = kMargin, y = 70, rowHeight = 0;
  for (const auto& item : items) {
    bool mockup = placed.size() < mockups;
    double s = mockup ? 0.5 : ScaleFor(item.second);
    double w = std::ceil(item.second.width * s), h = std::ceil(item.second.height * s);
    bool firstFile = placed.size() == mockups;
    if ((x + w > kSheetWidth - kMargin || firstFile) && x > kMargin) {
      x = kMargin;
      y += rowHeight + kLabel + 14;
      rowHeight = 0;
    }
    placed.push_back({&item, x, y, s});
    x += std::max(w, 120.0) + 14;
    rowHeight = std::max(rowHeight, h);
  }
  const int height = int(y + rowHeight + kLabel + kMargin);

  Canvas c(kSheetWidth, height);
  cairo_t* cr = c.cr();
  SetColor(cr, Hex(0x14161f));
  cairo_paint(cr);
  TextStyle title;
  title.size = 26;
  DrawText(cr, "VANTREL  -  every picture of the game", kMargin, 32, title, 0);
  TextStyle note;
  note.font = Font::Sans;
  note.size = 13;
  note.color = pal::kMuted;
  DrawText(cr, "drawn by tools/assetgen; small pictures shown enlarged with nearest-neighbour filtering",
           kMargin, 54, note, 0);
  TextStyle label;
  label.font = Font::Condensed;
  label.size = 11;
  label.color = Hex(0xc8cdd8);
  for (const Placed& p : placed) {
    const Image& image = p.item->second;
    double w = image.width * p.scale, h = image.height * p.scale;
    Checker(cr, p.x, p.y, w, h);
    PaintImage(cr, image, p.x, p.y, p.scale, p.scale, 1, p.scale < 1);
    DrawText(cr, p.item->first, p.x, p.y + h + 9, label, 0);
  }
  return c.Take();
}
