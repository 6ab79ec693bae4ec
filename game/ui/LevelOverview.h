// The whole level at a glance, over the view above the status strip: the map scaled to
// fit, the exit marked, the player, each monster and its patrol, the level's name and goal.
// Shown before play begins and while Tab is held; the world waits meanwhile.
#pragma once

#include <memory>
#include <vector>

#include "DevicePrompt.h"
#include "KEMath.h"
#include "ObjectManager.h"
#include "Sprite.h"

class TileMap;
struct KEGfxVertexList;

class LevelOverview {
 public:
  ~LevelOverview();
  void Load();  // the pictures
  // Draws the level as it stands now into the overview; `number` picks the name shown
  // (none outside 1 to 8).
  void Build(TileMap& map, const ObjectList& objects, KEVec2 player, int number);
  void Forget();  // lets the built picture go
  void Draw(KEVec2 view) const;

 private:
  Sprite backdrop_;
  Sprite name_;
  DevicePicture keys_;
  bool named_ = false;
  std::vector<KEGfxVertexList*> meshes_;
  std::shared_ptr<Mesh<3>> arrowQuad_;
  std::shared_ptr<Texture> arrow_;
  KEVec2 arrowAt_ = {0, 0};
  bool arrowShown_ = false;
};
