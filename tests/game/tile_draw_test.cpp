#include <gtest/gtest.h>

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
  auto tile = gObjectManager.CreateTile();
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

}  // namespace
