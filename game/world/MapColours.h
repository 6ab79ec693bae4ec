// The colours a level's map is shown in at a glance, by the level pictures tool and by the
// overview in the game, so that both read the same way.
#pragma once

struct MapColour {
  float r, g, b;
};

// A cell by its code: floor, walls, pillars, lava, water and the exit.
inline MapColour CellColour(unsigned code) {
  switch (code) {
    case 1:
    case 8:
      return {0.55f, 0.55f, 0.58f};  // hidden block: drawn as floor, stops movement
    case 4:
      return {1.00f, 0.55f, 0.15f};
    case 5:
      return {0.20f, 0.80f, 0.30f};
    case 6:
      return {0.25f, 0.50f, 0.95f};
    case 7:
      return {0.45f, 0.32f, 0.22f};
    case 9:
      return {0.18f, 0.18f, 0.22f};
    default:
      return {0.86f, 0.85f, 0.80f};
  }
}

// A monster by its kind (fire rat, water rat, tire, bulb, fireball): dark red, cyan, black,
// yellow and violet.
inline MapColour KindColour(int kind) {
  constexpr MapColour kKinds[] = {
      {0.65f, 0.10f, 0.05f}, {0.00f, 0.70f, 0.80f}, {0.10f, 0.10f, 0.10f},
      {0.95f, 0.80f, 0.05f}, {0.60f, 0.25f, 0.90f},
  };
  return kind >= 0 && kind < 5 ? kKinds[kind] : MapColour{1, 1, 1};
}
