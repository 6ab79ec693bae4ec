#include "LevelOverview.h"

#include <algorithm>
#include <cmath>

#include "KEGraphics.h"
#include "MapColours.h"
#include "MapShapes.h"
#include "Monster.h"
#include "OverviewLegend.h"
#include "TileMap.h"

namespace {

// The backdrop covers the 800 x 520 of the view above the strip; the name sits in its top
// band, the map between that band and the line of keys along its foot.
constexpr float kBackdropY = 40, kBackdropHalfWidth = 400, kBackdropHalfHeight = 260;
// The line of keys covers the backdrop's foot band.
constexpr float kKeysY = kBackdropY - kBackdropHalfHeight + kOverviewKeysHeight / 2.0f;
constexpr float kNameX = -200, kNameY = 272, kNameHalfWidth = 180, kNameHalfHeight = 24;
// The map fits a square in the middle, which leaves the legend its column on the left and
// the arrow to the exit room outside the map on either side.
constexpr float kMapCentreY = 27, kMapSide = 416;
constexpr float kLegendTop = kMapCentreY + kMapSide / 2, kLegendMarkX = -380;
constexpr float kLegendWordsX = -366, kLegendMarkRadius = 7.5f;
// Half the arrow's side, at most a cell and a half so that it stays level with the map's
// rows; between it and what it points at, the map's frame and a pixel.
constexpr float kArrowHalf = 24, kArrowMostCells = 1.5f, kArrowGap = 4;
// A row per kind, then the player and the exit, beside the words of the legend's picture.
void AddLegend(Shapes& shapes) {
  for (int row = 0; row < kLegendRows; ++row) {
    const KEVec2 at = {kLegendMarkX, kLegendTop - kLegendRowHeight * (float(row) + 0.5f)};
    if (row < 5)
      AddMark(shapes, at, kLegendMarkRadius, row);
    else if (row == 5)
      AddPlayer(shapes, at, kLegendMarkRadius - 1);
    else
      AddExit(shapes, at, kLegendMarkRadius, true);
  }
}

// World points to the overview, relative to the view's centre.
struct Fit {
  float scale;
  KEVec2 mapCentre;
  KEVec2 operator()(KEVec2 p) const {
    return {(p.x - mapCentre.x) * scale, kMapCentreY + (p.y - mapCentre.y) * scale};
  }
};

// World units to the overview's: the whole map fits its square.
float OverviewScale(const TileMap& map) {
  const float size = float(map.tileSize);
  return std::min(kMapSide / (size * float(map.width)), kMapSide / (size * float(map.height)));
}

// Whether a square `half` either side of `at` reaches into a cell one can walk on.
bool HidesAFreeCell(const TileMap& map, KEVec2 at, float half) {
  const float size = float(map.tileSize);
  if (size <= 0) return false;
  // Cells the square only touches along an edge are not hidden.
  const float shy = size * 1e-3f;
  const int first = int(std::floor((at.x - half + shy + map.halfWidth) / size));
  const int last = int(std::floor((at.x + half - shy + map.halfWidth) / size));
  const int bottom = int(std::floor((at.y - half + shy + map.halfHeight) / size));
  const int top = int(std::floor((at.y + half - shy + map.halfHeight) / size));
  for (int row = std::max(bottom, 0); row <= std::min(top, int(map.height) - 1); ++row) {
    for (int column = std::max(first, 0); column <= std::min(last, int(map.width) - 1); ++column) {
      if (map.blocking[row][column] != 1) return true;
    }
  }
  return false;
}

void AddRoute(Shapes& shapes, TileMap& map, const Fit& fit, const Monster& monster, uint32_t colour,
              float width) {
  const std::vector<KEVec2>& points = monster.waypoints;
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    KEVec2 from = points[i];
    const std::list<KEVec2> path = map.FindPath(points[i], points[i + 1]);
    for (auto node = path.rbegin(); node != path.rend(); ++node) {
      shapes.Line(fit(from), fit(*node), width, colour);
      shapes.Disc(fit(*node), width / 2, colour);
      from = *node;
    }
  }
}

}  // namespace

OverviewArrowPlace PlaceOverviewArrow(const TileMap& map, KEVec2 exit) {
  const float scale = OverviewScale(map);
  const float size = float(map.tileSize);
  const float half = std::min(kArrowHalf / scale, kArrowMostCells * size), gap = kArrowGap / scale;
  const float reach = size / 2 + gap + half;
  // Level with the map's rows, it covers none of the words above and below the map.
  const float top = map.halfHeight - half, bottom = half - map.halfHeight;
  const OverviewArrowPlace beside[] = {
      {{exit.x, exit.y + reach}, half, -float(M_PI) / 2},
      {{exit.x - reach, exit.y}, half, 0},
      {{exit.x + reach, exit.y}, half, float(M_PI)},
      {{exit.x, exit.y - reach}, half, float(M_PI) / 2},
  };
  for (const OverviewArrowPlace& place : beside) {
    const bool inRoom = bottom <= place.at.y && place.at.y <= top;
    if (inRoom && !HidesAFreeCell(map, place.at, half)) return place;
  }
  // A map of a row or two has no room to spare: the arrow stands level with its middle.
  const float outside = map.halfWidth + gap + half;
  const float y = bottom <= top ? std::clamp(exit.y, bottom, top) : 0;
  return exit.x < 0 ? OverviewArrowPlace{{-outside, y}, half, 0}
                    : OverviewArrowPlace{{outside, y}, half, float(M_PI)};
}

