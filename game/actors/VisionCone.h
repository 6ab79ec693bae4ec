// A narrow cone of sight: range, two edges, walls; drawn cut at the first wall.
#pragma once

#include "KEGraphics.h"
#include "KEMath.h"
#include "Sprite.h"

class TileMap;

class VisionCone {
 public:
  VisionCone(float halfAngle, float range);

  void Aim(KEVec2 apex, float facing);
  void UpdateSpriteTransform();
  // Within range and strictly inside both edges with `eye` as the tip, walls aside.
  bool Covers(KEVec2 eye, KEVec2 target) const;
  // Covered, and no wall between.
  bool Sees(KEVec2 eye, KEVec2 target) const;
  // Cuts the drawn cone at the first wall sample between `from` and `to`.
  void ClipLength(KEVec2 from, KEVec2 to);
  // Clips, aims and places the cone from the front edge of a body `bodyWidth` wide,
  // reaching `range` from its centre; owners call it at the end of their update.
  void Follow(KEVec2 centre, float rotation, float bodyWidth);
  void Draw() const;

  KEVec2 leftEdge;   // counter-clockwise edge, `range` long
  KEVec2 rightEdge;  // clockwise edge
  KEVec2 apex = {0, 0};
  KEMtx33 spriteTransform = {};
  float halfAngle;
  float facing = 0;
  float range;
  float length = 0;     // drawn length is length * 2.7
  float maxLength = 0;  // length when no wall cuts the cone
  Sprite sprite;
};

// True when one of six samples of the segment lies on a blocking cell of the running
// level's map (false when no level or map is running).
bool LineBlocked(KEVec2 from, KEVec2 to);
