#include "StatusDisplay.h"

#include <algorithm>

#include "KEGraphics.h"
#include "Player.h"

UI* gCurrentUI = nullptr;

namespace {

constexpr const char* kDigitFiles[10] = {
    "Assets/1.png", "Assets/2.png", "Assets/3.png", "Assets/4.png", "Assets/5.png",
    "Assets/6.png", "Assets/7.png", "Assets/8.png", "Assets/9.png", "Assets/0.png"};

// Where each item sits relative to the view centre.
constexpr float kBarY = -300 + UI::kStripHeight / 2;
constexpr float kIconY = -265;
constexpr float kPictureX[3] = {170, 250, 330};
constexpr float kStatusX = -195;
constexpr float kTensX = -30;
constexpr float kUnitsX = 10;

// "0" lives in the last slot, after "1" to "9".
int DigitSlot(int digit) { return digit == 0 ? 9 : digit - 1; }

}  // namespace

void DisguiseDigits(double disguiseTime, int* tens, int* units) {
  int n = 0;
  // NaN, negatives and times past what an int holds would be undefined to truncate;
  // the strip can only show two digits, so a huge time shows 99.
  if (disguiseTime > 0) {
    if (disguiseTime >= 2147483520.0)
      n = 99;
    else
      n = int(float(disguiseTime));
  }
  if (tens) *tens = (n / 10) % 10;
  if (units) *units = n % 10;
}

void UI::Load() {
  for (std::string& name : pictureNames) name = kEmptyPicture;
  statusName = kNormalStatus;
  digitMesh = MakeQuad(-10, 10, -10, 10);
  for (int i = 0; i < 10; ++i) digitTextures[i] = GetTexture(kDigitFiles[i]);
  statusBarMesh = MakeQuad(-400, 400, -kStripHeight / 2, kStripHeight / 2);
  guiTexture = GetTexture("Assets/gui.png");
  iconMesh = MakeQuad(-25, 25, -25, 25);
  for (int k = 0; k < 3; ++k) pictureTextures[k] = GetTexture(pictureNames[k]);
  for (int s = 0; s < kChargeSteps; ++s) chargeTextures[s] = GetTexture(kChargePictures[s]);
  statusTexture = GetTexture(statusName);
}

// A slot named by its default keeps the texture it has, so setting a name back to the
// empty picture leaves the old photo showing until ResetPicture.
void UI::Update() {
  for (int k = 0; k < 3; ++k) {
    if (pictureNames[k] != kEmptyPicture) pictureTextures[k] = GetTexture(pictureNames[k]);
  }
  if (statusName != kNormalStatus) statusTexture = GetTexture(statusName);
}

void UI::Draw() {
  KEGfxGetCamPosition(&viewPosition[0], &viewPosition[1]);
  const float vx = viewPosition[0], vy = viewPosition[1];
  DrawPicture(statusBarMesh, guiTexture, vx, vy + kBarY);
  for (int k = 0; k < 3; ++k)
    DrawPicture(iconMesh, pictureTextures[k], vx + kPictureX[k], vy + kIconY);
  DrawPicture(iconMesh, statusTexture, vx + kStatusX, vy + kIconY);
  const Charge charge = ChargeShown();
  if (charge.slot >= 0)
    DrawPicture(iconMesh, chargeTextures[charge.step], vx + kPictureX[charge.slot], vy + kIconY);

  int tens = 0, units = 0;
  DisguiseDigits(gCurrentPlayer ? gCurrentPlayer->disguiseTime : 0.0, &tens, &units);
  DrawPicture(digitMesh, digitTextures[DigitSlot(tens)], vx + kTensX, vy + kIconY);
  DrawPicture(digitMesh, digitTextures[DigitSlot(units)], vx + kUnitsX, vy + kIconY);
}

void UI::SetStatusImage(const std::string& name) {
  if (&name == &statusName) return;
  statusName = name;
}

void UI::ResetPicture(int slot) {
  if (slot < 0 || slot > 2) return;
  pictureNames[slot] = kEmptyPicture;
  pictureTextures[slot] = GetTexture(pictureNames[slot]);
}

void UI::ResetStatusImage() {
  statusName = kNormalStatus;
  statusTexture = GetTexture(statusName);
}

UI::Charge UI::ChargeShown() const {
  Charge shown;
  const float charge = gCurrentPlayer ? gCurrentPlayer->CameraCharge() : 1.0f;
  if (!(charge < 1)) return shown;
  // Photos fill the strip from the left, so the first empty slot is where the next lands.
  for (int k = 0; k < 3 && shown.slot < 0; ++k)
    if (pictureNames[k] == kEmptyPicture) shown.slot = k;
  shown.step = std::clamp(int(charge * kChargeSteps), 0, kChargeSteps - 1);
  return shown;
}
