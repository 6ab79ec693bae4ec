#include <gtest/gtest.h>

#include <limits>

#include "KEGraphics.h"
#include "Player.h"
#include "StatusDisplay.h"
#include "gl_environment.h"

namespace {

class StatusDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousUI = gCurrentUI;
    previousPlayer = gCurrentPlayer;
    hud.Load();
    gCurrentUI = &hud;
  }
  void TearDown() override {
    gCurrentUI = previousUI;
    gCurrentPlayer = previousPlayer;
    KEGfxSetCamPosition(0, 0);
  }
  UI hud;
  UI* previousUI = nullptr;
  Player* previousPlayer = nullptr;
};

// The two digits as drawn: each digit's own picture is swapped for a plain colour that names
// it, so a digit taken from the wrong picture reads back wrong.
TEST_F(StatusDisplayTest, ShowsTheLastTwoDigitsOfTheTruncatedSecondsLeft) {
  for (auto& picture : hud.digitTextures)
    for (int digit = 0; digit < 10; ++digit)
      if (picture == GetTexture("Assets/" + std::to_string(digit) + ".png")) {
        const unsigned char red[4] = {(unsigned char)(10 + 20 * digit), 0, 0, 255};
        picture = std::make_shared<Texture>(KEGfxTextureLoadFromMemory(red, 1, 1));
      }
  auto shown = [](int x) {
    unsigned char pixel[4];
    GlTestReadPixel(x, 35, pixel);
    return (pixel[0] + 10) / 20 - 1;
  };
  Player player;
  gCurrentPlayer = &player;
  struct Case { double time; int tens, units; };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {9.99, 0, 9}, {10.0, 1, 0}, {100.5, 0, 0}, {-1.0, 0, 0}, {7.9, 0, 7}, {123.0, 2, 3},
      {0.0, 0, 0}, {0.999, 0, 0}, {-0.5, 0, 0}, {39.99, 3, 9}, {45.6, 4, 5}, {86.0, 8, 6},
      // Narrowed to a float first, so this is exactly 10.
      {9.99999999, 1, 0},
      // Nothing a broken timer holds may reach an undefined conversion.
      {nan, 0, 0}, {-nan, 0, 0}, {inf, 9, 9}, {-inf, 0, 0}, {1e12, 9, 9}, {2147483647.0, 9, 9},
  };
  for (const Case& c : cases) {
    player.disguiseTime = c.time;
    KEGfxSetRenderMode(KE_RENDER_NONE);
    KEGfxStart();
    BeginSpriteDraw(1.0f, 0, 0);
    hud.Draw();
    EXPECT_EQ(shown(370), c.tens) << "time " << c.time;
    EXPECT_EQ(shown(410), c.units) << "time " << c.time;
  }
}

TEST_F(StatusDisplayTest, PictureSetBackToEmptyKeepsTheOldPhotoUntilReset) {
  const auto empty = GetTexture(UI::kEmptyPicture);
  const auto fire = GetTexture("Assets/SFIRE.png");
  const auto water = GetTexture("Assets/SWATER.png");
  EXPECT_EQ(hud.pictureTextures[1], empty);

  hud.pictureNames[0] = "Assets/SFIRE.png";
  hud.pictureNames[1] = "Assets/SWATER.png";
  hud.Update();
  EXPECT_EQ(hud.pictureTextures[0], fire);
  EXPECT_EQ(hud.pictureTextures[1], water);

  hud.pictureNames[0] = UI::kEmptyPicture;
  hud.Update();
  EXPECT_EQ(hud.pictureTextures[0], fire);
  hud.ResetPicture(0);
  EXPECT_EQ(hud.pictureTextures[0], empty);
  EXPECT_EQ(hud.pictureTextures[1], water);

  // Slots outside the three leave everything as it was.
  hud.ResetPicture(-1);
  hud.ResetPicture(3);
  EXPECT_EQ(hud.pictureTextures[1], water);
  EXPECT_EQ(hud.pictureNames[1], "Assets/SWATER.png");
}

TEST_F(StatusDisplayTest, DrawsWithTheViewAndWithoutAPlayerOrAPicture) {
  gCurrentPlayer = nullptr;
  KEGfxSetCamPosition(-350, 125);
  hud.Draw();
  EXPECT_FLOAT_EQ(hud.viewPosition[0], -350);
  EXPECT_FLOAT_EQ(hud.viewPosition[1], 125);

  UI neverLoaded;
  neverLoaded.Update();
  neverLoaded.Draw();
}

}  // namespace
