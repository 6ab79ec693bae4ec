// The whole level at a glance, over the view above the status strip: the map scaled to
// fit, the exit marked, the player, each monster and its patrol, a legend of the marks, the
// level's name and goal. Shown before play begins and while Tab is held; the world waits
// meanwhile.
#pragma once

#include <memory>
#include <vector>

#include "DevicePrompt.h"
#include "KEMath.h"
#include "ObjectManager.h"
#include "Sprite.h"

class TileMap;
struct KEGfxVertexList;

// Where the overview's arrow to an exit stands, in world units, and the way it points.
struct OverviewArrowPlace {
  KEVec2 at;
  float half;  // half its side
  float angle;
};
// The arrow to the exit cell centred at `exit` goes beside that cell (above it first) on a
// side where it hides no cell one can walk on and stays level with the map's rows; else
// outside the map level with the exit, beyond the nearer of the map's left and right edges.
OverviewArrowPlace PlaceOverviewArrow(const TileMap& map, KEVec2 exit);

class LevelOverview {
 public:
  ~LevelOverview();
  void Load();  // the pictures
  // Draws the level as it stands now into the overview; `number` picks the name shown
  // (none outside 1 to 8). Before play the line along its foot says how to begin; in play,
  // how to go back to it.
  void Build(TileMap& map, const ObjectList& objects, KEVec2 player, int number, bool beforePlay);
  void Forget();  // lets the built picture go
  void Draw(KEVec2 view) const;

  bool beforePlay = false;
  bool arrowShown = false;
  OverviewArrowPlace arrow = {{0, 0}, 0, 0};

 private:
  Sprite backdrop_;
  Sprite name_;
  Sprite legend_;
  DevicePicture keys_;
  DevicePicture keysInPlay_;
  bool named_ = false;
  std::vector<KEGfxVertexList*> meshes_;
  std::shared_ptr<Mesh<3>> arrowQuad_;
  std::shared_ptr<Texture> arrowPicture_;
  KEVec2 arrowAt_ = {0, 0};  // in the overview, from the view's centre
};
