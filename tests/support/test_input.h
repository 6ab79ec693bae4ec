// Scripted keyboard, cursor and clock for tests, fed through the platform's input seam.
#pragma once

#include <cstdint>

namespace test_input {

// Counts per second of the test clock: a power of two times 60, so that a frame of
// 1/60 s is a whole number of counts and measures exactly 1/60 s in double precision.
constexpr uint64_t kFrequency = 60 * 1024;

void Install();  // takes over keys, cursor and clock; everything up, cursor (0, 0), focused
void Uninstall();  // back to the machine's own
void Press(unsigned int key);
void Release(unsigned int key);
void ReleaseAll();
void SetCursor(int x, int y);
void AdvanceClock(double seconds);  // time spent inside a frame's work
// Every frame from now on takes this long at least, as on a slow machine (0: no time).
void SetFrameWork(double seconds);
uint64_t Now();

}  // namespace test_input
