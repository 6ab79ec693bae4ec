#include "TileMap.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "KEGraphics.h"
#include "KEInput.h"
#include "KEReport.h"
#include "ObjectManager.h"
#include "Tile.h"

namespace {

const char* TextureFor(unsigned code) {
  switch (code) {
    case 4:
      return "Assets/LavaTile1.png";
    case 5:
      return "Assets/Exit.png";
    case 6:
      return "Assets/WaterTile.png";
    case 7:
      return "Assets/pillar.png";
    case 9:
      return "Assets/wall.png";
    // 1 and 8 block although they are drawn as floor.
    default:
      return "Assets/floor.png";
  }
}

// Codes past 9 come only from hand-edited files; they look like floor, so they act as floor.
int BlockingFor(unsigned code) { return code == 1 || code == 7 || code == 8 || code == 9; }

// Search marks: how a cell was reached, so the path can be walked back from the target.
constexpr int kFromAbove = 2, kFromLeft = 3, kFromBelow = 1, kFromRight = 4;
constexpr int kStart = 5;

}  // namespace

void TileMap::Clear() {
  width = height = tileSize = 0;
  cells.clear();
  blocking.clear();
  pathMarks.clear();
  visited_.clear();
  regions_.clear();
  halfWidth = halfHeight = 0;
  ForgetTiles();
}

void TileMap::FreeLayer::operator()(KEGfxTileLayer* layer) const { KEGfxTileLayerFree(layer); }

void TileMap::ForgetTiles() {
  tiles.clear();
  tileLayer_.reset();
}

bool TileMap::TilesHide(float left, float bottom, float right, float top) const {
  return KEGfxTileLayerCovers(tileLayer_.get(), left, bottom, right, top);
}

void TileMap::DrawTiles(float hiddenBelow) const {
  KEGfxTileLayerDraw(tileLayer_.get(), hiddenBelow);
}

bool TileMap::LoadFile(const char* fileName) {
  if (!fileName) {
    KEReport("Not able to open a map file: none was named");
    return false;
  }
  errno = 0;
  std::ifstream file(fileName);
  if (!file.is_open()) {
    KEReport("Not able to open map file \"%s\": %s", fileName,
             errno ? std::strerror(errno) : "unknown error");
    return false;
  }
  Clear();
  TileMapGrid grid;
  ReadTileMap(file, fileName, &grid);
  file.close();
  // A damaged header was reported by the reader; the level runs on without a map.
  if (!grid.Empty() && LoadGrid(grid)) CreateTiles();
  return true;
}

bool TileMap::LoadGrid(const TileMapGrid& grid) {
  Clear();
  if (grid.width < 1 || grid.width > kMapMaxSide || grid.height < 1 || grid.height > kMapMaxSide ||
      grid.tileSize < 1 || grid.tileSize > kMapMaxTileSize ||
      grid.cells.size() != std::size_t{grid.width} * grid.height) {
    return false;
  }
  width = grid.width;
  height = grid.height;
  tileSize = grid.tileSize;
  halfWidth = static_cast<float>(width * tileSize) / 2;
  halfHeight = static_cast<float>(height * tileSize) / 2;
  cells.assign(height, std::vector<unsigned>(width));
  blocking.assign(height, std::vector<int>(width));
  pathMarks.assign(height, std::vector<int>(width));
  visited_.assign(std::size_t{width} * height, 0);
  search_ = 0;
  for (unsigned row = 0; row < height; ++row) {
    for (unsigned column = 0; column < width; ++column) {
      cells[row][column] = grid.At(row, column);
      blocking[row][column] = BlockingFor(cells[row][column]);
    }
  }
  // Every cell enters the queue at most once.
  searchQueue_.reserve(std::size_t{width} * height);
  LabelRegions();
  return true;
}

// Numbers each walled-off region of free cells, so that a search for a cell of another
// region fails at once instead of after visiting every cell of its own.
void TileMap::LabelRegions() {
  regions_.assign(std::size_t{width} * height, 0);
  const int lastRow = static_cast<int>(height) - 1, lastColumn = static_cast<int>(width) - 1;
  int label = 0;
  for (int row = 0; row <= lastRow; ++row) {
    for (int column = 0; column <= lastColumn; ++column) {
      if (blocking[row][column] || RegionOf({row, column}) != 0) continue;
      ++label;
      searchQueue_.assign(1, {row, column});
      RegionOf({row, column}) = label;
      for (std::size_t next = 0; next < searchQueue_.size(); ++next) {
        const Cell cell = searchQueue_[next];
        const Cell around[4] = {{cell.row - 1, cell.column}, {cell.row, cell.column + 1},
                                {cell.row + 1, cell.column}, {cell.row, cell.column - 1}};
        for (const Cell& n : around) {
          if (n.row < 0 || n.row > lastRow || n.column < 0 || n.column > lastColumn) continue;
          if (blocking[n.row][n.column] || RegionOf(n) != 0) continue;
          RegionOf(n) = label;
          searchQueue_.push_back(n);
        }
      }
    }
  }
}

