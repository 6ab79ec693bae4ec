#include "WatchBar.h"

#include <cmath>

#include "ControlsPictures.h"
#include "KEInput.h"

namespace {

constexpr float kBarY = 276, kKeysY = 250, kStoppedY = 0;
constexpr float kButtonWidth = 100, kButtonHeight = 30, kButtonStep = 106;
constexpr const char* kLabels[WatchBar::kButtonCount] = {"PAUSE", "1X",    "2X",   "4X",
                                                         "STEP",  "AGAIN", "LEAVE"};
constexpr const char* kKeysLine = "SPACE PAUSE  1 2 4 SPEED  N STEP  R AGAIN  ESC LEAVE  TAB MAP";
constexpr const char* kPadLine = "A PAUSE  RB SPEED  RIGHT STEP  Y AGAIN  B LEAVE  BACK MAP";
enum { kPause, kSpeed1, kSpeed2, kSpeed4, kStep, kAgain, kLeave };
enum { kPlateIdle, kPlateHover, kPlateChosen };

float ButtonX(int i) { return kButtonStep * (float(i) - (WatchBar::kButtonCount - 1) / 2.0f); }

bool Pressed(std::initializer_list<unsigned> keys) {
  for (unsigned key : keys)
    if (KEInputCheckTriggered(key)) return true;
  return false;
}

}  // namespace

void WatchBar::Load() {
  for (int i = 0; i < kButtonCount; ++i) {
    const ButtonSpec plate = OverPlate(nullptr, kButtonWidth, kButtonHeight, ButtonX(i), kBarY,
                                       kKeyPlate, kKeyPlateWidth, kKeyPlateHeight);
    buttons[i] = group_.Keep(
        ImageButton(plate, {kKeyPlatePictures[0], kKeyPlatePictures[1], kKeyPlatePictures[2]}));
  }
  buttons[kLeave]->isBack = true;
  group_.Show(true);
  text_.Load(kKeyGlyphsPicture, kKeyGlyphs, kKeyGlyphWidth, kKeyGlyphHeight, 0.7f, " ", 0.66f);
}

void WatchBar::Forget() {
  group_.buttons.clear();
  for (UIButton*& button : buttons) button = nullptr;
}

WatchAsks WatchBar::Update(KEVec2 view, bool paused, int speed) {
  group_.Follow(view);
  WatchAsks asks;
  asks.pause = TakeClick(buttons[kPause]) || Pressed({VK_SPACE, 'P', VK_GAMEPAD_A});
  if (TakeClick(buttons[kSpeed1]) || Pressed({'1'})) asks.speed = 1;
  if (TakeClick(buttons[kSpeed2]) || Pressed({'2'})) asks.speed = 2;
  if (TakeClick(buttons[kSpeed4]) || Pressed({'4'})) asks.speed = 4;
  if (Pressed({VK_GAMEPAD_RIGHT_SHOULDER})) asks.speed = speed >= 4 ? 1 : speed * 2;
  asks.step = TakeClick(buttons[kStep]) || Pressed({'N', VK_RIGHT, VK_GAMEPAD_DPAD_RIGHT});
  asks.again = TakeClick(buttons[kAgain]) || Pressed({'R', VK_GAMEPAD_Y});
  asks.leave = TakeClick(buttons[kLeave]) || Pressed({VK_ESCAPE, VK_GAMEPAD_B});
  const int shownSpeed = asks.speed ? asks.speed : speed;
  const bool nowPaused = paused != asks.pause;
  for (int i = 0; i < kButtonCount; ++i) {
    const bool chosen = (i == kPause && nowPaused) || (i == kSpeed1 && shownSpeed == 1) ||
                        (i == kSpeed2 && shownSpeed == 2) || (i == kSpeed4 && shownSpeed == 4);
    buttons[i]->sprite.SetAnimation(chosen                    ? kPlateChosen
                                    : buttons[i]->highlighted ? kPlateHover
                                                              : kPlateIdle);
  }
  return asks;
}

void WatchBar::Draw(KEVec2 view, double seconds, bool paused, int speed,
                    const std::string& stopped) {
  DrawUIObjects();
  for (int i = 0; i < kButtonCount; ++i)
    text_.Draw(kLabels[i], view.x + ButtonX(i), view.y + kBarY, 0.5f);
  const bool pad = KEInputLastDevice() == KE_INPUT_PAD;
  const long whole = long(std::floor(seconds));
  const std::string time = "WATCHING  " + std::to_string(whole / 60) + ":" +
                           (whole % 60 < 10 ? "0" : "") + std::to_string(whole % 60) + "  " +
                           (paused ? "PAUSED" : std::to_string(speed) + "X");
  text_.Draw(time + "    " + (pad ? kPadLine : kKeysLine), view.x, view.y + kKeysY, 0.5f);
  if (!stopped.empty()) text_.Draw(stopped, view.x, view.y + kStoppedY, 0.5f);
}
