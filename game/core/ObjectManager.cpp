#include "ObjectManager.h"

#include <algorithm>

#include "GameState.h"
#include "Controls.h"
#include "KEInput.h"

ObjectManager gObjectManager;
ObjectList gUIObjects;

void ObjectManager::UpdateAll() {
  // The pause key (Escape unless rebound) or the pad's Start open and close the pause menu;
  // the pad's B closes it, as backing out of a menu does.
  if (ActionTriggered(Action::kPause) || (paused && KEInputCheckTriggered(VK_GAMEPAD_B))) {
    paused = !paused;
    if (!paused) {
      if (auto* level = RunningStateAs<ResumableState>()) level->Resume();
    }
  }
  if (paused) return;

  const std::size_t first = SettledTiles();
  const float dt = float(GameStateManager.stepSeconds);
  // Tiles never lead a pair; those of the map stand first, so they never follow a mover.
  broadPhase_.Build(objects, first, dt);
  for (std::size_t i = first; i < objects.size(); ++i) {
    // Copies: a collision response may add to the list and move its storage.
    const GameObjectPtr leader = objects[i];
    if (leader->IsScenery()) continue;
    auto meet = [&](std::size_t j) {
      const GameObjectPtr other = objects[j];
      if (leader->CollidesWith(other)) {
        leader->OnCollision(other);
        other->OnCollision(leader);
      }
    };
    const std::size_t known = objects.size();
    for (std::size_t j : broadPhase_.Near(objects, i)) meet(j);
    for (std::size_t j = std::max(known, i + 1); j < objects.size(); ++j) meet(j);
  }

  // Objects appended during the walk (a monster's hazard) are updated when it reaches them.
  // The dead leave in one pass afterwards, instead of each shifting the list behind it.
  dead_.clear();
  for (std::size_t i = first; i < objects.size(); ++i) {
    const GameObjectPtr object = objects[i];
    object->Update();
    object->UpdateAnimation(dt);
    if (!object->alive) dead_.push_back(object.get());
  }
  // The world's clock runs only while the world does: a pause keeps monsters' memories.
  GameStateManager.worldTime += GameStateManager.stepSeconds;
  if (dead_.empty()) return;
  std::size_t kept = first, next = 0;
  for (std::size_t i = first; i < objects.size(); ++i) {
    if (next < dead_.size() && objects[i].get() == dead_[next]) {
      ++next;
      continue;
    }
    if (kept != i) objects[kept] = std::move(objects[i]);
    ++kept;
  }
  objects.resize(kept);
}

void ObjectManager::DrawAll() {
  for (std::size_t i = SettledTiles(); i < objects.size(); ++i) {
    GameObjectPtr object = objects[i];
    object->Draw();
  }
}

void ObjectManager::InitializeAll() {
  for (std::size_t i = 0; i < objects.size(); ++i) {
    GameObjectPtr object = objects[i];
    if (!object->IsScenery()) object->Initialize();
  }
}

void ObjectManager::FreeAll() {
  for (size_t i = 0; i < objects.size(); ++i) {
    GameObjectPtr object = objects[i];
    object->Free();
  }
  objects.clear();
  settledTiles_ = 0;
}

// Tiles of the map's layer draw nothing themselves and have nothing to update. The count is
// kept between frames and checked against the first and last of them, so a list emptied or
// refilled (another level, a test) is counted afresh.
std::size_t ObjectManager::SettledTiles() {
  const std::size_t count = settledTiles_;
  if (count > objects.size() || (count > 0 && (firstSettled_.lock() != objects.front() ||
                                               lastSettled_.lock() != objects[count - 1])))
    settledTiles_ = 0;
  const bool recounted = settledTiles_ != count;
  while (settledTiles_ < objects.size() && objects[settledTiles_]->IsLayered()) ++settledTiles_;
  if (recounted || settledTiles_ != count) {
    firstSettled_ = settledTiles_ ? objects.front() : nullptr;
    lastSettled_ = settledTiles_ ? objects[settledTiles_ - 1] : nullptr;
  }
  return settledTiles_;
}

// An insertion sort: between frames only the hazards dropped since stand out of place.
void ObjectManager::SortObjects() {
  const std::size_t first = SettledTiles();
  for (std::size_t i = first + 1; i < objects.size(); ++i) {
    if (objects[i - 1]->layer <= objects[i]->layer) continue;
    GameObjectPtr moving = std::move(objects[i]);
    std::size_t k = i;
    for (; k > first && objects[k - 1]->layer > moving->layer; --k)
      objects[k] = std::move(objects[k - 1]);
    objects[k] = std::move(moving);
  }
  // Something below the tiles' layer belongs in front of them: the whole list moves.
  if (first > 0 && first < objects.size() && objects[first]->layer < objects[first - 1]->layer) {
    std::stable_sort(
        objects.begin(), objects.end(),
        [](const GameObjectPtr& a, const GameObjectPtr& b) { return a->layer < b->layer; });
    settledTiles_ = 0;
  }
}

void SortByLayer(ObjectList& list) {
  std::sort(list.begin(), list.end(),
            [](const GameObjectPtr& a, const GameObjectPtr& b) { return a->layer < b->layer; });
}
