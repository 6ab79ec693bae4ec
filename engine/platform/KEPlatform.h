// The only door from the engine to the machine. Everything below is implemented over
// SDL2 (window, events, keys, mouse, clock, GL context) and SDL2_image (pictures);
// nothing outside engine/platform includes an SDL header.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------------
// Window and GL context

// Starts SDL video and opens a centred, resizable window with a GL 2.0 capable
// context of width x height client pixels to begin with. Returns 1 on success; on failure
// prints one line saying why and returns 0.
int KEPlatformOpenWindow(const char* title, int width, int height);
// Makes the GL context and the window go away; SDL's video stays up until the process ends.
void KEPlatformCloseWindow();
int KEPlatformWindowIsOpen();
// Hides the window after the user asked to close it; the context stays valid until
// KEPlatformCloseWindow so that the engine can still release its GL objects.
void KEPlatformHideWindow();
void KEPlatformSetTitle(const char* title);
// Sets the window icon from a picture file of at most KE_PLATFORM_MAX_ICON_SIDE pixels a
// side; an unreadable or larger file leaves the window without one and says so in one line.
const int KE_PLATFORM_MAX_ICON_SIDE = 256;
void KEPlatformSetIcon(const char* path);
void KEPlatformGetScreenSize(int* width, int* height);
// The refresh rate of the window's display in Hz; 0 when unknown.
double KEPlatformRefreshRate();
// Shows each frame for `interval` refreshes (0: swap at once); returns the interval set,
// 0 when the driver refused it.
int KEPlatformSetSwapInterval(int interval);
// Borderless at (0, 0) with the screen's size when on, framed and centred otherwise.
void KEPlatformSetFullScreen(int on, int windowWidth, int windowHeight);
// Size of the GL drawable in pixels.
void KEPlatformGetDrawableSize(int* width, int* height);
void KEPlatformSwapBuffers();
int KEPlatformHasGLContext();
// Opaque handle for KESysGetWindowHandle.
void* KEPlatformWindowHandle();

// One drained event, already digested for the system module.
enum KEPlatformEventKind {
  KE_PLATFORM_EVENT_NONE = 0,
  KE_PLATFORM_EVENT_CLOSE,  // a close request, SIGHUP, or the window destroyed under us
  KE_PLATFORM_EVENT_FOCUS_GAINED,
  KE_PLATFORM_EVENT_FOCUS_LOST,
  KE_PLATFORM_EVENT_TOGGLE_FULLSCREEN,  // Alt+Enter
  KE_PLATFORM_EVENT_EXPOSED,  // uncovered, moved or resized: worth a redraw
};
// Queues a close request, as a click on the window's close box would.
void KEPlatformRequestClose();
// Returns the next pending event, or KE_PLATFORM_EVENT_NONE when the queue is empty.
KEPlatformEventKind KEPlatformPollEvent();

// Shows or hides the mouse cursor with a counter: visible while the counter is >= 0.
void KEPlatformShowCursor(int show);

// ---------------------------------------------------------------------------------
// Input and clock, with the test seam

// Fills a 256-entry table of Windows virtual-key codes (bit 0x80 = down) from the
// keyboard, mouse buttons (left 0x01, right 0x02, middle 0x04) and pads (0xC3 to 0xDA).
void KEPlatformReadKeys(unsigned char keys[256]);
// Cursor position in client pixels, origin top-left, y down.
void KEPlatformReadCursor(int* x, int* y);

uint64_t KEPlatformCounter();
uint64_t KEPlatformCounterFrequency();
// Returns once the counter has reached `deadline`, or earlier if the caller should
// read the counter again. Sleeps while far from the deadline so that a paced frame
// does not keep a core busy, then lets the caller spin the last two milliseconds.
void KEPlatformWaitUntil(uint64_t deadline);

// Game controllers. Their buttons are read with the keys (see KEPlatformReadKeys).
int KEPlatformPadCount();
// How many pads have been pulled out since the start; never goes down.
unsigned KEPlatformPadRemovals();
// Adds one pad mapping line in the community's format: 1 when it is taken, 0 when its
// platform field names another system, -1 when SDL refuses it (see KEPlatformLastError).
int KEPlatformAddPadMapping(const char* line);
// Sticks and triggers of the open pads, in SDL's axis order (left x, left y, right x,
// right y, left trigger, right trigger): -1 to 1, y down, triggers 0 to 1.
void KEPlatformReadPadAxes(float axes[6]);

// A test can take over the keyboard, the cursor and the clock while the window, the
// GL context and everything above stay real. Any null member keeps the real source.
struct KEPlatformInputSource {
  void (*readKeys)(unsigned char keys[256]);
  void (*readCursor)(int* x, int* y);
  uint64_t (*counter)();
  uint64_t (*frequency)();
  void (*waitUntil)(uint64_t deadline);
};
// Pass null to go back to the machine's own keyboard, mouse and clock.
void KEPlatformSetInputSource(const KEPlatformInputSource* source);

// ---------------------------------------------------------------------------------
// Pictures

struct KEPlatformImage {
  int width;
  int height;
  unsigned char* pixels;  // width * height * 4 bytes, R G B A, top row first
};
// No picture of the game comes near this many pixels a side; one that claims more (a
// damaged or hostile header) would cost gigabytes before it is found out.
const int KE_PLATFORM_MAX_PICTURE_SIDE = 8192;
// Decodes a PNG or BMP file no wider or taller than maxSide pixels, reading the size from
// its header before any pixel. Returns 1 on success; on failure prints nothing, leaves
// `image` empty and returns 0 (see KEPlatformLastError, which gives a refused size and the
// bound).
int KEPlatformImageLoad(const char* path, KEPlatformImage* image,
                        int maxSide = KE_PLATFORM_MAX_PICTURE_SIDE);
void KEPlatformImageFree(KEPlatformImage* image);
// Text of the last failure of KEPlatformImageLoad or KEPlatformOpenWindow.
const char* KEPlatformLastError();
void KEPlatformSetLastError(const char* text);

// ---------------------------------------------------------------------------------
// Fonts

// One character as a 1-bit picture, with the pen on the baseline at (originX, originY)
// counted from the picture's left column and bottom row.
struct KEPlatformGlyph {
  int width;
  int height;
  int originX;
  int originY;
  int advance;            // pixels the pen moves on to the next character
  unsigned char* pixels;  // width * height bytes, 1 where the character is, top row first
};
// Renders characters 32 to 127 of a system font found by face name (DejaVu Sans when no
// face has that name) with the character height in pixels. Returns 1 on success; on
// failure prints one line and returns 0 with every glyph empty.
int KEPlatformRenderFont(const char* face, int height, bool bold, bool italic,
                         KEPlatformGlyph glyphs[96]);
void KEPlatformFreeGlyphs(KEPlatformGlyph glyphs[96]);

// ---------------------------------------------------------------------------------
// Console

// Waits for a key press when standard input is a terminal; returns at once otherwise
// so that a fatal report never hangs a test or a CI run.
void KEPlatformWaitForKeyIfInteractive();
