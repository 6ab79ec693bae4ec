#include "ControlsPanel.h"

#include "Controls.h"
#include "ControlsPictures.h"
#include "KEInput.h"
#include "SettingsInEffect.h"
#include "UIButton.h"

namespace {

enum PlateImage { kPlateIdle = 0, kPlateHover = 1, kPlateWaiting = 2 };

float RowY(int action) { return kFirstActionRowY + kActionRowPitch * float(action); }

// Keys that cannot be bound: the pad's buttons, and the side-less modifiers that come with
// the left and right ones.
bool Bindable(unsigned key) {
  return !(key >= VK_GAMEPAD_A && key <= VK_GAMEPAD_RIGHT_THUMBSTICK_LEFT) &&
         key != VK_SHIFT && key != VK_CONTROL && key != VK_MENU && !KeyName(key).empty();
}

}  // namespace

void ControlsPanel::Load() {
  backdrop_.Init(1, 400, 300);
  backdrop_.AddImage("Assets/controls.png");
  for (int i = 0; i < kActionCount; ++i) {
    const ButtonSpec plate = OverPlateOnScreen(nullptr, kKeyPlateWidth, kKeyPlateHeight,
                                               kKeyPlateX, RowY(i), kKeyPlate);
    keys[i] = group_.Keep(
        ImageButton(plate, {kKeyPlatePictures[0], kKeyPlatePictures[1], kKeyPlatePictures[2]}));
  }
  reset = group_.Keep(CreateButton(OverPlateOnScreen("RESET", 150, 80, 230, 545, kBackPlate)));
  back = group_.Keep(CreateButton(OverPlateOnScreen("BACK", 150, 80, 400, 545, kBackPlate)));
  back->isBack = true;
  text_.Load(kKeyGlyphsPicture, kKeyGlyphs, kKeyGlyphWidth, kKeyGlyphHeight, 1.0f, " ", 0.66f);
  Open(false);
}

void ControlsPanel::Forget() {
  group_.buttons.clear();
  for (UIButton*& key : keys) key = nullptr;
  reset = back = nullptr;
  Wait(-1);
  open_ = false;
}

void ControlsPanel::Open(bool open) {
  open_ = open;
  group_.Show(open);
  message.clear();
  Wait(-1);
}

void ControlsPanel::Wait(int action) {
  waitingFor = action;
  // The arrows, Enter and Escape are keys to bind while one is awaited, not menu keys.
  HoldMenuKeys(action >= 0);
}

bool ControlsPanel::Update(KEVec2 view) {
  group_.Follow(view);
  if (!open_) return false;
  if (waitingFor >= 0) {
    TakeKey();
    // Clicks meanwhile were keys to bind, or nothing.
    for (UIButton* button : group_.buttons) button->clicked = false;
  } else {
    for (int i = 0; i < kActionCount; ++i) {
      if (TakeClick(keys[i])) {
        message.clear();
        Wait(i);
      }
    }
    if (TakeClick(reset)) {
      Settings changed = CurrentSettings();
      changed.keys = KeyBindings();
      ChangeSettings(changed);
      message = "DEFAULT KEYS";
    }
  }
  for (int i = 0; i < kActionCount; ++i) {
    keys[i]->sprite.SetAnimation(i == waitingFor       ? kPlateWaiting
                                 : keys[i]->highlighted ? kPlateHover
                                                        : kPlateIdle);
  }
  return TakeClick(back);
}

void ControlsPanel::TakeKey() {
  if (KEInputCheckTriggered(VK_ESCAPE)) {
    Wait(-1);
    return;
  }
  for (unsigned key = 1; key < 256; ++key) {
    if (!KEInputCheckTriggered(key) || !Bindable(key)) continue;
    const Action action = Action(waitingFor);
    const int other = ActionBoundTo(CurrentSettings().keys, key, action);
    if (other >= 0) {
      message = KeyName(key) + " IS ALREADY " + kActionLabels[other];
    } else {
      Settings changed = CurrentSettings();
      changed.keys[action] = key;
      ChangeSettings(changed);
    }
    Wait(-1);
    return;
  }
}

void ControlsPanel::Draw(KEVec2 view) {
  BeginSpriteDraw(1.0f, view.x, view.y);
  backdrop_.DrawFrame();
  DrawUIObjects();
  for (int i = 0; i < kActionCount; ++i) {
    const std::string name =
        i == waitingFor ? "PRESS A KEY" : KeyName(CurrentSettings().keys.keys[i]);
    text_.Draw(name, view.x + kKeyPlateX - 400, view.y + 300 - RowY(i), 0.5f);
  }
  if (!message.empty()) text_.Draw(message, view.x, view.y + 300 - kControlsMessageY, 0.5f);
}
