// Where each button picture's plate lies inside it, in the picture's pixels from its top
// left. Shared with the art generator that draws the plates: a button answers over its
// plate, and the empty margin around it may overlap its neighbours.
#pragma once

struct Plate {
  float x, y, w, h;
};

constexpr Plate kMenuPlate = {22, 17, 176, 42};    // 220 x 80, main menu
constexpr Plate kPausePlate = {15, 16, 120, 39};   // 150 x 75, pause menu
constexpr Plate kAnswerPlate = {15, 21, 120, 52};  // 150 x 100, yes and no
constexpr Plate kBackPlate = {15, 18, 120, 40};    // 150 x 80, back, controls and reset
constexpr Plate kLevelPlate = {14, 18, 120, 60};   // 150 x 100, level select
constexpr Plate kSmallPlate = {3, 3, 44, 41};      // 50 x 50, the sound toggle, gear, minus, plus
constexpr Plate kChoicePlate = {6, 6, 108, 38};    // 120 x 50, settings choices
constexpr Plate kStepPlate = {3, 3, 18, 30};       // 24 x 36, one volume step
constexpr Plate kKeyPlate = {4, 3, 192, 29};       // 200 x 36, behind a key's name
