// Where the game's fixed-size view sits in a drawable of any size: one uniform scale, the
// largest at which the whole view fits, and the view centred with dark bars around it.
#pragma once

struct KEViewRect {
  float scale;        // drawable pixels per view pixel, the same both ways
  int x, y;           // top-left corner of the view in the drawable, y counted down
  int width, height;  // size of the view in drawable pixels
  int bottom;         // rows of bar below the view: y as GL counts it, from the bottom
  // The scale as an exact ratio (the fitting side's drawable and view lengths), so that
  // mapping the cursor back never lands a pixel short through rounding.
  int scaleNumerator, scaleDenominator;
};

// A drawable or view with no area gives the identity: scale 1 at the origin.
KEViewRect KEViewFit(int drawableWidth, int drawableHeight, int viewWidth, int viewHeight);

// A drawable pixel (origin top-left, y down) in view pixels, rounded down. Points on the
// bars land outside 0..view size, so nothing drawn in the view answers them, and the
// direction from the view towards them is kept.
void KEViewFromDrawable(const KEViewRect& rect, int px, int py, int* vx, int* vy);
