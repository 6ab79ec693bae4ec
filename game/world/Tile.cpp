#include "Tile.h"

#include "GameState.h"
#include "ObjectManager.h"

std::shared_ptr<Tile> CreateTile() {
  std::shared_ptr<Tile> tile(new Tile());
  tile->alive = true;
  gObjectManager.objects.push_back(tile);
  return tile;
}

std::shared_ptr<Electric> CreateElectric() {
  std::shared_ptr<Electric> electric(new Electric());
  gObjectManager.objects.push_back(electric);
  return electric;
}

void Tile::Draw() {
  if (inLayer) return;
  // Most of a large map lies outside the view; drawing it would show nothing.
  const float halfWidth = 0.5f * scale.x, halfHeight = 0.5f * scale.y;
  if (position.x + halfWidth < gKEWinMinX || position.x - halfWidth > gKEWinMaxX ||
      position.y + halfHeight < gKEWinMinY || position.y - halfHeight > gKEWinMaxY)
    return;
  // Tint, transparency and blending are those left by whatever was drawn before.
  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxSetTransform(&transform);
  sprite.DrawFrame();
}

Electric::Electric() : GameObject({0, 0}, {0, 0}, {1, 1}, 0) {
  sprite.Init(4, 0.5f, 0.5f);
  sprite.AddStrip("Assets/Electri.png", 4, 0.2f);
  SetBoundsAround({0.4f, 0.4f});
  SetScale({40, 40});
  layer = 5;
}

void Electric::Update() {
  life -= float(GameStateManager.timeScale);  // frames at full speed
  if (life < 0) alive = false;
  SetBoundsAround({0.4f, 0.4f});
}

void Electric::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  KEGfxSetTransform(&transform);
  sprite.DrawFrame();
}
