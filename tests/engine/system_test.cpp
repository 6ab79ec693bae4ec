#include <SDL.h>
#include <gtest/gtest.h>

#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "gl_environment.h"
#include "platform/KEPlatform.h"
#include "test_input.h"

namespace {

// Fills the whole view with one colour through the colour program.
void DrawFullView(uint32_t colour) {
  KEGfxSetRenderMode(KE_RENDER_NONE);  // the next bind sets the scaled viewport
  KEGfxStart();
  KEGfxTriAdd(-400, -300, colour, 0, 0, 400, -300, colour, 0, 0, -400, 300, colour, 0, 0);
  KEGfxTriAdd(400, -300, colour, 0, 0, 400, 300, colour, 0, 0, -400, 300, colour, 0, 0);
  KEGfxVertexList* quad = KEGfxMeshEnd();
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetTransparency(1);
  KEGfxSetBlendColor(0, 0, 0, 0);
  KEGfxSetCamPosition(0, 0);
  KEGfxSetPosition(0, 0);
  KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
  KEGfxSetRenderMode(KE_RENDER_NONE);
  KEGfxMeshFree(quad);
}

bool IsGreen(const unsigned char rgba[4]) {
  return rgba[0] < 10 && rgba[1] > 245 && rgba[2] < 10;
}

// A 4:3 screen is filled by the view: no bars.
TEST(FullScreen, FillsAScreenOfTheViewsShapeAndBack) {
  GlTestSetFullScreen(true);
  EXPECT_TRUE(KESysIsFullScreen());
  EXPECT_EQ(KESysGetHorizontalScale(), 2.0f);
  EXPECT_EQ(KESysGetVerticalScale(), 2.0f);
  KEGfxSetBackgroundColor(1, 0, 0);
  DrawFullView(0xFF00FF00);
  unsigned char pixel[4];
  for (auto corner : {std::pair<int, int>{0, 0}, {1599, 0}, {0, 1199}, {1599, 1199}}) {
    GlTestReadPixel(corner.first, corner.second, pixel);
    EXPECT_TRUE(IsGreen(pixel)) << "corner " << corner.first << "," << corner.second;
  }

  GlTestSetFullScreen(false);
  EXPECT_FALSE(KESysIsFullScreen());
  EXPECT_EQ(KESysGetHorizontalScale(), 1.0f);
  EXPECT_EQ(KESysGetVerticalScale(), 1.0f);
  DrawFullView(0xFF00FF00);
  // The whole 800 x 600 client area is drawn, the last row and column included.
  for (auto corner : {std::pair<int, int>{0, 0}, {799, 0}, {0, 599}, {799, 599}}) {
    GlTestReadPixel(corner.first, corner.second, pixel);
    EXPECT_TRUE(IsGreen(pixel)) << "corner " << corner.first << "," << corner.second;
  }
  KEGfxSetBackgroundColor(0, 0, 0);
}

TEST(FullScreen, CursorIsReportedInViewPixels) {
  test_input::Install();
  GlTestSetFullScreen(true);
  KEInputReset();
  test_input::SetCursor(1000, 500);
  KEInputUpdate();
  int x, y, dx, dy;
  KEInputGetCursorPosition(&x, &y);
  KEInputGetCursorPositionDelta(&dx, &dy);
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 250);
  EXPECT_EQ(dx, 0) << "the first sample after a reset is no move";
  EXPECT_EQ(dy, 0);
  test_input::SetCursor(1001, 503);
  KEInputUpdate();
  KEInputGetCursorPosition(&x, &y);
  KEInputGetCursorPositionDelta(&dx, &dy);
  EXPECT_EQ(x, 500);  // 1001 / 2 truncated
  EXPECT_EQ(y, 251);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 1);
  GlTestSetFullScreen(false);
  test_input::Uninstall();
}

// A press and release that both reach the queue between two frames, as a quick tap or a
// touchpad click does, counts as down for one frame and is up again in the next.
TEST(QuickTaps, APressReleasedBetweenTwoFramesCountsForOneFrame) {
  KEPlatformSetInputSource(nullptr);
  struct Row {
    Uint32 down, up;
    int code;  // scancode or mouse button
    unsigned vk;
  };
  for (Row row : {Row{SDL_KEYDOWN, SDL_KEYUP, SDL_SCANCODE_ESCAPE, 0x1B},
                  Row{SDL_KEYDOWN, SDL_KEYUP, SDL_SCANCODE_W, 'W'},
                  Row{SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 0x01},
                  Row{SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 0x02}}) {
    KEInputReset();
    KEInputUpdate();
    for (Uint32 type : {row.down, row.up}) {
      SDL_Event event = {};
      event.type = type;
      if (type == SDL_KEYDOWN || type == SDL_KEYUP)
        event.key.keysym.scancode = SDL_Scancode(row.code);
      else
        event.button.button = Uint8(row.code);
      SDL_PushEvent(&event);
    }
    KESysUpdate();
    KEInputUpdate();
    EXPECT_TRUE(KEInputCheckTriggered(row.vk)) << "key " << row.vk;
    KEInputUpdate();
    EXPECT_FALSE(KEInputCheckCurr(row.vk)) << "key " << row.vk;
    EXPECT_TRUE(KEInputCheckReleased(row.vk)) << "key " << row.vk;
  }
}

// Ctrl and Shift held when S went down count in the frame that sees S, even when the whole
// chord was let go before it (Ctrl+Shift+S tapped as quickly as one key).
TEST(QuickTaps, AChordLetGoBeforeTheFrameKeepsItsModifiers) {
  KEPlatformSetInputSource(nullptr);
  KEInputReset();
  KEInputUpdate();
  for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
    SDL_Event event = {};
    event.type = type;
    event.key.keysym.scancode = SDL_SCANCODE_S;
    event.key.keysym.mod = KMOD_LCTRL | KMOD_RSHIFT;
    SDL_PushEvent(&event);
  }
  KESysUpdate();
  KEInputUpdate();
  EXPECT_TRUE(KEInputCheckTriggered('S'));
  EXPECT_TRUE(KEInputCheckCurr(0x11)) << "Ctrl";
  EXPECT_TRUE(KEInputCheckCurr(0x10)) << "Shift";
  EXPECT_FALSE(KEInputCheckCurr(0x12)) << "Alt was not held";
  KEInputUpdate();
  EXPECT_FALSE(KEInputCheckCurr(0x11));
}

}  // namespace
