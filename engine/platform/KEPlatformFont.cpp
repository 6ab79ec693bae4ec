// System fonts by face name: fontconfig finds the file, SDL2_ttf draws the characters.
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <cstdio>
#include <string>

#include "KEPlatform.h"
#include "KEReport.h"

namespace {

const char* const kFallbackFace = "DejaVu Sans";
const int kMaxHeight = 1024;

struct FontFile {
  std::string path;
  int index;
  int weight;  // fontconfig's scale
  int slant;
};

bool HasFamily(FcPattern* font, const char* face) {
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (strcasecmp(reinterpret_cast<const char*>(family), face) == 0) return true;
  }
  return false;
}

// fontconfig always answers with its closest font, so only a font of the asked family counts.
bool FindFace(const char* face, bool bold, bool italic, FontFile* found) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(bold ? 700 : 100));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (font == nullptr) return false;

  FcChar8* file = nullptr;
  bool ok = HasFamily(font, face) && FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch;
  if (ok) {
    found->path = reinterpret_cast<const char*>(file);
    found->index = 0;
    found->weight = FC_WEIGHT_REGULAR;
    found->slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(font, FC_INDEX, 0, &found->index);
    FcPatternGetInteger(font, FC_WEIGHT, 0, &found->weight);
    FcPatternGetInteger(font, FC_SLANT, 0, &found->slant);
  }
  FcPatternDestroy(font);
  return ok;
}

void ClearGlyphs(KEPlatformGlyph glyphs[96]) {
  for (int i = 0; i < 96; ++i) glyphs[i] = KEPlatformGlyph{};
}

// Solid rendering is one bit deep already: palette index 0 is the background.
bool CopyGlyph(TTF_Font* font, int ascent, Uint32 code, KEPlatformGlyph* glyph) {
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  if (TTF_GlyphMetrics32(font, code, &minX, &maxX, &minY, &maxY, &advance) != 0) return false;
  glyph->advance = advance;
  SDL_Surface* surface = TTF_RenderGlyph32_Solid(font, code, SDL_Color{255, 255, 255, 255});
  // A space has no picture on some versions; the advance alone is enough.
  if (surface == nullptr) return true;
  glyph->width = surface->w;
  glyph->height = surface->h;
  // The picture starts at the leftmost ink when it reaches left of the pen, and its
  // baseline sits `ascent` rows below its top.
  glyph->originX = minX < 0 ? -minX : 0;
  glyph->originY = surface->h - ascent;
  glyph->pixels = new unsigned char[size_t(surface->w) * size_t(surface->h)];
  SDL_LockSurface(surface);
  const unsigned char* rows = static_cast<const unsigned char*>(surface->pixels);
  for (int y = 0; y < surface->h; ++y) {
    for (int x = 0; x < surface->w; ++x) {
      glyph->pixels[y * surface->w + x] = rows[y * surface->pitch + x] != 0 ? 1 : 0;
    }
  }
  SDL_UnlockSurface(surface);
  SDL_FreeSurface(surface);
  return true;
}

}  // namespace

int KEPlatformRenderFont(const char* face, int height, bool bold, bool italic,
                         KEPlatformGlyph glyphs[96]) {
  ClearGlyphs(glyphs);
  if (height < 1 || height > kMaxHeight) {
    KEReport("Font height %d is not between 1 and %d pixels; the font draws nothing", height,
             kMaxHeight);
    return 0;
  }
  FontFile file;
  if (face == nullptr || !FindFace(face, bold, italic, &file)) {
    if (!FindFace(kFallbackFace, bold, italic, &file)) {
      KEReport("No font \"%s\" and no %s; the font draws nothing", face ? face : "",
               kFallbackFace);
      return 0;
    }
    KEReport("No font \"%s\"; using %s", face ? face : "", kFallbackFace);
  }

  if (TTF_Init() != 0) {
    KEReport("Cannot start SDL_ttf: %s", TTF_GetError());
    return 0;
  }
  // At 72 dots per inch a point is a pixel, so this is the character height asked for.
  TTF_Font* font = TTF_OpenFontIndex(file.path.c_str(), height, file.index);
  if (font == nullptr) {
    KEReport("Cannot open font \"%s\": %s", file.path.c_str(), TTF_GetError());
    TTF_Quit();
    return 0;
  }
  // A family without a bold or italic face gets them drawn in.
  int style = TTF_STYLE_NORMAL;
  if (bold && file.weight < FC_WEIGHT_DEMIBOLD) style |= TTF_STYLE_BOLD;
  if (italic && file.slant == FC_SLANT_ROMAN) style |= TTF_STYLE_ITALIC;
  TTF_SetFontStyle(font, style);

  const int ascent = TTF_FontAscent(font);
  bool ok = true;
  for (int i = 0; i < 96 && ok; ++i) ok = CopyGlyph(font, ascent, Uint32(32 + i), &glyphs[i]);
  if (!ok) {
    KEReport("Cannot render font \"%s\": %s", file.path.c_str(), TTF_GetError());
    KEPlatformFreeGlyphs(glyphs);
  }
  TTF_CloseFont(font);
  TTF_Quit();
  return ok ? 1 : 0;
}

void KEPlatformFreeGlyphs(KEPlatformGlyph glyphs[96]) {
  for (int i = 0; i < 96; ++i) delete[] glyphs[i].pixels;
  ClearGlyphs(glyphs);
}
