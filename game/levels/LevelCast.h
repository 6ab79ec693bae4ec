// What a level places on its map: who stands where, facing which way, walking which route,
// pausing how long, and where the player starts. Levels differ only in this data, which
// their level files hold.
#pragma once

#include "LevelFile.h"

class LevelBase;

// Map, monsters, the shared load, the player at its start, the camera: the order every
// level keeps. The music is the caller's. False when the cast has no map.
bool PlaceCast(LevelBase& level, const LevelCast& cast);
