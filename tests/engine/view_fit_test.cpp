#include <gtest/gtest.h>

#include "KEViewFit.h"

namespace {

// The 800 x 600 view in drawables a player meets: one scale, centred, bars on the long side.
// `bar` is a window pixel on a bar (or just past the view's corner when there is none);
// `inside` is one in the view, with the view pixel it must land on.
struct Row {
  int width, height;
  float scale;
  int x, y, viewWidth, viewHeight;
  int insideX, insideY, viewX, viewY;
  int barX, barY;
};
const Row kRows[] = {
    {800, 600, 1.0f, 0, 0, 800, 600, 799, 599, 799, 599, 800, 600},
    {1024, 768, 1.28f, 0, 0, 1024, 768, 512, 384, 400, 300, 1024, 768},
    {1280, 800, 800.0f / 600.0f, 106, 0, 1067, 800, 106, 0, 0, 0, 105, 400},
    {1600, 1200, 2.0f, 0, 0, 1600, 1200, 1001, 503, 500, 251, 1600, 1200},
    {1920, 1080, 1.8f, 240, 0, 1440, 1080, 1679, 1079, 799, 599, 1680, 540},
    {2560, 1440, 2.4f, 320, 0, 1920, 1440, 320, 720, 0, 300, 319, 720},
    {3840, 2160, 3.6f, 480, 0, 2880, 2160, 1920, 1080, 400, 300, 3360, 0},
    {600, 900, 0.75f, 0, 225, 600, 450, 599, 674, 798, 598, 300, 224},
};

TEST(ViewFit, OneScaleCentredWithBarsOnTheLongSide) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << row.width << "x" << row.height);
    const KEViewRect rect = KEViewFit(row.width, row.height, 800, 600);
    EXPECT_FLOAT_EQ(rect.scale, row.scale);
    EXPECT_EQ(rect.x, row.x);
    EXPECT_EQ(rect.y, row.y);
    EXPECT_EQ(rect.width, row.viewWidth);
    EXPECT_EQ(rect.height, row.viewHeight);
    // The bars on either side differ by at most the odd pixel.
    EXPECT_EQ(rect.y + rect.height + rect.bottom, row.height);
    EXPECT_LE(rect.bottom - rect.y, 1);
  }
}

TEST(ViewFit, WindowPixelsMapToViewPixelsAndBarsFallOutsideTheView) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << row.width << "x" << row.height);
    const KEViewRect rect = KEViewFit(row.width, row.height, 800, 600);
    int vx, vy;
    KEViewFromDrawable(rect, row.insideX, row.insideY, &vx, &vy);
    EXPECT_EQ(vx, row.viewX);
    EXPECT_EQ(vy, row.viewY);
    KEViewFromDrawable(rect, row.barX, row.barY, &vx, &vy);
    EXPECT_TRUE(vx < 0 || vx >= 800 || vy < 0 || vy >= 600) << vx << "," << vy;
  }
}

TEST(ViewFit, NoDrawableYetLeavesTheViewUnscaled) {
  const KEViewRect rect = KEViewFit(0, 0, 800, 600);
  EXPECT_EQ(rect.scale, 1.0f);
  int vx, vy;
  KEViewFromDrawable(rect, 120, 80, &vx, &vy);
  EXPECT_EQ(vx, 120);
  EXPECT_EQ(vy, 80);
}

}  // namespace
