#include "SettingsPanel.h"

#include <algorithm>
#include <string>

#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "SettingsInEffect.h"
#include "UIButton.h"

namespace {

// Screen rows and columns, matching the labels drawn in the backdrop.
constexpr float kVolumeY[] = {155, 210};  // music, effects
constexpr float kMinusX = 362, kFirstStepX = 404, kStepPitch = 28, kPlusX = 698;
constexpr float kChoiceX[] = {400, 530, 660};

struct OptionRow {
  float y;
  const char* names[3];  // NAME of "Assets/UI/Choice_STATE_NAME.png"; null past the last
  int (*shown)(const Settings&);
  void (*choose)(Settings*, int choice);
};
constexpr int kSpeeds[] = {100, 85, 70};
const OptionRow kOptionRows[] = {
    // The window mode shown is the one in effect, which the command line may have set.
    {280, {"FULLSCREEN", "WINDOW", nullptr},
     [](const Settings&) { return KESysIsFullScreen() ? 0 : 1; },
     [](Settings*, int choice) { ChooseWindowMode(choice == 0); }},
    {330, {"AUTO", "ON", "OFF"}, [](const Settings& s) { return int(s.vsync); },
     [](Settings* s, int choice) { s->vsync = VSyncMode(choice); }},
    {380, {"SPEED100", "SPEED85", "SPEED70"},
     [](const Settings& s) { return int(std::find(kSpeeds, kSpeeds + 3, s.gameSpeed) - kSpeeds); },
     [](Settings* s, int choice) { s->gameSpeed = kSpeeds[choice]; }},
    {430, {"ON", "OFF", nullptr}, [](const Settings& s) { return s.exitArrow ? 0 : 1; },
     [](Settings* s, int choice) { s->exitArrow = choice == 0; }},
    {480, {"ON", "OFF", nullptr}, [](const Settings& s) { return s.ghost ? 0 : 1; },
     [](Settings* s, int choice) { s->ghost = choice == 0; }},
};
constexpr int kOptionRowCount = int(sizeof kOptionRows / sizeof kOptionRows[0]);

enum StepImage { kStepOff = 0, kStepOn = 1 };
enum ChoiceImage { kChoiceIdle = 0, kChoiceHover = 1, kChoiceChosen = 2 };

}  // namespace

SettingsPanel::~SettingsPanel() { AudioService::Get().ReleaseEffect(sample_); }

void SettingsPanel::Load() {
  backdrop_.Init(1, 400, 300);
  backdrop_.AddImage("Assets/settings.png");
  for (int r = 0; r < 2; ++r) {
    VolumeRow& row = volumes[r];
    const float y = kVolumeY[r];
    row.minus =
        group_.Keep(CreateButton(OverPlateOnScreen("MINUS", 50, 50, kMinusX, y, kSmallPlate)));
    for (int i = 0; i < kSteps; ++i) {
      row.steps[i] = group_.Keep(ImageButton(
          OverPlateOnScreen(nullptr, 24, 36, kFirstStepX + kStepPitch * i, y, kStepPlate),
          {"Assets/UI/Step_off.png", "Assets/UI/Step_on.png"}));
    }
    row.plus = group_.Keep(CreateButton(OverPlateOnScreen("PLUS", 50, 50, kPlusX, y, kSmallPlate)));
  }
  for (int r = 0; r < kOptionRowCount; ++r) {
    for (int c = 0; c < 3 && kOptionRows[r].names[c]; ++c) {
      const std::string name = kOptionRows[r].names[c];
      rows[r].choices[c] = group_.Keep(ImageButton(
          OverPlateOnScreen(nullptr, 120, 50, kChoiceX[c], kOptionRows[r].y, kChoicePlate),
          {"Assets/UI/Choice_idle_" + name + ".png", "Assets/UI/Choice_hover_" + name + ".png",
           "Assets/UI/Choice_chosen_" + name + ".png"}));
    }
  }
  back = group_.Keep(CreateButton(OverPlateOnScreen("BACK", 150, 80, 400, 545, kBackPlate)));
  back->isBack = true;
  controlsButton =
      group_.Keep(CreateButton(OverPlateOnScreen("CONTROLS", 150, 80, 230, 545, kBackPlate)));
  if (!sample_) sample_ = AudioService::Get().LoadEffect("Assets/camsound.wav");
  controls.Load();
  Open(false);
}

void SettingsPanel::Forget() {
  group_.buttons.clear();
  for (VolumeRow& row : volumes) row = VolumeRow();
  for (ChoiceRow& row : rows) row = ChoiceRow();
  back = controlsButton = nullptr;
  controls.Forget();
  open_ = false;
}

void SettingsPanel::Open(bool open) {
  open_ = open;
  ShowRows(open);
  controls.Open(false);
}

void SettingsPanel::ShowRows(bool shown) {
  group_.Show(shown);
  if (shown) ShowCurrent();
}

bool SettingsPanel::Update(KEVec2 view) {
  group_.Follow(view);
  if (controls.Update(view)) {
    controls.Open(false);
    ShowRows(true);
  }
  if (!open_ || controls.IsOpen()) return false;
  if (TakeClick(controlsButton)) {
    ShowRows(false);
    controls.Open(true);
    return false;
  }
  Settings changed = CurrentSettings();
  for (int r = 0; r < 2; ++r) {
    int& volume = r == 0 ? changed.musicVolume : changed.effectsVolume;
    VolumeRow& row = volumes[r];
    if (TakeClick(row.minus)) volume = std::max(0, volume - 10);
    if (TakeClick(row.plus)) volume = std::min(100, volume + 10);
    for (int i = 0; i < kSteps; ++i) {
      if (TakeClick(row.steps[i])) volume = (i + 1) * 10;
    }
  }
  for (int r = 0; r < kOptionRowCount; ++r) {
    for (int c = 0; c < 3; ++c) {
      if (TakeClick(rows[r].choices[c])) kOptionRows[r].choose(&changed, c);
    }
  }
  // The window mode is kept by its own choice above; the rest changes here.
  changed.fullScreen = CurrentSettings().fullScreen;
  const int effectsBefore = CurrentSettings().effectsVolume;
  if (changed != CurrentSettings()) ChangeSettings(changed);
  // The new effects volume is heard at once.
  if (changed.effectsVolume != effectsBefore) AudioService::Get().PlayEffect(sample_);
  ShowCurrent();
  return TakeClick(back);
}

void SettingsPanel::ShowCurrent() {
  const Settings& current = CurrentSettings();
  const int volume[2] = {current.musicVolume, current.effectsVolume};
  for (int r = 0; r < 2; ++r) {
    for (int i = 0; i < kSteps; ++i) {
      if (UIButton* step = volumes[r].steps[i])
        step->sprite.SetAnimation(volume[r] >= (i + 1) * 10 ? kStepOn : kStepOff);
    }
  }
  for (int r = 0; r < kOptionRowCount; ++r) {
    const int shown = kOptionRows[r].shown(current);
    for (int c = 0; c < 3; ++c) {
      UIButton* choice = rows[r].choices[c];
      if (!choice) continue;
      choice->sprite.SetAnimation(c == shown         ? kChoiceChosen
                                  : choice->highlighted ? kChoiceHover
                                                    : kChoiceIdle);
    }
  }
}

void SettingsPanel::Draw(KEVec2 view) {
  if (controls.IsOpen()) return controls.Draw(view);
  BeginSpriteDraw(1.0f, view.x, view.y);
  backdrop_.DrawFrame();
  DrawUIObjects();
}
