#include "SplashCard.h"

#include "KEInput.h"

namespace {
const float kHalfSize = 330.0f;  // splash pictures are 660 x 660
}  // namespace

SplashCard::SplashCard(const char* picture) : picture_(picture) {}

void SplashCard::Load() {
  sprite_.Init(1, kHalfSize, kHalfSize);
  sprite_.AddImage(picture_);
}

void SplashCard::Update() {
  if (KEInputCheckTriggered(VK_ESCAPE)) GameStateManager.next = nullptr;
}

void SplashCard::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  sprite_.DrawFrame();
}
