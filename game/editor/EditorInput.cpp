// What the mouse, the keys and the pad do in the editor.
#include <algorithm>
#include <cmath>

#include "EditorLayout.h"
#include "EditorScreen.h"
#include "GameStateLoop.h"
#include "UIButton.h"

namespace {

// Held arrow keys move the cursor again after this long, then every repeat.
constexpr double kRepeatDelay = 0.3, kRepeatEvery = 0.06;

}  // namespace

bool LevelEditor::CellUnderMouse(int* column, int* row) const {
  int mx = 0, my = 0;
  KEInputGetCursorPosition(&mx, &my);
  const float vx = float(mx) - 400, vy = 300 - float(my);
  if (vx < kMapLeft || vx >= kMapRight || vy < kMapBottom || vy >= kMapTop) return false;
  const float centreX = (kMapLeft + kMapRight) / 2, centreY = (kMapBottom + kMapTop) / 2;
  const EditorSession& s = EditedSession();
  *column = int(std::floor((vx - centreX) / s.zoom + s.cameraX));
  *row = int(std::floor(-(vy - centreY) / s.zoom + s.cameraY));
  return s.document.Inside(*column, *row);
}

void LevelEditor::MoveCursor(int dx, int dy, bool byKey) {
  const int column = std::clamp(S().column + dx, 0, int(Doc().Width()) - 1);
  const int row = std::clamp(S().row + dy, 0, int(Doc().Height()) - 1);
  if (column == S().column && row == S().row) return;
  S().column = column;
  S().row = row;
  if (byKey) KeepCursorInView();
  // Space held while the cursor moves paints along, or takes the waypoint along, as a drag
  // does.
  if (byKey && stroke_ && (Paints(S().tool) || dragWaypoint_ >= 0)) Apply(column, row, true);
}

void LevelEditor::Select(int monster) { S().monster = monster; }

// The tool's work on one cell. A drag goes on painting and moving the waypoint it took, and
// places nothing else.
void LevelEditor::Apply(int column, int row, bool dragging) {
  const int tool = S().tool;
  if (tool <= kExit) {
    Doc().PaintCell(column, row, kToolCells[tool]);
  } else if (tool == kErase) {
    const int waypoint = Doc().WaypointAt(S().monster, column, row);
    const int monster = Doc().MonsterAt(column, row);
    if (!dragging && waypoint >= 0) {
      Doc().DeleteWaypoint(S().monster, waypoint);
    } else if (!dragging && monster >= 0) {
      Doc().DeleteMonster(monster);
      Select(-1);
    } else {
      Doc().PaintCell(column, row, kFloorCell);
    }
  } else if (dragging) {
    if (tool == kWaypoint && dragWaypoint_ >= 0)
      Doc().MoveWaypoint(S().monster, dragWaypoint_, column, row);
  } else if (tool == kStart) {
    Doc().SetPlayerStart(column, row);
  } else if (tool == kWaypoint) {
    const int waypoint = Doc().WaypointAt(S().monster, column, row);
    const int monster = Doc().MonsterAt(column, row);
    if (waypoint >= 0) {
      dragWaypoint_ = waypoint;
    } else if (monster >= 0 && monster != S().monster) {
      Select(monster);
    } else if (S().monster >= 0) {
      const std::size_t route = Doc().level().monsters[std::size_t(S().monster)].route.size();
      if (Doc().AddWaypoint(S().monster, column, row))
        dragWaypoint_ = int(route);
      else if (route >= kLevelMaxWaypoints)
        Say("Waypoints: 100 at most");
    } else {
      Say("Choose a monster first: click it, or Tab to it");
    }
  } else {
    // A monster tool on a monster picks it; elsewhere it places a new one.
    const int monster = Doc().MonsterAt(column, row);
    if (monster >= 0) {
      Select(monster);
    } else {
      const int added = Doc().AddMonster(tool - kFirstKind, column, row);
      if (added >= 0) Select(added);
      if (added < 0 && Doc().level().monsters.size() >= kLevelMaxMonsters)
        Say("Monsters: 300 at most");
    }
  }
}

void LevelEditor::Undo() {
  if (Doc().Undo()) {
    if (S().monster >= int(Doc().level().monsters.size())) Select(-1);
  } else {
    Say("Nothing to undo");
  }
}

