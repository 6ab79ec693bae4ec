// The editor's screen, shared by the files that make it: its life and its tries
// (LevelEditor.cpp), what the mouse, the keys and the pad do (EditorInput.cpp) and what it
// draws (EditorDraw.cpp).
#pragma once

#include <string>
#include <vector>

#include "EditorMapPicture.h"
#include "EditorPictures.h"
#include "EditorSession.h"
#include "EditorText.h"
#include "GameState.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "LevelCheck.h"

class UIButton;

constexpr float kMinZoom = 2, kMaxZoom = 48;  // view pixels a cell

// The tools down the left side, in order.
enum EditorTool {
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
inline bool Paints(int tool) { return tool <= kExit || tool == kErase; }

// The characters a pad picks a name from, left to right.
constexpr char kNameRow[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -_";
constexpr int kNameRowCount = sizeof kNameRow - 1;

inline bool Ctrl() { return KEInputCheckCurr(VK_CONTROL); }
inline bool Shift() { return KEInputCheckCurr(VK_SHIFT); }
inline bool Pad() { return KEInputLastDevice() == KE_INPUT_PAD; }

// The session the editor works on; it outlives the screen, which a try deletes.
EditorSession& EditedSession();

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
  EditorSession& S() { return EditedSession(); }
  EditorDocument& Doc() { return EditedSession().document; }

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
