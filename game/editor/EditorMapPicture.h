// The edited level drawn as the overview draws a level: cells in the map's colours, every
// monster's mark and route, the player's start, and the validator's problems framed on
// their cells. Built in cell units (x a column, y minus a row, the map's top left at the
// origin) once per change, and drawn through a transform for the pan and the zoom.
#pragma once

#include <vector>

#include "EditorDocument.h"
#include "LevelCheck.h"

struct KEGfxVertexList;

class EditorMapPicture {
 public:
  ~EditorMapPicture();
  // `selected` is the monster whose route is shown with its waypoints, or -1.
  void Build(const Level& level, const std::vector<LevelProblem>& problems, int selected);
  void Forget();
  // Cell units to view pixels: `scale` pixels a cell, the cell point (cx, cy) at (x, y).
  void Draw(float scale, float cx, float cy, float x, float y) const;

 private:
  std::vector<KEGfxVertexList*> meshes_;
};

// A frame of one cell at (column, row) in cell units, drawn every frame for the cursor.
void DrawCellFrame(int column, int row, float width, float scale, float cx, float cy, float x,
                   float y, unsigned argb);
