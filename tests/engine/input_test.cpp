#include <gtest/gtest.h>

#include "KEInput.h"
#include "test_input.h"

namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_input::Install();
    KEInputReset();
  }
  void TearDown() override { test_input::Uninstall(); }
};

TEST_F(InputTest, HeldKeyTriggersOnceAndReleasesOnce) {
  int triggered = 0, released = 0, held = 0;
  for (int frame = 0; frame < 30; ++frame) {
    if (frame == 5) test_input::Press('W');
    if (frame == 20) test_input::Release('W');
    KEInputUpdate();
    triggered += KEInputCheckTriggered('W');
    released += KEInputCheckReleased('W');
    held += KEInputCheckCurr('W');
  }
  EXPECT_EQ(triggered, 1);
  EXPECT_EQ(released, 1);
  EXPECT_EQ(held, 15);
}

TEST_F(InputTest, AKeyHeldAcrossAResetTriggersAgain) {
  test_input::Press(VK_SPACE);
  KEInputUpdate();
  KEInputUpdate();
  EXPECT_FALSE(KEInputCheckTriggered(VK_SPACE));
  KEInputReset();
  KEInputUpdate();
  EXPECT_TRUE(KEInputCheckTriggered(VK_SPACE));
  EXPECT_EQ(KEInputCheckPrev(VK_SPACE), 0);
}

TEST_F(InputTest, MouseButtonsShareTheTableAndCodesWrapAt256) {
  test_input::Press(VK_LBUTTON);
  test_input::Press(VK_MBUTTON);
  KEInputUpdate();
  EXPECT_TRUE(KEInputCheckTriggered(VK_LBUTTON));
  EXPECT_FALSE(KEInputCheckTriggered(VK_RBUTTON));
  EXPECT_TRUE(KEInputCheckTriggered(VK_MBUTTON));
  EXPECT_EQ(KEInputCheckCurr(0x100 + VK_LBUTTON), 1);
  EXPECT_EQ(KEInputCheckCurr(0xFFFFFF00u + VK_MBUTTON), 1);
}

// A state's first frame is no mouse move: the cursor only moves from where it was sampled.
TEST_F(InputTest, CursorDeltaStartsAtTheFirstSampleAfterReset) {
  test_input::SetCursor(120, 80);
  KEInputUpdate();
  int x, y, dx, dy;
  KEInputGetCursorPosition(&x, &y);
  KEInputGetCursorPositionDelta(&dx, &dy);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 80);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 0);
  test_input::SetCursor(100, 90);
  KEInputUpdate();
  KEInputGetCursorPositionDelta(&dx, &dy);
  EXPECT_EQ(dx, -20);
  EXPECT_EQ(dy, 10);
}

}  // namespace
