#include "SplashCard.h"

#include "KEGraphics.h"
#include "KEInput.h"

namespace {
const float kHalfSize = 330.0f;  // splash pictures are 660 x 660
const uint32_t kWhite = 0xFFFFFFFF;
}  // namespace

SplashCard::SplashCard(const char* picture) : picture_(picture) {}

void SplashCard::Load() {
  texture_ = KEGfxTextureLoad(picture_);
  const float h = kHalfSize;
  KEGfxTriAdd(-h, -h, kWhite, 0, 1, h, -h, kWhite, 1, 1, -h, h, kWhite, 0, 0);
  KEGfxTriAdd(h, -h, kWhite, 1, 1, h, h, kWhite, 1, 0, -h, h, kWhite, 0, 0);
  quad_ = KEGfxMeshEnd();
}

void SplashCard::Update() {
  if (KEInputCheckTriggered(VK_ESCAPE)) GameStateManager.next = nullptr;
}

void SplashCard::Draw() {
  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxSetPosition(0, 0);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxTextureSet(texture_, 0, 0);
  KEGfxMeshDraw(quad_, KE_DRAW_TRIANGLES);
}

void SplashCard::Unload() {
  KEGfxMeshFree(quad_);
  KEGfxTextureUnload(texture_);
  quad_ = nullptr;
  texture_ = nullptr;
}
