// Image buttons with a hit box in screen pixels and a click latch, and the UI object list.
// One active button has the focus and shows its hover picture: the mouse moves it by
// hovering, the arrows, W A S D, a pad's d-pad or left stick move it to the nearest button
// that way, and Enter, Space or the pad's A press it. Escape or B press the screen's way
// back, where it has one.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ButtonPlates.h"
#include "GameObject.h"

struct ButtonSpec;

class UIButton : public GameObject {
 public:
  UIButton();
  void Update() override;  // hover and click test, then placement
  void Draw() override;    // only while active
  // Size, hit box and base position from a table row; the images are the caller's.
  void Place(const ButtonSpec& layout);

  bool useStateImages = true;  // false: the owner picks the animation
  float hitLeft = 0, hitBottom = 0, hitRight = 0, hitTop = 0;  // screen pixels, y down
  KEVec2 offset = {0, 0};        // the view centre in levels, 0 in menus
  KEVec2 basePosition = {0, 0};  // world position before `offset`
  bool active = false;
  bool hovered = false;      // under the mouse
  bool clicked = false;      // set by a click or a press, cleared only by the owner
  bool preferFocus = false;  // takes the focus when the buttons shown change (a "no")
  bool isBack = false;       // Escape or the pad's B press it while it is active
  bool focused = false;
  bool highlighted = false;  // focused and shown so: hidden while the mouse points elsewhere
  bool pressedNow = false;   // clicked or pressed on this frame
};

// The button `from` moves the focus to for a press towards (dx, dy) (screen, y down): the
// nearest that way, preferring those straight ahead; `from` itself when none lies that way.
// Left and Right from a button in a row stay in that row.
UIButton* NearestInDirection(const std::vector<UIButton*>& buttons, UIButton* from, int dx,
                             int dy);

// One row of a screen's button table.
struct ButtonSpec {
  const char* name;  // NAME of "Assets/UI/Button_idle_NAME.png" and its hover and clicked images
  float width, height;
  float x, y;                             // base position
  float left, bottom, right, top;         // hit box
};

// The row of a picture drawn `width` x `height` centred at (x, y) that answers over its plate
// and nowhere else. A picture drawn at another size than it was made (`madeWidth` x
// `madeHeight`) stretches its plate with it.
constexpr ButtonSpec OverPlate(const char* name, float width, float height, float x, float y,
                               const Plate& plate, float madeWidth = 0, float madeHeight = 0) {
  const float sx = madeWidth ? width / madeWidth : 1, sy = madeHeight ? height / madeHeight : 1;
  // The view is 800 x 600 pixels with its centre at (0, 0) and y up; hit boxes are y down.
  const float left = 400 + x - width / 2 + plate.x * sx;
  const float top = 300 - y - height / 2 + plate.y * sy;
  return {name, width, height, x, y, left, top + plate.h * sy, left + plate.w * sx, top};
}

// The same for a picture centred at (x, y) in screen pixels (y down), as panels lay out rows.
constexpr ButtonSpec OverPlateOnScreen(const char* name, float width, float height, float x,
                                       float y, const Plate& plate) {
  return OverPlate(name, width, height, x - 400, 300 - y, plate);
}

// A row of a screen's button table that also names the screen's member keeping the button.
template <typename Screen>
struct ButtonRow {
  UIButton* Screen::*slot;
  ButtonSpec layout;
};

// Creates the button at the end of the UI object list; the list owns it.
std::shared_ptr<UIButton> CreateButton();
// A button from a table row: idle, hover and clicked images, size, hit box, base position.
// A row without a name gets no images: its screen gives them.
UIButton* CreateButton(const ButtonSpec& layout);
// Every button of a screen's table, in table order, each kept in its member.
template <typename Screen, size_t N>
void CreateButtons(Screen& screen, const ButtonRow<Screen> (&table)[N]) {
  for (const ButtonRow<Screen>& row : table) screen.*row.slot = CreateButton(row.layout);
}

// A button showing the pictures its screen picks with `sprite.SetAnimation`, in this order,
// instead of the idle, hover and clicked ones.
UIButton* ImageButton(const ButtonSpec& layout, std::initializer_list<std::string> pictures);

// A panel's buttons, shown, hidden and kept on the view together; the UI object list owns
// them.
struct ButtonGroup {
  std::vector<UIButton*> buttons;
  UIButton* Keep(UIButton* button) {
    buttons.push_back(button);
    return button;
  }
  // Shown buttons answer, hidden ones do not; either way none keeps an old click.
  void Show(bool shown);
  // Drawn around `view`, the world point at the view's centre (a level's camera).
  void Follow(KEVec2 view);
};

// True once for a click or press, which it clears; false for no button.
bool TakeClick(UIButton* button);

// Clicks until a menu has stood on screen for half a second are thrown away, so that the
// click that opened it does not also press one of its buttons. Adds the time the menu was
// shown since the last frame to `sinceEntry` (the menu's own count, from 0); while that is
// under half a second, clears every button's click and returns true.
bool DropEarlyClicks(float& sinceEntry);

// While held, the menu keys (arrows, W A S D, Enter, Space, Escape and the pad's) leave the
// focus alone: a screen is reading them for itself. The mouse still works.
void HoldMenuKeys(bool held);

void UpdateUIObjects();
void DrawUIObjects();
void FreeUIObjects();