void LevelEditor::Redo() {
  if (!Doc().Redo()) Say("Nothing to redo");
}

void LevelEditor::Resize(int dw, int dh) {
  if (!Doc().Resize(unsigned(int(Doc().Width()) + dw), unsigned(int(Doc().Height()) + dh))) {
    Say("A map is 10 to 128 cells each way");
    return;
  }
  Select(-1);
  S().column = std::min(S().column, int(Doc().Width()) - 1);
  S().row = std::min(S().row, int(Doc().Height()) - 1);
  KeepCursorInView();
}

void LevelEditor::UpdateButtons() {
  if (TakeClick(bar_[0])) TestPlay();
  if (TakeClick(bar_[1])) Save();
  if (TakeClick(bar_[2])) StartName();
  if (TakeClick(bar_[3])) Undo();
  if (TakeClick(bar_[4])) Redo();
  if (TakeClick(bar_[5])) Resize(-1, 0);
  if (TakeClick(bar_[6])) Resize(1, 0);
  if (TakeClick(bar_[7])) Resize(0, -1);
  if (TakeClick(bar_[8])) Resize(0, 1);
  if (TakeClick(bar_[9])) Leave(false);
  for (int i = 0; i < kToolCount; ++i) {
    if (TakeClick(tools_[i])) S().tool = i;
  }
}

