#include "LevelOverview.h"

#include <algorithm>
#include <cmath>

#include "KEGraphics.h"
#include "MapColours.h"
#include "Monster.h"
#include "TileMap.h"

namespace {

// The backdrop covers the 800 x 520 of the view above the strip; the name sits in its top
// band, the map between that band and the line of keys along its foot.
constexpr float kBackdropY = 40, kBackdropHalfWidth = 400, kBackdropHalfHeight = 260;
// The line of keys covers the backdrop's foot band.
constexpr float kKeysY = kBackdropY - kBackdropHalfHeight + kOverviewKeysHeight / 2.0f;
constexpr float kNameX = -200, kNameY = 272, kNameHalfWidth = 180, kNameHalfHeight = 24;
constexpr float kMapCentreY = 27, kMapWidth = 780, kMapHeight = 416;
constexpr float kArrowHalf = 24;
constexpr int kDiscSegments = 20;

uint32_t Argb(MapColour c, float alpha = 1) {
  auto byte = [](float v) { return uint32_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
  return byte(alpha) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

// Coloured triangles, split over as many meshes as the engine can stage at once.
class Shapes {
 public:
  explicit Shapes(std::vector<KEGfxVertexList*>* meshes) : meshes_(meshes) {}
  ~Shapes() { Close(); }

  void Tri(KEVec2 a, KEVec2 b, KEVec2 c, uint32_t colour) {
    if (staged_ + 3 > KE_GFX_MAX_STAGED_VERTICES) Close();
    if (staged_ == 0) KEGfxMeshStart();
    KEGfxTriAdd(a.x, a.y, colour, 0, 0, b.x, b.y, colour, 0, 0, c.x, c.y, colour, 0, 0);
    staged_ += 3;
  }
  void Box(float left, float bottom, float right, float top, uint32_t colour) {
    Tri({left, bottom}, {right, bottom}, {right, top}, colour);
    Tri({left, bottom}, {right, top}, {left, top}, colour);
  }
  void Frame(float left, float bottom, float right, float top, float width, uint32_t colour) {
    Box(left - width, bottom - width, right + width, bottom, colour);
    Box(left - width, top, right + width, top + width, colour);
    Box(left - width, bottom, left, top, colour);
    Box(right, bottom, right + width, top, colour);
  }
  void Line(KEVec2 a, KEVec2 b, float width, uint32_t colour) {
    const float dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    if (length <= 0) return;
    const float nx = -dy / length * width / 2, ny = dx / length * width / 2;
    Tri({a.x + nx, a.y + ny}, {a.x - nx, a.y - ny}, {b.x - nx, b.y - ny}, colour);
    Tri({a.x + nx, a.y + ny}, {b.x - nx, b.y - ny}, {b.x + nx, b.y + ny}, colour);
  }
  void Disc(KEVec2 centre, float radius, uint32_t colour) {
    for (int i = 0; i < kDiscSegments; ++i) {
      const float a0 = 2 * float(M_PI) * float(i) / kDiscSegments;
      const float a1 = 2 * float(M_PI) * float(i + 1) / kDiscSegments;
      Tri(centre, {centre.x + radius * std::cos(a0), centre.y + radius * std::sin(a0)},
          {centre.x + radius * std::cos(a1), centre.y + radius * std::sin(a1)}, colour);
    }
  }

 private:
  void Close() {
    if (staged_ > 0) meshes_->push_back(KEGfxMeshEnd());
    staged_ = 0;
  }
  std::vector<KEGfxVertexList*>* meshes_;
  int staged_ = 0;
};

// World points to the overview, relative to the view's centre.
struct Fit {
  float scale;
  KEVec2 mapCentre;
  KEVec2 operator()(KEVec2 p) const {
    return {(p.x - mapCentre.x) * scale, kMapCentreY + (p.y - mapCentre.y) * scale};
  }
};

void AddRoute(Shapes& shapes, TileMap& map, const Fit& fit, const Monster& monster,
              uint32_t colour, float width) {
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

LevelOverview::~LevelOverview() { Forget(); }

void LevelOverview::Load() {
  backdrop_.Init(1, kBackdropHalfWidth, kBackdropHalfHeight);
  backdrop_.AddImage("Assets/OverviewBackdrop.png");
  keys_.Load(kOverviewKeyPictures, kOverviewKeysWidth / 2.0f, kOverviewKeysHeight / 2.0f);
  name_.Init(8, kNameHalfWidth, kNameHalfHeight);
  name_.AddStrip("Assets/OverviewNames.png", 8, 0);
  arrowQuad_ = MakeQuad(-kArrowHalf, kArrowHalf, -kArrowHalf, kArrowHalf);
  arrow_ = GetTexture("Assets/ExitArrow.png");
}

void LevelOverview::Build(TileMap& map, const ObjectList& objects, KEVec2 player, int number) {
  Forget();
  named_ = number >= 1 && number <= 8;
  if (named_) name_.currentFrame = number - 1;
  const float size = float(map.tileSize);
  const float mapWidth = size * float(map.width), mapHeight = size * float(map.height);
  if (mapWidth <= 0 || mapHeight <= 0) return;
  const Fit fit = {std::min(kMapWidth / mapWidth, kMapHeight / mapHeight),
                   {mapWidth / 2 - map.halfWidth, mapHeight / 2 - map.halfHeight}};
  const float cell = size * fit.scale;
  const KEVec2 corner = fit({-map.halfWidth, -map.halfHeight});

  Shapes shapes(&meshes_);
  shapes.Frame(corner.x, corner.y, corner.x + mapWidth * fit.scale,
               corner.y + mapHeight * fit.scale, 3, Argb({0.31f, 0.76f, 0.79f}));
  for (unsigned row = 0; row < map.height; ++row) {
    for (unsigned column = 0; column < map.width; ++column) {
      const float left = corner.x + float(column) * cell, bottom = corner.y + float(row) * cell;
      shapes.Box(left, bottom, left + cell, bottom + cell, Argb(CellColour(map.cells[row][column])));
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
    shapes.Disc(at, radius + 1.5f, Argb({1, 1, 1}));
    shapes.Disc(at, radius, Argb(KindColour(monster->kind)));
  }

  const std::vector<KEVec2> exits = map.ExitCentres();
  for (KEVec2 exit : exits) {
    const KEVec2 at = fit(exit);
    shapes.Frame(at.x - cell / 2, at.y - cell / 2, at.x + cell / 2, at.y + cell / 2, 2.5f,
                 Argb({1, 1, 1}));
  }
  // The arrow points down at the exit nearest to the player.
  arrowShown_ = !exits.empty();
  if (arrowShown_) {
    const KEVec2 exit = *std::min_element(exits.begin(), exits.end(), [&](KEVec2 a, KEVec2 b) {
      return std::hypot(a.x - player.x, a.y - player.y) < std::hypot(b.x - player.x, b.y - player.y);
    });
    arrowAt_ = fit(exit);
    arrowAt_.y += cell / 2 + kArrowHalf + 2;
  }

  const KEVec2 you = fit(player);
  const float half = std::max(4.0f, cell * 0.36f);
  shapes.Box(you.x - half - 2, you.y - half - 2, you.x + half + 2, you.y + half + 2,
             Argb({0, 0, 0}));
  shapes.Box(you.x - half, you.y - half, you.x + half, you.y + half, Argb({1, 1, 1}));
}

void LevelOverview::Forget() {
  for (KEGfxVertexList* mesh : meshes_) KEGfxMeshFree(mesh);
  meshes_.clear();
  arrowShown_ = false;
}

void LevelOverview::Draw(KEVec2 view) const {
  BeginSpriteDraw(1.0f, view.x, view.y + kBackdropY);
  backdrop_.DrawFrame();
  BeginSpriteDraw(1.0f, view.x, view.y + kKeysY);
  keys_.DrawFrame();
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
  if (arrowShown_)
    DrawTurnedPicture(arrowQuad_, arrow_, view.x + arrowAt_.x, view.y + arrowAt_.y,
                      -float(M_PI) / 2);
}
