// Which objects of the world list may meet which this frame: a uniform grid of square cells
// over the world, so that a mover is tested only against what stands near it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class GameObject;
using ObjectList = std::vector<std::shared_ptr<GameObject>>;

class BroadPhase {
 public:
  static constexpr float kCellSize = 64.0f;  // world units; an actor covers one to four cells

  // Files the objects from `first` on by the cells their boxes cover, each box grown by what
  // its velocity carries it in `stepTime`: the swept test can only meet boxes so grown.
  void Build(const ObjectList& list, std::size_t first, float stepTime);
  // The indices after `leader` that may meet it, ascending, each once. Objects added to the
  // list since Build, and those whose box is odd (not finite, turned inside out, or larger
  // than the grid handles), count as near everything.
  const std::vector<std::size_t>& Near(const ObjectList& list, std::size_t leader);

 private:
  struct Reach {
    int left, bottom, right, top;  // cells
    bool everywhere;
  };
  struct Entry {
    int64_t cell;
    std::size_t index;
    bool operator<(const Entry& other) const {
      return cell < other.cell || (cell == other.cell && index < other.index);
    }
  };
  std::size_t first_ = 0, end_ = 0;
  std::vector<Reach> reach_;    // by index - first_
  std::vector<Entry> entries_;  // sorted by cell
  std::vector<std::size_t> everywhere_;
  std::vector<std::size_t> near_;
};
