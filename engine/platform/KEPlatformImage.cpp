// Picture decoding with SDL2_image into 8-bit RGBA rows, top row first.
#include "KEPlatform.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {
std::string gLastError;
}

const char* KEPlatformLastError() { return gLastError.c_str(); }

void KEPlatformSetLastError(const char* text) { gLastError = text ? text : ""; }

int KEPlatformImageLoad(const char* path, KEPlatformImage* image) {
  *image = KEPlatformImage{0, 0, nullptr};
  SDL_Surface* loaded = path ? IMG_Load(path) : nullptr;
  if (!loaded) {
    KEPlatformSetLastError(path ? IMG_GetError() : "no file name");
    return 0;
  }
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(loaded);
  if (!rgba) {
    KEPlatformSetLastError(SDL_GetError());
    return 0;
  }
  const size_t rowBytes = size_t(rgba->w) * 4;
  unsigned char* pixels = static_cast<unsigned char*>(std::malloc(rowBytes * rgba->h + 1));
  if (!pixels) {
    KEPlatformSetLastError("out of memory");
    SDL_FreeSurface(rgba);
    return 0;
  }
  SDL_LockSurface(rgba);
  for (int row = 0; row < rgba->h; ++row)
    std::memcpy(pixels + rowBytes * row, static_cast<unsigned char*>(rgba->pixels) +
                                             size_t(rgba->pitch) * row, rowBytes);
  SDL_UnlockSurface(rgba);
  *image = KEPlatformImage{rgba->w, rgba->h, pixels};
  SDL_FreeSurface(rgba);
  return 1;
}

void KEPlatformImageFree(KEPlatformImage* image) {
  if (!image) return;
  std::free(image->pixels);
  *image = KEPlatformImage{0, 0, nullptr};
}