int& TileMap::RegionOf(Cell cell) {
  return regions_[std::size_t(cell.row) * width + std::size_t(cell.column)];
}

void TileMap::CreateTiles() {
  const float size = static_cast<float>(tileSize);
  tileLayer_.reset(KEGfxTileLayerCreate(int(width), int(height), size, -halfWidth, -halfHeight));
  // Right to left, bottom to top within a column: the order the levels' tiles were always
  // built in, which fixes their order in the world list.
  for (int column = static_cast<int>(width) - 1; column >= 0; --column) {
    for (int row = 0; row < static_cast<int>(height); ++row) {
      std::shared_ptr<Tile> tile = gObjectManager.CreateTile();
      tile->sprite.Init(1, 0.5f, 0.5f);
      tile->sprite.AddImage(TextureFor(cells[row][column]));
      tile->scale = {size, size};
      tile->position = CentreOf({row, column});
      tile->rotation = 0;
      tile->UpdateTransform();
      tile->inLayer = tileLayer_ != nullptr;
      KEGfxTileLayerSet(tileLayer_.get(), column, row, tile->sprite.animations[0].texture->get());
      tiles.push_back(tile.get());
    }
  }
}

// Truncation toward zero puts points less than a cell left of or below the map into column
// or row 0. Comparing the quotient in float first keeps NaN and huge positions from an
// undefined conversion to int, and an empty map from a division by zero.
bool TileMap::Locate(KEVec2 point, Cell* cell) const {
  if (tileSize == 0) return false;
  const float size = static_cast<float>(tileSize);
  const float column = (halfWidth + point.x) / size;
  const float row = (halfHeight + point.y) / size;
  if (!(column > -1.0f && column < static_cast<float>(width))) return false;
  if (!(row > -1.0f && row < static_cast<float>(height))) return false;
  cell->column = static_cast<int>(column);
  cell->row = static_cast<int>(row);
  return true;
}

// Half a cell in float, so an odd tile size still lands on the true centre.
KEVec2 TileMap::CentreOf(Cell cell) const {
  const float size = static_cast<float>(tileSize);
  return {size * static_cast<float>(cell.column) - halfWidth + size / 2,
          size * static_cast<float>(cell.row) - halfHeight + size / 2};
}

int TileMap::CellAt(KEVec2 point) const {
  Cell cell;
  if (!Locate(point, &cell)) return -1;
  return static_cast<int>(cells[cell.row][cell.column]);
}

bool TileMap::Blocks(KEVec2 point) const {
  Cell cell;
  return Locate(point, &cell) && blocking[cell.row][cell.column] == 1;
}

// The probes reach 0.6 of the size, so actors stop a little before their edge meets a wall.
constexpr float kProbeReach = 0.6f;

int TileMap::WallContacts(KEVec2 p, KEVec2 s) const {
  const float reach = kProbeReach, side = 0.35f;
  int mask = 0;
  if (Blocks({p.x - reach * s.x, p.y + side * s.y}) ||
      Blocks({p.x - reach * s.x, p.y - side * s.y})) {
    mask |= 1;
  }
  if (Blocks({p.x + reach * s.x, p.y + side * s.y}) ||
      Blocks({p.x + reach * s.x, p.y - side * s.y})) {
    mask |= 2;
  }
  if (Blocks({p.x - side * s.x, p.y + reach * s.y}) ||
      Blocks({p.x + side * s.x, p.y + reach * s.y})) {
    mask |= 4;
  }
  if (Blocks({p.x - side * s.x, p.y - reach * s.y}) ||
      Blocks({p.x + side * s.x, p.y - reach * s.y})) {
    mask |= 8;
  }
  return mask;
}

KEVec2 TileMap::SnapToCell(KEVec2 point, int mask) const {
  if (tileSize == 0) return point;
  const float size = static_cast<float>(tileSize);
  const float column = std::trunc((halfWidth + point.x) / size);
  const float row = std::trunc((halfHeight + point.y) / size);
  if ((mask & 3) && std::isfinite(column)) point.x = size * column - halfWidth + size / 2;
  if ((mask & 12) && std::isfinite(row)) point.y = size * row - halfHeight + size / 2;
  return point;
}

// Doors are one cell wide: without this a walker a little off a door's centre line stops
// dead on its corner. More than a quarter cell off, the wall is in the way and stays so.
KEVec2 TileMap::SlideRoundCorner(KEVec2 p, KEVec2 s, KEVec2 d, float step) const {
  Cell ahead;
  const KEVec2 front = {p.x + d.x * kProbeReach * s.x, p.y + d.y * kProbeReach * s.y};
  if (!Locate(front, &ahead) || blocking[ahead.row][ahead.column]) return p;
  const KEVec2 centre = CentreOf(ahead);
  const float quarter = static_cast<float>(tileSize) / 4;
  float& across = d.x != 0 ? p.y : p.x;
  const float off = (d.x != 0 ? centre.y : centre.x) - across;
  if (std::fabs(off) <= quarter) across += std::clamp(off, -step, step);
  return p;
}

