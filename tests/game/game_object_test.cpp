#include <gtest/gtest.h>

#include "GameObject.h"
#include "GameState.h"
#include "test_input.h"

namespace {

class Box : public GameObject {
 public:
  Box(float minX, float minY, float maxX, float maxY, float vx = 0, float vy = 0) {
    boundsMin = {minX, minY};
    boundsMax = {maxX, maxY};
    velocity = {vx, vy};
  }
  void Update() override {}
  void Draw() override {}
};

struct SweptCase {
  const char* what;
  Box a, b;
  bool collides;
};

TEST(CollidesWith, SweptBoxesOverOneSixtiethOfASecond) {
  test_input::Install();
  GameStateManager.stepSeconds = 1.0 / 60;  // the step the world just took
  const SweptCase cases[] = {
      {"touching edges overlap", Box(0, 0, 10, 10), Box(10, 0, 20, 10), true},
      {"touching edges overlap even when parting", Box(0, 0, 10, 10),
       Box(10, 10, 20, 20, 500, 500), true},
      {"same velocity never meets", Box(0, 0, 10, 10, 300, 0), Box(11, 0, 21, 10, 300, 0),
       false},
      {"almost the same velocity", Box(0, 0, 10, 10, 0, 0), Box(11, 0, 21, 10, -0.0005f, 0),
       false},
      {"arrives within the frame", Box(0, 0, 10, 10), Box(15, 0, 25, 10, -600, 0), true},
      {"arrives after the frame", Box(0, 0, 10, 10), Box(15, 0, 25, 10, -240, 0), false},
      {"moving away", Box(0, 0, 10, 10), Box(15, 0, 25, 10, 600, 0), false},
      {"A chases B from the left", Box(0, 0, 10, 10, 600, 0), Box(15, 0, 25, 10), true},
      {"sliding alongside on x, apart on y", Box(0, 0, 10, 10), Box(-50, 11, -40, 21, 6000, 0),
       false},
      {"diagonal approach, x meets before y", Box(0, 0, 10, 10), Box(12, 12, 22, 22, -600, -600),
       true},
      {"crossing paths that miss in time", Box(0, 0, 10, 10), Box(12, 40, 22, 50, -600, -60),
       false},
  };
  for (const SweptCase& c : cases) {
    auto b = std::make_shared<Box>(c.b);
    EXPECT_EQ(c.a.CollidesWith(b), c.collides) << c.what;
  }
  test_input::Uninstall();
}

TEST(GameObjectTransform, OnlyRebuiltOnRequest) {
  Box box(0, 0, 1, 1);
  box.position = {100, 50};
  box.scale = {40, 20};
  EXPECT_EQ(box.transform.m[0][2], 0.0f);  // not moved yet
  box.rotation = 1.5707964f;
  box.UpdateTransform();
  EXPECT_EQ(box.transform.m[0][2], 100.0f);
  EXPECT_EQ(box.transform.m[1][2], 50.0f);
  EXPECT_NEAR(box.transform.m[0][1], -20.0f, 1e-4);  // -scale.y * sin
  EXPECT_NEAR(box.transform.m[1][0], 40.0f, 1e-4);   // scale.x * sin
  EXPECT_NEAR(box.transform.m[0][0], 0.0f, 1e-4);
  box.SetScale({10, 10});
  EXPECT_NEAR(box.transform.m[1][0], 10.0f, 1e-4);
}

TEST(GameObjectAnimation, OneFramePerCallAndWrapsAround) {
  Box box(0, 0, 1, 1);
  SpriteAnimation strip;
  strip.frameCount = 3;
  strip.frames = {{0.2f, 0, 0}, {0.2f, 0.25f, 0}, {0.2f, 0.5f, 0}};
  strip.animated = true;
  SpriteAnimation still;
  still.frameCount = 1;
  still.frames = {{0, 0, 0}};
  box.sprite.animations = {strip, still};

  box.UpdateAnimation(0.35f);  // more than one frame's worth
  EXPECT_EQ(box.sprite.currentFrame, 1);
  EXPECT_EQ(box.sprite.frameTimer, 0.0f);
  box.UpdateAnimation(0.1f);
  EXPECT_EQ(box.sprite.currentFrame, 1);
  EXPECT_FLOAT_EQ(box.sprite.frameTimer, 0.1f);
  box.UpdateAnimation(0.1f);
  box.UpdateAnimation(0.2f);
  EXPECT_EQ(box.sprite.currentFrame, 0);  // after the last frame

  box.sprite.SetAnimation(5);  // past the end: the last one
  EXPECT_EQ(box.sprite.currentAnimation, 1);
  box.UpdateAnimation(10.0f);
  EXPECT_EQ(box.sprite.currentFrame, 0);
  EXPECT_EQ(box.sprite.frameTimer, 0.0f);
}

}  // namespace
