// What the player would see from the renderer: pixels read back from real GL on Mesa.
#include <GL/glew.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "KEGraphics.h"
#include "KESystem.h"
#include "gl_environment.h"
#include "platform/KEPlatform.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

struct Rgb {
  int r, g, b;
};

// Rounding differs between shader paths by a unit or two.
void ExpectPixel(int x, int y, Rgb want, const std::string& what) {
  unsigned char pixel[4];
  GlTestReadPixel(x, y, pixel);
  bool close = std::abs(pixel[0] - want.r) <= 2 && std::abs(pixel[1] - want.g) <= 2 &&
               std::abs(pixel[2] - want.b) <= 2;
  EXPECT_TRUE(close) << what << ": pixel (" << x << ", " << y << ") is " << int{pixel[0]} << ","
                     << int{pixel[1]} << "," << int{pixel[2]} << ", want " << want.r << ","
                     << want.g << "," << want.b;
}

// A quad centred on the model origin; v0 is given to the top edge, v1 to the bottom.
KEGfxVertexList* MakeQuad(float halfWidth, float halfHeight, uint32_t colour, float v0 = 0.0f,
                          float v1 = 1.0f) {
  float l = -halfWidth, r = halfWidth, b = -halfHeight, t = halfHeight;
  KEGfxTriAdd(l, b, colour, 0, v1, r, b, colour, 1, v1, l, t, colour, 0, v0);
  KEGfxTriAdd(r, b, colour, 1, v1, r, t, colour, 1, v0, l, t, colour, 0, v0);
  return KEGfxMeshEnd();
}

// Uniforms stay with their program between tests, so every draw starts from neutral.
void UseProgram(int mode) {
  KEGfxSetRenderMode(mode);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetTransparency(1);
  KEGfxSetBlendColor(0, 0, 0, 0);
  KEGfxSetPosition(0, 0);
}

void DrawAt(KEGfxVertexList* mesh, float x, float y) {
  KEGfxSetPosition(x, y);
  KEGfxMeshDraw(mesh, KE_DRAW_TRIANGLES);
}

std::string TempPath(const std::string& name) {
  const char* dir = getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/vantrel_gfx_" + std::to_string(getpid()) +
         "_" + name;
}

// A one-pixel-wide 24-bit BMP (SDL2_image reads it), rows given top first.
void WriteColumnBmp(const std::string& path, const std::vector<Rgb>& rowsTopFirst) {
  uint32_t height = static_cast<uint32_t>(rowsTopFirst.size()), size = 54 + 4 * height;
  std::vector<unsigned char> file(size, 0);
  const std::pair<size_t, uint32_t> header[] = {{2, size},    {10, 54}, {14, 40}, {18, 1},
                                                {22, height}, {26, 1},  {28, 24}};
  for (auto [at, value] : header) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(value >> (8 * i));
  }
  file[0] = 'B';
  file[1] = 'M';
  // BMP keeps the bottom row first, blue byte first, each row padded to four bytes.
  for (uint32_t row = 0; row < height; ++row) {
    const Rgb& c = rowsTopFirst[height - 1 - row];
    unsigned char* out = &file[54 + 4 * row];
    out[0] = static_cast<unsigned char>(c.b);
    out[1] = static_cast<unsigned char>(c.g);
    out[2] = static_cast<unsigned char>(c.r);
  }
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fwrite(file.data(), 1, file.size(), f);
  fclose(f);
}

// One frame per test on a black, windowed view with the camera at the origin.
class Graphics : public testing::Test {
 protected:
  void SetUp() override {
    KEGfxSetBackgroundColor(0, 0, 0);
    KEGfxSetBlendMode(KE_BLEND_NONE);
    KEGfxSetCamPosition(0, 0);
    KEGfxStart();
  }
  void TearDown() override {
    KEGfxEnd();
    KEGfxSetBlendMode(KE_BLEND_NONE);
  }
};

struct CombineCase {
  const char* what;
  unsigned char surface[4];  // RGBA of the vertex colour or of the texel
  float blend[4];
  float tint[4];
  float transparency;
  Rgb want;  // over black, blended by the surface's final opacity
};

// clang-format off
const CombineCase kCombineCases[] = {
    {"blend weight 0 keeps the surface", {200, 100, 50, 255}, {0, 1, 0, 0}, {1, 1, 1, 1}, 1,
     {200, 100, 50}},
    {"blend weight 1 is the flat blend colour", {200, 100, 50, 255}, {0, 1, 0, 1}, {1, 1, 1, 1},
     1, {0, 255, 0}},
    {"half weight mixes", {200, 0, 0, 255}, {0, 0, 1, 0.5f}, {1, 1, 1, 1}, 1, {100, 0, 128}},
    {"tint multiplies channel by channel", {200, 200, 200, 255}, {0, 0, 0, 0}, {1, 0.5f, 0, 1},
     1, {200, 100, 0}},
    {"tint applies after the blend", {255, 0, 0, 255}, {0, 0, 1, 1}, {0.5f, 0.5f, 0.5f, 1}, 1,
     {0, 0, 128}},
    {"transparency scales opacity only", {200, 100, 50, 255}, {0, 0, 0, 0}, {1, 1, 1, 1}, 0.5f,
     {100, 50, 25}},
    {"tint opacity and transparency multiply", {200, 100, 40, 255}, {0, 0, 0, 0},
     {1, 1, 1, 0.5f}, 0.5f, {50, 25, 10}},
    {"weight 1 keeps the surface's own opacity", {0, 0, 0, 128}, {1, 1, 1, 1}, {1, 1, 1, 1}, 1,
     {128, 128, 128}},
};
// clang-format on

