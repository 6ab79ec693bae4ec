#include "EditorDocument.h"

#include <algorithm>
#include <cmath>

#include "LevelCheck.h"

namespace {

constexpr unsigned kEditorTileSize = 50;

// The grid keeps its bottom row first; the editor counts rows from the top, as the file does.
unsigned& GridCell(TileMapGrid& grid, int column, int row) {
  return grid.cells[(grid.height - 1 - unsigned(row)) * grid.width + unsigned(column)];
}

bool OnCell(const LevelPoint& point, int column, int row) {
  return point.column == column && point.row == row;
}

LevelPoint CellPoint(int column, int row) { return {column, row, 0, 0}; }

}  // namespace

Level EditorDocument::NewLevel(const std::string& name, unsigned width, unsigned height) {
  Level level;
  level.name = name;
  level.grid.width = width;
  level.grid.height = height;
  level.grid.tileSize = kEditorTileSize;
  level.grid.cells.assign(std::size_t(width) * height, kFloorCell);
  for (unsigned row = 0; row < height; ++row) {
    for (unsigned column = 0; column < width; ++column) {
      if (row == 0 || column == 0 || row + 1 == height || column + 1 == width)
        level.grid.cells[row * width + column] = kWallCell;
    }
  }
  return level;
}

EditorDocument::EditorDocument(Level level) : level_(std::move(level)), saved_(level_) {}

bool EditorDocument::Inside(int column, int row) const {
  return column >= 0 && row >= 0 && unsigned(column) < Width() && unsigned(row) < Height();
}

unsigned EditorDocument::Cell(int column, int row) const {
  if (!Inside(column, row)) return kWallCell;
  return level_.grid.At(Height() - 1 - unsigned(row), unsigned(column));
}

template <typename Edit>
bool EditorDocument::Step(Edit edit) {
  if (strokeStart_) return edit() && ++revision_;
  Level before = level_;
  if (!edit()) return false;
  ++revision_;
  undo_.push_back(std::move(before));
  if (undo_.size() > kUndoSteps) undo_.erase(undo_.begin());
  redo_.clear();
  return true;
}

void EditorDocument::BeginStroke() {
  if (!strokeStart_) strokeStart_ = level_;
}

void EditorDocument::EndStroke() {
  if (!strokeStart_) return;
  Level before = std::move(*strokeStart_);
  strokeStart_.reset();
  if (before == level_) return;
  undo_.push_back(std::move(before));
  if (undo_.size() > kUndoSteps) undo_.erase(undo_.begin());
  redo_.clear();
}

bool EditorDocument::PaintCell(int column, int row, unsigned code) {
  return Step([&] {
    if (!Inside(column, row) || Cell(column, row) == code) return false;
    GridCell(level_.grid, column, row) = code;
    return true;
  });
}

bool EditorDocument::SetPlayerStart(int column, int row) {
  return Step([&] {
    if (!Inside(column, row) || (level_.player && OnCell(*level_.player, column, row)))
      return false;
    level_.player = CellPoint(column, row);
    return true;
  });
}

int EditorDocument::AddMonster(int kind, int column, int row) {
  const bool added = Step([&] {
    if (!Inside(column, row) || kind < 0 || kind >= kMonsterKindCount ||
        level_.monsters.size() >= kLevelMaxMonsters)
      return false;
    LevelMonster monster;
    monster.kind = kind;
    monster.start = CellPoint(column, row);
    level_.monsters.push_back(monster);
    return true;
  });
  return added ? int(level_.monsters.size()) - 1 : -1;
}

LevelMonster* EditorDocument::Monster(int monster) {
  if (monster < 0 || std::size_t(monster) >= level_.monsters.size()) return nullptr;
  return &level_.monsters[std::size_t(monster)];
}

bool EditorDocument::DeleteMonster(int monster) {
  return Step([&] {
    if (!Monster(monster)) return false;
    level_.monsters.erase(level_.monsters.begin() + monster);
    return true;
  });
}

bool EditorDocument::AddWaypoint(int monster, int column, int row) {
  return Step([&] {
    LevelMonster* m = Monster(monster);
    if (!m || !Inside(column, row) || m->route.size() >= kLevelMaxWaypoints) return false;
    // A waypoint on the one before it would be a leg of no length.
    const LevelPoint& last = m->route.empty() ? m->start : m->route.back();
    if (OnCell(last, column, row)) return false;
    m->route.push_back(CellPoint(column, row));
    return true;
  });
}

bool EditorDocument::MoveWaypoint(int monster, int waypoint, int column, int row) {
  return Step([&] {
    LevelMonster* m = Monster(monster);
    if (!m || waypoint < 0 || std::size_t(waypoint) >= m->route.size() || !Inside(column, row))
      return false;
    LevelPoint& point = m->route[std::size_t(waypoint)];
    if (OnCell(point, column, row)) return false;
    point = CellPoint(column, row);
    return true;
  });
}

