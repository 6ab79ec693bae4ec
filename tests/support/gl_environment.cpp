#include "gl_environment.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "KEGraphics.h"
#include "KESystem.h"
#include "platform/KEPlatform.h"

// A test program that reads no pixels may open a smaller window: the world is drawn all the
// same, only fewer pixels are filled on the software rasteriser.
#ifndef VANTREL_TEST_WINDOW_WIDTH
#define VANTREL_TEST_WINDOW_WIDTH 800
#define VANTREL_TEST_WINDOW_HEIGHT 600
#endif

namespace {

class GlEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(KESysInit(nullptr, 1, VANTREL_TEST_WINDOW_WIDTH, VANTREL_TEST_WINDOW_HEIGHT, 0, 60,
                        nullptr),
              1)
        << "no window under Xvfb";
  }
  void TearDown() override { KESysExit(); }
};

}  // namespace

void GlTestSetFullScreen(bool on) {
  KEToogleFullScreen(on);
  const int wantWidth = on ? 1600 : 800, wantHeight = on ? 1200 : 600;
  // The resize is asynchronous on X: swap and pump until the drawable has the new size.
  for (int attempt = 0; attempt < 200; ++attempt) {
    int width = 0, height = 0;
    KEPlatformGetDrawableSize(&width, &height);
    if (width == wantWidth && height == wantHeight && attempt > 2) return;
    KEPlatformSwapBuffers();
    KESysUpdate();
  }
  ADD_FAILURE() << "the drawable never reached " << wantWidth << "x" << wantHeight;
}

void GlTestReadPixel(int x, int y, unsigned char rgba[4]) {
  glFinish();
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

std::vector<unsigned char> GlTestReadScreen() {
  int width = 0, height = 0;
  KEPlatformGetDrawableSize(&width, &height);
  std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 4);
  glFinish();
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new GlEnvironment);
  return RUN_ALL_TESTS();
}
