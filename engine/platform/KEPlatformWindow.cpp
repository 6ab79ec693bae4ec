// The window, its GL context and its events over SDL2.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <malloc.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "KEPlatform.h"
#include "KEPlatformEvents.h"
#include "KEReport.h"

namespace {

struct PlatformWindow {
  SDL_Window* window;
  SDL_GLContext context;
  bool visible;
};
PlatformWindow gWin;

// SDL turns SIGTERM and SIGINT into a close request; a hang-up (the terminal that started
// the game went away, or the session ends) asks the same of us.
volatile std::sig_atomic_t gHangUp = 0;

void OnHangUp(int) { gHangUp = 1; }

void CloseOnHangUp() {
  struct sigaction current = {};
  sigaction(SIGHUP, nullptr, &current);
  // Started under nohup, a hang-up stays ignored.
  if (current.sa_handler != SIG_DFL) return;
  struct sigaction action = {};
  action.sa_handler = OnHangUp;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGHUP, &action, nullptr);
}

// Another client may destroy our window under us (a window manager's kill, or `xdotool
// windowclose`). The X server then answers every later request on it with an error, and
// Xlib's own handler prints each and ends the process. Errors about our own window that
// is gone become a close request instead; every other error goes on to the handler we
// found.
Window gXWindow = 0;
bool gXWindowLost = false;  // the X server said our window is gone
bool gXWindowLossReported = false;
XErrorHandler gNextXErrorHandler = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
  if (gXWindow != 0 && error->resourceid == gXWindow &&
      (error->error_code == BadWindow || error->error_code == BadDrawable)) {
    gXWindowLost = true;
    return 0;
  }
  return gNextXErrorHandler ? gNextXErrorHandler(display, error) : 0;
}

// Another client may also cut our connection to the X server (`xdotool windowkill`, a
// window manager's force quit). Nothing can be drawn or read any more, and Xlib ends the
// process once this returns; every setting and win is already on disk, so the game ends
// as when its window is closed.
int OnXConnectionLost(Display*) {
  std::fflush(stdout);
  _exit(0);
}

void WatchForLostWindow() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(gWin.window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  gXWindow = info.info.x11.window;
  gXWindowLost = gXWindowLossReported = false;
  static bool installed = false;
  if (!installed) {
    gNextXErrorHandler = XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXConnectionLost);
    installed = true;
  }
}

// A window manager honours SDL's full-screen flag; bare X (Xvfb) does not, and the
// flag alone would leave the X window small while the drawable claims the screen.
bool WindowManagerRunning() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(gWin.window, &info)) return false;
  if (info.subsystem != SDL_SYSWM_X11) return true;
  Display* display = info.info.x11.display;
  Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                  XA_WINDOW, &type, &format, &count, &after, &data);
  bool present = status == Success && type == XA_WINDOW && count == 1;
  if (data) XFree(data);
  return present;
}

int ReportNoDisplay(const char* why) {
  KEPlatformSetLastError(why);
  KEReport("No display to open the window on (%s): start the game from a desktop session.", why);
  return 0;
}

}  // namespace

int KEPlatformOpenWindow(const char* title, int width, int height) {
  // The GL driver allocates and frees the same large blocks every frame; without a high
  // trim threshold glibc hands them back to the system and faults them in again.
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);

  // GLEW loads its entry points through GLX, so the game runs on X (XWayland included).
  // Without a display SDL would fall back to an off-screen driver that has no GL for us.
  const bool driverChosen = SDL_getenv("SDL_VIDEODRIVER") != nullptr;
  const bool haveDisplay = SDL_getenv("DISPLAY") && *SDL_getenv("DISPLAY");
  if (!driverChosen && !haveDisplay) return ReportNoDisplay("DISPLAY is not set");
  if (!driverChosen) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    return ReportNoDisplay(SDL_GetError());
  }
  KEPlatformPadStart();
  CloseOnHangUp();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  // Nothing is depth- or stencil-tested: without those buffers a software rasteriser has
  // less to clear each frame, and may drop what an opaque draw covers entirely.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

  gWin.window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                 height,
                                 SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (!gWin.window) {
    KEPlatformSetLastError(SDL_GetError());
    KEReport("Could not open a %dx%d window: %s", width, height, KEPlatformLastError());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return 0;
  }
  gWin.visible = true;
  WatchForLostWindow();
  gWin.context = SDL_GL_CreateContext(gWin.window);
  if (!gWin.context) {
    KEPlatformSetLastError(SDL_GetError());
    KEReport("Could not create an OpenGL context: %s", KEPlatformLastError());
    return 1;  // the window exists; the graphics start reports the missing context
  }
  SDL_GL_MakeCurrent(gWin.window, gWin.context);
  SDL_GL_SetSwapInterval(0);
  return 1;
}

double KEPlatformRefreshRate() {
  SDL_DisplayMode mode;
  const int display = gWin.window ? SDL_GetWindowDisplayIndex(gWin.window) : -1;
  if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
  return mode.refresh_rate;
}

int KEPlatformSetSwapInterval(int interval) {
  if (!gWin.context) return 0;
  if (SDL_GL_SetSwapInterval(interval) == 0) return interval;
  SDL_GL_SetSwapInterval(0);
  return 0;
}

