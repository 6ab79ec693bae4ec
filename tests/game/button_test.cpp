#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GameState.h"
#include "KEInput.h"
#include "ObjectManager.h"
#include "UIButton.h"
#include "test_input.h"

namespace {

// A button with a hit box of x 340..457, y 277..316.
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

// A button whose hit box is 40 pixels square around (x, y).
UIButton* ButtonAt(float x, float y) {
  return CreateButton(ButtonSpec{nullptr, 40, 40, 0, 0, x - 20, y + 20, x + 20, y - 20});
}

TEST_F(ButtonTest, TheFocusMovesToTheNearestButtonThatWay) {
  FreeUIObjects();
  //   a . b
  //   c . d
  //             e
  std::vector<UIButton*> all = {ButtonAt(100, 100), ButtonAt(300, 100), ButtonAt(100, 300),
                                ButtonAt(320, 300), ButtonAt(600, 400)};
  enum { a, b, c, d, e };
  struct Move {
    int from, dx, dy, to;
  };
  const Move moves[] = {
      {a, 1, 0, b}, {a, 0, 1, c},  {a, -1, 0, a}, {a, 0, -1, a},  // nothing that way: stay
      {b, 0, 1, d},                                               // straight below beats c
      {d, 1, 0, d},                                // the end of a row: not up or down to another
      {c, 1, 0, d}, {e, 0, -1, b}, {e, -1, 0, d},  // e is alone on its row
  };
  for (const Move& m : moves) {
    EXPECT_EQ(NearestInDirection(all, all[m.from], m.dx, m.dy), all[m.to])
        << "from " << m.from << " towards " << m.dx << "," << m.dy;
  }
}

TEST_F(ButtonTest, KeysAndPadMoveAndPressTheFocusFromThePreferredButton) {
  // Made first, but lower down: without a preferred button the focus starts at the top.
  UIButton* below = CreateButton(ButtonSpec{"RESTART", 150, 75, 0, -60, 340, 376, 457, 337});
  std::rotate(gUIObjects.begin(), gUIObjects.end() - 1, gUIObjects.end());
  for (UIButton* each : {button, below}) each->active = true;
  KEInputUpdate();
  UpdateUIObjects();
  EXPECT_TRUE(button->focused) << "the top button starts with the focus";
  for (UIButton* each : {button, below}) each->active = false;
  UpdateUIObjects();
  below->preferFocus = true;
  for (UIButton* each : {button, below}) each->active = true;
  const auto tap = [](unsigned key) {
    test_input::Press(key);
    KEInputUpdate();
    UpdateUIObjects();
    test_input::Release(key);
    KEInputUpdate();
    UpdateUIObjects();
  };
  KEInputUpdate();
  UpdateUIObjects();
  EXPECT_TRUE(below->focused) << "the preferred button starts with the focus";
  tap(VK_UP);
  EXPECT_TRUE(button->highlighted);
  EXPECT_EQ(button->sprite.currentAnimation, kHover);
  EXPECT_EQ(below->sprite.currentAnimation, kIdle);
  tap(VK_GAMEPAD_DPAD_DOWN);
  tap('W');
  EXPECT_TRUE(button->focused);
  for (unsigned press : {VK_RETURN, VK_SPACE, VK_GAMEPAD_A}) {
    button->clicked = below->clicked = false;
    tap(press);
    EXPECT_TRUE(button->clicked) << press;
    EXPECT_FALSE(below->clicked) << press;
  }
}

}  // namespace
