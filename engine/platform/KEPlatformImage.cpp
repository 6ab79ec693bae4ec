// Picture decoding with SDL2_image into 8-bit RGBA rows, top row first.
#include "KEPlatform.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
std::string gLastError;

enum class PictureKind { kUnknown, kPng, kBmp };

uint32_t BigEndian32(const unsigned char* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
uint32_t LittleEndian32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint32_t LittleEndian16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

// The decoders allocate width x height pixels before reading a single one, so the size a
// file claims is read here first, from the header the decoder itself will trust: a PNG's
// IHDR (which must come first), a BMP's info header. Sizes are kept wide so that a
// claimed 4 billion pixels is compared, not wrapped.
PictureKind ReadSize(const unsigned char* head, size_t length, int64_t* width, int64_t* height) {
  static const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (length >= 24 && std::memcmp(head, kPngSignature, 8) == 0 &&
      std::memcmp(head + 12, "IHDR", 4) == 0) {
    *width = BigEndian32(head + 16);
    *height = BigEndian32(head + 20);
    return PictureKind::kPng;
  }
  if (length >= 26 && head[0] == 'B' && head[1] == 'M') {
    if (LittleEndian32(head + 14) == 12) {  // the old OS/2 header, 16-bit sizes
      *width = LittleEndian16(head + 18);
      *height = LittleEndian16(head + 20);
    } else {  // a negative height means rows stored top first
      *width = int32_t(LittleEndian32(head + 18));
      *height = int32_t(LittleEndian32(head + 22));
    }
    if (*width < 0) *width = -*width;
    if (*height < 0) *height = -*height;
    return PictureKind::kBmp;
  }
  return PictureKind::kUnknown;
}

uint32_t Crc32(uint32_t crc, const unsigned char* bytes, size_t length) {
  static uint32_t table[256];
  if (table[1] == 0) {
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
  }
  crc = ~crc;
  for (size_t i = 0; i < length; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

// PNG's decoder prints its own line about a file cut short or damaged: every chunk is
// checked against its checksum, up to the closing one, before the decoder sees the file.
// An empty text when the file is whole, else what is wrong with it.
std::string PngDamage(SDL_RWops* file) {
  const char* cut = "the file ends before the picture does";
  if (SDL_RWseek(file, 8, RW_SEEK_SET) != 8) return cut;
  for (;;) {
    unsigned char head[8], block[65536];
    if (SDL_RWread(file, head, 1, 8) != 8) return cut;
    uint32_t crc = Crc32(0, head + 4, 4);
    for (uint32_t left = BigEndian32(head); left > 0;) {
      const size_t want = left < sizeof block ? left : sizeof block;
      if (SDL_RWread(file, block, 1, want) != want) return cut;
      crc = Crc32(crc, block, want);
      left -= uint32_t(want);
    }
    if (SDL_RWread(file, block, 1, 4) != 4) return cut;
    if (BigEndian32(block) != crc) return "damaged (a checksum does not match)";
    if (std::memcmp(head + 4, "IEND", 4) == 0) return "";
  }
}

// Opens the file, checks the size it claims against maxSide and decodes it only then.
SDL_Surface* DecodeBounded(const char* path, int maxSide) {
  SDL_RWops* file = SDL_RWFromFile(path, "rb");
  if (!file) {
    KEPlatformSetLastError(SDL_GetError());
    return nullptr;
  }
  unsigned char head[26] = {};
  const size_t length = SDL_RWread(file, head, 1, sizeof head);
  int64_t width = 0, height = 0;
  const PictureKind kind = ReadSize(head, length, &width, &height);
  SDL_Surface* decoded = nullptr;
  if (kind == PictureKind::kUnknown) {
    KEPlatformSetLastError("not a PNG or BMP picture");
  } else if (width > maxSide || height > maxSide) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    KEPlatformSetLastError(
        (size + " pixels, more than " + std::to_string(maxSide) + " a side").c_str());
  } else if (const std::string damage = kind == PictureKind::kPng ? PngDamage(file) : "";
             !damage.empty()) {
    KEPlatformSetLastError(damage.c_str());
  } else if (SDL_RWseek(file, 0, RW_SEEK_SET) != 0) {
    KEPlatformSetLastError(SDL_GetError());
  } else {
    // The decoder for the kind just checked, never one guessed again from the contents.
    decoded = kind == PictureKind::kPng ? IMG_LoadPNG_RW(file) : IMG_LoadBMP_RW(file);
    if (!decoded) KEPlatformSetLastError(IMG_GetError());
  }
  SDL_RWclose(file);
  return decoded;
}

}  // namespace

const char* KEPlatformLastError() { return gLastError.c_str(); }

void KEPlatformSetLastError(const char* text) { gLastError = text ? text : ""; }

int KEPlatformImageLoad(const char* path, KEPlatformImage* image, int maxSide) {
  *image = KEPlatformImage{0, 0, nullptr};
  if (!path) {
    KEPlatformSetLastError("no file name");
    return 0;
  }
  SDL_Surface* loaded = DecodeBounded(path, maxSide);
  if (!loaded) return 0;
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
