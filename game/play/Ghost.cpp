#include "Ghost.h"

#include <cmath>

#include "KEGraphics.h"

namespace {

// See-through and pale blue: a figure the eye tells from the player at once.
constexpr float kGhostTransparency = 0.6f;
constexpr float kTint[3] = {0.6f, 0.9f, 1.0f};
constexpr float kBodySize = 40;

}  // namespace

void Ghost::Load(std::shared_ptr<const RecordedRun> run) {
  Forget();
  if (!run || !ReadRunPath(*run, &path_)) return;
  run_ = std::move(run);
  reader_.emplace(*run_);
  // The player's own standing picture, cut as the player's sprite cuts it.
  figure_.Init(4, 0.5f, 0.5f);
  figure_.AddStrip("Assets/PlayerStatic.png", 1, 0.2f);
}

void Ghost::Forget() {
  run_.reset();
  reader_.reset();
  path_.clear();
  step_ = 0;
  facing_ = 0;
}

void Ghost::Step() {
  if (!Walking()) return;
  facing_ = reader_->Next().facing;
  step_ += 1;
}

KEVec2 Ghost::Place() const {
  if (path_.empty()) return {0, 0};
  const size_t sample = step_ / kPathEvery;
  if (sample + 1 >= path_.size()) return path_.back();
  const float t = float(step_ % kPathEvery) / kPathEvery;
  const KEVec2 a = path_[sample], b = path_[sample + 1];
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

void Ghost::Draw() const {
  // At the exit the run is over: the ghost has gone through.
  if (!Walking()) return;
  const KEVec2 at = Place();
  const float c = std::cos(facing_), s = std::sin(facing_);
  const KEMtx33 placed = {
      {{kBodySize * c, -kBodySize * s, at.x}, {kBodySize * s, kBodySize * c, at.y}, {0, 0, 1}}};
  BeginSpriteDraw(kGhostTransparency, 0, 0);
  KEGfxSetTintColor(kTint[0], kTint[1], kTint[2], 1);
  KEGfxSetTransform(&placed);
  figure_.DrawFrame();
  // What follows is drawn as before: opaque and untinted.
  BeginSpriteDraw(1.0f, 0, 0);
}
