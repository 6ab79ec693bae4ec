// One cell of the map, and the short-lived electric hazard monsters drop.
#pragma once

#include <memory>

#include "GameObject.h"

// A textured square; what it does to actors is decided by the map's cell codes.
class Tile : public GameObject {
 public:
  void Update() override {}
  void Draw() override;
  bool IsScenery() const override { return true; }
  bool IsLayered() const override { return inLayer; }

  bool inLayer = false;  // drawn with the rest of its map's tiles, not on its own
};

class Electric : public GameObject {
 public:
  static constexpr float kLife = 80.0f;  // frames
  Electric();
  void Update() override;
  void Draw() override;

  float life = kLife;
};

// Each at the end of the world list, to be placed.
std::shared_ptr<Tile> CreateTile();
std::shared_ptr<Electric> CreateElectric();
