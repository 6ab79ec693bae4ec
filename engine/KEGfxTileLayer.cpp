// Tile layers: a grid of square pictures that never move. Each frame only the cells that
// can show are gathered, one triangle list per picture, and drawn in one call per picture
// instead of one per cell.
#include <algorithm>
#include <cmath>
#include <vector>

#include "KEGfxLocal.h"
#include "KEGraphics.h"

struct KEGfxTileLayer {
  int columns, rows;
  float cellSize, left, bottom;
  std::vector<int> cells;  // index into pictures, -1 for none; bottom row first
  std::vector<KEGfxTexture*> pictures;
  // This frame's vertices per picture, x y then u v; kept so that their storage is reused.
  std::vector<std::vector<float>> positions, coordinates;
};

namespace {

// The two triangles of a sprite's quad, corner for corner, so the cell looks as it did when
// drawn on its own: u 0 left, v 0 top.
void AddCell(float l, float b, float r, float t, std::vector<float>* xy, std::vector<float>* uv) {
  xy->insert(xy->end(), {l, b, r, b, l, t, r, b, r, t, l, t});
  uv->insert(uv->end(), {0, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 0});
}

void DrawTriangles(const std::vector<float>& xy, const std::vector<float>& uv) {
  const KEGfxAttributes* in = KEGfxBeginDraw();
  if (in == nullptr) return;
  KEGfxDrawClientArrays(GL_TRIANGLES, GLsizei(xy.size() / 2), in->position, 2, xy.data(),
                        in->textureCoordinate, 2, uv.data());
}

size_t CellIndex(const KEGfxTileLayer& layer, int column, int row) {
  return size_t(row) * size_t(layer.columns) + size_t(column);
}

// First and last index of the cells along one axis that reach from `low` to `high`, one
// wider on each side than the arithmetic says; the exact test is made cell by cell.
void Span(float low, float high, float origin, float size, int count, int* first, int* last) {
  const double from = std::floor((double(low) - origin) / size) - 1;
  const double to = std::floor((double(high) - origin) / size) + 1;
  *first = int(std::max(0.0, std::min(from, double(count))));
  *last = int(std::max(-1.0, std::min(to, double(count - 1))));
}

}  // namespace

KEGfxTileLayer* KEGfxTileLayerCreate(int columns, int rows, float cellSize, float left,
                                     float bottom) {
  if (columns < 1 || rows < 1 || columns > 4096 || rows > 4096 || !(cellSize > 0)) return nullptr;
  KEGfxTileLayer* layer = new KEGfxTileLayer();
  layer->columns = columns;
  layer->rows = rows;
  layer->cellSize = cellSize;
  layer->left = left;
  layer->bottom = bottom;
  layer->cells.assign(size_t(columns) * size_t(rows), -1);
  return layer;
}

void KEGfxTileLayerSet(KEGfxTileLayer* layer, int column, int row, KEGfxTexture* texture) {
  if (layer == nullptr || column < 0 || row < 0 || column >= layer->columns || row >= layer->rows)
    return;
  int index = -1;
  if (texture != nullptr) {
    auto found = std::find(layer->pictures.begin(), layer->pictures.end(), texture);
    index = int(found - layer->pictures.begin());
    if (found == layer->pictures.end()) {
      layer->pictures.push_back(texture);
      layer->positions.emplace_back();
      layer->coordinates.emplace_back();
    }
  }
  layer->cells[CellIndex(*layer, column, row)] = index;
}

void KEGfxTileLayerDraw(KEGfxTileLayer* layer, float hiddenBelow) {
  if (layer == nullptr) return;
  // A cell is drawn when it reaches into the view, as a tile drawn alone would be, and is
  // not entirely (by a unit's margin) under the band below `hiddenBelow`.
  const float minY = std::max(gKEWinMinY, hiddenBelow - 1.0f);
  int firstColumn, lastColumn, firstRow, lastRow;
  const float s = layer->cellSize;
  Span(gKEWinMinX, gKEWinMaxX, layer->left, s, layer->columns, &firstColumn, &lastColumn);
  Span(minY, gKEWinMaxY, layer->bottom, s, layer->rows, &firstRow, &lastRow);
  for (auto& list : layer->positions) list.clear();
  for (auto& list : layer->coordinates) list.clear();
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const int picture = layer->cells[CellIndex(*layer, column, row)];
      if (picture < 0) continue;
      // The centre as the map places it, the corners half a cell either side.
      const float x = layer->left + s * float(column) + s / 2;
      const float y = layer->bottom + s * float(row) + s / 2;
      const float l = x - s / 2, r = x + s / 2, b = y - s / 2, t = y + s / 2;
      if (r < gKEWinMinX || l > gKEWinMaxX || t < minY || b > gKEWinMaxY) continue;
      AddCell(l, b, r, t, &layer->positions[size_t(picture)], &layer->coordinates[size_t(picture)]);
    }
  }
  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxSetPosition(0, 0);
  for (size_t picture = 0; picture < layer->pictures.size(); ++picture) {
    if (layer->positions[picture].empty()) continue;
    KEGfxTextureSet(layer->pictures[picture], 0, 0);
    DrawTriangles(layer->positions[picture], layer->coordinates[picture]);
  }
}

bool KEGfxTileLayerCovers(const KEGfxTileLayer* layer, float left, float bottom, float right,
                          float top) {
  if (layer == nullptr || !(left <= right && bottom <= top)) return false;
  const double s = layer->cellSize;
  // A box edge exactly on a cell edge also counts the cell beyond: never too few cells.
  const double firstColumn = std::floor((left - layer->left) / s);
  const double lastColumn = std::floor((right - layer->left) / s);
  const double firstRow = std::floor((bottom - layer->bottom) / s);
  const double lastRow = std::floor((top - layer->bottom) / s);
  if (firstColumn < 0 || firstRow < 0 || lastColumn >= layer->columns || lastRow >= layer->rows)
    return false;
  for (int row = int(firstRow); row <= int(lastRow); ++row) {
    for (int column = int(firstColumn); column <= int(lastColumn); ++column) {
      const int picture = layer->cells[CellIndex(*layer, column, row)];
      if (picture < 0 || !layer->pictures[size_t(picture)]->opaque) return false;
    }
  }
  return true;
}

void KEGfxTileLayerFree(KEGfxTileLayer* layer) { delete layer; }
