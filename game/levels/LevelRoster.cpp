#include "LevelRoster.h"

// The levels fill this in as they land.
GameState* CreateLevel(int /*number*/) { return nullptr; }
