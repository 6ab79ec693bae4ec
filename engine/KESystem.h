// System module: the one window, the per-frame system duties and the full-screen switch.
#pragma once

#include "KEViewFit.h"

extern int gKESysAppActive;  // 1 while the window has the focus; set only by the message pump

// Window procedure: when given, it handles every platform event in place of the engine's
// own handling (which is what clears the window-exists flag on a close).
typedef void (*KESysWindowProc)(int eventKind);

// Life cycle
int KESysInit(void* instance, int showCommand, int width, int height, int createConsole,
              unsigned int maxFrameRate, KESysWindowProc windowProc);  // 1 success, 0 failure
void KESysReset();  // frame-rate controller and input tables
void KESysUpdate();  // drains and handles every pending window event
void KESysExit();

// Frame bracket
void KESysFrameStart();  // frame-rate controller start, then graphics start
void KESysFrameEnd();    // graphics end, frame-rate controller end, message pump

// Window
void* KESysGetWindowHandle();
void KESysSetWindowTitle(const char* title);
void KESysSetWindowIcon(const char* path);  // picture file; a missing one leaves no icon
int KESysDoesWindowExist();
void KEToogleFullScreen(bool on);
bool KESysIsFullScreen();
double KESysGetRefreshRate();  // Hz of the window's display; 0 when unknown
int KESysSetSwapInterval(int interval);  // refreshes a frame is shown for; 0 = no vsync; returns the one set

// The view in the drawable: one uniform scale, the largest at which the whole view fits,
// and the view centred with bars around it. Exactly 1.0 at the origin in a window of the
// view's own size; both scales are always the same number.
KEViewRect KESysGetViewRect();
float KESysGetHorizontalScale();
float KESysGetVerticalScale();
// Top-left corner of the view in the drawable, in drawable pixels, y counted down.
int KESysGetViewOffsetX();
int KESysGetViewOffsetY();
