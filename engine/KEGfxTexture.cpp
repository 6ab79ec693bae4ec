// Textures: pictures decoded by the platform layer, uploaded as RGBA with the top row
// first, so v = 0 is the top edge of the picture.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "KEGfxLocal.h"
#include "KEGraphics.h"
#include "KEReport.h"
#include "platform/KEPlatform.h"

namespace {

const size_t kMaxFileName = sizeof(KEGfxTexture::fileName);

bool AllOpaque(const unsigned char* rgba, int width, int height) {
  const size_t bytes = size_t(width) * size_t(height) * 4;
  for (size_t alpha = 3; alpha < bytes; alpha += 4) {
    if (rgba[alpha] != 255) return false;
  }
  return true;
}

KEGfxTexture* NewTexture(const unsigned char* rgba, int width, int height) {
  KEGfxTexture* texture = new KEGfxTexture();
  KEGfxTextureInitialize(texture);
  texture->opaque = AllOpaque(rgba, width, height);
  glGenTextures(1, texture->glName);
  glBindTexture(GL_TEXTURE_2D, *texture->glName);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glBindTexture(GL_TEXTURE_2D, 0);
  return texture;
}

// The widest or tallest texture this GL takes; 0 when there is no context to ask.
int GLMaxSide() {
  GLint side = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
  return side > 0 ? side : 0;
}

// Draws nothing, so a picture that could not be had leaves the screen as it was.
KEGfxTexture* NewTransparentTexture() {
  const unsigned char transparent[4] = {0, 0, 0, 0};
  return NewTexture(transparent, 1, 1);
}

// Same result as subtracting 1 while above 1, without looping forever on huge values.
float WrapOffset(float offset) {
  if (!(offset > 1.0f)) return offset;
  // From 2^23 up every float is a whole number, where the loop would stop at exactly 1.
  if (offset >= 8388608.0f) return 1.0f;
  return offset - std::ceil(offset - 1.0f);
}

}  // namespace

KEGfxTexture* KEGfxTextureLoad(const char* fileName) {
  if (fileName == nullptr || strnlen(fileName, kMaxFileName) >= kMaxFileName) return nullptr;

  // A picture GL cannot hold is refused before it is decoded: GL would fail the upload
  // and the next error check would end the game.
  int maxSide = KE_PLATFORM_MAX_PICTURE_SIDE;
  if (const int glSide = GLMaxSide(); glSide > 0 && glSide < maxSide) maxSide = glSide;
  KEPlatformImage image = {};
  KEGfxTexture* texture = nullptr;
  if (KEPlatformImageLoad(fileName, &image, maxSide)) {
    texture = NewTexture(image.pixels, image.width, image.height);
    KEPlatformImageFree(&image);
  } else {
    // A bad picture is data, not a programmer error: say so once and draw nothing.
    KEReport("Could not load picture \"%s\": %s", fileName, KEPlatformLastError());
    texture = NewTransparentTexture();
  }
  memcpy(texture->fileName, fileName, strlen(fileName) + 1);
  return texture;
}

KEGfxTexture* KEGfxTextureLoadFromMemory(const unsigned char* rgba, int width, int height) {
  // GL would reject these and the next error check would end the game.
  if (rgba == nullptr || width <= 0 || height <= 0) {
    KEReport("KEGfxTextureLoadFromMemory: no pixels for a %d x %d picture", width, height);
    return NewTransparentTexture();
  }
  const int glSide = GLMaxSide();
  if (glSide > 0 && (width > glSide || height > glSide)) {
    KEReport("KEGfxTextureLoadFromMemory: a %d x %d picture, more than the %d a side GL takes",
             width, height, glSide);
    return NewTransparentTexture();
  }
  return NewTexture(rgba, width, height);
}

void KEGfxTextureSet(KEGfxTexture* texture, float offsetU, float offsetV) {
  if (texture == nullptr || texture->glName == nullptr) {
    glBindTexture(GL_TEXTURE_2D, 0);
    KEGfxNoteBoundTexture(0, false);
    return;
  }
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, *texture->glName);
  KEGfxNoteBoundTexture(*texture->glName, texture->opaque);
  KEGfxCheckGLError(2310, "KEGfxTextureSet");
  if (KEGfxInputs* in = KEGfxCurrentInputs()) {
    in->offset[0] = WrapOffset(offsetU);
    in->offset[1] = WrapOffset(offsetV);
  }
}

void KEGfxTextureUnload(KEGfxTexture* texture) {
  if (texture == nullptr) return;
  if (texture->glName != nullptr) {
    KEGfxForgetTexture(*texture->glName);
    glDeleteTextures(1, texture->glName);
  }
  delete texture->glName;
  delete texture;
}

void KEGfxTextureInitialize(KEGfxTexture* texture) {
  if (texture != nullptr) texture->glName = new unsigned int(0);
}

void KEGfxSetTextureMode(int mode) {
  GLint filter;
  if (mode == KE_TEXTURE_NEAREST) {
    filter = GL_NEAREST;
  } else if (mode == KE_TEXTURE_LINEAR) {
    filter = GL_LINEAR;
  } else {
    KEReport("Unsupported texture mode!");
    return;
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

void KEGfxSaveTextureToFile(KEGfxTexture* texture, const char* fileName) {
  if (texture != nullptr && fileName != nullptr) {
    KEReport(
        "KEGfxSaveTextureToFile not supported in the OpenGL version of the Kestrel "
        "Engine!");
  }
}
