// Bitmap-font text: one GL display list per character 32 to 127, drawn with glBitmap at
// a raster position that goes through the current shader program.
#include <cstdio>
#include <vector>

#include "KEGfxLocal.h"
#include "KEGraphics.h"
#include "KEReport.h"
#include "KESystem.h"
#include "platform/KEPlatform.h"

namespace {

const int kFirstCode = 32;
const int kLastCode = 127;
const int kCodes = kLastCode - kFirstCode + 1;
const int kMaxPrinted = 255;

// glBitmap wants one bit per pixel, bottom row first, most significant bit leftmost.
void PackBits(const KEPlatformGlyph& glyph, std::vector<GLubyte>* bits) {
  const int rowBytes = (glyph.width + 7) / 8;
  bits->assign(size_t(rowBytes) * size_t(glyph.height) + 1, 0);
  for (int row = 0; row < glyph.height; ++row) {
    const unsigned char* source = glyph.pixels + (glyph.height - 1 - row) * glyph.width;
    GLubyte* out = bits->data() + row * rowBytes;
    for (int x = 0; x < glyph.width; ++x) {
      if (source[x]) out[x / 8] |= GLubyte(0x80u >> (x % 8));
    }
  }
}

bool OutsideStartArea(int x, int y) {
  const float w = float(KEGetWindowWidth()), h = float(KEGetWindowHeight());
  float camX = 0.0f, camY = 0.0f;
  KEGfxGetCamPosition(&camX, &camY);
  // A string may start up to one view left of or below the view, never right of or above it.
  return x < int(camX - w * 0.5f + 1.0f) - int(w) || x > int(camX + w * 0.5f - 1.0f) ||
         y < int(camY - h * 0.5f + 1.0f) - int(h) || y > int(camY + h * 0.5f - 1.0f);
}

}  // namespace

unsigned int KEGfxCreateFont(const char* faceName, int height, bool bold, bool italic) {
  const GLuint base = glGenLists(kCodes);
  if (base == 0) {
    KEReport("KEGfxCreateFont: no display lists left");
    return 0;
  }
  // A font that cannot be rendered still gets its lists, empty, so it draws nothing.
  KEPlatformGlyph glyphs[kCodes];
  KEPlatformRenderFont(faceName, height, bold, italic, glyphs);

  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  std::vector<GLubyte> bits;
  for (int i = 0; i < kCodes; ++i) {
    const KEPlatformGlyph& glyph = glyphs[i];
    PackBits(glyph, &bits);
    glNewList(base + GLuint(i), GL_COMPILE);
    glBitmap(glyph.width, glyph.height, float(glyph.originX), float(glyph.originY),
             float(glyph.advance), 0.0f, bits.data());
    glEndList();
  }
  glPopClientAttrib();
  KEPlatformFreeGlyphs(glyphs);
  return base;
}

void KEGfxDestroyFont(unsigned int font) {
  if (font != 0) glDeleteLists(font, kCodes);
}

void KEGfxPrint(unsigned int font, const char* text, int x, int y, float r, float g, float b) {
  if (text == nullptr || font == 0 || KEGfxCurrentRenderMode() == KE_RENDER_NONE) return;
  if (OutsideStartArea(x, y)) return;

  // The text is printed as it is, never read as a format; codes without a list are skipped.
  GLubyte codes[kMaxPrinted];
  GLsizei count = 0;
  for (int i = 0; i < kMaxPrinted && text[i] != '\0'; ++i) {
    const unsigned char code = static_cast<unsigned char>(text[i]);
    if (code >= kFirstCode && code <= kLastCode) codes[count++] = code;
  }

  // Three views wide and high with a view matrix shrunk to match: a string starting off
  // screen keeps a valid raster position while every point lands where it normally would.
  int left, bottom, width, height;
  KEGfxGetViewport(&left, &bottom, &width, &height);
  const float scaleX = KESysGetHorizontalScale(), scaleY = KESysGetVerticalScale();
  glViewport(left - width, bottom - height, 3 * width, 3 * height);
  KEGfxSetPosition(0.0f, 0.0f);
  KEGfxSendViewMatrix(scaleX * (1.0f / 3.0f), scaleY * (1.0f / 3.0f));
  KEGfxSetBlendColor(r, g, b, 1.0f);
  // The raster position and the characters' colour go through the program as a mesh would.
  KEGfxBeginDraw();
  // Some drivers (Mesa) feed a raster position to a shader from attribute 0's current value
  // rather than from the position given, so that value is set too.
  glVertexAttrib4f(0, float(x), float(y), 0.0f, 1.0f);
  glRasterPos2f(float(x), float(y));

  // Characters are solid: blending would take the fragment's opacity from a vertex colour
  // or texel that a raster position does not reliably carry.
  glPushAttrib(GL_LIST_BIT | GL_COLOR_BUFFER_BIT);
  glDisable(GL_BLEND);
  glListBase(font - kFirstCode);
  glCallLists(count, GL_UNSIGNED_BYTE, codes);
  glPopAttrib();

  KEGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
  glViewport(left, bottom, width, height);
  KEGfxSendViewMatrix(scaleX, scaleY);
}
