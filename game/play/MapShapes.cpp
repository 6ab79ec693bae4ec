#include "MapShapes.h"

#include <algorithm>

#include "Monster.h"

uint32_t Argb(MapColour c, float alpha) {
  auto byte = [](float v) { return uint32_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
  return byte(alpha) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

namespace {

// A regular polygon's corners round the centre, the first straight up; a star when `inner`
// is set, every other corner pulled in to that share of the radius.
std::vector<KEVec2> Corners(int corners, float radius, float inner = 0) {
  const int points = inner > 0 ? 2 * corners : corners;
  std::vector<KEVec2> rim;
  for (int i = 0; i < points; ++i) {
    const float reach = inner > 0 && i % 2 == 1 ? radius * inner : radius;
    const float angle = float(M_PI) / 2 + 2 * float(M_PI) * float(i) / float(points);
    rim.push_back({reach * std::cos(angle), reach * std::sin(angle)});
  }
  return rim;
}

// Each kind has a shape of its own besides its colour, so that kinds tell apart without
// colour: fire rat a disc, water rat a diamond, tire a ring, bulb a triangle, fireball a
// star. The pointed ones reach further, to weigh about as much as the disc.
std::vector<KEVec2> MarkRim(int kind, float radius, int roundSegments) {
  switch (kind) {
    case WaterRat:
      return Corners(4, radius * 1.25f);
    case Bulb:
      return Corners(3, radius * 1.4f);
    case Fireball:
      return Corners(5, radius * 1.45f, 0.5f);
    default:
      return Corners(roundSegments, radius);
  }
}

}  // namespace

void AddMark(Shapes& shapes, KEVec2 at, float radius, int kind, float outline, int roundSegments) {
  shapes.Fan(at, MarkRim(kind, radius + outline, roundSegments), Argb({1, 1, 1}));
  shapes.Fan(at, MarkRim(kind, radius, roundSegments), Argb(KindColour(kind)));
  if (kind == Tire) shapes.Fan(at, MarkRim(kind, radius * 0.45f, roundSegments), Argb({1, 1, 1}));
}

void AddPlayer(Shapes& shapes, KEVec2 at, float half, float outline) {
  shapes.Box(at.x - half - outline, at.y - half - outline, at.x + half + outline,
             at.y + half + outline, Argb({0, 0, 0}));
  shapes.Box(at.x - half, at.y - half, at.x + half, at.y + half, Argb({1, 1, 1}));
}

void AddExit(Shapes& shapes, KEVec2 at, float half, bool filled) {
  if (filled) shapes.Box(at.x - half, at.y - half, at.x + half, at.y + half, Argb(CellColour(5)));
  shapes.Frame(at.x - half, at.y - half, at.x + half, at.y + half, 2.5f, Argb({1, 1, 1}));
}
