// The system module: start-up and shutdown order, the message pump, full screen.
#include "KESystem.h"

#include <cstdio>

#include "KEFrameRateController.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "platform/KEPlatform.h"

int gKESysAppActive = 0;

namespace {

const float kVersion = 3.05f;

struct SystemState {
  void* instance;
  KESysWindowProc windowProc;
  int windowExists;
  bool fullScreen;
};
SystemState gSys = {nullptr, nullptr, 0, false};

void HandleEvent(KEPlatformEventKind kind) {
  switch (kind) {
    case KE_PLATFORM_EVENT_CLOSE:
      // The context outlives the hidden window so that shutdown can still free GL objects.
      KEPlatformHideWindow();
      gSys.windowExists = 0;
      break;
    case KE_PLATFORM_EVENT_FOCUS_GAINED:
      gKESysAppActive = 1;
      break;
    case KE_PLATFORM_EVENT_FOCUS_LOST:
      gKESysAppActive = 0;
      break;
    case KE_PLATFORM_EVENT_TOGGLE_FULLSCREEN:
      KEToogleFullScreen(!gSys.fullScreen);
      break;
    default:
      break;
  }
}

}  // namespace

int KESysInit(void* instance, int /*showCommand*/, int width, int height, int /*createConsole*/,
              unsigned int maxFrameRate, KESysWindowProc windowProc) {
  // Standard output is the console on this platform, so the console flag changes nothing.
  gSys = SystemState{instance, windowProc, 0, false};
  std::printf("Kestrel Engine version: %2.2f\n\n", kVersion);
  if (!KEPlatformOpenWindow("Kestrel Engine", width, height)) return 0;
  gSys.windowExists = 1;
  gKESysAppActive = 1;
  if (!KEGfxInit(width, height)) {
    KEPlatformCloseWindow();
    gSys.windowExists = 0;
    return 0;
  }
  KEFrameRateControllerInit(maxFrameRate);
  return 1;
}

void KESysReset() {
  KEFrameRateControllerReset();
  KEInputReset();
}

void KESysUpdate() {
  for (KEPlatformEventKind kind; (kind = KEPlatformPollEvent()) != KE_PLATFORM_EVENT_NONE;) {
    if (gSys.windowProc)
      gSys.windowProc(kind);
    else
      HandleEvent(kind);
  }
}

void KESysExit() {
  KEGfxExit();
  KEPlatformCloseWindow();
  gSys.windowExists = 0;
}

void KESysFrameStart() {
  KEFrameRateControllerStart();
  KEGfxStart();
}

void KESysFrameEnd() {
  KEGfxEnd();
  KEFrameRateControllerEnd();
  KESysUpdate();
}

void* KESysGetWindowHandle() { return KEPlatformWindowHandle(); }

void KESysSetWindowTitle(const char* title) { KEPlatformSetTitle(title); }

void KESysSetWindowIcon(const char* path) { KEPlatformSetIcon(path); }

int KESysDoesWindowExist() { return gSys.windowExists; }

void KEToogleFullScreen(bool on) {
  gSys.fullScreen = on;
  KEPlatformSetFullScreen(on, KEGetWindowWidth(), KEGetWindowHeight());
}

bool KESysIsFullScreen() { return gSys.fullScreen; }

// Read from the drawable each time, so the view follows a resize or a full-screen switch
// the moment the drawable has its new size.
KEViewRect KESysGetViewRect() {
  int width, height;
  KEPlatformGetDrawableSize(&width, &height);
  return KEViewFit(width, height, KEGetWindowWidth(), KEGetWindowHeight());
}

float KESysGetHorizontalScale() { return KESysGetViewRect().scale; }

float KESysGetVerticalScale() { return KESysGetViewRect().scale; }

int KESysGetViewOffsetX() { return KESysGetViewRect().x; }

int KESysGetViewOffsetY() { return KESysGetViewRect().y; }

double KESysGetRefreshRate() { return KEPlatformRefreshRate(); }

int KESysSetSwapInterval(int interval) { return KEPlatformSetSwapInterval(interval); }
