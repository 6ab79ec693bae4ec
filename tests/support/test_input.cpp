#include "test_input.h"

#include <cmath>
#include <cstring>

#include "KESystem.h"
#include "platform/KEPlatform.h"

namespace test_input {
namespace {

unsigned char gKeys[256];
int gCursorX, gCursorY;
uint64_t gNow;
uint64_t gWork;

// Every frame reads the keys once, at its start: its work takes the set time from there.
void ReadKeys(unsigned char keys[256]) {
  std::memcpy(keys, gKeys, sizeof gKeys);
  gNow += gWork;
}
void ReadCursor(int* x, int* y) {
  *x = gCursorX;
  *y = gCursorY;
}
uint64_t Counter() { return gNow; }
uint64_t Frequency() { return kFrequency; }
void WaitUntil(uint64_t deadline) {
  if (deadline > gNow) gNow = deadline;
}

}  // namespace

void Install() {
  // On a bare X server the focus follows the pointer; scripted play has the focus.
  gKESysAppActive = 1;
  ReleaseAll();
  gCursorX = gCursorY = 0;
  gNow = 1000;
  gWork = 0;
  static const KEPlatformInputSource source = {ReadKeys, ReadCursor, Counter, Frequency,
                                               WaitUntil};
  KEPlatformSetInputSource(&source);
}

void Uninstall() { KEPlatformSetInputSource(nullptr); }

void Press(unsigned int key) { gKeys[key & 0xFF] = 0x80; }

void Release(unsigned int key) { gKeys[key & 0xFF] = 0; }

void ReleaseAll() { std::memset(gKeys, 0, sizeof gKeys); }

void SetCursor(int x, int y) {
  gCursorX = x;
  gCursorY = y;
}

void AdvanceClock(double seconds) { gNow += uint64_t(std::llround(seconds * kFrequency)); }

void SetFrameWork(double seconds) { gWork = uint64_t(std::llround(seconds * kFrequency)); }

uint64_t Now() { return gNow; }

}  // namespace test_input
