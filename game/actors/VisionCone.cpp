#include "VisionCone.h"

#include <cmath>

#include "TileMap.h"

namespace {

// The drawn quad is 2.7 by 1.2 times `length`: long and narrow, like the cone it shows.
constexpr float kDrawnLength = 2.7f;
constexpr float kDrawnWidth = 1.2f;
// A wall sample this close to the apex hides the cone altogether.
constexpr float kShortestLength = 5.0f;
// Cross products this small count as lying on the edge.
constexpr float kEdgeTolerance = 0.001f;

KEVec2 Along(KEVec2 a, KEVec2 b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

}  // namespace

void VisionCone::Follow(KEVec2 centre, float rotation, float bodyWidth) {
  const float h = bodyWidth * 0.5f;
  const KEVec2 u = {std::cos(rotation), std::sin(rotation)};
  const KEVec2 from = {centre.x + h * u.x, centre.y + h * u.y};
  const KEVec2 to = {centre.x + (range - h) * u.x, centre.y + (range - h) * u.y};
  ClipLength(from, to);
  Aim(from, rotation);
  UpdateSpriteTransform();
}

VisionCone::VisionCone(float halfAngle_, float range_)
    : leftEdge{range_ * std::cos(halfAngle_), range_ * std::sin(halfAngle_)},
      rightEdge{range_ * std::cos(halfAngle_), -range_ * std::sin(halfAngle_)},
      halfAngle(halfAngle_),
      range(range_) {}

// The unit edges (ca, sa) and (ca, -sa) turned by the facing, then scaled to the range.
void VisionCone::Aim(KEVec2 apex_, float facing_) {
  apex = apex_;
  facing = facing_;
  const float c = std::cos(facing), s = std::sin(facing);
  const float ca = std::cos(halfAngle), sa = std::sin(halfAngle);
  leftEdge = {range * (ca * c - sa * s), range * (ca * s + sa * c)};
  rightEdge = {range * (ca * c + sa * s), range * (ca * s - sa * c)};
}

// The quad's near edge sits on the apex, so it is shifted half its length along the facing.
void VisionCone::UpdateSpriteTransform() {
  const float w = length * kDrawnLength, h = length * kDrawnWidth;
  const float c = std::cos(facing), s = std::sin(facing);
  spriteTransform = KEMtx33{
      {{w * c, -h * s, apex.x + c * w * 0.5f}, {w * s, h * c, apex.y + s * w * 0.5f}, {0, 0, 1}}};
}

bool VisionCone::Covers(KEVec2 eye, KEVec2 target) const {
  const float dx = target.x - eye.x, dy = target.y - eye.y;
  if (dx * dx + dy * dy > range * range) return false;

  const KEVec2 h1 = {leftEdge.x * 0.5f, leftEdge.y * 0.5f};
  const KEVec2 h2 = {rightEdge.x * 0.5f, rightEdge.y * 0.5f};
  float c1 = (h1.x + eye.x - target.x) * -h1.y + (h1.y + eye.y - target.y) * h1.x;
  float c2 = (h2.x + eye.x - target.x) * h2.y + (h2.y + eye.y - target.y) * -h2.x;
  if (c1 > -kEdgeTolerance && c1 < kEdgeTolerance) c1 = 0;
  if (c2 > -kEdgeTolerance && c2 < kEdgeTolerance) c2 = 0;
  // A target exactly on an edge is outside.
  return c1 > 0 && c2 > 0;
}

bool VisionCone::Sees(KEVec2 eye, KEVec2 target) const {
  return Covers(eye, target) && !LineBlocked(eye, target);
}

// Ten samples, 0 to 0.9: the float step overshoots 1.0 on its tenth addition, so the far
// end itself is never tested.
void VisionCone::ClipLength(KEVec2 from, KEVec2 to) {
  if (const TileMap* map = CurrentMap()) {
    for (float t = 0; t <= 1.0f; t += 0.1f) {
      const KEVec2 p = Along(from, to, t);
      if (!map->Blocks(p)) continue;
      const float dx = p.x - from.x, dy = p.y - from.y;
      length = std::sqrt(dx * dx + dy * dy) / kDrawnLength;
      if (length < kShortestLength) length = 0;
      return;
    }
  }
  length = maxLength;
}

void VisionCone::Draw() const {
  BeginSpriteDraw(1.0f, 0, 0);
  KEGfxSetTransform(&spriteTransform);
  sprite.DrawFrame();
}

// Six samples, 0 to 1.0 in steps of 0.2: a wall thinner than a fifth of the distance can
// slip between two of them.
bool LineBlocked(KEVec2 from, KEVec2 to) {
  const TileMap* map = CurrentMap();
  if (!map) return false;
  for (float t = 0; t <= 1.0f; t += 0.2f) {
    if (map->Blocks(Along(from, to, t))) return true;
  }
  return false;
}
