// What a level places on its map: who stands where, facing which way, walking which route,
// pausing how long, and where the player starts. Levels differ only in this data.
#pragma once

#include <optional>
#include <vector>

#include "KEMath.h"

class LevelBase;

struct CastMember {
  int kind;  // MonsterKind
  KEVec2 start;
  std::optional<float> rotation;  // radians; without one the monster faces +x
  std::vector<KEVec2> route;      // points after the start; the walk closes through it
  std::optional<double> pause;    // seconds at every waypoint
};

struct LevelCast {
  const char* mapFile;
  KEVec2 playerStart;
  std::vector<CastMember> monsters;
  bool initializeWhenPlaced = false;  // also Initialize each monster as soon as it is placed
};

struct PatrolLeg {
  KEVec2 from, to;
};

// The legs a patrol walks, in order, once round. A monster on a waypoint walks on to the
// point after the first waypoint equal to it, so a route that passes its start again never
// walks on past that point.
std::vector<PatrolLeg> PatrolLegs(const CastMember& member);

// Map, monsters, the shared load, the player at its start, the camera: the order every
// level keeps. The music is the caller's. False when the map file could not be opened.
bool PlaceCast(LevelBase& level, const LevelCast& cast);
