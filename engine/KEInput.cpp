// The input module: a snapshot of keys and cursor per frame, and the previous one.
#include "KEInput.h"

#include <cstring>

#include "KESystem.h"
#include "platform/KEPlatform.h"

namespace {

struct InputState {
  unsigned char current[256];
  unsigned char previous[256];
  int cursorX, cursorY;
  int deltaX, deltaY;
};
InputState gInput;

}  // namespace

int KEInputInit() { return 1; }

void KEInputReset() { gInput = InputState(); }

void KEInputUpdate() {
  std::memcpy(gInput.previous, gInput.current, sizeof gInput.current);
  KEPlatformReadKeys(gInput.current);
  int x = 0, y = 0;
  KEPlatformReadCursor(&x, &y);
  gInput.deltaX = x - gInput.cursorX;
  gInput.deltaY = y - gInput.cursorY;
  gInput.cursorX = x;
  gInput.cursorY = y;
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
