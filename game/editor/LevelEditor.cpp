#include "LevelEditor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "EditorLayout.h"
#include "EditorMapPicture.h"
#include "EditorPictures.h"
#include "EditorSession.h"
#include "EditorText.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "LevelCheck.h"
#include "LevelRoster.h"
#include "MapShapes.h"
#include "ObjectManager.h"
#include "StateRequests.h"
#include "UIButton.h"

namespace {

EditorExit gExit = nullptr;
std::unique_ptr<EditorSession> gSession;
// The screens the front end asked for before a try, given back when it ends.
LoadingScreenFactory gFrontLoading = nullptr;
ResultScreenFactory gFrontResult = nullptr;

constexpr float kLineX = -394, kFirstLineY = -237, kLineStep = 18;
constexpr float kMinZoom = 2, kMaxZoom = 48;
// Held arrow keys move the cursor again after this long, then every repeat.
constexpr double kRepeatDelay = 0.3, kRepeatEvery = 0.06;
constexpr int kCheckEvery = 6;  // frames

enum Tool {
  kFloor,
  kWall,
  kPillar,
  kLava,
  kWater,
  kExit,
  kStart,
  kFirstKind,
  kWaypoint = 12,
  kErase = 13
};
constexpr unsigned kToolCells[] = {kFloorCell, kWallCell,  kPillarCell,
                                   kLavaCell,  kWaterCell, kExitCell};
bool Paints(int tool) { return tool <= kExit || tool == kErase; }

// The characters a pad picks a name from, left to right.
constexpr char kNameRow[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -_";
constexpr int kNameRowCount = sizeof kNameRow - 1;

bool Ctrl() { return KEInputCheckCurr(VK_CONTROL); }
bool Shift() { return KEInputCheckCurr(VK_SHIFT); }
bool Pad() { return KEInputLastDevice() == KE_INPUT_PAD; }

}  // namespace

// The screen of one stay in the editor; made again after each try.
class LevelEditor : public GameState {
 public:
  void Load() override;
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override;

 private:
  enum class Mode { kMap, kBar, kName, kLeave };
  EditorSession& S() { return *gSession; }
  EditorDocument& Doc() { return gSession->document; }

  void SetMode(Mode mode);
  void Say(const std::string& line) {
    S().message = line;
    S().messageRevision = Doc().Revision();
  }
  void FitZoom();
  void KeepCursorInView();
  bool CellUnderMouse(int* column, int* row) const;
  void MoveCursor(int dx, int dy, bool byKey);
  void Apply(int column, int row, bool dragging);
  void Select(int monster);
  void Rebuild();
  void UpdateMap();
  void UpdateButtons();
  void UpdateName();
  void StartName();
  void Undo();
  void Redo();
  void TestPlay();
  void Save();
  void Resize(int dw, int dh);
  void Leave(bool asked);
  std::string StatusLine() const;
  std::string HelpLine(int line) const;
  void DrawPanel(float halfWidth, float halfHeight) const;

