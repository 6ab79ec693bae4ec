#include "TileMap.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "GameState.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KEReport.h"
#include "ObjectManager.h"
#include "Tile.h"

const char* TilePicture(unsigned code) {
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

namespace {

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

void TileMap::LoadGridAndTiles(const TileMapGrid& grid) {
  if (LoadGrid(grid)) CreateTiles();
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
        const Cell around[4] = {{cell.row - 1, cell.column},
                                {cell.row, cell.column + 1},
                                {cell.row + 1, cell.column},
                                {cell.row, cell.column - 1}};
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
      std::shared_ptr<Tile> tile = CreateTile();
      tile->sprite.Init(1, 0.5f, 0.5f);
      tile->sprite.AddImage(TilePicture(cells[row][column]));
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

namespace {

// A box whose side lies within this of a cell's edge only touches the cell. Walls stop a box
// this far short of their face and a box eases this far past a corner, so that no rounding
// counts it as covering the wall, and no hazard probe on its edge finds the cell beyond.
constexpr float kTouch = 1.0f / 256;

// A press within this of straight along an axis (tan 22.5 degrees) counts as straight: a
// stick is never held exactly straight.
constexpr float kStraight = 0.4142f;

float& On(KEVec2& v, int axis) { return axis == 0 ? v.x : v.y; }
float On(const KEVec2& v, int axis) { return axis == 0 ? v.x : v.y; }

}  // namespace

// Clamped in float, where NaN and huge positions land beyond the map, before the cast.
TileMap::Span TileMap::Covered(float centre, float half, int axis) const {
  const float size = static_cast<float>(tileSize);
  const float origin = axis == 0 ? halfWidth : halfHeight;
  const float count = static_cast<float>(axis == 0 ? width : height);
  const auto line = [&](float edge) {
    return static_cast<int>(std::fmax(-1.0f, std::fmin(std::floor(edge / size), count)));
  };
  return {line(origin + centre - half + kTouch), line(origin + centre + half - kTouch)};
}

float TileMap::Edge(int line, int axis) const {
  return static_cast<float>(line) * static_cast<float>(tileSize) -
         (axis == 0 ? halfWidth : halfHeight);
}

float TileMap::Advance(KEVec2 centre, KEVec2 half, int axis, float distance) const {
  const int across = 1 - axis;
  const float from = On(centre, axis), to = from + distance;
  const Span now = Covered(from, On(half, axis), axis);
  const Span then = Covered(to, On(half, axis), axis);
  Span side = Covered(On(centre, across), On(half, across), across);
  side = {std::max(side.first, 0), std::min(side.last, int(across == 0 ? width : height) - 1)};
  const int lines = int(axis == 0 ? width : height);
  const auto blocks = [&](int line) {
    if (line < 0 || line >= lines) return false;
    for (int k = side.first; k <= side.last; ++k) {
      if (axis == 0 ? blocking[k][line] : blocking[line][k]) return true;
    }
    return false;
  };
  if (distance > 0) {
    for (int line = now.last + 1; line <= then.last; ++line) {
      if (blocks(line)) return std::max(from, Edge(line, axis) - On(half, axis) - kTouch);
    }
  } else {
    for (int line = now.first - 1; line >= then.first; --line) {
      if (blocks(line)) return std::min(from, Edge(line + 1, axis) + On(half, axis) + kTouch);
    }
  }
  return to;
}

// The shifts tried are those that clear the box of its lowest or highest cells across the
// way, nearest first; the smallest that lets it go on wins, upward or rightward on a tie.
float TileMap::EaseRound(KEVec2 stopped, KEVec2 size, int axis, float distance) const {
  const int across = 1 - axis;
  const KEVec2 half = {size.x / 2, size.y / 2};
  const float cellSize = static_cast<float>(tileSize), reach = On(size, across) / 2;
  const float centre = On(stopped, across), low = centre - On(half, across);
  const float high = centre + On(half, across);
  const Span covered = Covered(centre, On(half, across), across);
  const bool onLava = HazardUnder(stopped, size) == 4;
  const auto frees = [&](float shift) {
    if (Advance(stopped, half, across, shift) != centre + shift) return false;
    KEVec2 aside = stopped;
    On(aside, across) += shift;
    if (Advance(aside, half, axis, distance) != On(aside, axis) + distance) return false;
    On(aside, axis) += distance;
    return onLava || HazardUnder(aside, size) != 4;
  };
  // `clip` is how far the box reaches into the cells it would leave.
  float best = 0;
  for (float clip = Edge(covered.first + 1, across) - low; clip <= reach; clip += cellSize) {
    if (frees(clip + kTouch)) {
      best = clip + kTouch;
      break;
    }
  }
  for (float clip = high - Edge(covered.last, across); clip <= reach; clip += cellSize) {
    if (best != 0 && clip + kTouch >= best) break;
    if (frees(-clip - kTouch)) {
      best = -clip - kTouch;
      break;
    }
  }
  const float step = std::fabs(distance);
  return std::clamp(best, -step, step);
}

KEVec2 TileMap::WalkBox(KEVec2 from, KEVec2 size, KEVec2 step) const {
  if (tileSize == 0) return {from.x + step.x, from.y + step.y};
  const KEVec2 half = {size.x / 2, size.y / 2};
  KEVec2 at = from;
  for (int axis = 0; axis < 2; ++axis) {
    const float distance = On(step, axis);
    if (distance == 0) continue;
    const float start = On(at, axis);
    On(at, axis) = Advance(at, half, axis, distance);
    const bool stopped = On(at, axis) != start + distance;
    if (!stopped || std::fabs(On(step, 1 - axis)) > std::fabs(distance) * kStraight) continue;
    const float aside = EaseRound(at, size, axis, distance);
    On(at, 1 - axis) += aside;
    // What the sidestep leaves of the step goes on ahead: a stick a little off straight
    // would otherwise push the box back onto the corner before it gets past.
    const float rest = std::fabs(distance) - std::fabs(On(at, axis) - start) - std::fabs(aside);
    if (aside != 0 && rest > 0)
      On(at, axis) = Advance(at, half, axis, std::copysign(rest, distance));
  }
  return at;
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

TileMap* CurrentMap() {
  MapState* state = RunningStateAs<MapState>();
  return state ? state->GetMap() : nullptr;
}
