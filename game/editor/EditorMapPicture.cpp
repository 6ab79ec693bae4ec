#include "EditorMapPicture.h"

#include <cmath>

#include "KEGraphics.h"
#include "MapShapes.h"

namespace {

KEVec2 Centre(const LevelPoint& p, float tileSize) {
  return {float(p.column) + 0.5f + p.dx / tileSize, -float(p.row) - 0.5f + p.dy / tileSize};
}

void SetCellTransform(float scale, float cx, float cy, float x, float y) {
  KEMtx33 m = {};
  m.m[0][0] = scale;
  m.m[1][1] = scale;
  m.m[0][2] = x - cx * scale;
  m.m[1][2] = y + cy * scale;
  m.m[2][2] = 1;
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxSetTransform(&m);
}

const uint32_t kProblemColour = Argb({1.0f, 0.15f, 0.25f});
const uint32_t kWhite = Argb({1, 1, 1});

}  // namespace

EditorMapPicture::~EditorMapPicture() { Forget(); }

void EditorMapPicture::Forget() {
  for (KEGfxVertexList* mesh : meshes_) KEGfxMeshFree(mesh);
  meshes_.clear();
}

void EditorMapPicture::Build(const Level& level, const std::vector<LevelProblem>& problems,
                             int selected) {
  Forget();
  Shapes shapes(&meshes_);
  const TileMapGrid& grid = level.grid;
  const float tile = grid.tileSize > 0 ? float(grid.tileSize) : 50;
  // A run of equal cells along a row is one box: a big map of long walls and floors stays
  // a few thousand triangles.
  for (unsigned gridRow = 0; gridRow < grid.height; ++gridRow) {
    const float top = -float(grid.height - 1 - gridRow);
    for (unsigned column = 0; column < grid.width;) {
      const unsigned code = grid.At(gridRow, column);
      unsigned end = column + 1;
      while (end < grid.width && grid.At(gridRow, end) == code) ++end;
      shapes.Box(float(column), top - 1, float(end), top, Argb(CellColour(code)));
      column = end;
    }
  }
  for (unsigned gridRow = 0; gridRow < grid.height; ++gridRow) {
    for (unsigned column = 0; column < grid.width; ++column) {
      if (grid.At(gridRow, column) != kExitCell) continue;
      const float bottom = -float(grid.height - gridRow);
      shapes.Frame(float(column) + 0.08f, bottom + 0.08f, float(column) + 0.92f, bottom + 0.92f,
                   0.08f, kWhite);
    }
  }
  for (std::size_t i = 0; i < level.monsters.size(); ++i) {
    const LevelMonster& monster = level.monsters[i];
    const bool chosen = int(i) == selected;
    std::vector<KEVec2> points = {Centre(monster.start, tile)};
    for (const LevelPoint& p : monster.route) points.push_back(Centre(p, tile));
    if (points.size() < 2) continue;
    points.push_back(points.front());
    const uint32_t colour = chosen ? kWhite : Argb(KindColour(monster.kind), 0.75f);
    for (std::size_t k = 0; k + 1 < points.size(); ++k)
      shapes.Line(points[k], points[k + 1], chosen ? 0.16f : 0.1f, colour);
  }
  for (std::size_t i = 0; i < level.monsters.size(); ++i) {
    const LevelMonster& monster = level.monsters[i];
    const KEVec2 at = Centre(monster.start, tile);
    if (monster.route.empty()) {
      // One that stands still shows the way it looks.
      const float angle = float(monster.facing.value_or(0) * M_PI / 180);
      shapes.Line(at, {at.x + 0.9f * std::cos(angle), at.y + 0.9f * std::sin(angle)}, 0.1f,
                  Argb({0, 0, 0}));
    }
    if (int(i) == selected) {
      shapes.Disc(at, 0.5f, kWhite);
      for (const LevelPoint& p : monster.route) {
        const KEVec2 w = Centre(p, tile);
        shapes.Frame(w.x - 0.22f, w.y - 0.22f, w.x + 0.22f, w.y + 0.22f, 0.08f, kWhite);
      }
    }
    AddMark(shapes, at, 0.34f, monster.kind, 0.05f);
  }
  if (level.player) AddPlayer(shapes, Centre(*level.player, tile), 0.3f, 0.06f);
  for (const LevelProblem& problem : problems) {
    if (problem.column < 0 || problem.row < 0) continue;
    const float left = float(problem.column), top = -float(problem.row);
    shapes.Frame(left + 0.16f, top - 0.84f, left + 0.84f, top - 0.16f, 0.1f, kProblemColour);
  }
  shapes.Close();
}

void EditorMapPicture::Draw(float scale, float cx, float cy, float x, float y) const {
  SetCellTransform(scale, cx, cy, x, y);
  for (KEGfxVertexList* mesh : meshes_) KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);
}

void DrawCellFrame(int column, int row, float width, float scale, float cx, float cy, float x,
                   float y, unsigned argb) {
  std::vector<KEGfxVertexList*> meshes;
  {
    Shapes shapes(&meshes);
    const float left = float(column), top = -float(row);
    shapes.Frame(left, top - 1, left + 1, top, width, argb);
  }
  SetCellTransform(scale, cx, cy, x, y);
  for (KEGfxVertexList* mesh : meshes) {
    KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);
    KEGfxMeshFree(mesh);
  }
}
