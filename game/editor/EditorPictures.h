// The editor's pictures, shared with the art generator that draws them: the buttons of its
// bar, the tools' plates and the glyphs its lines are set in.
#pragma once

#include "ButtonPlates.h"

struct EditorButtonPicture {
  const char* name;  // NAME of "Assets/UI/Button_idle_NAME.png" and the rest
  const char* label;
  int width;
};

// The bar along the top of the screen.
constexpr int kEditorBarHeight = 36;
constexpr Plate kEditorWidePlate = {3, 3, 90, 28};    // 96 x 36
constexpr Plate kEditorNarrowPlate = {3, 3, 42, 28};  // 48 x 36
constexpr EditorButtonPicture kEditorBar[] = {
    {"ED_TRY", "TEST PLAY", 96}, {"ED_SAVE", "SAVE", 96},   {"ED_SAVEAS", "SAVE AS", 96},
    {"ED_UNDO", "UNDO", 96},     {"ED_REDO", "REDO", 96},   {"ED_NARROWER", "W -", 48},
    {"ED_WIDER", "W +", 48},     {"ED_SHORTER", "H -", 48}, {"ED_TALLER", "H +", 48},
    {"ED_LEAVE", "LEAVE", 96},
};
constexpr int kEditorBarButtons = int(sizeof kEditorBar / sizeof kEditorBar[0]);
constexpr const Plate& EditorBarPlate(const EditorButtonPicture& button) {
  return button.width > 60 ? kEditorWidePlate : kEditorNarrowPlate;
}

// The tools down the left side, in the order of their number keys. Each plate leaves room
// on its left for the tool's mark, which the game draws in the map's colours.
constexpr const char* kToolLabels[] = {"FLOOR", "WALL",     "PILLAR",   "LAVA",      "WATER",
                                       "EXIT",  "START",    "FIRE RAT", "WATER RAT", "TIRE",
                                       "BULB",  "FIREBALL", "WAYPOINT", "ERASE"};
constexpr int kToolCount = int(sizeof kToolLabels / sizeof kToolLabels[0]);
constexpr int kToolButtonWidth = 108, kToolButtonHeight = 32;
constexpr Plate kToolPlate = {2, 2, 104, 28};
constexpr float kToolMarkX = 15;  // the mark's centre from the picture's left edge

// Every printable character, in cells drawn at twice the size they are shown at.
constexpr char kEditorGlyphs[] =
    " !\"#$%&'()*+,-./"
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
constexpr int kEditorGlyphCount = sizeof kEditorGlyphs - 1;
constexpr const char kEditorGlyphsPicture[] = "Assets/UI/EditorGlyphs.png";
constexpr int kEditorGlyphWidth = 18, kEditorGlyphHeight = 34;
