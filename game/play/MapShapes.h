// The map's marks as the overview draws them (cells, routes, each kind's shape, the player,
// the exit), in coloured triangles that the editor draws the same way.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "KEGraphics.h"
#include "KEMath.h"
#include "MapColours.h"

constexpr int kDiscSegments = 20;

uint32_t Argb(MapColour c, float alpha = 1);

// Coloured triangles, split over as many meshes as the engine can stage at once.
class Shapes {
 public:
  explicit Shapes(std::vector<KEGfxVertexList*>* meshes) : meshes_(meshes) {}
  ~Shapes() { Close(); }

  void Tri(KEVec2 a, KEVec2 b, KEVec2 c, uint32_t colour) {
    if (staged_ + 3 > KE_GFX_MAX_STAGED_VERTICES) Close();
    if (staged_ == 0) KEGfxMeshStart();
    KEGfxTriAdd(a.x, a.y, colour, 0, 0, b.x, b.y, colour, 0, 0, c.x, c.y, colour, 0, 0);
    staged_ += 3;
  }
  void Box(float left, float bottom, float right, float top, uint32_t colour) {
    Tri({left, bottom}, {right, bottom}, {right, top}, colour);
    Tri({left, bottom}, {right, top}, {left, top}, colour);
  }
  void Frame(float left, float bottom, float right, float top, float width, uint32_t colour) {
    Box(left - width, bottom - width, right + width, bottom, colour);
    Box(left - width, top, right + width, top + width, colour);
    Box(left - width, bottom, left, top, colour);
    Box(right, bottom, right + width, top, colour);
  }
  void Line(KEVec2 a, KEVec2 b, float width, uint32_t colour) {
    const float dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    if (length <= 0) return;
    const float nx = -dy / length * width / 2, ny = dx / length * width / 2;
    Tri({a.x + nx, a.y + ny}, {a.x - nx, a.y - ny}, {b.x - nx, b.y - ny}, colour);
    Tri({a.x + nx, a.y + ny}, {b.x - nx, b.y - ny}, {b.x + nx, b.y + ny}, colour);
  }
  void Disc(KEVec2 centre, float radius, uint32_t colour) {
    for (int i = 0; i < kDiscSegments; ++i) {
      const float a0 = 2 * float(M_PI) * float(i) / kDiscSegments;
      const float a1 = 2 * float(M_PI) * float(i + 1) / kDiscSegments;
      Tri(centre, {centre.x + radius * std::cos(a0), centre.y + radius * std::sin(a0)},
          {centre.x + radius * std::cos(a1), centre.y + radius * std::sin(a1)}, colour);
    }
  }
  // A shape every point of whose rim (offsets from the centre, in order) the centre sees.
  void Fan(KEVec2 centre, const std::vector<KEVec2>& rim, uint32_t colour) {
    for (size_t i = 0; i < rim.size(); ++i) {
      const KEVec2 a = rim[i], b = rim[(i + 1) % rim.size()];
      Tri(centre, {centre.x + a.x, centre.y + a.y}, {centre.x + b.x, centre.y + b.y}, colour);
    }
  }
  void Close() {
    if (staged_ > 0) meshes_->push_back(KEGfxMeshEnd());
    staged_ = 0;
  }

 private:
  std::vector<KEGfxVertexList*>* meshes_;
  int staged_ = 0;
};

// Each kind has a shape of its own besides its colour, so that kinds tell apart without
// colour: fire rat a disc, water rat a diamond, tire a ring, bulb a triangle, fireball a
// star.
// `outline`: the width of the white (the player's: black) rim round the mark, in the units
// drawn in; the overview's pixels by default. A small mark looks as round with fewer
// `roundSegments`, and costs the rasteriser less.
void AddMark(Shapes& shapes, KEVec2 at, float radius, int kind, float outline = 1.5f,
             int roundSegments = kDiscSegments);
void AddPlayer(Shapes& shapes, KEVec2 at, float half, float outline = 2);
void AddExit(Shapes& shapes, KEVec2 at, float half, bool filled);
