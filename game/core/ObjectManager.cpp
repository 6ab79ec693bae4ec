#include "ObjectManager.h"

#include <algorithm>
#include <typeinfo>

#include "GameState.h"
#include "Controls.h"
#include "KEInput.h"
#include "Tile.h"

ObjectManager gObjectManager;
ObjectList gUIObjects;

namespace {

bool IsPlainTile(const GameObject& object) { return typeid(object) == typeid(Tile); }

template <typename T>
std::shared_ptr<T> Append(ObjectList& list, T* object) {
  std::shared_ptr<T> pointer(object);
  list.push_back(pointer);
  return pointer;
}

}  // namespace

std::shared_ptr<Tile> ObjectManager::CreateTile() {
  auto tile = Append(objects, new Tile());
  tile->alive = true;
  return tile;
}

std::shared_ptr<Electric> ObjectManager::CreateElectric() {
  return Append(objects, new Electric());
}

void ObjectManager::UpdateAll() {
  // The pause key (Escape unless rebound) or the pad's Start open and close the pause menu;
  // the pad's B closes it, as backing out of a menu does.
  if (ActionTriggered(Action::kPause) || (paused && KEInputCheckTriggered(VK_GAMEPAD_B))) {
    paused = !paused;
    if (!paused) {
      if (auto* level = dynamic_cast<ResumableState*>(GameStateManager.current)) level->Resume();
    }
  }
  if (paused) return;

  // Tiles never lead a pair; sorted first, they never follow a mover either.
  for (size_t i = 0; i < objects.size(); ++i) {
    // Copies: a collision response may add to the list and move its storage.
    const GameObjectPtr first = objects[i];
    if (IsPlainTile(*first)) continue;
    for (size_t j = i + 1; j < objects.size(); ++j) {
      const GameObjectPtr second = objects[j];
      if (first->CollidesWith(second)) {
        first->OnCollision(second);
        second->OnCollision(first);
      }
    }
  }

  const float dt = float(GameStateManager.frameTime);
  // Objects appended during the walk (a monster's hazard) are updated when it reaches them.
  for (size_t i = 0; i < objects.size();) {
    GameObjectPtr object = objects[i];
    object->Update();
    object->UpdateAnimation(dt);
    if (object->alive)
      ++i;
    else
      objects.erase(objects.begin() + i);
  }
}

void ObjectManager::DrawAll() {
  for (size_t i = 0; i < objects.size(); ++i) {
    GameObjectPtr object = objects[i];
    object->Draw();
  }
}

void ObjectManager::InitializeAll() {
  for (size_t i = 0; i < objects.size(); ++i) {
    GameObjectPtr object = objects[i];
    if (!IsPlainTile(*object)) object->Initialize();
  }
}

void ObjectManager::FreeAll() {
  for (size_t i = 0; i < objects.size(); ++i) {
    GameObjectPtr object = objects[i];
    object->Free();
  }
  objects.clear();
}

void SortByLayer(ObjectList& list) {
  std::sort(list.begin(), list.end(),
            [](const GameObjectPtr& a, const GameObjectPtr& b) { return a->layer < b->layer; });
}
