#include "BroadPhase.h"

#include <algorithm>
#include <cmath>

#include "GameObject.h"

namespace {

// A box wider or taller than this many cells is near everything instead of filed by cell.
constexpr int kMaxSpan = 16;
// Cells beyond this many from the origin fold onto the border, keeping the conversion to int
// defined; folding keeps overlapping ranges overlapping.
constexpr float kFarCell = float(1 << 20);

int64_t Key(int column, int row) { return int64_t(row) * (int64_t(1) << 22) + column; }

int CellOf(float x) {
  return int(std::clamp(std::floor(x / BroadPhase::kCellSize), -kFarCell, kFarCell));
}

}  // namespace

void BroadPhase::Build(const ObjectList& list, std::size_t first, float stepTime) {
  first_ = first;
  end_ = list.size();
  reach_.clear();
  entries_.clear();
  everywhere_.clear();
  // The swept test never looks further back than the step's start; a NaN step finds nothing.
  const float time = stepTime > 0 ? stepTime : 0;
  for (std::size_t i = first; i < end_; ++i) {
    const GameObject& object = *list[i];
    const KEVec2 low = object.boundsMin, high = object.boundsMax;
    const float growX = std::fabs(object.velocity.x) * time;
    const float growY = std::fabs(object.velocity.y) * time;
    // A unit and a little more for the rounding in the swept test.
    const float size = std::max(
        {std::fabs(low.x), std::fabs(low.y), std::fabs(high.x), std::fabs(high.y), growX, growY});
    const float slack = 1.0f + 1e-5f * size;
    const float left = low.x - growX - slack, right = high.x + growX + slack;
    const float bottom = low.y - growY - slack, top = high.y + growY + slack;
    Reach reach = {0, 0, 0, 0, true};
    // Comparisons with NaN fail, so an unknown box stays near everything.
    if (low.x <= high.x && low.y <= high.y && std::isfinite(left) && std::isfinite(right) &&
        std::isfinite(bottom) && std::isfinite(top)) {
      reach = {CellOf(left), CellOf(bottom), CellOf(right), CellOf(top), false};
      reach.everywhere =
          reach.right - reach.left >= kMaxSpan || reach.top - reach.bottom >= kMaxSpan;
    }
    reach_.push_back(reach);
    if (reach.everywhere) {
      everywhere_.push_back(i);
      continue;
    }
    for (int row = reach.bottom; row <= reach.top; ++row)
      for (int column = reach.left; column <= reach.right; ++column)
        entries_.push_back({Key(column, row), i});
  }
  std::sort(entries_.begin(), entries_.end());
}

const std::vector<std::size_t>& BroadPhase::Near(const ObjectList& list, std::size_t leader) {
  near_.clear();
  const std::size_t count = list.size();
  if (leader < first_ || leader >= end_ || reach_[leader - first_].everywhere) {
    for (std::size_t j = leader + 1; j < count; ++j) near_.push_back(j);
    return near_;
  }
  const Reach& reach = reach_[leader - first_];
  for (int row = reach.bottom; row <= reach.top; ++row) {
    for (int column = reach.left; column <= reach.right; ++column) {
      const Entry after = {Key(column, row), leader + 1};
      for (auto e = std::lower_bound(entries_.begin(), entries_.end(), after);
           e != entries_.end() && e->cell == after.cell; ++e) {
        // Taken only in the first cell both cover, so that none is taken twice.
        const Reach& other = reach_[e->index - first_];
        if (column == std::max(reach.left, other.left) &&
            row == std::max(reach.bottom, other.bottom))
          near_.push_back(e->index);
      }
    }
  }
  for (std::size_t j : everywhere_)
    if (j > leader) near_.push_back(j);
  for (std::size_t j = std::max(end_, leader + 1); j < count; ++j) near_.push_back(j);
  // Each cell gives its objects in list order; only several cells need merging.
  if (!std::is_sorted(near_.begin(), near_.end())) std::sort(near_.begin(), near_.end());
  return near_;
}
