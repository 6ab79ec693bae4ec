#include <gtest/gtest.h>

#include <vector>

#include "GameState.h"
#include "KEInput.h"
#include "ObjectManager.h"
#include "UIButton.h"
#include "test_input.h"

namespace {

// The restart button of the pause menu: hit box x 340..457, y 277..316.
const ButtonSpec kRestart = {"RESTART", 150, 75, 0, 0, 340, 316, 457, 277};
const int kInsideX = 400, kInsideY = 300;

enum Image { kIdle = 0, kHover = 1, kClicked = 2 };

struct Frame {
  int x, y;
  bool mouseDown;
  bool active;
  bool hovered;
  bool clicked;  // the latch after the frame; the test never clears it
  int image;
};

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_input::Install();
    KEInputReset();
    FreeUIObjects();
    GameStateManager.frameTime = 1.0 / 60;
    button = CreateButton(kRestart);
  }
  void TearDown() override {
    FreeUIObjects();
    test_input::Uninstall();
  }
  void Play(const Frame& frame) {
    test_input::SetCursor(frame.x, frame.y);
    if (frame.mouseDown)
      test_input::Press(VK_LBUTTON);
    else
      test_input::Release(VK_LBUTTON);
    button->active = frame.active;
    KEInputUpdate();
    UpdateUIObjects();
  }
  UIButton* button = nullptr;
};

TEST_F(ButtonTest, CursorOnAnEdgeOfTheHitBoxIsOutside) {
  struct Case {
    int x, y;
    bool hovered;
  };
  const Case cases[] = {
      {kInsideX, kInsideY, true}, {341, 278, true},       {456, 315, true},
      {340, kInsideY, false},     {457, kInsideY, false}, {kInsideX, 277, false},
      {kInsideX, 316, false},     {0, 0, false},
  };
  for (const Case& c : cases) {
    Play({c.x, c.y, false, true, c.hovered, false, c.hovered ? kHover : kIdle});
    EXPECT_EQ(button->hovered, c.hovered) << "cursor " << c.x << "," << c.y;
    EXPECT_EQ(button->sprite.currentAnimation, c.hovered ? kHover : kIdle)
        << "cursor " << c.x << "," << c.y;
  }
}

TEST_F(ButtonTest, ClickSequences) {
  const int X = kInsideX, Y = kInsideY;
  struct Scenario {
    const char* name;
    std::vector<Frame> frames;
  };
  const Scenario scenarios[] = {
      {"press inside clicks once; holding shows hover, the latch stays",
       {{X, Y, false, true, true, false, kHover},
        {X, Y, true, true, true, true, kClicked},
        {X, Y, true, true, true, true, kHover},
        {X, Y, false, true, true, true, kHover},
        {0, 0, false, true, false, true, kIdle}}},
      {"sliding onto the button with the mouse held does not click",
       {{0, 0, true, true, false, false, kIdle},
        {X, Y, true, true, true, false, kHover},
        {X, Y, true, true, true, false, kHover}}},
      {"a press outside then a move inside does not click",
       {{0, 0, false, true, false, false, kIdle},
        {0, 0, true, true, false, false, kIdle},
        {X, Y, true, true, true, false, kHover},
        {X, Y, false, true, true, false, kHover},
        {X, Y, true, true, true, true, kClicked}}},
      {"an inactive button never hovers or clicks and shows idle when woken",
       {{X, Y, false, false, false, false, kIdle},
        {X, Y, true, false, false, false, kIdle},
        {X, Y, false, false, false, false, kIdle},
        {X, Y, false, true, true, false, kHover}}},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.name);
    button->clicked = false;
    KEInputReset();
    for (size_t i = 0; i < s.frames.size(); ++i) {
      const Frame& f = s.frames[i];
      Play(f);
      EXPECT_EQ(button->hovered, f.hovered) << "frame " << i;
      EXPECT_EQ(button->clicked, f.clicked) << "frame " << i;
      EXPECT_EQ(button->sprite.currentAnimation, f.image) << "frame " << i;
    }
  }
}

TEST_F(ButtonTest, OwnerChosenImageIsLeftAloneAndPlacementFollowsTheOffset) {
  button->useStateImages = false;
  button->sprite.SetAnimation(kClicked);
  button->offset = {30, -40};
  Play({kInsideX, kInsideY, true, true, true, true, kClicked});
  EXPECT_TRUE(button->clicked);
  EXPECT_EQ(button->sprite.currentAnimation, kClicked);
  Play({0, 0, false, true, false, true, kClicked});
  EXPECT_EQ(button->sprite.currentAnimation, kClicked);
  EXPECT_FLOAT_EQ(button->position.x, 30);
  EXPECT_FLOAT_EQ(button->position.y, -40);
}

}  // namespace
