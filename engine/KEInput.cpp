// The input module: a snapshot of keys and cursor per frame, and the previous one.
#include "KEInput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "KESystem.h"
#include "platform/KEPlatform.h"

namespace {

struct InputState {
  unsigned char current[256];
  unsigned char previous[256];
  int cursorX, cursorY;
  int deltaX, deltaY;
  bool cursorSampled;  // false until the first update after a reset: no move to report yet
  float padAxes[6];
  unsigned padRemovals;  // the platform's count at the last update
  bool padRemoved;
  KEInputDevice lastDevice;
};
InputState gInput;

// A stick at rest rarely reads exactly 0; under this share of its throw it counts as 0.
constexpr float kDeadZone = 0.25f;

bool IsPadKey(int key) { return key >= VK_GAMEPAD_A && key <= VK_GAMEPAD_RIGHT_THUMBSTICK_LEFT; }

KEInputDevice DeviceInUse(const InputState& input) {
  bool pad = false, keyboardMouse = input.deltaX != 0 || input.deltaY != 0;
  for (int key = 1; key < 256; ++key) {
    if (!(input.current[key] & 0x80 & ~input.previous[key])) continue;
    (IsPadKey(key) ? pad : keyboardMouse) = true;
  }
  for (int stick = 0; stick < 2; ++stick) {
    float x = 0, y = 0;
    KEInputGetPadStick(stick, &x, &y);
    pad = pad || x != 0 || y != 0;
  }
  if (pad && !keyboardMouse) return KE_INPUT_PAD;
  if (keyboardMouse && !pad) return KE_INPUT_KEYBOARD_MOUSE;
  return input.lastDevice;
}

}  // namespace

int KEInputInit() { return 1; }

// Every new screen resets the input; the device in the player's hands stays the same, so
// its prompts must not fall back to the keyboard's until the pad is touched again.
void KEInputReset() {
  const KEInputDevice device = gInput.lastDevice;
  gInput = InputState();
  gInput.padRemovals = KEPlatformPadRemovals();
  gInput.lastDevice = device;
}

void KEInputUpdate() {
  std::memcpy(gInput.previous, gInput.current, sizeof gInput.current);
  KEPlatformReadKeys(gInput.current);
  int x = 0, y = 0;
  KEPlatformReadCursor(&x, &y);
  gInput.deltaX = gInput.cursorSampled ? x - gInput.cursorX : 0;
  gInput.deltaY = gInput.cursorSampled ? y - gInput.cursorY : 0;
  gInput.cursorSampled = true;
  gInput.cursorX = x;
  gInput.cursorY = y;
  KEPlatformReadPadAxes(gInput.padAxes);
  const unsigned removals = KEPlatformPadRemovals();
  gInput.padRemoved = removals != gInput.padRemovals;
  gInput.padRemovals = removals;
  gInput.lastDevice = DeviceInUse(gInput);
}

void KEInputExit() {}

int KEInputCheckCurr(unsigned int key) { return (gInput.current[key & 0xFF] & 0x80) ? 1 : 0; }

int KEInputCheckPrev(unsigned int key) { return (gInput.previous[key & 0xFF] & 0x80) ? 1 : 0; }

bool KEInputCheckTriggered(unsigned int key) {
  return (gInput.current[key & 0xFF] & 0x80 & ~gInput.previous[key & 0xFF]) != 0;
}

bool KEInputCheckReleased(unsigned int key) {
  return (gInput.previous[key & 0xFF] & 0x80 & ~gInput.current[key & 0xFF]) != 0;
}

// Client pixels are drawable pixels on X, so the cursor goes through the view's own fit.
void KEInputGetCursorPosition(int* x, int* y) {
  KEViewFromDrawable(KESysGetViewRect(), gInput.cursorX, gInput.cursorY, x, y);
}

void KEInputGetCursorPositionDelta(int* dx, int* dy) {
  *dx = int(float(gInput.deltaX) / KESysGetHorizontalScale());
  *dy = int(float(gInput.deltaY) / KESysGetVerticalScale());
}

void KEInputShowCursor(int show) { KEPlatformShowCursor(show); }

int KEInputPadCount() { return KEPlatformPadCount(); }

bool KEInputPadRemoved() { return gInput.padRemoved; }

int KEInputAddPadMapping(const char* line) { return KEPlatformAddPadMapping(line); }

void KEInputGetPadStick(int stick, float* x, float* y) {
  const int first = stick == 1 ? 2 : 0;
  const float sx = gInput.padAxes[first], sy = gInput.padAxes[first + 1];
  const float length = std::sqrt(sx * sx + sy * sy);
  if (length <= kDeadZone) {
    *x = *y = 0;
    return;
  }
  // Rescaled so that the edge of the dead zone is 0 and the rim 1, in the stick's direction.
  const float scaled = std::min(1.0f, (length - kDeadZone) / (1 - kDeadZone));
  *x = sx / length * scaled;
  *y = sy / length * scaled;
}

KEInputDevice KEInputLastDevice() { return gInput.lastDevice; }
