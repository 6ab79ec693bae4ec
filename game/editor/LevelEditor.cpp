// The editor's life: entered, left, and the tries in between.
#include "LevelEditor.h"

#include <algorithm>
#include <memory>

#include "EditorLayout.h"
#include "EditorScreen.h"
#include "GameStateLoop.h"
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

constexpr int kCheckEvery = 6;  // frames

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

}  // namespace

void LevelEditor::Load() {
  KEGfxSetCamPosition(0, 0);
  SetCurrentEditorSession(gSession.get());
  float x = -400 + 16;
  for (int i = 0; i < kEditorBarButtons; ++i) {
    const EditorButtonPicture& b = kEditorBar[i];
    bar_[i] = CreateButton(OverPlate(b.name, float(b.width), kEditorBarHeight, x + b.width / 2.0f,
                                     kBarY, EditorBarPlate(b)));
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

EditorSession& EditedSession() { return *gSession; }

KEVec2 CellOnView(const EditorSession& session, int column, int row) {
  const float centreX = (kMapLeft + kMapRight) / 2, centreY = (kMapBottom + kMapTop) / 2;
  return {centreX + (float(column) + 0.5f - session.cameraX) * session.zoom,
          centreY - (float(row) + 0.5f - session.cameraY) * session.zoom};
}
