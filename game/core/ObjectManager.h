// The world list of the running level, its pause flag, and the UI object list.
#pragma once

#include <memory>
#include <vector>

#include "BroadPhase.h"
#include "GameObject.h"

using ObjectList = std::vector<GameObjectPtr>;

// What the object manager needs of the running level: closing its pause menu.
class ResumableState {
 public:
  virtual ~ResumableState() = default;
  virtual void Resume() = 0;
};

class ObjectManager {
 public:
  ObjectList objects;
  bool paused = false;

  // Escape toggles the pause; unless paused: collisions, updates, removal of the dead.
  // Layered scenery at the head of the list (a map's tiles, drawn by its tile layer) is never
  // walked: it does not move, animate or die, never leads a pair and never follows an object
  // that does.
  void UpdateAll();
  void DrawAll();
  void InitializeAll();  // every object that is not scenery
  void FreeAll();
  // SortByLayer for the world list, at the cost of the objects after the map's tiles: those
  // of equal layer keep their order.
  void SortObjects();

 private:
  std::size_t SettledTiles();

  std::size_t settledTiles_ = 0;  // how many layered scenery objects lead the list
  std::weak_ptr<GameObject> firstSettled_, lastSettled_;  // to notice a list changed under us
  BroadPhase broadPhase_;
  std::vector<const GameObject*> dead_;  // this frame's, in list order
};

extern ObjectManager gObjectManager;
extern ObjectList gUIObjects;

// Ascending by layer; objects of equal layer may change places.
void SortByLayer(ObjectList& list);
