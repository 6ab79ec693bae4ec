#include "KEViewFit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

int FloorDivide(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return int((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
}

}  // namespace

KEViewRect KEViewFit(int drawableWidth, int drawableHeight, int viewWidth, int viewHeight) {
  if (drawableWidth <= 0 || drawableHeight <= 0 || viewWidth <= 0 || viewHeight <= 0)
    return KEViewRect{1.0f, 0, 0, viewWidth, viewHeight, 0, 1, 1};
  // Width-limited when drawableWidth / viewWidth <= drawableHeight / viewHeight.
  const bool widthLimited =
      int64_t(drawableWidth) * viewHeight <= int64_t(drawableHeight) * viewWidth;
  const int numerator = widthLimited ? drawableWidth : drawableHeight;
  const int denominator = widthLimited ? viewWidth : viewHeight;
  const float scale = float(numerator) / float(denominator);
  const int width = widthLimited ? drawableWidth
                                 : int((int64_t(viewWidth) * numerator + denominator / 2) /
                                       denominator);
  const int height = widthLimited ? int((int64_t(viewHeight) * numerator + denominator / 2) /
                                        denominator)
                                  : drawableHeight;
  const int top = (drawableHeight - height) / 2;
  return KEViewRect{scale,  (drawableWidth - width) / 2, top, width, height,
                    drawableHeight - top - height, numerator, denominator};
}

void KEViewFromDrawable(const KEViewRect& rect, int px, int py, int* vx, int* vy) {
  *vx = FloorDivide(int64_t(px - rect.x) * rect.scaleDenominator, rect.scaleNumerator);
  *vy = FloorDivide(int64_t(py - rect.y) * rect.scaleDenominator, rect.scaleNumerator);
}
