// The level being edited, as pure data: the edits the editor's tools make, undo and redo,
// and whether it changed since it was last saved. No GL, so the tests drive it alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "LevelFile.h"

// Cell codes the editor paints.
enum EditorCell : unsigned {
  kFloorCell = 0,
  kLavaCell = 4,
  kExitCell = 5,
  kWaterCell = 6,
  kPillarCell = 7,
  kWallCell = 9,
};

// More than the hundred steps a player may want back.
constexpr std::size_t kUndoSteps = 200;
// Long enough for any level's name, short enough to show whole and to be a file name anywhere.
constexpr std::size_t kLevelNameMaxChars = 40;

class EditorDocument {
 public:
  // A new level: a floor of `width` x `height` walled round, no cast.
  static Level NewLevel(const std::string& name, unsigned width = 20, unsigned height = 15);

  explicit EditorDocument(Level level = NewLevel("New level"));

  const Level& level() const { return level_; }
  unsigned Width() const { return level_.grid.width; }
  unsigned Height() const { return level_.grid.height; }
  bool Inside(int column, int row) const;
  // The code of a cell, counted as in the level file (row 0 at the top); a wall outside.
  unsigned Cell(int column, int row) const;

  // Each edit is one step of undo, except those between BeginStroke and EndStroke, which are
  // one together (a drag of painting). Each returns false and changes nothing when it cannot
  // be made (outside the map, no such monster or waypoint, nothing would change).
  void BeginStroke();
  void EndStroke();
  bool InStroke() const { return strokeStart_.has_value(); }
  bool PaintCell(int column, int row, unsigned code);
  bool SetPlayerStart(int column, int row);
  // The new monster's index, or -1 (also past the validator's bounds on monsters and, below,
  // on waypoints).
  int AddMonster(int kind, int column, int row);
  bool DeleteMonster(int monster);
  bool AddWaypoint(int monster, int column, int row);
  bool MoveWaypoint(int monster, int waypoint, int column, int row);
  bool DeleteWaypoint(int monster, int waypoint);
  // Seconds at each waypoint; none or 0 for no pause.
  bool SetPause(int monster, double seconds);
  bool SetFacing(int monster, double degrees);
  // The new size within the validator's bounds: the cells that stay keep their place from
  // the top left, the new edge is walled round and the old edge inside it becomes floor; the
  // cast outside the new walls goes.
  bool Resize(unsigned width, unsigned height);
  // The name goes with the file SAVE AS writes, not with the edits: it takes no undo step,
  // and undoing an edit made before it keeps it.
  void Rename(const std::string& name);

  // The monster whose start is on the cell (the last placed first), or -1.
  int MonsterAt(int column, int row) const;
  // The waypoint of `monster` on the cell, or -1.
  int WaypointAt(int monster, int column, int row) const;

  bool Undo();
  bool Redo();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

  bool Changed() const { return !(level_ == saved_); }
  // Counts every change of the level, undo and redo included, for those who draw it.
  unsigned long Revision() const { return revision_; }
  void MarkSaved() { saved_ = level_; }

 private:
  // Keeps the level as it was for undo, unless a stroke already keeps the one before it.
  template <typename Edit>
  bool Step(Edit edit);
  LevelMonster* Monster(int monster);

  Level level_;
  Level saved_;
  unsigned long revision_ = 0;
  std::vector<Level> undo_, redo_;
  std::optional<Level> strokeStart_;
};

// Why `name` cannot be a level's file name in the player's levels folder (one line), or
// empty when it can: it must stay in that folder and be a plain, visible file name anywhere.
std::string RefuseLevelName(const std::string& name);
// The file a level of that name is saved in.
std::string LevelFileName(const std::string& name);
