#include "GameObject.h"

#include <algorithm>
#include <cmath>

#include "GameState.h"

GameObject::GameObject() = default;

GameObject::GameObject(KEVec2 position_, KEVec2 velocity_, KEVec2 scale_, float rotation_)
    : alive(true), position(position_), velocity(velocity_), scale(scale_), rotation(rotation_) {
  UpdateTransform();
}

void GameObject::UpdateAnimation(float dt) { sprite.Advance(dt); }

void GameObject::UpdateTransform() {
  const float c = std::cos(rotation), s = std::sin(rotation);
  transform = KEMtx33{
      {{scale.x * c, -scale.y * s, position.x}, {scale.x * s, scale.y * c, position.y}, {0, 0, 1}}};
}

void GameObject::SetScale(KEVec2 size) {
  scale = size;
  UpdateTransform();
}

void GameObject::SetBoundsAround(KEVec2 factor) {
  const KEVec2 half = {factor.x * scale.x, factor.y * scale.y};
  boundsMin = {position.x - half.x, position.y - half.y};
  boundsMax = {position.x + half.x, position.y + half.y};
}

bool GameObject::CollidesWith(std::shared_ptr<GameObject> other) const {
  const KEVec2 aMin = boundsMin, aMax = boundsMax;
  const KEVec2 bMin = other->boundsMin, bMax = other->boundsMax;
  // Touching edges count as overlapping.
  if (!(aMax.x < bMin.x || aMax.y < bMin.y || bMax.x < aMin.x || bMax.y < aMin.y)) return true;

  float vx = other->velocity.x - velocity.x;
  float vy = other->velocity.y - velocity.y;
  if (std::fabs(vx) < 0.001f) vx = 0;
  if (std::fabs(vy) < 0.001f) vy = 0;
  if (vx == 0 && vy == 0) return false;

  float tFirst = 0;
  // The step the movers just took.
  float tLast = float(GameStateManager.stepSeconds);
  if (vx < 0) {
    if (bMax.x < aMin.x) return false;
    if (aMax.x < bMin.x) tFirst = (aMax.x - bMin.x) / vx;
    if (aMin.x < bMax.x) tLast = std::min(tLast, (aMin.x - bMax.x) / vx);
  }
  if (vx > 0) {
    if (bMax.x < aMin.x) tFirst = (aMin.x - bMax.x) / vx;
    if (bMin.x < aMax.x) tLast = std::min(tLast, (aMax.x - bMin.x) / vx);
    if (aMax.x < bMin.x) return false;
  }
  if (tFirst > tLast) return false;
  if (vy < 0) {
    if (bMax.y < aMin.y) return false;
    if (aMax.y < bMin.y) tFirst = std::max(tFirst, (aMax.y - bMin.y) / vy);
    if (aMin.y < bMax.y) tLast = std::min(tLast, (aMin.y - bMax.y) / vy);
  }
  if (vy > 0) {
    if (bMax.y < aMin.y) tFirst = std::max(tFirst, (aMin.y - bMax.y) / vy);
    if (bMin.y < aMax.y) tLast = std::min(tLast, (aMax.y - bMin.y) / vy);
    if (aMax.y < bMin.y) return false;
  }
  if (vx == 0 && (aMin.x > bMax.x || bMin.x > aMax.x)) return false;
  if (vy == 0 && (aMin.y > bMax.y || bMin.y > aMax.y)) return false;
  return tFirst <= tLast;
}