TEST_F(Graphics, BlendTintAndTransparencyCombineAlikeInBothPrograms) {
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  for (int mode : {KE_RENDER_COLOR, KE_RENDER_TEXTURE}) {
    for (const CombineCase& c : kCombineCases) {
      const unsigned char* s = c.surface;
      uint32_t argb =
          (uint32_t{s[3]} << 24) | (uint32_t{s[0]} << 16) | (uint32_t{s[1]} << 8) | s[2];
      KEGfxVertexList* quad = MakeQuad(400, 300, argb);
      KEGfxTexture* texel = KEGfxTextureLoadFromMemory(c.surface, 1, 1);
      KEGfxStart();
      UseProgram(mode);
      KEGfxTextureSet(texel, 0, 0);
      KEGfxSetBlendColor(c.blend[0], c.blend[1], c.blend[2], c.blend[3]);
      KEGfxSetTintColor(c.tint[0], c.tint[1], c.tint[2], c.tint[3]);
      KEGfxSetTransparency(c.transparency);
      KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
      ExpectPixel(400, 300, c.want,
                  std::string(c.what) + (mode == KE_RENDER_COLOR ? " (colour)" : " (texture)"));
      KEGfxSetRenderMode(KE_RENDER_NONE);
      KEGfxTextureUnload(texel);
      KEGfxMeshFree(quad);
    }
  }
}

TEST_F(Graphics, TintSetInColourModeDoesNotReachTheTextureProgram) {
  const unsigned char white[4] = {255, 255, 255, 255};
  KEGfxTexture* texture = KEGfxTextureLoadFromMemory(white, 1, 1);
  KEGfxVertexList* quad = MakeQuad(400, 300, 0xFFFFFFFF);
  UseProgram(KE_RENDER_TEXTURE);
  UseProgram(KE_RENDER_COLOR);
  KEGfxSetTintColor(1, 0, 0, 1);
  KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
  ExpectPixel(400, 300, {255, 0, 0}, "the colour program took the tint");

  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxTextureSet(texture, 0, 0);
  KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
  ExpectPixel(400, 300, {255, 255, 255}, "the texture program kept its own tint");
  KEGfxTextureUnload(texture);
  KEGfxMeshFree(quad);
}

// Neutral settings draw through a second, plain program; any other setting through the
// full one, with its effect on screen.
TEST_F(Graphics, PlainTextureProgramDrawsOnlyWhenEverySettingIsNeutral) {
  const unsigned char texels[8] = {200, 100, 50, 255, 10, 20, 30, 255};
  KEGfxTexture* texture = KEGfxTextureLoadFromMemory(texels, 2, 1);
  KEGfxVertexList* quad = MakeQuad(400, 300, 0xFFFFFFFF);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  auto drawnBy = [&] {
    KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program;
  };
  UseProgram(KE_RENDER_TEXTURE);
  KEGfxTextureSet(texture, 0, 0);
  const GLint plain = drawnBy();
  ExpectPixel(200, 300, {200, 100, 50}, "neutral");
  const struct {
    const char* what;
    std::function<void()> set;
    Rgb want;  // at the left half
  } cases[] = {
      {"tint", [] { KEGfxSetTintColor(0.5f, 1, 1, 1); }, {100, 100, 50}},
      {"tint opacity", [] { KEGfxSetTintColor(1, 1, 1, 0.5f); }, {100, 50, 25}},
      {"transparency", [] { KEGfxSetTransparency(0.5f); }, {100, 50, 25}},
      {"blend weight", [] { KEGfxSetBlendColor(0, 0, 0, 0.5f); }, {100, 50, 25}},
      {"offset", [&] { KEGfxTextureSet(texture, 0.5f, 0); }, {10, 20, 30}},
  };
  for (const auto& c : cases) {
    KEGfxStart();
    UseProgram(KE_RENDER_TEXTURE);
    KEGfxTextureSet(texture, 0, 0);
    c.set();
    EXPECT_NE(drawnBy(), plain) << c.what;
    ExpectPixel(200, 300, c.want, c.what);
    UseProgram(KE_RENDER_TEXTURE);
    KEGfxTextureSet(texture, 0, 0);
    EXPECT_EQ(drawnBy(), plain) << "neutral again after " << c.what;
  }
  KEGfxTextureUnload(texture);
  KEGfxMeshFree(quad);
}

