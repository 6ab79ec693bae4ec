#include "EditorMapPicture.h"

#include <algorithm>
#include <cmath>

#include "KEGraphics.h"
#include "MapShapes.h"
#include "Sprite.h"
#include "TileMap.h"

namespace {

KEVec2 Centre(const LevelPoint& p, float tileSize) {
  return {float(p.column) + 0.5f + p.dx / tileSize, -float(p.row) - 0.5f + p.dy / tileSize};
}

// Each render mode has its own program, which keeps its own transform: the mode goes first.
void SetCellTransform(float scale, float cx, float cy, float x, float y,
                      int mode = KE_RENDER_COLOR) {
  KEMtx33 m = {};
  m.m[0][0] = scale;
  m.m[1][1] = scale;
  m.m[0][2] = x - cx * scale;
  m.m[1][2] = y + cy * scale;
  m.m[2][2] = 1;
  KEGfxSetRenderMode(mode);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxSetTransform(&m);
}

void Free(std::vector<KEGfxVertexList*>& meshes) {
  for (KEGfxVertexList* mesh : meshes) KEGfxMeshFree(mesh);
  meshes.clear();
}

bool SameGrid(const TileMapGrid& a, const TileMapGrid& b) {
  return a.width == b.width && a.height == b.height && a.cells == b.cells;
}

bool SameProblems(const std::vector<LevelProblem>& a, const std::vector<LevelProblem>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& p, const auto& q) {
    return p.column == q.column && p.row == q.row;
  });
}

const uint32_t kProblemColour = Argb({1.0f, 0.15f, 0.25f});
const uint32_t kWhite = Argb({1, 1, 1});

}  // namespace

EditorMapPicture::~EditorMapPicture() { Forget(); }

void EditorMapPicture::Forget() {
  Free(exits_);
  Free(cast_);
  Free(problems_);
  if (cellQuad_) KEGfxMeshFree(cellQuad_);
  cellQuad_ = nullptr;
  if (cells_) KEGfxTextureUnload(cells_);
  cells_ = nullptr;
  if (tiles_) KEGfxTileLayerFree(tiles_);
  tiles_ = nullptr;
  builtGrid_.reset();
  builtCast_.reset();
  builtProblems_.clear();
}

void EditorMapPicture::BuildCells(const TileMapGrid& grid) {
  Free(exits_);
  if (tiles_) KEGfxTileLayerFree(tiles_);
  tiles_ = nullptr;
  if (cellQuad_) KEGfxMeshFree(cellQuad_);
  cellQuad_ = nullptr;
  if (cells_) KEGfxTextureUnload(cells_);
  cells_ = nullptr;
  builtGrid_ = grid;
  if (grid.width == 0 || grid.height == 0) return;
  std::vector<unsigned char> rgba;
  rgba.reserve(std::size_t(grid.width) * grid.height * 4);
  // The picture's first row is the map's top row.
  for (unsigned row = 0; row < grid.height; ++row) {
    for (unsigned column = 0; column < grid.width; ++column) {
      const uint32_t argb = Argb(CellColour(grid.At(grid.height - 1 - row, column)));
      rgba.insert(rgba.end(), {(unsigned char)(argb >> 16), (unsigned char)(argb >> 8),
                               (unsigned char)argb, 255});
    }
  }
  cells_ = KEGfxTextureLoadFromMemory(rgba.data(), int(grid.width), int(grid.height));
  const float w = float(grid.width), h = -float(grid.height);
  const uint32_t white = 0xFFFFFFFF;
  KEGfxMeshStart();
  KEGfxTriAdd(0, h, white, 0, 1, w, h, white, 1, 1, 0, 0, white, 0, 0);
  KEGfxTriAdd(w, h, white, 1, 1, w, 0, white, 1, 0, 0, 0, white, 0, 0);
  cellQuad_ = KEGfxMeshEnd();
  Shapes shapes(&exits_);
  for (unsigned gridRow = 0; gridRow < grid.height; ++gridRow) {
    for (unsigned column = 0; column < grid.width; ++column) {
      if (grid.At(gridRow, column) != kExitCell) continue;
      const float bottom = -float(grid.height - gridRow);
      shapes.Frame(float(column) + 0.16f, bottom + 0.16f, float(column) + 0.84f, bottom + 0.84f,
                   0.08f, kWhite);
    }
  }
}

