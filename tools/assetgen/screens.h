// Pieces shared by the full-screen pictures.
#pragma once

#include "generators.h"

// Paints a little dungeon from a character map, one 50-pixel tile per character:
// '#' wall, '.' floor, 'o' pillar, '~' water, '^' lava, 'E' exit.
void TileScene(cairo_t* cr, const AssetSet& set, const char* const* rows, int rowCount);
// Paints one frame of a creature strip centred on (x, y), turned by `angle` (radians,
// screen y down), optionally with its cone of sight.
void PlaceCreature(cairo_t* cr, const AssetSet& set, const char* strip, int frame, double x,
                   double y, double angle, double scale = 1, const char* cone = nullptr);
void Darken(cairo_t* cr, int w, int h, double alpha);
// Darkens towards the edges; `strength` is the opacity reached in the corners.
void Vignette(cairo_t* cr, int w, int h, double strength);
void Panel(cairo_t* cr, double x, double y, double w, double h,
           Color fill = WithAlpha(pal::kPanel, 0.92));
// The game's name as a logo, centred on (x, y).
void Logo(cairo_t* cr, double x, double y, double size);
// A camera iris with six blades; `open` is the opening's share of the radius.
void Aperture(cairo_t* cr, double cx, double cy, double r, double turn, double open);
void KeyCap(cairo_t* cr, double x, double y, double w, const char* label);
// The pad's controls, in the key caps' size and lettering. A face button 'A', 'B', 'X' or
// 'Y' in its usual colour, centred on (cx, cy).
void FaceButton(cairo_t* cr, double cx, double cy, double r, char label);
// A trigger ("RT", "LT"): flat at the bottom, rounded where the finger rests.
void TriggerCap(cairo_t* cr, double x, double y, double w, const char* label);
// A stick seen from above, "L" or "R" on its cap.
void StickCap(cairo_t* cr, double cx, double cy, double r, const char* label);
void DPad(cairo_t* cr, double cx, double cy, double size);
// Start or Back: a small pill with its name.
void PillButton(cairo_t* cr, double x, double y, double w, const char* label);
// "Press [SPACE] <what>" or, for the pad, "Press (A) <what>", centred on (cx, y).
void PressToGoOn(cairo_t* cr, double cx, double y, const char* what, const TextStyle& style,
                 bool pad);

// The menu pictures: main menu, level select, credits, settings, instructions,
// confirmations.
void MakeMenuScreens(AssetSet& set);
