// The world list of the running level, its pause flag, and the UI object list.
#pragma once

#include <memory>
#include <vector>

#include "GameObject.h"

class Tile;
class Electric;
class Monster;
class Player;

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

  // Factories: create, append to the world list, return for placing.
  std::shared_ptr<Tile> CreateTile();
  std::shared_ptr<Electric> CreateElectric();
  std::shared_ptr<Monster> CreateMonster(int kind);
  std::shared_ptr<Player> CreatePlayer();

  // Escape toggles the pause; unless paused: collisions, updates, removal of the dead.
  void UpdateAll();
  void DrawAll();
  void InitializeAll();  // every object that is not a plain tile
  void FreeAll();
};

extern ObjectManager gObjectManager;
extern ObjectList gUIObjects;

// Ascending by layer; objects of equal layer may change places.
void SortByLayer(ObjectList& list);
