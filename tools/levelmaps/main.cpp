// vantrel-levelmaps: draws every level's map with its cast, one PNG per level.
// Usage: vantrel-levelmaps [output folder]   (default: the current folder)
// Cells in their colours, each monster's start (numbered as in its level's table, an arrow
// for the way a monster that stands still faces), the path of every patrol leg it walks,
// the player's start (P) and the exit.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "DataDirectory.h"
#include "LevelCast.h"
#include "LevelRoster.h"
#include "MapColours.h"
#include "Monster.h"
#include "TileMap.h"

namespace {

struct Colour {
  double r, g, b;
};

Colour Of(MapColour c) { return {c.r, c.g, c.b}; }

// World units to picture pixels: the map fills the picture below a title line.
struct View {
  double scale, halfWidth, halfHeight, top;
  double X(float x) const { return (x + halfWidth) * scale; }
  double Y(float y) const { return top + (halfHeight - y) * scale; }
};

void SetColour(cairo_t* cr, Colour c, double alpha = 1) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void Label(cairo_t* cr, double x, double y, const std::string& text, double size) {
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_move_to(cr, x - extents.width / 2 - extents.x_bearing,
                y - extents.height / 2 - extents.y_bearing);
  cairo_show_text(cr, text.c_str());
}

void DrawCells(cairo_t* cr, const TileMap& map, const View& view) {
  const double cell = map.tileSize * view.scale;
  for (unsigned row = 0; row < map.height; ++row) {
    for (unsigned column = 0; column < map.width; ++column) {
      SetColour(cr, Of(CellColour(map.cells[row][column])));
      cairo_rectangle(cr, column * cell, view.top + (map.height - 1 - row) * cell, cell, cell);
      cairo_fill(cr);
    }
  }
}

bool OnCellCentre(const TileMap& map, KEVec2 p) {
  const float size = float(map.tileSize);
  return std::fmod(p.x + map.halfWidth - size / 2, size) == 0 &&
         std::fmod(p.y + map.halfHeight - size / 2, size) == 0;
}

void DrawRoutes(cairo_t* cr, TileMap& map, const LevelCast& cast, const View& view) {
  cairo_set_line_width(cr, 2.5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (const CastMember& member : cast.monsters) {
    SetColour(cr, Of(KindColour(member.kind)), 0.75);
    for (const PatrolLeg& leg : PatrolLegs(member)) {
      cairo_move_to(cr, view.X(leg.from.x), view.Y(leg.from.y));
      std::list<KEVec2> path = map.FindPath(leg.from, leg.to);
      for (auto node = path.rbegin(); node != path.rend(); ++node)
        cairo_line_to(cr, view.X(node->x), view.Y(node->y));
      cairo_stroke(cr);
      // A patrol ends on a point off the cell centres: it is never stood on exactly.
      if (!OnCellCentre(map, leg.to)) break;
    }
  }
}

void DrawMonsters(cairo_t* cr, const LevelCast& cast, const View& view, double radius) {
  for (size_t i = 0; i < cast.monsters.size(); ++i) {
    const CastMember& member = cast.monsters[i];
    const double x = view.X(member.start.x), y = view.Y(member.start.y);
    if (member.route.empty()) {
      // Picture y grows downward, so the facing turns the other way.
      const float facing = member.rotation.value_or(0.0f);
      SetColour(cr, {0, 0, 0});
      cairo_set_line_width(cr, 3);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + 2.6 * radius * std::cos(facing), y - 2.6 * radius * std::sin(facing));
      cairo_stroke(cr);
    }
    SetColour(cr, Of(KindColour(member.kind)));
    cairo_new_path(cr);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill_preserve(cr);
    SetColour(cr, {1, 1, 1});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    SetColour(cr, member.kind == Bulb ? Colour{0, 0, 0} : Colour{1, 1, 1});
    Label(cr, x, y, std::to_string(i + 1), radius * 1.1);
  }
}

void DrawPlayer(cairo_t* cr, const LevelCast& cast, const View& view, double radius) {
  const double x = view.X(cast.playerStart.x), y = view.Y(cast.playerStart.y);
  SetColour(cr, {1, 1, 1});
  cairo_rectangle(cr, x - radius, y - radius, 2 * radius, 2 * radius);
  cairo_fill_preserve(cr);
  SetColour(cr, {0, 0, 0});
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  Label(cr, x, y, "P", radius * 1.4);
}

bool DrawLevel(int number, const std::string& folder) {
  const LevelCast& cast = *LevelCastOf(number);
  TileMap map;
  if (!map.LoadGrid(cast.grid)) {
    std::printf("%s: cannot read the map\n", cast.mapFile.c_str());
    return false;
  }

  constexpr double kSide = 640, kTitle = 36;
  View view;
  view.scale = kSide / (map.tileSize * std::max(map.width, map.height));
  view.halfWidth = map.halfWidth;
  view.halfHeight = map.halfHeight;
  view.top = kTitle;
  const int width = int(std::lround(map.width * map.tileSize * view.scale));
  const int height = int(std::lround(kTitle + map.height * map.tileSize * view.scale));
  const double radius = map.tileSize * view.scale * 0.38;

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  SetColour(cr, {1, 1, 1});
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  SetColour(cr, {0, 0, 0});
  const std::string name =
      number <= 6 ? "Level " + std::to_string(number) : "Trial " + std::to_string(number - 6);
  Label(cr, width / 2.0, kTitle / 2, name + "  (" + cast.mapFile + ")", 20);

  DrawCells(cr, map, view);
  DrawRoutes(cr, map, cast, view);
  DrawMonsters(cr, cast, view, radius);
  DrawPlayer(cr, cast, view, radius);

  const std::string out =
      folder + "/" + std::filesystem::path(cast.mapFile).stem().string() + ".png";
  const bool written = cairo_surface_write_to_png(surface, out.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  std::printf("%s %s\n", written ? "wrote" : "cannot write", out.c_str());
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::absolute(argc > 1 ? argv[1] : ".", error);
  if (!EnterDataDirectory()) return 1;
  bool good = true;
  for (int number = 1; number <= kLevelCount; ++number) good = DrawLevel(number, folder) && good;
  return good ? 0 : 1;
}