bool EditorDocument::DeleteWaypoint(int monster, int waypoint) {
  return Step([&] {
    LevelMonster* m = Monster(monster);
    if (!m || waypoint < 0 || std::size_t(waypoint) >= m->route.size()) return false;
    m->route.erase(m->route.begin() + waypoint);
    return true;
  });
}

bool EditorDocument::SetPause(int monster, double seconds) {
  return Step([&] {
    LevelMonster* m = Monster(monster);
    if (!m || !std::isfinite(seconds)) return false;
    const std::optional<double> pause =
        seconds > 0 ? std::optional<double>(std::round(seconds * 10) / 10) : std::nullopt;
    if (m->pause == pause) return false;
    m->pause = pause;
    return true;
  });
}

bool EditorDocument::SetFacing(int monster, double degrees) {
  return Step([&] {
    LevelMonster* m = Monster(monster);
    if (!m || !std::isfinite(degrees)) return false;
    double facing = std::fmod(degrees, 360);
    if (facing < 0) facing += 360;
    if (m->facing == facing) return false;
    m->facing = facing;
    return true;
  });
}

bool EditorDocument::Resize(unsigned width, unsigned height) {
  return Step([&] {
    if (width < kLevelMinSide || height < kLevelMinSide || width > kLevelMaxSide ||
        height > kLevelMaxSide || (width == Width() && height == Height()))
      return false;
    Level resized = NewLevel(level_.name, width, height);
    resized.grid.tileSize = level_.grid.tileSize;
    // The old right and bottom walls stay behind only where the new map ends at them.
    const int keptColumns = int(std::min(width - 1, Width() - 1));
    const int keptRows = int(std::min(height - 1, Height() - 1));
    auto inner = [&](const LevelPoint& p) {
      return p.column > 0 && p.row > 0 && p.column + 1 < int(width) && p.row + 1 < int(height);
    };
    for (int row = 1; row < keptRows; ++row) {
      for (int column = 1; column < keptColumns; ++column)
        GridCell(resized.grid, column, row) = Cell(column, row);
    }
    if (level_.player && inner(*level_.player)) resized.player = level_.player;
    for (const LevelMonster& monster : level_.monsters) {
      if (!inner(monster.start)) continue;
      LevelMonster kept = monster;
      kept.route.erase(std::remove_if(kept.route.begin(), kept.route.end(),
                                      [&](const LevelPoint& p) { return !inner(p); }),
                       kept.route.end());
      resized.monsters.push_back(kept);
    }
    level_ = std::move(resized);
    return true;
  });
}

void EditorDocument::Rename(const std::string& name) {
  if (level_.name == name) return;
  level_.name = name;
  for (Level& level : undo_) level.name = name;
  for (Level& level : redo_) level.name = name;
  if (strokeStart_) strokeStart_->name = name;
  ++revision_;
}

int EditorDocument::MonsterAt(int column, int row) const {
  for (int i = int(level_.monsters.size()) - 1; i >= 0; --i) {
    if (OnCell(level_.monsters[std::size_t(i)].start, column, row)) return i;
  }
  return -1;
}

int EditorDocument::WaypointAt(int monster, int column, int row) const {
  if (monster < 0 || std::size_t(monster) >= level_.monsters.size()) return -1;
  const std::vector<LevelPoint>& route = level_.monsters[std::size_t(monster)].route;
  for (std::size_t i = 0; i < route.size(); ++i) {
    if (OnCell(route[i], column, row)) return int(i);
  }
  return -1;
}

bool EditorDocument::Undo() {
  EndStroke();
  if (undo_.empty()) return false;
  redo_.push_back(std::move(level_));
  level_ = std::move(undo_.back());
  undo_.pop_back();
  ++revision_;
  return true;
}

bool EditorDocument::Redo() {
  EndStroke();
  if (redo_.empty()) return false;
  undo_.push_back(std::move(level_));
  level_ = std::move(redo_.back());
  redo_.pop_back();
  ++revision_;
  return true;
}

std::string RefuseLevelName(const std::string& name) {
  if (name.empty()) return "A level needs a name";
  if (name.size() > kLevelNameMaxChars)
    return "A name is at most " + std::to_string(kLevelNameMaxChars) + " characters";
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7f) return "A name cannot hold control characters";
    if (c == '/' || c == '\\') return "A name cannot hold / or \\: it would leave your folder";
    // Characters some systems refuse in a file name, so that a shared level copies anywhere.
    if (std::string(":*?\"<>|").find(char(c)) != std::string::npos)
      return std::string("A name cannot hold ") + char(c);
  }
  if (name.find("..") != std::string::npos) return "A name cannot hold ..";
  if (name.front() == '.') return "A name cannot start with a dot: the file would be hidden";
  if (name.front() == ' ' || name.back() == ' ') return "A name cannot start or end with a space";
  return "";
}

std::string LevelFileName(const std::string& name) { return name + ".txt"; }
