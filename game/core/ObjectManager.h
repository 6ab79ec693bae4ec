// The world list of the running level, its pause flag, and the UI object list.
#pragma once

#include <memory>
#include <vector>

#include "BroadPhase.h"
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
  // The map's tiles at the head of the list (drawn by its tile layer) are never walked: they
  // do not move, animate or die, never lead a pair and never follow an object that does.
  void UpdateAll();
  void DrawAll();
  void InitializeAll();  // every object that is not a plain tile
  void FreeAll();
  // SortByLayer for the world list, at the cost of the objects after the map's tiles: those
  // of equal layer keep their order.
  void SortObjects();

 private:
  std::size_t SettledTiles();

  std::size_t settledTiles_ = 0;  // how many tiles of the map's layer lead the list
  std::weak_ptr<GameObject> firstSettled_, lastSettled_;  // to notice a list changed under us
  BroadPhase broadPhase_;
  std::vector<const GameObject*> dead_;  // this frame's, in list order
};

extern ObjectManager gObjectManager;
extern ObjectList gUIObjects;

// Ascending by layer; objects of equal layer may change places.
void SortByLayer(ObjectList& list);