LevelOverview::~LevelOverview() { Forget(); }

void LevelOverview::Load() {
  backdrop_.Init(1, kBackdropHalfWidth, kBackdropHalfHeight);
  backdrop_.AddImage("Assets/OverviewBackdrop.png");
  keys_.Load(kOverviewKeyPictures, kOverviewKeysWidth / 2.0f, kOverviewKeysHeight / 2.0f);
  keysInPlay_.Load(kOverviewInPlayKeyPictures, kOverviewKeysWidth / 2.0f,
                   kOverviewKeysHeight / 2.0f);
  legend_.Init(1, kLegendWordsWidth / 2.0f, kLegendRowHeight * kLegendRows / 2.0f);
  legend_.AddImage(kLegendPicture);
  name_.Init(8, kNameHalfWidth, kNameHalfHeight);
  name_.AddStrip("Assets/OverviewNames.png", 8, 0);
  arrowPicture_ = GetTexture("Assets/ExitArrow.png");
}

void LevelOverview::Build(TileMap& map, const ObjectList& objects, KEVec2 player, int number,
                          bool beforePlayBegins) {
  Forget();
  beforePlay = beforePlayBegins;
  named_ = number >= 1 && number <= 8;
  if (named_) name_.currentFrame = number - 1;
  Shapes shapes(&meshes_);
  AddLegend(shapes);
  const float size = float(map.tileSize);
  const float mapWidth = size * float(map.width), mapHeight = size * float(map.height);
  if (mapWidth <= 0 || mapHeight <= 0) return;
  const Fit fit = {OverviewScale(map),
                   {mapWidth / 2 - map.halfWidth, mapHeight / 2 - map.halfHeight}};
  const float cell = size * fit.scale;
  const KEVec2 corner = fit({-map.halfWidth, -map.halfHeight});

  shapes.Frame(corner.x, corner.y, corner.x + mapWidth * fit.scale,
               corner.y + mapHeight * fit.scale, 3, Argb({0.31f, 0.76f, 0.79f}));
  for (unsigned row = 0; row < map.height; ++row) {
    for (unsigned column = 0; column < map.width; ++column) {
      const float left = corner.x + float(column) * cell, bottom = corner.y + float(row) * cell;
      shapes.Box(left, bottom, left + cell, bottom + cell,
                 Argb(CellColour(map.cells[row][column])));
    }
  }
  const float radius = cell * 0.38f, line = std::max(2.0f, cell * 0.12f);
  std::vector<const Monster*> monsters;
  for (const GameObjectPtr& object : objects) {
    if (auto* monster = dynamic_cast<const Monster*>(object.get())) monsters.push_back(monster);
  }
  for (const Monster* monster : monsters)
    AddRoute(shapes, map, fit, *monster, Argb(KindColour(monster->kind), 0.75f), line);
  for (const Monster* monster : monsters) {
    const KEVec2 at = fit(monster->position);
    if (monster->waypoints.size() < 2) {
      // One that stands still shows the way it looks.
      const KEVec2 facing = {at.x + 2.6f * radius * std::cos(monster->rotation),
                             at.y + 2.6f * radius * std::sin(monster->rotation)};
      shapes.Line(at, facing, line, Argb({0, 0, 0}));
    }
    AddMark(shapes, at, radius, monster->kind);
  }

  const std::vector<KEVec2> exits = map.ExitCentres();
  for (KEVec2 exit : exits) AddExit(shapes, fit(exit), cell / 2, false);
  // The arrow points at the exit nearest to the player.
  arrowShown = !exits.empty();
  if (arrowShown) {
    const KEVec2 exit = *std::min_element(exits.begin(), exits.end(), [&](KEVec2 a, KEVec2 b) {
      return std::hypot(a.x - player.x, a.y - player.y) <
             std::hypot(b.x - player.x, b.y - player.y);
    });
    arrow = PlaceOverviewArrow(map, exit);
    arrowAt_ = fit(arrow.at);
  }

  AddPlayer(shapes, fit(player), std::max(4.0f, cell * 0.36f));
  // Making a quad stages a mesh of its own: the shapes go first.
  shapes.Close();
  const float half = arrow.half * fit.scale;
  if (arrowShown) arrowQuad_ = MakeQuad(-half, half, -half, half);
}

void LevelOverview::Forget() {
  for (KEGfxVertexList* mesh : meshes_) KEGfxMeshFree(mesh);
  meshes_.clear();
  arrowShown = false;
}

void LevelOverview::Draw(KEVec2 view) const {
  BeginSpriteDraw(1.0f, view.x, view.y + kBackdropY);
  backdrop_.DrawFrame();
  BeginSpriteDraw(1.0f, view.x, view.y + kKeysY);
  (beforePlay ? keys_ : keysInPlay_).DrawFrame();
  BeginSpriteDraw(1.0f, view.x + kLegendWordsX + kLegendWordsWidth / 2.0f,
                  view.y + kLegendTop - kLegendRowHeight * kLegendRows / 2.0f);
  legend_.DrawFrame();
  if (named_) {
    BeginSpriteDraw(1.0f, view.x + kNameX, view.y + kNameY);
    name_.DrawFrame();
  }
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxSetPosition(view.x, view.y);
  for (KEGfxVertexList* mesh : meshes_) KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);
  if (arrowShown)
    DrawTurnedPicture(arrowQuad_, arrowPicture_, view.x + arrowAt_.x, view.y + arrowAt_.y,
                      arrow.angle);
}
