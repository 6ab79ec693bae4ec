#include <gtest/gtest.h>

#include <cmath>

#include "Monster.h"
#include "VisionCone.h"
#include "test_level.h"

namespace {

// No level runs here, so nothing blocks. Targets are given for facing 0 and turned with
// the cone: every facing must answer the same.
TEST(VisionConeTest, RangeAndEdges) {
  const float a = Monster::kHalfAngle;
  const struct {
    KEVec2 target;
    bool seen;
  } cases[] = {
      {{100, 0}, true},
      {{100, 30}, false},
      {{-100, 0}, false},
      {{120, 0}, true},
      {{120.01f, 0}, false},
      {{0, 0}, false},
      {{60 * std::cos(a), 60 * std::sin(a)}, false},  // exactly on an edge
      {{60 * std::cos(a), -60 * std::sin(a)}, false},
  };
  for (float facing : {0.0f, 1.0f, -2.5f}) {
    VisionCone cone(Monster::kHalfAngle, Monster::kRange);
    const KEVec2 eye = {-40, 75};
    cone.Aim(eye, facing);
    const float c = std::cos(facing), s = std::sin(facing);
    for (const auto& test : cases) {
      const KEVec2 target = {eye.x + c * test.target.x - s * test.target.y,
                             eye.y + s * test.target.x + c * test.target.y};
      EXPECT_EQ(cone.Sees(eye, target), test.seen)
          << test.target.x << ", " << test.target.y << " facing " << facing;
    }
  }
}

// With no wall the drawn cone ends at the owner's range from its centre.
TEST(VisionConeTest, UnclippedConeReachesRange) {
  Monster monster(FireRat);
  monster.Initialize();
  for (float facing : {0.0f, 0.7f, -1.9f}) {
    monster.rotation = facing;
    monster.Update();
    const KEMtx33& m = monster.sight.spriteTransform;
    const float farX = m.m[0][2] + m.m[0][0] * 0.5f, farY = m.m[1][2] + m.m[1][0] * 0.5f;
    EXPECT_NEAR(std::hypot(farX - monster.position.x, farY - monster.position.y), 120, 1e-3);
  }
}

// Middle row: a wall cell from x 25 to 75.
TEST(VisionConeTest, WallsClipAndHide) {
  test_level::Start(new TestLevel(
      {"9 9 9 9 9 9 9", "9 0 0 0 0 0 9", "9 0 0 0 9 0 9", "9 0 0 0 0 0 9", "9 9 9 9 9 9 9"},
      {-100, -50}));
  // Samples 9 apart: the first one inside the wall is `distance` from the start.
  const struct { float distance, length; } clips[] = {{9, 0}, {18, 18 / 2.7f}, {27, 10}, {81, 30}};
  for (const auto& test : clips) {
    VisionCone cone(Monster::kHalfAngle, Monster::kRange);
    cone.maxLength = 37;
    const KEVec2 from = {29.5f - test.distance, 0};
    cone.ClipLength(from, {from.x + 90, 0});
    EXPECT_NEAR(cone.length, test.length, 1e-4) << test.distance;
  }
  VisionCone open(Monster::kHalfAngle, Monster::kRange);
  open.maxLength = 37;
  open.ClipLength({20, 0}, {-70, 0});
  EXPECT_EQ(open.length, 37);
  const struct {
    KEVec2 eye;
    float facing;
    KEVec2 target;
    bool seen;
  } sights[] = {
      {{0, 0}, 0, {100, 0}, false},           // wall between
      {{-60, 0}, 0, {50, 0}, false},          // target inside the wall
      {{0, 0}, 3.1415927f, {-100, 0}, true},  // open floor
      {{0, 50}, 0, {100, 50}, true},          // past the wall's corner
      {{-20, 0}, 0, {26, 0}, false},          // only the target's own cell is a wall
  };
  for (const auto& test : sights) {
    VisionCone cone(Monster::kHalfAngle, Monster::kRange);
    cone.Aim(test.eye, test.facing);
    EXPECT_EQ(cone.Sees(test.eye, test.target), test.seen) << test.target.x;
  }
  test_level::Finish();
}

}  // namespace