void EditorMapPicture::BuildCast(const Level& level, int selected, float zoom) {
  Free(cast_);
  builtCast_ = Level{level.name, {}, level.player, level.monsters};
  builtSelected_ = selected;
  builtZoom_ = zoom;
  Shapes shapes(&cast_);
  const float tile = level.grid.tileSize > 0 ? float(level.grid.tileSize) : 50;
  // Cell units; zoomed far out a mark stays a few pixels across and a route a pixel wide.
  const float pixel = 1 / std::max(zoom, 1.0f);
  const float line = std::max(0.1f, 1.2f * pixel), radius = std::max(0.34f, 3.5f * pixel);
  for (std::size_t i = 0; i < level.monsters.size(); ++i) {
    const LevelMonster& monster = level.monsters[i];
    const bool chosen = int(i) == selected;
    std::vector<KEVec2> points = {Centre(monster.start, tile)};
    for (const LevelPoint& p : monster.route) points.push_back(Centre(p, tile));
    if (points.size() < 2) continue;
    points.push_back(points.front());
    // Opaque: the software rasteriser blends far slower than it paints.
    const uint32_t colour = chosen ? kWhite : Argb(KindColour(monster.kind));
    for (std::size_t k = 0; k + 1 < points.size(); ++k)
      shapes.Line(points[k], points[k + 1], chosen ? 1.6f * line : line, colour);
  }
  for (std::size_t i = 0; i < level.monsters.size(); ++i) {
    const LevelMonster& monster = level.monsters[i];
    const KEVec2 at = Centre(monster.start, tile);
    if (monster.route.empty()) {
      // One that stands still shows the way it looks.
      const float angle = float(monster.facing.value_or(0) * M_PI / 180);
      const float reach = 2.6f * radius;
      shapes.Line(at, {at.x + reach * std::cos(angle), at.y + reach * std::sin(angle)}, line,
                  Argb({0, 0, 0}));
    }
    if (int(i) == selected) {
      shapes.Disc(at, radius * 1.5f, kWhite);
      for (const LevelPoint& p : monster.route) {
        const KEVec2 w = Centre(p, tile);
        shapes.Frame(w.x - radius * 0.7f, w.y - radius * 0.7f, w.x + radius * 0.7f,
                     w.y + radius * 0.7f, line, kWhite);
      }
    }
    AddMark(shapes, at, radius, monster.kind, 0.4f * line, zoom < 16 ? 8 : kDiscSegments);
  }
  if (level.player) AddPlayer(shapes, Centre(*level.player, tile), 0.9f * radius, 0.5f * line);
}

void EditorMapPicture::Build(const Level& level, const std::vector<LevelProblem>& problems,
                             int selected, float zoom) {
  if (!builtGrid_ || !SameGrid(*builtGrid_, level.grid)) BuildCells(level.grid);
  if (!builtCast_ || !(builtCast_->player == level.player) ||
      !(builtCast_->monsters == level.monsters) || builtSelected_ != selected || builtZoom_ != zoom)
    BuildCast(level, selected, zoom);
  if (SameProblems(builtProblems_, problems) && !problems_.empty() == !problems.empty()) return;
  Free(problems_);
  builtProblems_ = problems;
  Shapes shapes(&problems_);
  for (const LevelProblem& problem : problems) {
    if (problem.column < 0 || problem.row < 0) continue;
    const float left = float(problem.column), top = -float(problem.row);
    shapes.Frame(left + 0.16f, top - 0.84f, left + 0.84f, top - 0.16f, 0.1f, kProblemColour);
  }
}

void EditorMapPicture::DrawTiles(float scale, float left, float top) {
  const TileMapGrid& grid = *builtGrid_;
  if (!tiles_ || tilesScale_ != scale || tilesLeft_ != left || tilesTop_ != top) {
    if (tiles_) KEGfxTileLayerFree(tiles_);
    tiles_ = KEGfxTileLayerCreate(int(grid.width), int(grid.height), scale, left,
                                  top - scale * float(grid.height));
    tilesScale_ = scale, tilesLeft_ = left, tilesTop_ = top;
    for (unsigned row = 0; row < grid.height; ++row) {
      for (unsigned column = 0; column < grid.width; ++column) {
        const std::shared_ptr<Texture> picture = GetTexture(TilePicture(grid.At(row, column)));
        if (std::find(tilePictures_.begin(), tilePictures_.end(), picture) == tilePictures_.end())
          tilePictures_.push_back(picture);
        KEGfxTileLayerSet(tiles_, int(column), int(row), picture->get());
      }
    }
  }
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxTileLayerDraw(tiles_, -INFINITY);
}

void EditorMapPicture::Draw(float scale, float cx, float cy, float x, float y) {
  if (scale >= kTilesFromZoom && builtGrid_ && builtGrid_->width > 0) {
    DrawTiles(scale, x - cx * scale, y + cy * scale);
  } else if (cellQuad_ && cells_) {
    SetCellTransform(scale, cx, cy, x, y, KE_RENDER_TEXTURE);
    KEGfxTextureSet(cells_, 0, 0);
    KEGfxMeshDraw(cellQuad_, KE_DRAW_TRIANGLES);
  }
  SetCellTransform(scale, cx, cy, x, y);
  for (const auto* part : {&exits_, &cast_, &problems_}) {
    for (KEGfxVertexList* mesh : *part) KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);
  }
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