void LevelEditor::UpdateMap() {
  // The mouse: the left button uses the tool (a drag paints on), the right one pans.
  int column = 0, row = 0;
  const bool onMap = CellUnderMouse(&column, &row);
  int mdx = 0, mdy = 0;
  KEInputGetCursorPositionDelta(&mdx, &mdy);
  if (onMap && (mdx || mdy)) S().column = column, S().row = row;
  if (KEInputCheckTriggered(VK_LBUTTON) && onMap) {
    mouseOnMap_ = true;
    Doc().BeginStroke();
    Apply(column, row, false);
    lastColumn_ = column, lastRow_ = row;
  } else if (mouseOnMap_ && KEInputCheckCurr(VK_LBUTTON)) {
    if (onMap && (column != lastColumn_ || row != lastRow_)) {
      if (Paints(S().tool) || dragWaypoint_ >= 0) Apply(column, row, true);
      lastColumn_ = column, lastRow_ = row;
    }
  } else if (mouseOnMap_) {
    mouseOnMap_ = false;
    dragWaypoint_ = -1;
    Doc().EndStroke();
  }
  int mx = 0, my = 0;
  KEInputGetCursorPosition(&mx, &my);
  if (KEInputCheckTriggered(VK_RBUTTON) && onMap) panning_ = true;
  if (panning_ && KEInputCheckCurr(VK_RBUTTON)) {
    S().cameraX -= float(mx - panX_) / S().zoom;
    S().cameraY -= float(my - panY_) / S().zoom;
  } else {
    panning_ = false;
  }
  panX_ = mx, panY_ = my;

  // The keys and the pad.
  const bool ctrl = Ctrl();
  struct Move {
    unsigned keys[4];
    int dx, dy;
  };
  static const Move kMoves[] = {
      {{VK_LEFT, 'A', VK_GAMEPAD_DPAD_LEFT, VK_GAMEPAD_LEFT_THUMBSTICK_LEFT}, -1, 0},
      {{VK_RIGHT, 'D', VK_GAMEPAD_DPAD_RIGHT, VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT}, 1, 0},
      {{VK_UP, 'W', VK_GAMEPAD_DPAD_UP, VK_GAMEPAD_LEFT_THUMBSTICK_UP}, 0, -1},
      {{VK_DOWN, 'S', VK_GAMEPAD_DPAD_DOWN, VK_GAMEPAD_LEFT_THUMBSTICK_DOWN}, 0, 1},
  };
  unsigned held = 0;
  for (const Move& move : kMoves) {
    for (unsigned key : move.keys) {
      // Ctrl with an arrow resizes; Ctrl+S saves.
      if (ctrl) continue;
      if (KEInputCheckTriggered(key)) {
        MoveCursor(move.dx, move.dy, true);
        heldKey_ = key;
        heldFor_ = 0;
      }
      if (KEInputCheckCurr(key)) held = key;
    }
  }
  if (held && held == heldKey_) {
    const double before = heldFor_;
    heldFor_ += ScreenTimerSeconds();
    if (heldFor_ >= kRepeatDelay && std::floor((heldFor_ - kRepeatDelay) / kRepeatEvery) !=
                                        std::floor((before - kRepeatDelay) / kRepeatEvery)) {
      for (const Move& move : kMoves) {
        if (std::find(std::begin(move.keys), std::end(move.keys), held) != std::end(move.keys))
          MoveCursor(move.dx, move.dy, true);
      }
    }
  } else {
    heldKey_ = 0;
  }
  if (ctrl && KEInputCheckTriggered(VK_LEFT)) Resize(-1, 0);
  if (ctrl && KEInputCheckTriggered(VK_RIGHT)) Resize(1, 0);
  if (ctrl && KEInputCheckTriggered(VK_UP)) Resize(0, -1);
  if (ctrl && KEInputCheckTriggered(VK_DOWN)) Resize(0, 1);

  // Space, Enter or the pad's A use the tool at the cursor; held, they paint along.
  const bool use = KEInputCheckTriggered(VK_SPACE) || KEInputCheckTriggered(VK_RETURN) ||
                   KEInputCheckTriggered(VK_GAMEPAD_A);
  if (use) {
    Doc().BeginStroke();
    stroke_ = true;
    Apply(S().column, S().row, false);
  }
  const bool using_ =
      KEInputCheckCurr(VK_SPACE) || KEInputCheckCurr(VK_RETURN) || KEInputCheckCurr(VK_GAMEPAD_A);
  if (stroke_ && !using_) {
    stroke_ = false;
    dragWaypoint_ = mouseOnMap_ ? dragWaypoint_ : -1;
    if (!mouseOnMap_) Doc().EndStroke();
  }

  for (int i = 0; i < 10; ++i) {
    if (!ctrl && KEInputCheckTriggered(unsigned('0' + (i + 1) % 10))) S().tool = i;
  }
  if (KEInputCheckTriggered('Q') || KEInputCheckTriggered(VK_GAMEPAD_LEFT_SHOULDER))
    S().tool = (S().tool + kToolCount - 1) % kToolCount;
  if (KEInputCheckTriggered('E') || KEInputCheckTriggered(VK_GAMEPAD_RIGHT_SHOULDER))
    S().tool = (S().tool + 1) % kToolCount;

  const int monsters = int(Doc().level().monsters.size());
  if ((KEInputCheckTriggered(VK_TAB) || KEInputCheckTriggered(VK_GAMEPAD_X)) && monsters > 0) {
    Select((S().monster + (Shift() ? monsters - 1 : 1)) % monsters);
    const LevelPoint& start = Doc().level().monsters[std::size_t(S().monster)].start;
    S().column = start.column, S().row = start.row;
    KeepCursorInView();
  }
  if (S().monster >= 0) {
    const LevelMonster& chosen = Doc().level().monsters[std::size_t(S().monster)];
    const double pause = chosen.pause.value_or(0), facing = chosen.facing.value_or(0);
    if (KEInputCheckTriggered(0xDD) || KEInputCheckTriggered(VK_GAMEPAD_RIGHT_THUMBSTICK_UP))
      Doc().SetPause(S().monster, std::min(pause + 0.5, 30.0));
    if (KEInputCheckTriggered(0xDB) || KEInputCheckTriggered(VK_GAMEPAD_RIGHT_THUMBSTICK_DOWN))
      Doc().SetPause(S().monster, std::max(pause - 0.5, 0.0));
    if ((!ctrl && KEInputCheckTriggered('F')) ||
        KEInputCheckTriggered(VK_GAMEPAD_RIGHT_THUMBSTICK_LEFT))
      Doc().SetFacing(S().monster, facing + (Shift() ? -45 : 45));
    if (KEInputCheckTriggered(VK_GAMEPAD_RIGHT_THUMBSTICK_RIGHT))
      Doc().SetFacing(S().monster, facing - 45);
    if (KEInputCheckTriggered(VK_DELETE) || KEInputCheckTriggered(VK_BACK)) {
      Doc().DeleteMonster(S().monster);
      Select(-1);
    }
  }

  const bool zoomIn = KEInputCheckTriggered(0xBB) || KEInputCheckTriggered(VK_PRIOR) ||
                      KEInputCheckTriggered(VK_GAMEPAD_LEFT_THUMBSTICK_BUTTON);
  const bool zoomOut = KEInputCheckTriggered(0xBD) || KEInputCheckTriggered(VK_NEXT) ||
                       KEInputCheckTriggered(VK_GAMEPAD_RIGHT_THUMBSTICK_BUTTON);
  if (zoomIn || zoomOut) {
    S().zoom = std::clamp(zoomIn ? S().zoom * 1.5f : S().zoom / 1.5f, kMinZoom, kMaxZoom);
    S().cameraX = float(S().column) + 0.5f;
    S().cameraY = float(S().row) + 0.5f;
  }

  if (ctrl && KEInputCheckTriggered('Z')) Shift() ? Redo() : Undo();
  if (ctrl && KEInputCheckTriggered('Y')) Redo();
  if (KEInputCheckTriggered(VK_GAMEPAD_LEFT_TRIGGER)) Undo();
  if (KEInputCheckTriggered(VK_GAMEPAD_RIGHT_TRIGGER)) Redo();
  if (ctrl && KEInputCheckTriggered('S')) Shift() ? StartName() : Save();
  if ((!ctrl && KEInputCheckTriggered('T')) || KEInputCheckTriggered(VK_GAMEPAD_MENU)) TestPlay();
  if (KEInputCheckTriggered(VK_GAMEPAD_Y)) SetMode(Mode::kBar);
  if (KEInputCheckTriggered(VK_ESCAPE) || KEInputCheckTriggered(VK_GAMEPAD_B)) Leave(false);
}

