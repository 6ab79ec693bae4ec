#include <gtest/gtest.h>

#include <cmath>

#include "Monster.h"
#include "Player.h"
#include "VisionCone.h"
#include "test_level.h"

namespace {

constexpr float kDegree = 0.017453292f;

struct SightCase {
  const char* what;
  KEVec2 target;  // relative to the eye
  bool seen;
};

// No level runs here, so no wall can hide anything.
TEST(VisionConeTest, RangeAndEdgesWithoutWalls) {
  const float a = Monster::kHalfAngle;
  const SightCase cases[] = {
      {"straight ahead", {100, 0}, true},
      {"16.7 degrees off", {100, 30}, false},
      {"10 degrees off", {100 * std::cos(10 * kDegree), 100 * std::sin(10 * kDegree)}, true},
      {"behind", {-100, 0}, false},
      {"exactly at range", {120, 0}, true},
      {"just past range", {120.01f, 0}, false},
      {"on the left edge", {60 * std::cos(a), 60 * std::sin(a)}, false},
      {"on the right edge", {60 * std::cos(a), -60 * std::sin(a)}, false},
      {"on the eye", {0, 0}, false},
  };
  for (float facing : {0.0f, 1.0f, -2.5f}) {
    VisionCone cone(Monster::kHalfAngle, Monster::kRange);
    const KEVec2 eye = {-40, 75};
    cone.Aim(eye, facing);
    const float c = std::cos(facing), s = std::sin(facing);
    for (const SightCase& test : cases) {
      // The targets are given for facing 0; turned with the cone they must answer the same.
      const KEVec2 target = {eye.x + c * test.target.x - s * test.target.y,
                             eye.y + s * test.target.x + c * test.target.y};
      EXPECT_EQ(cone.Sees(eye, target), test.seen) << test.what << ", facing " << facing;
    }
  }
}

TEST(VisionConeTest, ConstructorEdgesFaceAlongX) {
  VisionCone cone(Player::kHalfAngle, Player::kRange);
  EXPECT_TRUE(cone.Sees({0, 0}, {149, 0}));
  EXPECT_FALSE(cone.Sees({0, 0}, {0, 50}));
  EXPECT_FALSE(LineBlocked({-1000, -1000}, {1000, 1000}));  // no map: nothing blocks
}

// With no wall the drawn cone ends at the owner's range from its centre, whatever the facing.
TEST(VisionConeTest, UnclippedConeReachesRangeFromOwnerCentre) {
  Player* savedPlayer = gCurrentPlayer;
  gCurrentPlayer = nullptr;
  Monster monster(FireRat);
  monster.position = {30, -20};
  monster.Initialize();
  for (float facing : {0.0f, 0.7f, 3.0f, -1.9f}) {
    monster.rotation = facing;
    monster.Update();
    const KEMtx33& m = monster.sight.spriteTransform;
    const KEVec2 farEnd = {m.m[0][2] + m.m[0][0] * 0.5f, m.m[1][2] + m.m[1][0] * 0.5f};
    EXPECT_FLOAT_EQ(monster.sight.length, monster.sight.maxLength);
    EXPECT_NEAR(std::hypot(farEnd.x - monster.position.x, farEnd.y - monster.position.y),
                Monster::kRange, 1e-3)
        << "facing " << facing;
  }
  gCurrentPlayer = savedPlayer;
}

// Middle row: floor, floor, floor, wall from x 25 to 75, floor; walls all round.
class VisionConeWallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    level_ = new TestLevel({"9 9 9 9 9 9 9",
                            "9 0 0 0 0 0 9",
                            "9 0 0 0 9 0 9",
                            "9 0 0 0 0 0 9",
                            "9 9 9 9 9 9 9"},
                           {-100, -50});
    test_level::Start(level_);
  }
  void TearDown() override { test_level::Finish(); }
  TestLevel* level_ = nullptr;
};

TEST_F(VisionConeWallTest, ClippedAtFirstWallSample) {
  struct Case {
    float wallDistance;  // of the first sample inside the wall, samples 9 apart
    float length;
  } cases[] = {
      {9, 0},        // under 13.5 units the cone vanishes
      {18, 18 / 2.7f},
      {27, 10},      // drawn 27 long
      {81, 30},
  };
  for (const Case& test : cases) {
    VisionCone cone(Monster::kHalfAngle, Monster::kRange);
    cone.maxLength = 37;
    const KEVec2 from = {29.5f - test.wallDistance, 0};
    cone.ClipLength(from, {from.x + 90, 0});
    EXPECT_NEAR(cone.length, test.length, 1e-4) << "wall at " << test.wallDistance;
  }
}

TEST_F(VisionConeWallTest, NoWallAheadKeepsFullLength) {
  VisionCone cone(Monster::kHalfAngle, Monster::kRange);
  cone.maxLength = 37;
  cone.ClipLength({20, 0}, {-70, 0});
  EXPECT_EQ(cone.length, 37);
  // The far end itself is never sampled: a wall just inside it does not cut the cone.
  cone.ClipLength({-80, 0}, {25.5f, 0});
  EXPECT_EQ(cone.length, 37);
}

TEST_F(VisionConeWallTest, WallsHideTargetsInsideTheCone) {
  const struct Case {
    const char* what;
    KEVec2 eye;
    float facing;
    KEVec2 target;
    bool seen;
  } cases[] = {
      {"wall between", {0, 0}, 0, {100, 0}, false},
      {"open floor", {0, 0}, 3.1415927f, {-100, 0}, true},
      {"target inside the wall", {-60, 0}, 0, {50, 0}, false},
      {"past the wall's corner", {0, 50}, 0, {100, 50}, true},
  };
  for (const Case& test : cases) {
    VisionCone cone(Monster::kHalfAngle, Monster::kRange);
    cone.Aim(test.eye, test.facing);
    EXPECT_EQ(cone.Sees(test.eye, test.target), test.seen) << test.what;
    EXPECT_EQ(LineBlocked(test.eye, test.target), !test.seen) << test.what;
  }
}

}  // namespace