  Mode mode_ = Mode::kMap;
  UIButton* bar_[kEditorBarButtons] = {};
  UIButton* tools_[kToolCount] = {};
  UIButton* yes_ = nullptr;
  UIButton* no_ = nullptr;
  EditorText footText_, panelText_;
  EditorMapPicture picture_;
  std::vector<KEGfxVertexList*> backdrop_, chrome_;
  std::vector<LevelProblem> problems_;
  // What the map's picture shows: the level at this revision, this monster chosen.
  unsigned long builtRevision_ = 0;
  int builtMonster_ = -2;
  float builtZoom_ = 0;
  unsigned long checkedRevision_ = 0;  // the revision `problems_` were found in
  int framesSinceCheck_ = 0;
  bool stroke_ = false;      // a drag or a held Space is painting
  bool mouseOnMap_ = false;  // the left button went down on the map
  int dragWaypoint_ = -1;    // the selected monster's waypoint being dragged
  int lastColumn_ = -1, lastRow_ = -1;
  int panX_ = 0, panY_ = 0;  // where a right-button pan was last
  bool panning_ = false;
  unsigned heldKey_ = 0;
  double heldFor_ = 0;
  std::string name_;    // the name being typed for SAVE AS
  int nameChoice_ = 0;  // the pad's letter in kNameRow
  float sinceEntry_ = 0;
};

namespace {

GameState* BackFromTry();

// While a try runs: a restart tries again, anything else comes back to the editor.
GameState* LoadingDuringTry(unsigned target) {
  if (target == unsigned(kLevelFromFile)) {
    GameStateManager.level = kLevelFromFile;
    return CreateLevel(kLevelFromFile);
  }
  return BackFromTry();
}

GameState* BackFromTry() {
  SetLoadingScreenFactory(gFrontLoading);
  SetResultScreenFactory(gFrontResult);
  GameStateManager.level = -1;
  return new LevelEditor;
}

// "2.5", "0": a number as short as it reads.
std::string Short(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

}  // namespace

void LevelEditor::Load() {
  KEGfxSetCamPosition(0, 0);
  SetCurrentEditorSession(gSession.get());
  float x = -400 + 16;
  for (int i = 0; i < kEditorBarButtons; ++i) {
    const EditorButtonPicture& b = kEditorBar[i];
    const Plate& plate = b.width > 60 ? kEditorWidePlate : kEditorNarrowPlate;
    bar_[i] = CreateButton(
        OverPlate(b.name, float(b.width), kEditorBarHeight, x + b.width / 2.0f, kBarY, plate));
    x += float(b.width);
  }
  for (int i = 0; i < kToolCount; ++i) {
    const std::string name = "TOOL" + std::to_string(i);
    tools_[i] = CreateButton(OverPlate(name.c_str(), kToolButtonWidth, kToolButtonHeight, kToolX,
                                       kToolTop - kToolStep * float(i), kToolPlate));
  }
  yes_ = CreateButton(OverPlate("YES", 150, 100, -90, -60, kAnswerPlate));
  no_ = CreateButton(OverPlate("NO", 150, 100, 90, -60, kAnswerPlate));
  no_->preferFocus = no_->isBack = true;
  footText_.Load();
  panelText_.Load();

  const uint32_t panel = Argb({0.08f, 0.09f, 0.13f}), edge = Argb({0.31f, 0.76f, 0.79f});
  Shapes(&backdrop_).Box(kMapLeft, kMapBottom, kMapRight, kMapTop, Argb({0.04f, 0.04f, 0.06f}));
  // The panels round the map, drawn over whatever of the map reaches past its frame.
  Shapes shapes(&chrome_);
  shapes.Box(-400, kMapTop, 400, 300, panel);
  shapes.Box(-400, -300, 400, kMapBottom, panel);
  shapes.Box(-400, kMapBottom, kMapLeft, kMapTop, panel);
  shapes.Box(kMapRight, kMapBottom, 400, kMapTop, panel);
  shapes.Frame(kMapLeft, kMapBottom, kMapRight, kMapTop, 2, edge);
}

void LevelEditor::Initialize() {
  SortByLayer(gUIObjects);
  SetMode(Mode::kMap);
  builtMonster_ = -2;
  if (S().zoom <= 0) FitZoom();
}

void LevelEditor::SetMode(Mode mode) {
  mode_ = mode;
  const bool editing = mode == Mode::kMap || mode == Mode::kBar;
  for (UIButton* b : bar_) b->active = editing, b->clicked = false;
  for (UIButton* b : tools_) b->active = editing && mode == Mode::kMap, b->clicked = false;
  yes_->active = no_->active = mode == Mode::kLeave;
  yes_->clicked = no_->clicked = false;
  // The map and the name read the keys themselves; the bar and the question let the focus
  // move between their buttons.
  HoldMenuKeys(mode == Mode::kMap || mode == Mode::kName);
  if (mode == Mode::kBar)
    for (UIButton* b : bar_) b->focused = b == bar_[0];
}

void LevelEditor::FitZoom() {
  const float fit = std::min((kMapRight - kMapLeft - 8) / float(Doc().Width()),
                             (kMapTop - kMapBottom - 8) / float(Doc().Height()));
  S().zoom = std::clamp(fit, kMinZoom, kMaxZoom);
  S().cameraX = float(Doc().Width()) / 2;
  S().cameraY = float(Doc().Height()) / 2;
  KeepCursorInView();
}

// The camera moves only as far as it must to show the cursor's cell whole.
void LevelEditor::KeepCursorInView() {
  const float halfW = (kMapRight - kMapLeft) / 2 / S().zoom;
  const float halfH = (kMapTop - kMapBottom) / 2 / S().zoom;
  const float column = float(S().column), row = float(S().row);
  if (column < S().cameraX - halfW) S().cameraX = column + halfW;
  if (column + 1 > S().cameraX + halfW) S().cameraX = column + 1 - halfW;
  if (row < S().cameraY - halfH) S().cameraY = row + halfH;
  if (row + 1 > S().cameraY + halfH) S().cameraY = row + 1 - halfH;
}

bool LevelEditor::CellUnderMouse(int* column, int* row) const {
  int mx = 0, my = 0;
  KEInputGetCursorPosition(&mx, &my);
  const float vx = float(mx) - 400, vy = 300 - float(my);
  if (vx < kMapLeft || vx >= kMapRight || vy < kMapBottom || vy >= kMapTop) return false;
  const float centreX = (kMapLeft + kMapRight) / 2, centreY = (kMapBottom + kMapTop) / 2;
  *column = int(std::floor((vx - centreX) / gSession->zoom + gSession->cameraX));
  *row = int(std::floor(-(vy - centreY) / gSession->zoom + gSession->cameraY));
  return gSession->document.Inside(*column, *row);
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

void LevelEditor::TestPlay() {
  const std::vector<LevelProblem> problems = CheckLevel(Doc().level());
  if (!problems.empty()) {
    Say("Fix this first: " + problems.front().Line());
    return;
  }
  Doc().EndStroke();
  SetFileLevel(CastOf(Doc().level(), S().savePath.empty() ? "editor" : S().savePath),
               Doc().level().name);
  GameState* level = CreateLevel(kLevelFromFile);
  if (!level) return;
  gFrontLoading = CurrentLoadingScreenFactory();
  gFrontResult = CurrentResultScreenFactory();
  SetLoadingScreenFactory(LoadingDuringTry);
  SetResultScreenFactory(BackFromTry);
  GameStateManager.level = kLevelFromFile;
  S().message.clear();
  RequestState(level);
}

void LevelEditor::Save() {
  if (S().savePath.empty()) {
    StartName();
    return;
  }
  SaveEditorSession(S(), S().savePath);
}

void LevelEditor::StartName() {
  name_ = Doc().level().name;
  S().nameProblem.clear();
  SetMode(Mode::kName);
}

void LevelEditor::Leave(bool asked) {
  if (Doc().Changed() && !asked) {
    SetMode(Mode::kLeave);
    return;
  }
  HoldMenuKeys(false);
  SetCurrentEditorSession(nullptr);
  RequestState(gExit ? gExit() : nullptr);
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

// The map's picture and the problems follow the level; built before the first frame shows.
void LevelEditor::Rebuild() {
  if (S().monster >= int(Doc().level().monsters.size())) S().monster = -1;
  // While a drag paints, the level is checked again every few frames, and when it ends: on
  // the biggest levels a check costs a few milliseconds.
  ++framesSinceCheck_;
  const bool check = checkedRevision_ != Doc().Revision() &&
                     (!Doc().InStroke() || framesSinceCheck_ >= kCheckEvery);
  if (check || builtMonster_ == -2) {
    problems_ = CheckLevel(Doc().level());
    checkedRevision_ = Doc().Revision();
    framesSinceCheck_ = 0;
  }
  if (check || builtRevision_ != Doc().Revision() || builtMonster_ != S().monster ||
      builtZoom_ != S().zoom) {
    picture_.Build(Doc().level(), problems_, S().monster, S().zoom);
    builtRevision_ = Doc().Revision();
    builtMonster_ = S().monster;
    builtZoom_ = S().zoom;
  }
}

void LevelEditor::Update() {
  Rebuild();
  UpdateUIObjects();
  if (mode_ != Mode::kBar && mode_ != Mode::kLeave) {
    // The map's keys are not the bar's: no button shows the focus meanwhile.
    for (UIButton* b : bar_) b->sprite.SetAnimation(b->pressedNow ? 2 : b->hovered ? 1 : 0);
    for (UIButton* b : tools_) b->sprite.SetAnimation(b->pressedNow ? 2 : b->hovered ? 1 : 0);
  }
  // The click or key that opened the editor does not also paint.
  if (DropEarlyClicks(sinceEntry_)) return;
  switch (mode_) {
    case Mode::kMap:
      UpdateButtons();
      if (mode_ == Mode::kMap && GameStateManager.next == GameStateManager.current) UpdateMap();
      break;
    case Mode::kBar:
      UpdateButtons();
      // The bar's own way back: B there must not also leave the editor.
      if (mode_ == Mode::kBar &&
          (KEInputCheckTriggered(VK_GAMEPAD_Y) || KEInputCheckTriggered(VK_GAMEPAD_B) ||
           KEInputCheckTriggered(VK_ESCAPE)))
        SetMode(Mode::kMap);
      break;
    case Mode::kName:
      UpdateName();
      break;
    case Mode::kLeave:
      if (TakeClick(yes_))
        Leave(true);
      else if (TakeClick(no_))
        SetMode(Mode::kMap);
      break;
  }
  Rebuild();
}

std::string LevelEditor::StatusLine() const {
  const EditorSession& s = *gSession;
  const Level& level = s.document.level();
  std::string line = level.name + "  " + std::to_string(level.grid.width) + " x " +
                     std::to_string(level.grid.height) + "  tool " + kToolLabels[s.tool] +
                     "  cell " + std::to_string(s.column) + "," + std::to_string(s.row);
  if (s.monster >= 0) {
    const LevelMonster& m = level.monsters[std::size_t(s.monster)];
    line += "  monster " + std::to_string(s.monster + 1) + " " + kMonsterKindNames[m.kind] + ": ";
    // Only one that stands still keeps its facing; one on a route turns the way it walks.
    if (m.route.empty()) {
      const double facing = std::fmod(std::fmod(m.facing.value_or(0), 360) + 360, 360);
      line += "stands, facing " + Short(std::round(facing));
    } else {
      line += std::to_string(m.route.size()) + " waypoint" + (m.route.size() > 1 ? "s" : "") +
              ", pause " + Short(m.pause.value_or(0)) + " s";
    }
  }
  if (s.document.Changed()) line += "  (not saved)";
  return line;
}

std::string LevelEditor::HelpLine(int line) const {
  if (Pad()) {
    return line == 0
               ? "D-pad move  A use tool  LB RB tool  X next monster  right stick pause/facing"
               : "LT undo  RT redo  sticks' buttons zoom  Start test play  Y the bar  B leave";
  }
  return line == 0 ? "Arrows/WASD move  Space use  1-0 Q E tool  Tab monster  [ ] pause  "
                     "F facing  Del delete"
                   : "Ctrl+Z/Y undo/redo  +/- zoom  right-drag pan  Ctrl+arrows size  T try  "
                     "Ctrl+S save  Esc leave";
}

void LevelEditor::DrawPanel(float halfWidth, float halfHeight) const {
  std::vector<KEGfxVertexList*> meshes;
  {
    Shapes shapes(&meshes);
    shapes.Box(-halfWidth, -halfHeight, halfWidth, halfHeight, Argb({0.08f, 0.09f, 0.13f}, 0.96f));
    shapes.Frame(-halfWidth, -halfHeight, halfWidth, halfHeight, 2, Argb({0.31f, 0.76f, 0.79f}));
  }
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxSetPosition(0, 0);
  for (KEGfxVertexList* mesh : meshes) {
    KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);
    KEGfxMeshFree(mesh);
  }
}

void LevelEditor::Draw() {
  const EditorSession& s = *gSession;
  const float centreX = (kMapLeft + kMapRight) / 2, centreY = (kMapBottom + kMapTop) / 2;
  KEGfxSetPosition(0, 0);
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  for (KEGfxVertexList* mesh : backdrop_) KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);
  // The map's cell point (cameraX, -cameraY) sits at the middle of its view.
  picture_.Draw(s.zoom, s.cameraX, s.cameraY, centreX, centreY);
  DrawCellFrame(s.column, s.row, std::max(0.1f, 3 / s.zoom), s.zoom, s.cameraX, s.cameraY, centreX,
                centreY, Argb({0.96f, 0.75f, 0.35f}));
  KEGfxSetPosition(0, 0);
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  for (KEGfxVertexList* mesh : chrome_) KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);

