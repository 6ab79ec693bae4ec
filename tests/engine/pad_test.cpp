// A pad plugged in, pressed, pushed and pulled out, through SDL's own events.
#include <gtest/gtest.h>

#include "KEInput.h"
#include "KESystem.h"
#include "gl_environment.h"
#include "virtual_pad.h"

namespace {

// One frame's worth: the event queue, then the snapshot.
void Sample() {
  KESysUpdate();
  KEInputUpdate();
}

TEST(Pad, ButtonsTriggersAndSticksReachTheGameAndAPulledPadIsNoticed) {
  KEInputReset();
  VirtualPad pad;
  Sample();
  ASSERT_EQ(KEInputPadCount(), 1);
  EXPECT_FALSE(KEInputPadRemoved());

  // A tap released before the frame looks still counts once.
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  KESysUpdate();
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  Sample();
  EXPECT_TRUE(KEInputCheckTriggered(VK_GAMEPAD_A));
  EXPECT_EQ(KEInputLastDevice(), KE_INPUT_PAD);
  Sample();
  EXPECT_FALSE(KEInputCheckCurr(VK_GAMEPAD_A));
  // A new screen resets the input, but the pad stays in the player's hands.
  KEInputReset();
  Sample();
  EXPECT_EQ(KEInputLastDevice(), KE_INPUT_PAD);

  struct Push {
    SDL_GameControllerAxis axis;
    float value;
    unsigned key;  // pressed from half way
    float stickX;  // the left stick's x as the game reads it
  };
  const Push pushes[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, 0.2f, 0, 0.0f},  // inside the dead zone
      {SDL_CONTROLLER_AXIS_LEFTX, 0.45f, 0, 0.2667f},
      {SDL_CONTROLLER_AXIS_LEFTX, 1.0f, VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT, 1.0f},
      {SDL_CONTROLLER_AXIS_LEFTX, -0.6f, VK_GAMEPAD_LEFT_THUMBSTICK_LEFT, -0.4667f},
      {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.4f, 0, 0.0f},
      {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.9f, VK_GAMEPAD_RIGHT_TRIGGER, 0.0f},
  };
  for (const Push& push : pushes) {
    SCOPED_TRACE(::testing::Message() << "axis " << push.axis << " at " << push.value);
    pad.Rest();
    pad.Axis(push.axis, push.value);
    Sample();
    float x = 0, y = 0;
    KEInputGetPadStick(0, &x, &y);
    EXPECT_NEAR(x, push.stickX, 0.01f);
    EXPECT_EQ(y, 0.0f);
    for (unsigned key : {VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT, VK_GAMEPAD_LEFT_THUMBSTICK_LEFT,
                         VK_GAMEPAD_RIGHT_TRIGGER})
      EXPECT_EQ(KEInputCheckCurr(key), key == push.key ? 1 : 0) << "key " << key;
  }

  pad.Rest();
  Sample();
  pad.PullOut();
  Sample();
  EXPECT_TRUE(KEInputPadRemoved());
  EXPECT_EQ(KEInputPadCount(), 0);
  Sample();
  EXPECT_FALSE(KEInputPadRemoved()) << "noticed once";
  pad.PlugIn();
  Sample();
  EXPECT_EQ(KEInputPadCount(), 1) << "plugged in again";
}

}  // namespace