void LevelEditor::UpdateName() {
  auto accept = [&] {
    std::string why;
    const std::string path = SaveAsPath(S(), name_, &why);
    if (path.empty()) {
      S().nameProblem = why;
      return;
    }
    Doc().Rename(name_);
    if (SaveEditorSession(S(), path))
      SetMode(Mode::kMap);
    else
      S().nameProblem = S().message;
  };
  if (KEInputCheckTriggered(VK_ESCAPE) || KEInputCheckTriggered(VK_GAMEPAD_B)) {
    SetMode(Mode::kMap);
    return;
  }
  if (KEInputCheckTriggered(VK_RETURN) || KEInputCheckTriggered(VK_GAMEPAD_MENU) ||
      KEInputCheckTriggered(VK_GAMEPAD_Y)) {
    accept();
    return;
  }
  auto type = [&](char c) {
    if (name_.size() < kLevelNameMaxChars + 1) name_ += c;
    S().nameProblem = RefuseLevelName(name_);
  };
  const bool shift = Shift();
  for (char c = 'A'; c <= 'Z'; ++c) {
    if (KEInputCheckTriggered(unsigned(c))) type(shift ? c : char(c - 'A' + 'a'));
  }
  for (char c = '0'; c <= '9'; ++c) {
    if (KEInputCheckTriggered(unsigned(c))) type(c);
  }
  if (KEInputCheckTriggered(VK_SPACE)) type(' ');
  if (KEInputCheckTriggered(0xBD)) type(shift ? '_' : '-');
  if (KEInputCheckTriggered(0xBE)) type('.');
  if (KEInputCheckTriggered(0xBF)) type('/');
  if ((KEInputCheckTriggered(VK_BACK) || KEInputCheckTriggered(VK_GAMEPAD_X)) && !name_.empty()) {
    name_.pop_back();
    S().nameProblem = name_.empty() ? "" : RefuseLevelName(name_);
  }
  // The pad picks from the row of characters.
  if (KEInputCheckTriggered(VK_GAMEPAD_DPAD_LEFT))
    nameChoice_ = (nameChoice_ + kNameRowCount - 1) % kNameRowCount;
  if (KEInputCheckTriggered(VK_GAMEPAD_DPAD_RIGHT)) nameChoice_ = (nameChoice_ + 1) % kNameRowCount;
  if (KEInputCheckTriggered(VK_GAMEPAD_DPAD_UP))
    nameChoice_ = (nameChoice_ + kNameRowCount - 10) % kNameRowCount;
  if (KEInputCheckTriggered(VK_GAMEPAD_DPAD_DOWN)) nameChoice_ = (nameChoice_ + 10) % kNameRowCount;
  if (KEInputCheckTriggered(VK_GAMEPAD_A)) type(kNameRow[nameChoice_]);
}