// Translucent blending of an opaque texel at full opacity is the texel: such draws go
// unblended and look the same; anything that lets the background through still blends.
TEST_F(Graphics, OpaquePicturesDrawUnblendedAndLookTheSame) {
  const unsigned char opaque[4] = {200, 100, 50, 255}, seeThrough[4] = {200, 100, 50, 128};
  KEGfxTexture* solid = KEGfxTextureLoadFromMemory(opaque, 1, 1);
  KEGfxTexture* glass = KEGfxTextureLoadFromMemory(seeThrough, 1, 1);
  EXPECT_TRUE(solid->opaque);
  EXPECT_FALSE(glass->opaque);
  KEGfxVertexList* quad = MakeQuad(400, 300, 0xFFFFFFFF);
  const struct {
    const char* what;
    KEGfxTexture* texture;
    int blendMode;
    float transparency, tintOpacity;
    bool blended;
    Rgb want;  // over blue
  } cases[] = {
      {"opaque", solid, KE_BLEND_TRANSLUCENT, 1, 1, false, {200, 100, 50}},
      {"opaque, tinted", solid, KE_BLEND_TRANSLUCENT, 1, 0.5f, true, {100, 50, 153}},
      {"opaque, half transparent", solid, KE_BLEND_TRANSLUCENT, 0.5f, 1, true, {100, 50, 153}},
      {"opaque, added", solid, KE_BLEND_ADD, 1, 1, true, {200, 100, 255}},
      {"translucent texel", glass, KE_BLEND_TRANSLUCENT, 1, 1, true, {100, 50, 152}},
  };
  for (const auto& c : cases) {
    KEGfxSetBackgroundColor(0, 0, 1);
    KEGfxStart();
    KEGfxSetBlendMode(c.blendMode);
    UseProgram(KE_RENDER_TEXTURE);
    KEGfxSetTransparency(c.transparency);
    KEGfxSetTintColor(1, 1, 1, c.tintOpacity);
    KEGfxTextureSet(c.texture, 0, 0);
    KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
    EXPECT_EQ(glIsEnabled(GL_BLEND) == GL_TRUE, c.blended) << c.what;
    ExpectPixel(400, 300, c.want, c.what);
  }
  KEGfxSetBackgroundColor(0, 0, 0);
  KEGfxSetBlendMode(KE_BLEND_NONE);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  KEGfxTextureUnload(solid);
  KEGfxTextureUnload(glass);
  KEGfxMeshFree(quad);
}

TEST_F(Graphics, TextureOffsetSelectsAndWrapsOnce) {
  // Four columns: red, green, blue, white; the quad maps u 0..1 across the whole view.
  const unsigned char strip[16] = {255, 0, 0,   255, 0,   255, 0,   255,
                                   0,   0, 255, 255, 255, 255, 255, 255};
  KEGfxTexture* texture = KEGfxTextureLoadFromMemory(strip, 4, 1);
  KEGfxVertexList* quad = MakeQuad(400, 300, 0xFFFFFFFF);
  UseProgram(KE_RENDER_TEXTURE);
  // Settings reach a program when it draws: read them from the one that drew last. The
  // plain program, which draws with no offset, has none.
  auto offset = [&] {
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    std::vector<float> value(2);
    const GLint at = glGetUniformLocation(program, "uTextureOffset");
    if (at != -1) glGetUniformfv(program, at, value.data());
    return value;
  };
  const struct {
    float u, v, wantU, wantV;
    int x;  // where u reads 0.5 (x 400) or 0.125 (x 100)
    Rgb want;
  } cases[] = {
      {0.0f, 0.0f, 0.0f, 0.0f, 400, {0, 0, 255}},
      {0.75f, 0.0f, 0.75f, 0.0f, 400, {0, 255, 0}},      // 1.25 wraps to 0.25
      {0.75f, 0.0f, 0.75f, 0.0f, 100, {255, 255, 255}},  // 0.875 needs no wrap
      {2.75f, 1.0f, 0.75f, 1.0f, 400, {0, 255, 0}},      // whole turns come off first
      {-0.25f, 0.0f, -0.25f, 0.0f, 400, {0, 255, 0}},    // negatives are kept
      {2.0f, 0.0f, 1.0f, 0.0f, 400, {0, 0, 255}},
      // Subtracting one at a time would never end for these.
      {1e30f, INFINITY, 1.0f, 1.0f, 400, {0, 0, 255}},
      {16777216.0f, 3.0f, 1.0f, 1.0f, 400, {0, 0, 255}},
  };
  for (const auto& c : cases) {
    KEGfxTextureSet(texture, c.u, c.v);
    KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
    EXPECT_EQ(offset(), (std::vector<float>{c.wantU, c.wantV})) << c.u << ", " << c.v;
    ExpectPixel(c.x, 300, c.want, "offset " + std::to_string(c.u));
  }

  KEGfxTextureSet(nullptr, 0.9f, 0.9f);
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
  KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
  EXPECT_EQ(offset(), (std::vector<float>{1.0f, 1.0f})) << "a null texture leaves the offset";
  KEGfxTextureUnload(texture);
  KEGfxMeshFree(quad);
}

