// What the editor draws: the map, the tools, the lines along the foot, the panels.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "EditorLayout.h"
#include "EditorScreen.h"
#include "MapShapes.h"
#include "UIButton.h"

namespace {

constexpr float kLineX = -394, kFirstLineY = -237, kLineStep = 18;

// "2.5", "0": a number as short as it reads.
std::string Short(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

}  // namespace

std::string LevelEditor::StatusLine() const {
  const EditorSession& s = EditedSession();
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
  const EditorSession& s = EditedSession();
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
