#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "KEGraphics.h"
#include "ObjectManager.h"
#include "Tile.h"
#include "gl_environment.h"

namespace {

// A 50 by 50 tile of opaque red, drawn as a level draws its tiles.
std::shared_ptr<Tile> RedTile(KEVec2 position) {
  static std::shared_ptr<Texture> red = [] {
    std::vector<unsigned char> rgba(4 * 4 * 4);
    for (size_t i = 0; i < rgba.size(); i += 4) rgba[i] = rgba[i + 3] = 255;
    return std::make_shared<Texture>(KEGfxTextureLoadFromMemory(rgba.data(), 4, 4));
  }();
  auto tile = CreateTile();
  tile->sprite.Init(1, 0.5f, 0.5f);
  tile->sprite.AddImage("Assets/not-needed.png");
  tile->sprite.animations[0].texture = red;
  tile->SetScale({50, 50});
  tile->position = position;
  tile->UpdateTransform();
  return tile;
}

bool RedAt(int x, int y) {
  unsigned char pixel[4];
  GlTestReadPixel(x, y, pixel);
  return pixel[0] > 200 && pixel[1] < 50;
}

// Tiles off the view are skipped; one that only just reaches into it must still show.
TEST(TileDraw, TilesReachingIntoTheViewAreDrawn) {
  struct Case {
    const char* what;
    KEVec2 tile;
    int pixelX, pixelY;  // drawable pixel to look at, from the bottom-left
    bool red;
  };
  const Case cases[] = {
      {"in the middle", {0, 0}, 400, 300, true},
      {"half over the left edge", {-410, 0}, 2, 300, true},
      {"half over the top edge", {0, 310}, 400, 597, true},
      {"corner just inside the bottom right", {420, -320}, 797, 2, true},
  };
  for (const Case& c : cases) {
    gObjectManager.FreeAll();
    RedTile(c.tile);
    KEGfxSetBackgroundColor(0, 0, 0);
    KEGfxSetRenderMode(KE_RENDER_NONE);
    KEGfxStart();
    KEGfxSetCamPosition(0, 0);
    BeginSpriteDraw(1.0f, 0, 0);
    gObjectManager.DrawAll();
    EXPECT_EQ(RedAt(c.pixelX, c.pixelY), c.red) << c.what;
    KEGfxSetRenderMode(KE_RENDER_NONE);
  }
  gObjectManager.FreeAll();
}

// 50 by 50 texels, each of its own colour, so that a texel taken one off shows.
KEGfxTexture* Pattern(int seed) {
  std::vector<unsigned char> rgba(50 * 50 * 4);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 50; ++x) {
      unsigned char* p = &rgba[size_t(y * 50 + x) * 4];
      p[0] = (unsigned char)(x * 5 + seed * 60), p[1] = (unsigned char)(y * 5);
      p[2] = (unsigned char)((x + y) * 2 + seed * 90), p[3] = 255;
    }
  }
  return KEGfxTextureLoadFromMemory(rgba.data(), 50, 50);
}

// A map drawn as one layer shows what its tiles drawn one by one show, in the window and
// scaled full screen. Where pixel centres fall exactly on texel edges (the camera half a
// unit off in the window, a quarter full screen) the two may pick either neighbouring texel,
// so the camera stands elsewhere.
TEST(TileDraw, LayerShowsWhatItsTilesShowOneByOne) {
  const std::shared_ptr<Texture> pictures[2] = {std::make_shared<Texture>(Pattern(0)),
                                                std::make_shared<Texture>(Pattern(1))};
  constexpr int kColumns = 21, kRows = 15;
  KEGfxTileLayer* layer = KEGfxTileLayerCreate(kColumns, kRows, 50, -525, -375);
  gObjectManager.FreeAll();
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      if ((row * 7 + column) % 11 == 0) continue;  // some cells stay empty
      const std::shared_ptr<Texture>& picture = pictures[(row + column * 3) % 5 == 0];
      KEGfxTileLayerSet(layer, column, row, picture->get());
      RedTile({-500.0f + 50 * column, -350.0f + 50 * row})->sprite.animations[0].texture = picture;
    }
  }
  const KEVec2 cameras[] = {{0, 0}, {13.37f, -7.81f}, {-101.3f, 33.3f}, {250.1f, -99.9f}};
  for (bool fullScreen : {false, true}) {
    GlTestSetFullScreen(fullScreen);
    for (const KEVec2& camera : cameras) {
      std::vector<unsigned char> shown[2];
      for (int way = 0; way < 2; ++way) {
        KEGfxSetBackgroundColor(0, 0, 0);
        KEGfxSetRenderMode(KE_RENDER_NONE);
        KEGfxStart();
        KEGfxSetCamPosition(camera.x, camera.y);
        BeginSpriteDraw(1.0f, 0, 0);
        if (way == 0) gObjectManager.DrawAll();
        if (way == 1) KEGfxTileLayerDraw(layer, -INFINITY);
        shown[way] = GlTestReadScreen();
        KEGfxSetRenderMode(KE_RENDER_NONE);
      }
      size_t differ = 0;
      for (size_t i = 0; i < shown[0].size(); ++i) differ += shown[0][i] != shown[1][i];
      EXPECT_EQ(differ, 0u) << (fullScreen ? "full screen" : "window") << ", camera at " << camera.x
                            << ", " << camera.y;
    }
  }
  GlTestSetFullScreen(false);
  KEGfxSetCamPosition(0, 0);
  gObjectManager.FreeAll();
  KEGfxTileLayerFree(layer);
}

