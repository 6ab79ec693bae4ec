#include "UIButton.h"

#include <string>

#include "GameState.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "ObjectManager.h"

namespace {
enum ButtonImage { kIdle = 0, kHover = 1, kClicked = 2 };
}  // namespace

UIButton::UIButton() = default;

void UIButton::Update() {
  int mx = 0, my = 0;
  KEInputGetCursorPosition(&mx, &my);
  const float x = float(mx), y = float(my);
  // Strict on every edge: a cursor on the border of two boxes belongs to neither.
  hovered = active && hitLeft < x && x < hitRight && hitTop < y && y < hitBottom;
  if (hovered) {
    if (useStateImages) sprite.SetAnimation(kHover);
    // Only the press edge clicks, so holding the button or sliding onto it does nothing.
    if (KEInputCheckTriggered(VK_LBUTTON)) {
      if (useStateImages) sprite.SetAnimation(kClicked);
      clicked = true;
    }
  } else if (useStateImages) {
    sprite.SetAnimation(kIdle);
  }
  position = {basePosition.x + offset.x, basePosition.y + offset.y};
  UpdateTransform();
}

void UIButton::Place(const ButtonSpec& layout) {
  scale = {layout.width, layout.height};
  rotation = 0;
  position = {0, 0};
  UpdateTransform();
  hitLeft = layout.left;
  hitBottom = layout.bottom;
  hitRight = layout.right;
  hitTop = layout.top;
  offset = {0, 0};
  basePosition = {layout.x, layout.y};
}

void UIButton::Draw() {
  if (!active) return;
  BeginSpriteDraw(1.0f, 0, 0);
  KEGfxSetTransform(&transform);
  sprite.DrawFrame();
}

std::shared_ptr<UIButton> CreateButton() {
  auto button = std::make_shared<UIButton>();
  gUIObjects.push_back(button);
  return button;
}

UIButton* CreateButton(const ButtonSpec& layout) {
  UIButton* button = CreateButton().get();
  if (layout.name) {
    const std::string name = layout.name;
    button->sprite.SetImage("Assets/UI/Button_idle_" + name + ".png");
    button->sprite.AddImage("Assets/UI/Button_hover_" + name + ".png");
    button->sprite.AddImage("Assets/UI/Button_clicked_" + name + ".png");
  }
  button->Place(layout);
  return button;
}

bool DropEarlyClicks(float& sinceEntry) {
  constexpr float kSettleTime = 0.5f;
  if (sinceEntry >= kSettleTime) return false;
  sinceEntry += float(GameStateManager.frameTime);
  for (const GameObjectPtr& object : gUIObjects) {
    if (auto* button = dynamic_cast<UIButton*>(object.get())) button->clicked = false;
  }
  return true;
}

void UpdateUIObjects() {
  const float dt = float(GameStateManager.frameTime);
  for (size_t i = 0; i < gUIObjects.size(); ++i) {
    GameObjectPtr object = gUIObjects[i];
    object->Update();
    object->UpdateAnimation(dt);
  }
}

void DrawUIObjects() {
  for (size_t i = 0; i < gUIObjects.size(); ++i) {
    GameObjectPtr object = gUIObjects[i];
    object->Draw();
  }
}

void FreeUIObjects() {
  for (size_t i = 0; i < gUIObjects.size(); ++i) {
    GameObjectPtr object = gUIObjects[i];
    object->Free();
  }
  gUIObjects.clear();
}
