#include "ExitArrow.h"

#include <algorithm>
#include <cmath>

#include "KEGraphics.h"
#include "TileMap.h"

namespace {

constexpr float kHalfSide = 24;  // the picture is 48 x 48, pointing right
constexpr float kInset = 34;     // from the edge to the arrow's centre: all of it shows

float DistanceSquared(KEVec2 a, KEVec2 b) {
  return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

}  // namespace

ExitArrowPlace PlaceExitArrow(KEVec2 exit, float left, float bottom, float right, float top,
                              float inset) {
  ExitArrowPlace place;
  if (left <= exit.x && exit.x <= right && bottom <= exit.y && exit.y <= top) return place;
  const KEVec2 centre = {(left + right) / 2, (bottom + top) / 2};
  const float dx = exit.x - centre.x, dy = exit.y - centre.y;
  // The share of the way to the exit at which the line meets the inset box.
  const float reachX = dx != 0 ? ((right - left) / 2 - inset) / std::fabs(dx) : INFINITY;
  const float reachY = dy != 0 ? ((top - bottom) / 2 - inset) / std::fabs(dy) : INFINITY;
  const float share = std::max(0.0f, std::min(reachX, reachY));
  place.shown = true;
  place.at = {centre.x + dx * share, centre.y + dy * share};
  place.angle = std::atan2(dy, dx);
  return place;
}

void ExitArrow::Load(const TileMap& map) {
  exits_ = map.ExitCentres();
  quad_ = MakeQuad(-kHalfSide, kHalfSide, -kHalfSide, kHalfSide);
  picture_ = GetTexture("Assets/ExitArrow.png");
}

void ExitArrow::Draw(KEVec2 player, float shownBottom) const {
  if (exits_.empty() || !quad_) return;
  const KEVec2 exit = *std::min_element(exits_.begin(), exits_.end(), [&](KEVec2 a, KEVec2 b) {
    return DistanceSquared(a, player) < DistanceSquared(b, player);
  });
  const ExitArrowPlace place = PlaceExitArrow(exit, KEGfxGetWinMinX(), shownBottom,
                                              KEGfxGetWinMaxX(), KEGfxGetWinMaxY(), kInset);
  if (!place.shown) return;
  DrawTurnedPicture(quad_, picture_, place.at.x, place.at.y, place.angle);
}
