// The creatures of the game, drawn in a 40 by 40 box at the origin, facing +x.
#pragma once

#include <cairo.h>

enum class Creature { Player, FireRat, WaterRat, Tire, Bulb, Fireball, Electric };

// Draws animation frame 0 to 3; `walking` false gives the player's standing pose.
void DrawCreature(cairo_t* cr, Creature kind, int frame, bool walking = true);