  // Each tool's mark beside its name, and a frame round the tool in hand.
  std::vector<KEGfxVertexList*> marks;
  {
    Shapes shapes(&marks);
    for (int i = 0; i < kToolCount; ++i) {
      const KEVec2 at = {-400 + kToolMarkX, kToolTop - kToolStep * float(i)};
      if (i <= kExit) {
        shapes.Box(at.x - 8, at.y - 8, at.x + 8, at.y + 8, Argb(CellColour(kToolCells[i])));
        if (i == kExit) shapes.Frame(at.x - 6, at.y - 6, at.x + 6, at.y + 6, 1.5f, Argb({1, 1, 1}));
      } else if (i == kStart) {
        AddPlayer(shapes, at, 6);
      } else if (i < kWaypoint) {
        AddMark(shapes, at, 7, i - kFirstKind);
      } else if (i == kWaypoint) {
        shapes.Frame(at.x - 5, at.y - 5, at.x + 5, at.y + 5, 2, Argb({1, 1, 1}));
      } else {
        shapes.Line({at.x - 7, at.y - 7}, {at.x + 7, at.y + 7}, 3, Argb({1.0f, 0.15f, 0.25f}));
        shapes.Line({at.x - 7, at.y + 7}, {at.x + 7, at.y - 7}, 3, Argb({1.0f, 0.15f, 0.25f}));
      }
    }
    const float y = kToolTop - kToolStep * float(s.tool);
    shapes.Frame(-399, y - kToolStep / 2 + 1, -400 + kToolButtonWidth - 1, y + kToolStep / 2 - 1, 2,
                 Argb({0.96f, 0.75f, 0.35f}));
  }
  DrawUIObjects();
  KEGfxSetPosition(0, 0);
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetTransparency(1);
  // The marks go with their buttons, hidden while a question is open.
  for (KEGfxVertexList* mesh : marks) {
    if (tools_[0]->active) KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);
    KEGfxMeshFree(mesh);
  }