TEST_F(Graphics, TopRowOfAPictureShowsWhereVIsZero) {
  const std::string path = TempPath("top_red.bmp");
  WriteColumnBmp(path, {{255, 0, 0}, {0, 0, 255}});
  const unsigned char rows[8] = {255, 0, 0, 255, 0, 0, 255, 255};
  KEGfxTexture* fromFile = KEGfxTextureLoad(path.c_str());
  KEGfxTexture* fromMemory = KEGfxTextureLoadFromMemory(rows, 1, 2);
  ASSERT_NE(fromFile, nullptr);
  EXPECT_STREQ(fromFile->fileName, path.c_str());
  EXPECT_STREQ(fromMemory->fileName, "");
  // v = 0 goes to the bottom edge of the screen, so a flipped upload shows blue there.
  KEGfxVertexList* flipped = MakeQuad(400, 300, 0xFFFFFFFF, 1.0f, 0.0f);
  UseProgram(KE_RENDER_TEXTURE);
  for (KEGfxTexture* texture : {fromFile, fromMemory}) {
    std::string what = texture == fromFile ? "file" : "memory";
    KEGfxTextureSet(texture, 0, 0);
    KEGfxMeshDraw(flipped, KE_DRAW_TRIANGLES);
    ExpectPixel(400, 10, {255, 0, 0}, what + ": v = 0 is red");
    ExpectPixel(400, 590, {0, 0, 255}, what + ": v = 1 is blue");
  }
  KEGfxTextureUnload(fromFile);
  KEGfxTextureUnload(fromMemory);
  KEGfxMeshFree(flipped);
  remove(path.c_str());
}

TEST_F(Graphics, UnusablePictureSaysSoOnceAndDrawsNothing) {
  const std::string garbage = TempPath("garbage.png");
  FILE* f = fopen(garbage.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fputs("not a picture at all", f);
  fclose(f);
  const unsigned char pixels[16] = {255, 255, 255, 255};
  const std::string longName = "/nonexistent/" + std::string(242, 'a');
  // White where they would show, one pixel past what the loader and GL take.
  GLint glSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glSide);
  const int fileSide = std::min(KE_PLATFORM_MAX_PICTURE_SIDE, int(glSide));
  const std::string tall = TempPath("tall.bmp");
  WriteColumnBmp(tall, std::vector<Rgb>(size_t(fileSide) + 1, Rgb{255, 255, 255}));
  const std::vector<unsigned char> wideRow((size_t(glSide) + 1) * 4, 255);
  // A whole 2 x 2 PNG; cut inside its pixels, or with one of them changed, the decoder would
  // print a line of its own.
  const std::string png(
      "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x02\x08\x06\0\0\0\x72\xb6\x0d\x24\0\0\0\x0e"
      "IDAT\x78\x9c\x63\xf8\x0f\x05\x0c\x30\x06\0\x8f\x82\x0f\xf1\x3c\xa5\x56\x51\0\0\0\0IEND"
      "\xae\x42\x60\x82",
      71);
  const std::string cut = TempPath("cut.png"), changed = TempPath("changed.png");
  std::ofstream(cut, std::ios::binary) << png.substr(0, 50);
  std::ofstream(changed, std::ios::binary) << png.substr(0, 45) + "\x01" + png.substr(46);
  const struct {
    std::string what;
    std::function<KEGfxTexture*()> load;
    std::string linePrefix;  // empty: refused with no texture and no word
  } cases[] = {
      {"missing file", [] { return KEGfxTextureLoad("Assets/no_such_picture.png"); },
       "Could not load picture \"Assets/no_such_picture.png\": "},
      {"undecodable file", [&] { return KEGfxTextureLoad(garbage.c_str()); },
       "Could not load picture \"" + garbage + "\": "},
      {"no pixels", [] { return KEGfxTextureLoadFromMemory(nullptr, 4, 4); },
       "KEGfxTextureLoadFromMemory: "},
      {"negative size", [&] { return KEGfxTextureLoadFromMemory(pixels, -2, 2); },
       "KEGfxTextureLoadFromMemory: "},
      {"255-character name", [&] { return KEGfxTextureLoad(longName.c_str()); },
       "Could not load picture \"" + longName + "\": "},
      {"256-character name", [&] { return KEGfxTextureLoad((longName + "a").c_str()); }, ""},
      {"file taller than the limit", [&] { return KEGfxTextureLoad(tall.c_str()); },
       "Could not load picture \"" + tall + "\": 1 x " + std::to_string(fileSide + 1) +
           " pixels, more than " + std::to_string(fileSide) + " a side"},
      {"PNG cut short", [&] { return KEGfxTextureLoad(cut.c_str()); },
       "Could not load picture \"" + cut + "\": the file ends before the picture does"},
      {"PNG changed", [&] { return KEGfxTextureLoad(changed.c_str()); },
       "Could not load picture \"" + changed + "\": damaged (a checksum does not match)"},
      {"wider than GL takes", [&] { return KEGfxTextureLoadFromMemory(wideRow.data(), glSide + 1, 1); },
       "KEGfxTextureLoadFromMemory: a " + std::to_string(glSide + 1) + " x 1 picture"},
  };
  KEGfxVertexList* quad = MakeQuad(400, 300, 0xFFFFFFFF);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  UseProgram(KE_RENDER_TEXTURE);
  for (const auto& c : cases) {
    CaptureStderr();
    KEGfxTexture* texture = c.load();
    std::string out = GetCapturedStderr();
    if (c.linePrefix.empty()) {
      EXPECT_EQ(texture, nullptr) << c.what;
      EXPECT_EQ(out, "") << c.what << " must not reach the file system";
      continue;
    }
    ASSERT_NE(texture, nullptr) << c.what;
    EXPECT_EQ(out.rfind(c.linePrefix, 0), 0u) << c.what << ": " << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << c.what << ", one line: " << out;
    KEGfxTextureSet(texture, 0, 0);
    KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
    ExpectPixel(400, 300, {0, 0, 0}, c.what + " draws nothing");
    KEGfxTextureUnload(texture);
  }
  KEGfxMeshFree(quad);
  remove(garbage.c_str());
  remove(tall.c_str());
  remove(cut.c_str());
  remove(changed.c_str());
}

