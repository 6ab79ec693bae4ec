// Base of everything in a level's world or on its pause menu.
#pragma once

#include <memory>

#include "KEGraphics.h"
#include "KEMath.h"
#include "Sprite.h"

class GameObject {
 public:
  GameObject();
  GameObject(KEVec2 position, KEVec2 velocity, KEVec2 scale, float rotation);
  virtual ~GameObject() = default;

  virtual void Update() = 0;
  virtual void Draw() = 0;
  virtual void Free() {}
  virtual void Initialize() {}
  virtual void OnCollision(std::shared_ptr<GameObject> other) { (void)other; }
  virtual void UpdateAnimation(float dt);
  // Scenery (a map's tiles) never moves, animates or dies: it leads no collision pair and
  // needs no Initialize. Scenery its map draws in one layer is not even walked: the object
  // manager counts it at the head of the world list and passes over it.
  virtual bool IsScenery() const { return false; }
  virtual bool IsLayered() const { return false; }

  // Rebuilds `transform`: moving, resizing or turning shows only after this.
  void UpdateTransform();
  void SetScale(KEVec2 size);
  // The collision box: `scale` times `factor` on each side of the position.
  void SetBoundsAround(KEVec2 factor);
  // Swept box test over one frame: this is box A, `other` box B.
  bool CollidesWith(std::shared_ptr<GameObject> other) const;

  KEMtx33 transform = {};
  bool alive = false;
  Sprite sprite;
  KEVec2 position = {0, 0};
  KEVec2 velocity = {0, 0};  // direction of travel or facing; the swept box test reads it
  KEVec2 scale = {0, 0};     // drawn width and height
  float rotation = 0;        // radians, counter-clockwise
  int layer = 0;             // draw order, ascending
  KEVec2 boundsMin = {0, 0};
  KEVec2 boundsMax = {0, 0};
};

using GameObjectPtr = std::shared_ptr<GameObject>;
