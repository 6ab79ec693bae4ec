// window_probe: what the play tests and the README screenshot script need from a game
// window that xdotool does not give.
//   window_probe close WINDOW
//       asks the window to close, as its close box would (WM_DELETE_WINDOW)
//   window_probe unfocus WINDOW
//       takes the keyboard focus away from the window, as switching to another would
//   window_probe shot WINDOW FILE.png
//       saves what the window shows
//   window_probe match WINDOW PICTURE LEFT TOP WIDTH HEIGHT PERCENT SECONDS
//       waits up to SECONDS until at least PERCENT of PICTURE's opaque pixels, stretched
//       over the rectangle of the 800 x 600 view, show on screen; prints the share seen
//   window_probe place WINDOW X Y
//       prints the window pixel "X Y" at the middle of view pixel X, Y
//   window_probe bars WINDOW
//       fails unless every pixel around the view is dark; prints how many there are
// The view sits in the window as the game puts it: scaled alike both ways and centred.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "KEPlatform.h"
#include "KEViewFit.h"
#include "image.h"

namespace {

constexpr int kViewWidth = 800, kViewHeight = 600;
// Pictures are filtered when stretched and blended at their edges.
constexpr int kTolerance = 16;

int Usage() {
  std::fprintf(stderr,
               "usage: window_probe close WINDOW\n"
               "       window_probe unfocus WINDOW\n"
               "       window_probe shot WINDOW FILE.png\n"
               "       window_probe match WINDOW PICTURE LEFT TOP WIDTH HEIGHT PERCENT SECONDS\n"
               "       window_probe place WINDOW X Y\n"
               "       window_probe bars WINDOW\n");
  return 2;
}

// What the window shows, as straight RGBA.
bool Grab(Display* display, Window window, Image* out) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                            unsigned(attributes.height), AllPlanes, ZPixmap);
  if (!image) return false;
  out->width = attributes.width;
  out->height = attributes.height;
  out->rgba.resize(size_t(out->width) * out->height * 4);
  for (int y = 0; y < out->height; ++y) {
    for (int x = 0; x < out->width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      uint8_t* p = &out->rgba[(size_t(y) * out->width + x) * 4];
      p[0] = uint8_t((pixel & image->red_mask) >> __builtin_ctzl(image->red_mask));
      p[1] = uint8_t((pixel & image->green_mask) >> __builtin_ctzl(image->green_mask));
      p[2] = uint8_t((pixel & image->blue_mask) >> __builtin_ctzl(image->blue_mask));
      p[3] = 255;
    }
  }
  XDestroyImage(image);
  return true;
}

int Close(Display* display, Window window) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
  XSync(display, False);
  return sent ? 0 : 1;
}

// Share, in percent, of the picture's opaque pixels that the screen shows within tolerance.
double Seen(const Image& screen, const KEPlatformImage& picture, int left, int top, int width,
            int height) {
  const KEViewRect view = KEViewFit(screen.width, screen.height, kViewWidth, kViewHeight);
  long compared = 0, matching = 0;
  const int x0 = std::max(left, 0), x1 = std::min(left + width, kViewWidth);
  const int y0 = std::max(top, 0), y1 = std::min(top + height, kViewHeight);
  for (int vy = y0; vy < y1; vy += 2) {
    for (int vx = x0; vx < x1; vx += 2) {
      const int px = (vx - left) * picture.width / width;
      const int py = (vy - top) * picture.height / height;
      const unsigned char* want = picture.pixels + (size_t(py) * picture.width + px) * 4;
      if (want[3] != 255) continue;
      const int sx = view.x + vx * view.width / kViewWidth;
      const int sy = view.y + vy * view.height / kViewHeight;
      const uint8_t* got = &screen.rgba[(size_t(sy) * screen.width + sx) * 4];
      ++compared;
      bool close = true;
      for (int c = 0; c < 3; ++c)
        close = close && std::abs(int(got[c]) - int(want[c])) <= kTolerance;
      matching += close;
    }
  }
  return compared ? 100.0 * double(matching) / double(compared) : 0;
}

int Match(Display* display, Window window, char** args) {
  KEPlatformImage picture = {};
  if (!KEPlatformImageLoad(args[0], &picture)) {
    std::fprintf(stderr, "cannot read %s: %s\n", args[0], KEPlatformLastError());
    return 2;
  }
  const int left = std::atoi(args[1]), top = std::atoi(args[2]);
  const int width = std::max(1, std::atoi(args[3])), height = std::max(1, std::atoi(args[4]));
  const double wanted = std::atof(args[5]);
  const int tries = std::max(1, int(std::atof(args[6]) * 10));
  double seen = 0;
  for (int i = 0; i < tries; ++i) {
    if (i > 0) usleep(100 * 1000);
    Image screen;
    if (!Grab(display, window, &screen)) break;
    seen = Seen(screen, picture, left, top, width, height);
    if (seen >= wanted) break;
  }
  KEPlatformImageFree(&picture);
  std::printf("%.0f%%\n", seen);
  return seen >= wanted ? 0 : 1;
}

int Place(Display* display, Window window, char** args) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return 1;
  const KEViewRect view = KEViewFit(attributes.width, attributes.height, kViewWidth, kViewHeight);
  const int vx = std::atoi(args[0]), vy = std::atoi(args[1]);
  const long n = view.scaleNumerator, d = view.scaleDenominator;
  std::printf("%ld %ld\n", view.x + (2 * vx + 1) * n / (2 * d), view.y + (2 * vy + 1) * n / (2 * d));
  return 0;
}

int Bars(Display* display, Window window) {
  Image screen;
  if (!Grab(display, window, &screen)) return 1;
  const KEViewRect view = KEViewFit(screen.width, screen.height, kViewWidth, kViewHeight);
  long bar = 0, light = 0;
  for (int y = 0; y < screen.height; ++y) {
    for (int x = 0; x < screen.width; ++x) {
      if (x >= view.x && x < view.x + view.width && y >= view.y && y < view.y + view.height)
        continue;
      const uint8_t* p = &screen.rgba[(size_t(y) * screen.width + x) * 4];
      ++bar;
      light += p[0] > 32 || p[1] > 32 || p[2] > 32;
    }
  }
  std::printf("%ld bar pixels, %ld not dark\n", bar, light);
  return light == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const Window window = Window(std::strtoul(argv[2], nullptr, 0));
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "window_probe: no X display\n");
    return 2;
  }
  int status = -1;
  if (command == "close" && argc == 3) {
    status = Close(display, window);
  } else if (command == "unfocus" && argc == 3) {
    XSetInputFocus(display, DefaultRootWindow(display), RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    status = 0;
  } else if (command == "shot" && argc == 4) {
    Image screen;
    status = Grab(display, window, &screen) && WritePng(argv[3], screen) ? 0 : 1;
  } else if (command == "match" && argc == 10) {
    status = Match(display, window, argv + 3);
  } else if (command == "place" && argc == 5) {
    status = Place(display, window, argv + 3);
  } else if (command == "bars" && argc == 3) {
    status = Bars(display, window);
  }
  XCloseDisplay(display);
  if (status < 0) return Usage();
  return status;
}