// The view's corners land on the drawable's corners, in a window and in full screen on a
// screen of its shape.
TEST_F(Graphics, ViewCornersAreTheScreenCorners) {
  for (bool fullScreen : {false, true}) {
    GlTestSetFullScreen(fullScreen);
    int w = fullScreen ? 1600 : 800, h = fullScreen ? 1200 : 600, s = fullScreen ? 2 : 1;
    std::string what = fullScreen ? "full screen: " : "window: ";
    KEGfxVertexList* red = MakeQuad(20, 20, 0xFFFF0000);
    KEGfxVertexList* green = MakeQuad(20, 20, 0xFF00FF00);
    KEGfxStart();
    UseProgram(KE_RENDER_COLOR);
    DrawAt(red, 400, 300);
    DrawAt(green, -400, -300);
    ExpectPixel(w - 1, h - 1, {255, 0, 0}, what + "top-right corner");
    ExpectPixel(w - 1 - 15 * s, h - 1 - 15 * s, {255, 0, 0}, what + "inside the top-right quad");
    ExpectPixel(w - 1 - 25 * s, h - 1, {0, 0, 0}, what + "left of the top-right quad");
    ExpectPixel(0, 0, {0, 255, 0}, what + "bottom-left corner");
    ExpectPixel(25 * s, 0, {0, 0, 0}, what + "right of the bottom-left quad");
    ExpectPixel(w / 2, h / 2, {0, 0, 0}, what + "centre");
    KEGfxSetRenderMode(KE_RENDER_NONE);
    KEGfxMeshFree(red);
    KEGfxMeshFree(green);
  }
  GlTestSetFullScreen(false);
}

// A mesh wholly out of sight is not sent to GL at all; one reaching in by a pixel or less is.
TEST_F(Graphics, DrawsOutOfSightAreSkippedAndEdgesStillShow) {
  KEGfxVertexList* quad = MakeQuad(10, 10, 0xFF00FF00);
  const struct {
    float camX, x, y;
    bool drawn;
    int pixelX, pixelY;  // lit when drawn
  } cases[] = {
      {0, 415, 0, false, 0, 0},  {0, 409.5f, 0, true, 799, 300}, {100, 509.5f, 0, true, 799, 300},
      {0, -415, 0, false, 0, 0}, {0, 0, 315, false, 0, 0},       {0, 0, -309, true, 400, 0},
  };
  for (const auto& c : cases) {
    KEGfxSetCamPosition(c.camX, 0);
    KEGfxSetRenderMode(KE_RENDER_NONE);
    KEGfxStart();
    UseProgram(KE_RENDER_COLOR);
    DrawAt(quad, c.x, c.y);
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program != 0, c.drawn) << c.x << ", " << c.y;
    if (c.drawn) ExpectPixel(c.pixelX, c.pixelY, {0, 255, 0}, "the edge that reaches in");
  }
  KEGfxSetRenderMode(KE_RENDER_NONE);
  KEGfxSetCamPosition(0, 0);
  KEGfxMeshFree(quad);
}

TEST_F(Graphics, CameraPositionIsTheCentreOfTheView) {
  KEGfxVertexList* quad = MakeQuad(10, 10, 0xFF0000FF);
  KEGfxSetCamPosition(100, 50);
  // The extents stay those of the 800 x 600 view whatever the screen.
  EXPECT_EQ((std::vector<float>{gKEWinMinX, gKEWinMaxX, gKEWinMinY, gKEWinMaxY}),
            (std::vector<float>{-300, 500, -250, 350}));
  EXPECT_EQ((std::vector<float>{KEGfxGetWinMinX(), KEGfxGetWinMaxX(), KEGfxGetWinMinY(),
                                KEGfxGetWinMaxY()}),
            (std::vector<float>{-300, 500, -250, 350}));
  UseProgram(KE_RENDER_COLOR);
  DrawAt(quad, 100, 50);
  DrawAt(quad, -290, -240);  // world (-300, -250) is the new bottom-left corner
  ExpectPixel(400, 300, {0, 0, 255}, "camera point");
  ExpectPixel(0, 0, {0, 0, 255}, "bottom-left extent");
  ExpectPixel(200, 300, {0, 0, 0}, "elsewhere");
  KEGfxMeshFree(quad);
  KEGfxSetCamPosition(0, 0);
}

