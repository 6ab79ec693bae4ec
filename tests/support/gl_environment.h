// The one engine window shared by every GL test of a test program.
#pragma once

// Switches between full screen (the view scaled 2x over the 1600 x 1200 virtual screen) and
// the 800 x 600 window, and waits until the X server has applied the new size.
void GlTestSetFullScreen(bool on);
#include <vector>

// Reads one pixel of the back buffer; x, y in drawable pixels from the bottom-left.
void GlTestReadPixel(int x, int y, unsigned char rgba[4]);
// The whole back buffer, RGBA rows from the bottom; its size is the drawable's.
std::vector<unsigned char> GlTestReadScreen();