// Cells entirely under the band are left out; one reaching above it is drawn whole.
TEST(TileDraw, LayerLeavesOutCellsUnderTheBand) {
  KEGfxTexture* picture = Pattern(3);
  KEGfxTileLayer* layer = KEGfxTileLayerCreate(1, 3, 50, -25, -300);
  for (int row = 0; row < 3; ++row) KEGfxTileLayerSet(layer, 0, row, picture);
  KEGfxSetBackgroundColor(0, 0, 0);
  KEGfxSetRenderMode(KE_RENDER_NONE);
  KEGfxStart();
  KEGfxSetCamPosition(0, 0);
  BeginSpriteDraw(1.0f, 0, 0);
  // The band's top at -220: the bottom cell (up to -250) is under it, the next (up to -200)
  // reaches above it.
  KEGfxTileLayerDraw(layer, -220);
  unsigned char pixel[4];
  GlTestReadPixel(400, 25, pixel);
  EXPECT_EQ(pixel[0] + pixel[1] + pixel[2], 0) << "the bottom cell is left out";
  GlTestReadPixel(400, 60, pixel);
  EXPECT_GT(pixel[0] + pixel[1] + pixel[2], 0) << "the middle cell is drawn";
  KEGfxSetRenderMode(KE_RENDER_NONE);
  KEGfxTileLayerFree(layer);
  KEGfxTextureUnload(picture);
}

// Only opaque pictures on every cell the box touches hide what lies under it.
TEST(TileDraw, LayerHidesABoxOnlyWhereEveryCellIsOpaque) {
  const unsigned char solid[4] = {10, 20, 30, 255}, glass[4] = {10, 20, 30, 254};
  KEGfxTexture* opaque = KEGfxTextureLoadFromMemory(solid, 1, 1);
  KEGfxTexture* clear = KEGfxTextureLoadFromMemory(glass, 1, 1);
  // Four columns by three rows from (-100, -75); column 3 of row 2 see-through, row 0 empty
  // in column 0.
  KEGfxTileLayer* layer = KEGfxTileLayerCreate(4, 3, 50, -100, -75);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 4; ++column)
      KEGfxTileLayerSet(layer, column, row, row == 2 && column == 3 ? clear : opaque);
  KEGfxTileLayerSet(layer, 0, 0, nullptr);
  const struct {
    float left, bottom, right, top;
    bool hidden;
  } cases[] = {
      {-40, -20, 40, 20, true},     // the middle
      {-49, -24, 99, 24, true},     // up to the right edge
      {-40, -20, 101, 20, false},   // past the right edge
      {-101, -20, 0, 20, false},    // past the left edge
      {-90, -70, -60, -30, false},  // on the empty cell
      {60, 30, 90, 70, false},      // on the see-through cell
      {60, -20, 90, 24, true},      // just below it
      {60, -20, 90, 25, false},     // its edge counts the cell above
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KEGfxTileLayerCovers(layer, c.left, c.bottom, c.right, c.top), c.hidden)
        << c.left << " " << c.bottom << " " << c.right << " " << c.top;
  }
  KEGfxTileLayerFree(layer);
  KEGfxTextureUnload(opaque);
  KEGfxTextureUnload(clear);
}

}  // namespace
