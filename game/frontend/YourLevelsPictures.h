// The pictures the YOUR LEVELS page puts together at run time, shared with the art
// generator that draws them.
#pragma once

#include "ButtonPlates.h"

constexpr const char kYourLevelsPicture[] = "Assets/yourlevels.png";

// One row of the list, behind a level's name and what it holds: idle, under the focus, the
// level chosen, and chosen under the focus.
constexpr const char* kLevelRowPictures[] = {
    "Assets/UI/LevelRow_idle.png", "Assets/UI/LevelRow_hover.png", "Assets/UI/LevelRow_chosen.png",
    "Assets/UI/LevelRow_chosenhover.png"};
constexpr int kLevelRowWidth = 540, kLevelRowHeight = 56;
constexpr Plate kLevelRowPlate = {4, 4, 532, 48};
// The list's place in the view (centre (0, 0), y up): six rows from the top one down, and
// the page arrows right of them.
constexpr int kLevelRowsShown = 6;
constexpr float kLevelRowX = -50, kFirstLevelRowY = 178, kLevelRowPitch = 62;
constexpr float kPageArrowX = 300, kPageUpY = 150, kPageDownY = -110;

// Names and problems in printable ASCII, one glyph in each cell of a strip: cream for what
// plays, amber for a problem.
constexpr char kListGlyphs[] =
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz"
    "{|}~";
constexpr int kListGlyphCount = sizeof kListGlyphs - 1;
constexpr const char kListGlyphsPicture[] = "Assets/UI/ListGlyphs.png";
constexpr const char kProblemGlyphsPicture[] = "Assets/UI/ProblemGlyphs.png";
constexpr int kListGlyphWidth = 14, kListGlyphHeight = 24;