// Lava outranks water, water the exit: the worst thing under the box is what counts.
int TileMap::HazardUnder(KEVec2 p, KEVec2 s) const {
  const KEVec2 probes[8] = {
      {p.x - s.x / 2, p.y + s.y / 4}, {p.x - s.x / 2, p.y - s.y / 4},
      {p.x + s.x / 2, p.y + s.y / 4}, {p.x + s.x / 2, p.y - s.y / 4},
      {p.x - s.x / 4, p.y + s.y / 2}, {p.x + s.x / 4, p.y + s.y / 2},
      {p.x - s.x / 4, p.y - s.y / 2}, {p.x + s.x / 4, p.y - s.y / 2},
  };
  bool water = false, exit = false;
  for (const KEVec2& probe : probes) {
    const int code = CellAt(probe);
    if (code == 4) return 4;
    water = water || code == 6;
    exit = exit || code == 5;
  }
  return water ? 6 : exit ? 5 : 0;
}

std::list<KEVec2> TileMap::FindPath(KEVec2 from, KEVec2 to) {
  std::list<KEVec2> path;
  Cell start, target;
  if (!Locate(from, &start) || !Locate(to, &target)) return path;

  // A cell's mark counts only when it was visited in this search: nothing is refilled, so a
  // search costs the cells it visits, not the whole map.
  if (++search_ == 0) {
    std::fill(visited_.begin(), visited_.end(), 0);
    search_ = 1;
  }
  const auto visited = [&](int row, int column) -> unsigned& {
    return visited_[std::size_t(row) * width + std::size_t(column)];
  };
  pathMarks[start.row][start.column] = kStart;
  visited(start.row, start.column) = search_;
  if (KEInputCheckTriggered(VK_F1)) DumpGrids();
  // From a free cell the search only ever reaches its own region; from a blocking one (an
  // actor pressed into a wall) it may step into any region around it.
  if (!blocking[start.row][start.column] && RegionOf(start) != RegionOf(target)) return path;

  const int lastRow = static_cast<int>(height) - 1, lastColumn = static_cast<int>(width) - 1;
  auto visit = [&](int row, int column, int mark) {
    if (row < 0 || row > lastRow || column < 0 || column > lastColumn) return;
    if (blocking[row][column] || visited(row, column) == search_) return;
    pathMarks[row][column] = mark;
    visited(row, column) = search_;
    searchQueue_.push_back({row, column});
  };
  searchQueue_.clear();
  std::size_t next = 0;
  Cell current = start;
  // The neighbour order decides which of several shortest paths monsters take.
  while (current.row != target.row || current.column != target.column) {
    visit(current.row - 1, current.column, kFromAbove);
    visit(current.row, current.column + 1, kFromLeft);
    visit(current.row + 1, current.column, kFromBelow);
    visit(current.row, current.column - 1, kFromRight);
    if (next == searchQueue_.size()) return path;
    current = searchQueue_[next++];
  }

  // Each test looks at the cell the previous one moved to, so one step may go a column and
  // then a row: monsters cut the corner instead of walking into it.
  while (current.row != start.row || current.column != start.column) {
    path.push_back(CentreOf(current));
    if (pathMarks[current.row][current.column] == kFromLeft) --current.column;
    if (pathMarks[current.row][current.column] == kFromRight) ++current.column;
    if (pathMarks[current.row][current.column] == kFromBelow) --current.row;
    if (pathMarks[current.row][current.column] == kFromAbove) ++current.row;
  }
  return path;
}

KEVec2 TileMap::Extent() const {
  const float size = static_cast<float>(tileSize);
  return {size * static_cast<float>(width) - halfWidth + size / 2,
          size * static_cast<float>(height) - halfHeight + size / 2};
}

std::vector<KEVec2> TileMap::ExitCentres() const {
  std::vector<KEVec2> exits;
  for (int row = 0; row < int(cells.size()); ++row) {
    for (int column = 0; column < int(cells[row].size()); ++column) {
      if (cells[row][column] == 5) exits.push_back(CentreOf({row, column}));
    }
  }
  return exits;
}

void TileMap::DumpGrids() const {
  std::string text;
  auto dump = [&](auto& grid) {
    for (unsigned row = height; row-- > 0;) {
      for (unsigned column = 0; column < width; ++column) {
        text += std::to_string(grid[row][column]);
        text += ' ';
      }
      text += '\n';
    }
  };
  dump(cells);
  text += '\n';
  dump(blocking);
  std::cout << text << std::flush;
}