  std::string problem;
  // A line about an action stands until the level changes.
  if (!s.message.empty() && s.messageRevision == s.document.Revision()) {
    problem = s.message;
  } else if (!problems_.empty()) {
    problem = std::to_string(problems_.size()) +
              (problems_.size() > 1 ? " problems, " : " problem, ") +
              "the first: " + problems_.front().Line();
  } else {
    problem = "No problems: ready to test play and share";
  }
  footText_.Draw({{StatusLine(), kLineX, kFirstLineY},
                  {problem, kLineX, kFirstLineY - kLineStep},
                  {HelpLine(0), kLineX, kFirstLineY - 2 * kLineStep},
                  {HelpLine(1), kLineX, kFirstLineY - 3 * kLineStep}});

  if (mode_ == Mode::kName) {
    DrawPanel(300, 110);
    std::vector<EditorTextLine> lines = {{"Save in your levels as:", -280, 80},
                                         {name_ + "_", -280, 50},
                                         {S().nameProblem, -280, 20}};
    if (Pad()) {
      const int row = nameChoice_ / 33, column = nameChoice_ % 33;
      lines.push_back({std::string(kNameRow).substr(0, 33), -280, -20});
      lines.push_back({std::string(kNameRow).substr(33), -280, -50});
      lines.push_back({"^", -280 + float(column) * EditorText::Advance(), -35 - 30 * float(row)});
      lines.push_back({"D-pad choose  A add  X delete  Start save  B back", -280, -85});
    } else {
      lines.push_back({"Type the name  Backspace delete  Enter save  Esc back", -280, -85});
    }
    panelText_.Draw(lines);
  } else if (mode_ == Mode::kLeave) {
    DrawPanel(250, 120);
    const std::string question = "Leave without saving your changes?";
    panelText_.Draw({{question, -EditorText::Advance() * float(question.size()) / 2, 60}});
    DrawUIObjects();
  }
}