TEST_F(Graphics, TransformsPlaceTheQuad) {
  KEGfxVertexList* quad = MakeQuad(10, 10, 0xFFFFFFFF);
  // Scale x by 2 and move to (200, -100); the third row must not matter.
  const KEMtx33 affine = {{{2, 0, 200}, {0, 1, -100}, {5, 5, 5}}};
  const float rows[16] = {1, 0, 0, -200, 0, 1, 0, 100, 0, 0, 1, 0, 0, 0, 0, 1};
  UseProgram(KE_RENDER_COLOR);
  KEGfxSetTransform(&affine);
  KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
  KEGfxSetTransform3D(rows);
  KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
  ExpectPixel(400 + 200 + 15, 300 - 100, {255, 255, 255}, "stretched quad reaches x + 15");
  ExpectPixel(400 + 200 + 25, 300 - 100, {0, 0, 0}, "but not x + 25");
  ExpectPixel(400 - 200, 300 + 100, {255, 255, 255}, "row-major 4x4 translation");
  KEGfxMeshFree(quad);
}

TEST_F(Graphics, StagingPastCapacityDropsTheExtraVertices) {
  const std::string line =
      "KEGfxMeshEnd: more than 24576 vertices staged; the extra ones are dropped\n";
  for (int round = 0; round < 2; ++round) {
    CaptureStderr();
    for (int i = 0; i < KE_GFX_MAX_STAGED_VERTICES + 100; ++i) {
      KEGfxVertexAdd(static_cast<float>(i), 0, 0xFFFFFFFF, 0, 0);
    }
    KEGfxTriAdd(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(GetCapturedStderr(), line) << "once per overflowing mesh, round " << round;
    KEGfxVertexList* mesh = KEGfxMeshEnd();
    EXPECT_EQ(mesh->vertexCount, 24576u);
    float last[3];
    glBindBuffer(GL_ARRAY_BUFFER, mesh->buffers[0]);
    glGetBufferSubData(GL_ARRAY_BUFFER, 24575 * sizeof(last), sizeof(last), last);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(last[0], 24575.0f) << "the first 24576 vertices are kept";
    KEGfxMeshFree(mesh);
  }

  // A triangle that does not fit whole is dropped whole.
  CaptureStderr();
  for (int i = 0; i < KE_GFX_MAX_STAGED_VERTICES - 1; ++i) KEGfxVertexAdd(0, 0, 0, 0, 0);
  KEGfxTriAdd(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(GetCapturedStderr(), line);
  KEGfxVertexList* mesh = KEGfxMeshEnd();
  EXPECT_EQ(mesh->vertexCount, 24575u);
  KEGfxMeshFree(mesh);
}

TEST_F(Graphics, DrawsThatCannotHappenLeaveTheScreenAndGlAlone) {
  KEGfxVertexList* quad = MakeQuad(400, 300, 0xFFFFFFFF);
  const struct {
    int renderMode;
    unsigned int drawMode;
    const char* message;
  } cases[] = {
      {KE_RENDER_COLOR, 4, "Mesh Draw Mode 4 is invalid!\n"},
      {KE_RENDER_TEXTURE, 0xFFFFFFFFu, "Mesh Draw Mode 4294967295 is invalid!\n"},
      {KE_RENDER_NONE, KE_DRAW_TRIANGLES, ""},
  };
  for (const auto& c : cases) {
    UseProgram(c.renderMode);
    CaptureStderr();
    KEGfxMeshDraw(quad, c.drawMode);
    EXPECT_EQ(GetCapturedStderr(), c.message);
    ExpectPixel(400, 300, {0, 0, 0}, c.message);
    KEGfxSetRenderMode(KE_RENDER_NONE);
  }
  // With no program bound every setter must keep quiet instead of raising GL errors.
  KEGfxSetBlendColor(1, 1, 1, 1);
  KEGfxTextureSet(nullptr, 0, 0);
  KEGfxLine(0, 0, 0, 1, 1, 1, 1, 100, 100, 0, 1, 1, 1, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  KEGfxMeshFree(quad);
}

// Where the lit pixels of the drawable are, and the colour of the last one found.
struct Ink {
  int left = INT_MAX, right = -1, bottom = INT_MAX, top = -1, count = 0;
  Rgb colour = {0, 0, 0};
};

Ink FindInk() {
  int width = 0, height = 0;
  KEPlatformGetDrawableSize(&width, &height);
  const std::vector<unsigned char> pixels = GlTestReadScreen();
  Ink ink;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &pixels[(size_t(y) * width + x) * 4];
      if (p[0] == 0 && p[1] == 0 && p[2] == 0) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::min(ink.bottom, y);
      ink.top = std::max(ink.top, y);
      ++ink.count;
      ink.colour = {p[0], p[1], p[2]};
    }
  }
  return ink;
}

// Clears, prints one string in a neutral program and reads back where it went.
Ink PrintAndFind(unsigned int font, const char* text, int x = 0, int y = 0) {
  KEGfxStart();
  UseProgram(KE_RENDER_COLOR);
  KEGfxPrint(font, text, x, y, 1, 1, 1);
  Ink ink = FindInk();
  KEGfxSetRenderMode(KE_RENDER_NONE);
  return ink;
}

const char* const kRow = "####################";  // about 340 pixels in bold 20

TEST_F(Graphics, TextLandsAtItsWorldPositionInItsColour) {
  const unsigned int font = KEGfxCreateFont("DejaVu Sans", 20, true, false);
  // clang-format off
  const struct {
    const char* what;
    bool fullScreen;
    float camX, camY;
    int x, y;
    int mode, blend;
    float tint[3];
    int penX, penY;  // drawable pixel of the baseline's start; -1: nothing drawn
  } cases[] = {
      {"centre", false, 0, 0, 0, 0, KE_RENDER_COLOR, KE_BLEND_NONE, {1, 1, 1}, 400, 300},
      {"camera moved", false, 100, 50, -100, 150, KE_RENDER_COLOR, KE_BLEND_NONE, {1, 1, 1},
       200, 400},
      {"over translucent blending", false, 0, 0, 0, 0, KE_RENDER_COLOR, KE_BLEND_TRANSLUCENT,
       {1, 1, 1}, 400, 300},
      {"texture program, tinted", false, 0, 0, 0, 0, KE_RENDER_TEXTURE, KE_BLEND_TRANSLUCENT,
       {1, 0.5f, 1}, 400, 300},
      {"100 left of the view", false, 0, 0, -500, 0, KE_RENDER_COLOR, KE_BLEND_NONE, {1, 1, 1},
       -100, 300},
      {"1 right of the view", false, 0, 0, 401, 0, KE_RENDER_COLOR, KE_BLEND_NONE, {1, 1, 1}, -1,
       -1},
      {"full screen", true, 0, 0, 0, 0, KE_RENDER_COLOR, KE_BLEND_NONE, {1, 1, 1}, 800, 600},
      {"full screen, camera moved", true, 100, 50, -100, 150, KE_RENDER_COLOR, KE_BLEND_NONE,
       {1, 1, 1}, 400, 800},
      {"full screen, 100 left", true, 0, 0, -500, 0, KE_RENDER_COLOR, KE_BLEND_NONE, {1, 1, 1},
       -200, 600},
  };
  // clang-format on
  for (const auto& c : cases) {
    if (c.fullScreen != KESysIsFullScreen()) GlTestSetFullScreen(c.fullScreen);
    KEGfxSetCamPosition(c.camX, c.camY);
    KEGfxStart();
    KEGfxSetBlendMode(c.blend);
    UseProgram(c.mode);
    KEGfxSetTintColor(c.tint[0], c.tint[1], c.tint[2], 1);
    KEGfxPrint(font, kRow, c.x, c.y, 1, 1, 0);
    const Ink ink = FindInk();
    if (c.penX == -1) {
      EXPECT_EQ(ink.count, 0) << c.what;
    } else {
      // The first character's bearing keeps its ink a few pixels right of the pen; cut by
      // the screen's edge, a character's gap may come first.
      EXPECT_GE(ink.left, std::max(c.penX, 0)) << c.what;
      EXPECT_LE(ink.left, c.penX < 0 ? 20 : c.penX + 4) << c.what;
      EXPECT_NEAR(ink.bottom, c.penY, 1) << c.what << ": '#' stands on the baseline";
      EXPECT_GT(ink.right - ink.left, 60) << c.what;
      const Rgb want = {int(255 * c.tint[0]), int(255 * c.tint[1] + 0.5f), 0};
      EXPECT_TRUE(std::abs(ink.colour.r - want.r) <= 2 && std::abs(ink.colour.g - want.g) <= 2 &&
                  ink.colour.b == 0)
          << c.what << ": " << ink.colour.r << "," << ink.colour.g << "," << ink.colour.b;
    }
    KEGfxSetRenderMode(KE_RENDER_NONE);
    KEGfxSetBlendMode(KE_BLEND_NONE);
  }
  GlTestSetFullScreen(false);
  KEGfxSetCamPosition(0, 0);
  KEGfxDestroyFont(font);
}

TEST_F(Graphics, PrintLeavesTheStateOfNormalDrawing) {
  const unsigned int font = KEGfxCreateFont("DejaVu Sans", 20, true, false);
  KEGfxVertexList* quad = MakeQuad(10, 10, 0xFF0000FF);
  for (bool fullScreen : {false, true}) {
    GlTestSetFullScreen(fullScreen);
    const int s = fullScreen ? 2 : 1;
    KEGfxSetCamPosition(100, 50);
    KEGfxStart();
    UseProgram(KE_RENDER_COLOR);
    KEGfxSetBlendColor(0.5f, 0.5f, 0.5f, 0.5f);
    glViewport(5, 5, 10, 10);
    KEGfxPrint(font, kRow, 100, 200, 1, 1, 1);

    GLint viewport[4], program = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4),
              (std::vector<GLint>{0, 0, 800 * s, 600 * s}));
    // A quad drawn next lands where it would have without the text, unblended.
    DrawAt(quad, -200, -150);
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    float blend[4] = {9, 9, 9, 9};
    glGetUniformfv(program, glGetUniformLocation(program, "uBlendColor"), blend);
    EXPECT_EQ(std::vector<float>(blend, blend + 4), (std::vector<float>{0, 0, 0, 0}));
    ExpectPixel(100 * s, 100 * s, {0, 0, 255}, fullScreen ? "full screen" : "window");
    KEGfxSetRenderMode(KE_RENDER_NONE);
  }
  GlTestSetFullScreen(false);
  KEGfxSetCamPosition(0, 0);
  KEGfxMeshFree(quad);
  KEGfxDestroyFont(font);
}

