// The level editor: paint a map, place the player and the monsters with their routes, try
// the level at once and save it among the player's own levels.
#pragma once

#include <string>

#include "GameState.h"

// The editor on the level file at `path`: a new level when no file is there. A file outside
// the player's levels folder (a game level, a file named on the command line) is saved
// there as a copy unless it was named on the command line.
GameState* CreateLevelEditor(const std::string& path);

// Where the editor goes when the player leaves it. The front end hands its screen down; until
// then leaving quits.
using EditorExit = GameState* (*)();
void SetEditorExit(EditorExit exit);