void LevelEditor::Free() {
  HoldMenuKeys(false);
  picture_.Forget();
  footText_.Forget();
  panelText_.Forget();
  FreeUIObjects();
}

void LevelEditor::Unload() {
  for (auto* meshes : {&backdrop_, &chrome_}) {
    for (KEGfxVertexList* mesh : *meshes) KEGfxMeshFree(mesh);
    meshes->clear();
  }
}

GameState* CreateLevelEditor(const std::string& path) {
  // Back on the level it last saved, unchanged (tried from the list, say), the editor keeps
  // its undo history and where the player was looking.
  if (gSession && SessionStillHolds(*gSession, path)) {
    gSession->message.clear();
  } else {
    // Without a screen to go back to, the editor was opened from the command line: the file
    // named there is saved where it is.
    gSession = std::make_unique<EditorSession>(OpenEditorSession(path, gExit == nullptr));
  }
  return new LevelEditor;
}

void SetEditorExit(EditorExit exit) { gExit = exit; }

KEVec2 CellOnView(const EditorSession& session, int column, int row) {
  const float centreX = (kMapLeft + kMapRight) / 2, centreY = (kMapBottom + kMapTop) / 2;
  return {centreX + (float(column) + 0.5f - session.cameraX) * session.zoom,
          centreY - (float(row) + 0.5f - session.cameraY) * session.zoom};
}