TEST_F(Graphics, PrintShowsTheTextAsItIs) {
  const unsigned int font = KEGfxCreateFont("DejaVu Sans", 20, true, false);
  // The lists of a second font follow the first's, where stray codes would land.
  const unsigned int next = KEGfxCreateFont("DejaVu Sans", 20, false, false);
  const Ink number = PrintAndFind(font, "100");
  const Ink percent = PrintAndFind(font, "100%");
  EXPECT_EQ(percent.left, number.left);
  EXPECT_GT(percent.right, number.right + 10) << "a percent sign after the number";
  EXPECT_GT(PrintAndFind(font, "%s%s%s%n").count, 0);

  const Ink plain = PrintAndFind(font, "AB");
  const Ink stray = PrintAndFind(font,
                                 "A\x01\xA0\x7F"
                                 "B");
  const Ink del = PrintAndFind(font, "A\x7F");
  EXPECT_GT(del.right, PrintAndFind(font, "A").right) << "127 is a character of the font";
  EXPECT_EQ(stray.count, plain.count + del.count - PrintAndFind(font, "A").count)
      << "codes outside 32 to 127 draw nothing";

  // Longer text is cut at 255 characters, never written past a buffer (the sanitizer run
  // watches that).
  EXPECT_GT(PrintAndFind(font, std::string(1000, '#').c_str()).count, 0);
  EXPECT_EQ(PrintAndFind(font, nullptr).count, 0);
  KEGfxDestroyFont(next);
  KEGfxDestroyFont(font);
}

