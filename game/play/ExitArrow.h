// The arrow at the view's edge that points the way to the exit while it is off screen.
#pragma once

#include <memory>
#include <vector>

#include "KEMath.h"
#include "Sprite.h"

class TileMap;

struct ExitArrowPlace {
  bool shown = false;  // false while the exit lies inside the box
  KEVec2 at = {0, 0};  // the arrow's centre
  float angle = 0;     // radians from +x, towards the exit
};

// The arrow for an exit centred at `exit`, seen in the box left, bottom, right, top: on the
// line from the box's centre to the exit, `inset` inside the box's nearest edge.
ExitArrowPlace PlaceExitArrow(KEVec2 exit, float left, float bottom, float right, float top,
                              float inset);

class ExitArrow {
 public:
  void Load(const TileMap& map);  // the picture and where the exits are
  // Points from the view above the strip to the exit nearest to `player`.
  void Draw(KEVec2 player, float shownBottom) const;

 private:
  std::vector<KEVec2> exits_;
  std::shared_ptr<Mesh<3>> quad_;
  std::shared_ptr<Texture> picture_;
};