void KEPlatformCloseWindow() {
  KEPlatformPadStop();
  if (gWin.context) SDL_GL_DeleteContext(gWin.context);
  if (gWin.window) SDL_DestroyWindow(gWin.window);

  // SDL's video stays up until the process ends: quitting it unloads the GL driver, whose
  // few lifetime allocations the leak checker could then no longer attribute.
  gWin = PlatformWindow();
}

int KEPlatformWindowIsOpen() { return gWin.window && gWin.visible; }

int KEPlatformHasGLContext() { return gWin.context != nullptr; }

void KEPlatformHideWindow() {
  if (gWin.window) SDL_HideWindow(gWin.window);
  gWin.visible = false;
}

void KEPlatformSetTitle(const char* title) {
  if (gWin.window) SDL_SetWindowTitle(gWin.window, title ? title : "");
}

void KEPlatformSetIcon(const char* path) {
  if (!gWin.window || !path) return;
  // X carries the icon in one request, which a large picture overflows: the game would end.
  KEPlatformImage picture = {};
  if (!KEPlatformImageLoad(path, &picture, KE_PLATFORM_MAX_ICON_SIDE)) {
    KEReport("Could not load picture \"%s\": %s", path, KEPlatformLastError());
    return;
  }
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
      picture.pixels, picture.width, picture.height, 32, picture.width * 4, SDL_PIXELFORMAT_RGBA32);
  if (icon) {
    SDL_SetWindowIcon(gWin.window, icon);
    SDL_FreeSurface(icon);
  } else {
    KEReport("Could not load picture \"%s\": %s", path, SDL_GetError());
  }
  KEPlatformImageFree(&picture);
}

void KEPlatformGetScreenSize(int* width, int* height) {
  SDL_DisplayMode mode;
  int display = gWin.window ? SDL_GetWindowDisplayIndex(gWin.window) : 0;
  if (display < 0 || SDL_GetDesktopDisplayMode(display, &mode) != 0) {
    mode.w = 800;
    mode.h = 600;
  }
  *width = mode.w;
  *height = mode.h;
}

void KEPlatformSetFullScreen(int on, int windowWidth, int windowHeight) {
  if (!gWin.window) return;
  int screenWidth, screenHeight;
  KEPlatformGetScreenSize(&screenWidth, &screenHeight);
  if (on) {
    SDL_SetWindowBordered(gWin.window, SDL_FALSE);
    SDL_SetWindowPosition(gWin.window, 0, 0);
    SDL_SetWindowSize(gWin.window, screenWidth, screenHeight);
    if (WindowManagerRunning()) SDL_SetWindowFullscreen(gWin.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(gWin.window, 0);
    SDL_SetWindowBordered(gWin.window, SDL_TRUE);
    SDL_SetWindowSize(gWin.window, windowWidth, windowHeight);
    SDL_SetWindowPosition(gWin.window, screenWidth / 2 - windowWidth / 2,
                          screenHeight / 2 - windowHeight / 2);
  }
  SDL_RaiseWindow(gWin.window);
}

void KEPlatformGetDrawableSize(int* width, int* height) {
  *width = *height = 0;
  if (gWin.window) SDL_GL_GetDrawableSize(gWin.window, width, height);
}

void KEPlatformSwapBuffers() {
  if (gWin.window) SDL_GL_SwapWindow(gWin.window);
}

void* KEPlatformWindowHandle() { return gWin.window; }

void KEPlatformRequestClose() {
  SDL_Event event = {};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

KEPlatformEventKind KEPlatformPollEvent() {
  if (gHangUp) {
    gHangUp = 0;
    return KE_PLATFORM_EVENT_CLOSE;
  }
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN || event.type == SDL_MOUSEBUTTONDOWN ||
        event.type == SDL_CONTROLLERBUTTONDOWN)
      KEPlatformNotePress(event);
    KEPlatformPadEvent(event);
    switch (event.type) {
      case SDL_QUIT:
        return KE_PLATFORM_EVENT_CLOSE;
      case SDL_WINDOWEVENT:
        switch (event.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            return KE_PLATFORM_EVENT_CLOSE;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            return KE_PLATFORM_EVENT_FOCUS_GAINED;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            return KE_PLATFORM_EVENT_FOCUS_LOST;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_MOVED:
          // The view is fitted to the drawable every frame; a new size only needs a redraw.
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            return KE_PLATFORM_EVENT_EXPOSED;
          default:
            break;
        }
        break;
      case SDL_KEYDOWN:
        if (event.key.keysym.scancode == SDL_SCANCODE_RETURN && !event.key.repeat &&
            (event.key.keysym.mod & KMOD_ALT))
          return KE_PLATFORM_EVENT_TOGGLE_FULLSCREEN;
        break;
      default:
        break;
    }
  }
  // The queue just read holds the errors that say the window is gone, and before them the
  // unmap that came with its destruction: SDL knows it hidden and will not hide it again.
  if (gXWindowLost && !gXWindowLossReported) {
    gXWindowLossReported = true;
    return KE_PLATFORM_EVENT_CLOSE;
  }
  return KE_PLATFORM_EVENT_NONE;
}

void KEPlatformWaitForKeyIfInteractive() {
  if (!isatty(fileno(stdin))) return;
  std::printf("Press Enter to quit.\n");
  std::fflush(stdout);
  std::getchar();
}