TEST_F(Graphics, FontsFallBackToDejaVuSansAndTakeTheirStyle) {
  const unsigned int regular = KEGfxCreateFont("dejavu sans", 20, false, false);
  CaptureStderr();
  const unsigned int unknown = KEGfxCreateFont("No Such Face", 20, false, false);
  EXPECT_EQ(GetCapturedStderr(), "No font \"No Such Face\"; using DejaVu Sans\n");
  const unsigned int bold = KEGfxCreateFont("DejaVu Sans", 20, true, false);
  const unsigned int italic = KEGfxCreateFont("DejaVu Sans", 20, false, true);
  CaptureStderr();
  const unsigned int flat = KEGfxCreateFont("DejaVu Sans", 0, false, false);
  EXPECT_EQ(GetCapturedStderr(),
            "Font height 0 is not between 1 and 1024 pixels; the font draws nothing\n");

  const Ink upright = PrintAndFind(regular, "IIII");
  EXPECT_EQ(PrintAndFind(unknown, "IIII").count, upright.count);
  EXPECT_GT(PrintAndFind(bold, "IIII").count, upright.count * 5 / 4);
  const Ink slanted = PrintAndFind(italic, "IIII");
  EXPECT_GT(slanted.right, upright.right) << "the tops lean right";
  EXPECT_EQ(slanted.top - slanted.bottom, upright.top - upright.bottom);
  EXPECT_NE(flat, 0u);
  EXPECT_EQ(PrintAndFind(flat, "IIII").count, 0);
  for (unsigned int font : {regular, unknown, bold, italic, flat}) KEGfxDestroyFont(font);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GraphicsColours, ColInterpPicksAnEndColour) {
  const struct {
    uint32_t from, to;
    float factor;
    uint32_t want;
  } cases[] = {
      {0xFF000000, 0xFFFFFFFF, 0.5f, 0xFF000000},
      {0xFF000000, 0xFFFFFFFF, 1.5f, 0xFFFFFFFF},
      {0x12345678, 0x9ABCDEF0, 1.0f, 0x9ABCDEF0},
      {0x12345678, 0x9ABCDEF0, NAN, 0x12345678},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KEGfxColInterp(c.from, c.to, c.factor), c.want)
        << std::hex << c.from << " " << c.factor;
  }
}

TEST(GraphicsLifecycle, ShutdownTwiceThenStartAgainStillDraws) {
  KEGfxExit();
  KEGfxExit();
  CaptureStdout();
  ASSERT_EQ(KEGfxInit(800, 600), 1);
  EXPECT_EQ(GetCapturedStdout(), "Graphics: OpenGL\n");
  KEGfxSetBackgroundColor(0, 0, 0);
  KEGfxStart();
  KEGfxVertexList* quad = MakeQuad(400, 300, 0xFF00FF00);
  UseProgram(KE_RENDER_COLOR);
  KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
  ExpectPixel(400, 300, {0, 255, 0}, "after a restart");
  KEGfxMeshFree(quad);
  KEGfxEnd();
}

// A GL error at a check point is fatal: the report goes to standard output, exit code 1.
TEST(GraphicsDeathTest, GlErrorAtFrameEndPrintsTheReportAndExits) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto raiseError = [] {
    // The report must not wait for a key, and gtest only reads the child's stderr.
    int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, 0);
    dup2(2, 1);
    glEnable(0xFFFF);
    KEGfxEnd();
  };
  EXPECT_EXIT(raiseError(), testing::ExitedWithCode(1),
              "CHECK_GL_ERROR:\nLine: 1002\nFunc: KEGfxEnd\nFile: [^\n]*KEGraphics\\.cpp\n"
              "Code: 0x00000500\nMesg: \n");
}

}  // namespace
