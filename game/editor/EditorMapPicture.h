// The edited level drawn as the overview draws a level: cells in the map's colours, every
// monster's mark and route, the player's start, and the validator's problems framed on
// their cells. Built in cell units (x a column, y minus a row, the map's top left at the
// origin), each part again only when it changed, and drawn through a transform for the pan
// and the zoom.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "EditorDocument.h"
#include "LevelCheck.h"

class Texture;
struct KEGfxTexture;
struct KEGfxTileLayer;
struct KEGfxVertexList;

// From this many view pixels a cell, the map shows the game's own tiles.
constexpr float kTilesFromZoom = 20;

class EditorMapPicture {
 public:
  ~EditorMapPicture();
  // `selected` is the monster whose route is shown with its waypoints, or -1; at `zoom`
  // (view pixels a cell) the marks keep a size one can see.
  void Build(const Level& level, const std::vector<LevelProblem>& problems, int selected,
             float zoom);
  void Forget();
  // Cell units to view pixels: `scale` pixels a cell, the cell point (cx, cy) at (x, y).
  void Draw(float scale, float cx, float cy, float x, float y);

 private:
  void BuildCells(const TileMapGrid& grid);
  void BuildCast(const Level& level, int selected, float zoom);
  void DrawTiles(float scale, float left, float top);

  // The cells, a texel each, on one quad: thousands of boxes cost the software rasteriser
  // far more than one picture of the same size.
  KEGfxTexture* cells_ = nullptr;
  KEGfxVertexList* cellQuad_ = nullptr;
  std::vector<KEGfxVertexList*> exits_, cast_, problems_;
  // Zoomed in, the game's tiles, laid in view pixels: made again when the view moves.
  KEGfxTileLayer* tiles_ = nullptr;
  float tilesScale_ = 0, tilesLeft_ = 0, tilesTop_ = 0;
  std::vector<std::shared_ptr<Texture>> tilePictures_;
  // What was built last, to build again only what changed.
  std::optional<TileMapGrid> builtGrid_;
  std::optional<Level> builtCast_;
  int builtSelected_ = -1;
  float builtZoom_ = 0;
  std::vector<LevelProblem> builtProblems_;
};

// A frame of one cell at (column, row) in cell units, drawn every frame for the cursor.
void DrawCellFrame(int column, int row, float width, float scale, float cx, float cy, float x,
                   float y, unsigned argb);
