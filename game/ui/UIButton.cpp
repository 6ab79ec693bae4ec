#include "UIButton.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
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
  // Only the press edge clicks, so holding the button or sliding onto it does nothing.
  pressedNow = hovered && KEInputCheckTriggered(VK_LBUTTON);
  if (pressedNow) clicked = true;
  // The focus pass after every object's update lights the focused button.
  if (useStateImages) sprite.SetAnimation(pressedNow ? kClicked : kIdle);
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

UIButton* ImageButton(const ButtonSpec& layout, std::initializer_list<std::string> pictures) {
  UIButton* button = CreateButton(layout);
  button->useStateImages = false;
  bool first = true;
  for (const std::string& picture : pictures) {
    if (first) button->sprite.SetImage(picture);
    else button->sprite.AddImage(picture);
    first = false;
  }
  return button;
}

void ButtonGroup::Show(bool shown) {
  for (UIButton* button : buttons) {
    button->active = shown;
    button->clicked = false;
  }
}

void ButtonGroup::Follow(KEVec2 view) {
  for (UIButton* button : buttons) button->offset = view;
}

bool TakeClick(UIButton* button) {
  if (!button || !button->clicked) return false;
  button->clicked = false;
  return true;
}

bool DropEarlyClicks(float& sinceEntry) {
  constexpr float kSettleTime = 0.5f;
  // Counted before deciding, and in full: a press made while the menu stood on screen
  // through a long frame is the player's, not an echo of the one that opened it.
  if (sinceEntry < kSettleTime) sinceEntry += float(GameStateManager.screenSeconds);
  if (sinceEntry >= kSettleTime) return false;
  for (const GameObjectPtr& object : gUIObjects) {
    if (auto* button = dynamic_cast<UIButton*>(object.get())) button->clicked = false;
  }
  return true;
}

namespace {

// The mouse moved or clicked more lately than a menu key was pressed: the focus follows the
// pointer, and no button is lit while it points at none.
bool gPointerInUse = false;
bool gMenuKeysHeld = false;

bool AnyTriggered(std::initializer_list<unsigned> keys) {
  if (gMenuKeysHeld) return false;
  for (unsigned key : keys) {
    if (KEInputCheckTriggered(key)) return true;
  }
  return false;
}

KEVec2 Centre(const UIButton& button) {
  return {(button.hitLeft + button.hitRight) / 2, (button.hitTop + button.hitBottom) / 2};
}

void UpdateFocus() {
  std::vector<UIButton*> active;
  for (const GameObjectPtr& object : gUIObjects) {
    auto* button = dynamic_cast<UIButton*>(object.get());
    if (!button) continue;
    if (button->active) active.push_back(button);
    else button->focused = button->highlighted = false;
  }
  if (active.empty()) return;
  const int dx = int(AnyTriggered({VK_RIGHT, 'D', VK_GAMEPAD_DPAD_RIGHT,
                                   VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT})) -
                 int(AnyTriggered({VK_LEFT, 'A', VK_GAMEPAD_DPAD_LEFT,
                                   VK_GAMEPAD_LEFT_THUMBSTICK_LEFT}));
  const int dy = int(AnyTriggered({VK_DOWN, 'S', VK_GAMEPAD_DPAD_DOWN,
                                   VK_GAMEPAD_LEFT_THUMBSTICK_DOWN})) -
                 int(AnyTriggered({VK_UP, 'W', VK_GAMEPAD_DPAD_UP, VK_GAMEPAD_LEFT_THUMBSTICK_UP}));
  const bool press = AnyTriggered({VK_RETURN, VK_SPACE, VK_GAMEPAD_A});
  if (AnyTriggered({VK_ESCAPE, VK_GAMEPAD_B})) {
    for (UIButton* button : active) {
      if (button->isBack) button->clicked = button->pressedNow = true;
    }
  }
  int moveX = 0, moveY = 0;
  KEInputGetCursorPositionDelta(&moveX, &moveY);
  if (moveX || moveY || KEInputCheckTriggered(VK_LBUTTON)) gPointerInUse = true;
  if (dx || dy || press) gPointerInUse = false;

  UIButton* focused = nullptr;
  for (UIButton* button : active) {
    if (button->focused && !focused) focused = button;
  }
  // A new set of buttons (a screen, a panel) starts on its preferred button, else on the
  // first in reading order: the top one, the leftmost of a row.
  if (!focused) {
    focused = *std::min_element(active.begin(), active.end(), [](UIButton* a, UIButton* b) {
      const KEVec2 ca = Centre(*a), cb = Centre(*b);
      return std::fabs(ca.y - cb.y) > 10 ? ca.y < cb.y : ca.x < cb.x;
    });
    for (UIButton* button : active) {
      if (button->preferFocus) focused = button;
    }
  }
  if (gPointerInUse) {
    for (UIButton* button : active) {
      if (button->hovered) focused = button;
    }
  } else if (dx || dy) {
    focused = NearestInDirection(active, focused, dx, dy);
  }
  const bool shown = !gPointerInUse || focused->hovered;
  if (press) focused->clicked = focused->pressedNow = true;
  for (UIButton* button : active) {
    button->focused = button == focused;
    button->highlighted = button->focused && shown;
    if (button->useStateImages)
      button->sprite.SetAnimation(button->pressedNow ? kClicked
                                  : button->highlighted ? kHover
                                                        : kIdle);
  }
}

}  // namespace

UIButton* NearestInDirection(const std::vector<UIButton*>& buttons, UIButton* from, int dx,
                             int dy) {
  const KEVec2 start = Centre(*from);
  const auto sameRow = [from](const UIButton* b) {
    return b != from && b->hitTop < from->hitBottom && from->hitTop < b->hitBottom;
  };
  // Left and Right keep to a row: at its end the focus stays rather than jumping to
  // another row. A button alone on its row looks everywhere that way.
  const bool inRow = dy == 0 && std::any_of(buttons.begin(), buttons.end(), sameRow);
  UIButton* best = from;
  float bestScore = 0;
  bool bestAhead = false;
  for (UIButton* button : buttons) {
    const KEVec2 c = Centre(*button);
    const float along = (c.x - start.x) * float(dx) + (c.y - start.y) * float(dy);
    const float across = std::fabs((c.x - start.x) * float(dy) - (c.y - start.y) * float(dx));
    if (button == from || along < 1 || (inRow && !sameRow(button))) continue;
    // Within about 60 degrees of straight ahead beats anything further round.
    const bool ahead = across <= 2 * along;
    const float score = along + 2 * across;
    if (best == from || (ahead && !bestAhead) || (ahead == bestAhead && score < bestScore)) {
      best = button;
      bestScore = score;
      bestAhead = ahead;
    }
  }
  return best;
}

void HoldMenuKeys(bool held) { gMenuKeysHeld = held; }

void UpdateUIObjects() {
  const float dt = float(GameStateManager.stepSeconds);
  for (size_t i = 0; i < gUIObjects.size(); ++i) {
    GameObjectPtr object = gUIObjects[i];
    object->Update();
    object->UpdateAnimation(dt);
  }
  UpdateFocus();
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
