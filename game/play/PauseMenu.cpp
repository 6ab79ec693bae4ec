#include "PauseMenu.h"

#include "AudioService.h"
#include "KEGraphics.h"
#include "UIButton.h"

namespace {

// The column stands beside the player, who is at the view's centre unless the camera stops
// at a map's edge: left of the centre, or right of it for a player left of it.
constexpr float kColumnLeftX = -230, kColumnRightX = 200;

// The buttons as data, in creation order, the column on the left. The sound switch has no
// state images.
using PauseButton = ButtonRow<PauseMenu>;
const PauseButton kPauseButtons[] = {
    {&PauseMenu::resumeButton, OverPlate("RESUME", 150, 75, kColumnLeftX, 60, kPausePlate)},
    {&PauseMenu::restartButton, OverPlate("RESTART", 150, 75, kColumnLeftX, 0, kPausePlate)},
    // The main menu's picture, squeezed.
    {&PauseMenu::instButton, OverPlate("INST", 150, 75, kColumnLeftX, -60, kMenuPlate, 220, 80)},
    {&PauseMenu::backButton, OverPlate("BACK", 150, 80, 11, -275, kBackPlate)},
    {&PauseMenu::optionsButton, OverPlate("OPTIONS", 150, 75, kColumnLeftX, -120, kPausePlate)},
    {&PauseMenu::soundButton, OverPlate(nullptr, 50, 50, kColumnLeftX + 100, -120, kSmallPlate)},
    {&PauseMenu::gearButton, OverPlate("GEAR", 50, 50, kColumnLeftX + 155, -120, kSmallPlate)},
    {&PauseMenu::menuButton, OverPlate("MENU", 150, 75, kColumnLeftX, -180, kPausePlate)},
    {&PauseMenu::yesButton, OverPlate("YES", 150, 100, -100, -50, kAnswerPlate)},
    {&PauseMenu::noButton, OverPlate("NO", 150, 100, 90, -50, kAnswerPlate)},
};
constexpr UIButton* PauseMenu::*kColumnButtons[] = {
    &PauseMenu::resumeButton,  &PauseMenu::restartButton, &PauseMenu::instButton,
    &PauseMenu::optionsButton, &PauseMenu::soundButton,   &PauseMenu::gearButton,
    &PauseMenu::menuButton};

enum SoundImage { kSoundOn = 0, kSoundOff = 1 };

// A button pointer is empty before Load and after Forget.
void SetActive(UIButton* button, bool active) {
  if (button) button->active = active;
}

bool Confirming(PauseScreen screen) {
  return screen == PauseScreen::kConfirmRestart || screen == PauseScreen::kConfirmLeave;
}

void PlaceSprite(Sprite& sprite, const char* picture, float halfWidth, float halfHeight) {
  sprite.Init(1, halfWidth, halfHeight);
  sprite.AddImage(picture);
}

}  // namespace

void PauseMenu::Load() {
  PlaceSprite(title_, "Assets/PauseText.png", 400, 300);
  PlaceSprite(dimmer_, "Assets/PauseScreen.png", 400, 300);
  instructions_.Load(kPausedInstructionPictures, 400, 300);
  PlaceSprite(confirmPanel_, "Assets/confirmationscreen.png", 200, 150);

  CreateButtons(*this, kPauseButtons);
  columnX = kColumnLeftX;
  noButton->preferFocus = true;
  settings.Load();
  soundButton->sprite.SetImage("Assets/soundOn.png");
  soundButton->sprite.AddImage("Assets/soundOFF.png");
  soundButton->useStateImages = false;
}

void PauseMenu::Forget() {
  settings.Forget();
  for (const PauseButton& row : kPauseButtons) this->*row.slot = nullptr;
  screen = PauseScreen::kPlaying;
}

void PauseMenu::Place(KEVec2 view, bool playerLeftOfCentre) {
  // Pictures and hit boxes move alike.
  const float x = playerLeftOfCentre ? kColumnRightX : kColumnLeftX;
  if (const float dx = x - columnX; dx != 0) {
    for (UIButton* PauseMenu::*slot : kColumnButtons) {
      if (UIButton* button = this->*slot) {
        button->basePosition.x += dx;
        button->hitLeft += dx;
        button->hitRight += dx;
      }
    }
    columnX = x;
  }
  for (const PauseButton& row : kPauseButtons) {
    if (UIButton* button = this->*row.slot) button->offset = view;
  }
}

PauseChoice PauseMenu::Update(KEVec2 view, bool paused) {
  const bool settingsBack = settings.Update(view);
  // However the world came to run again, no screen stays over it.
  if (!paused) {
    if (screen != PauseScreen::kPlaying) Close();
    return PauseChoice::kStay;
  }
  PauseScreen next = screen;
  PauseChoice choice = PauseChoice::kStay;
  switch (screen) {
    case PauseScreen::kPlaying:  // the world has just paused: the column opens
      next = PauseScreen::kPaused;
      break;
    case PauseScreen::kPaused:
    case PauseScreen::kOptions:
      if (TakeClick(resumeButton)) {
        choice = PauseChoice::kResume;
      } else if (TakeClick(restartButton)) {
        next = PauseScreen::kConfirmRestart;
      } else if (TakeClick(instButton)) {
        next = PauseScreen::kInstructions;
      } else if (TakeClick(optionsButton)) {
        next = screen == PauseScreen::kOptions ? PauseScreen::kPaused : PauseScreen::kOptions;
      } else if (TakeClick(menuButton)) {
        next = PauseScreen::kConfirmLeave;
      } else if (screen == PauseScreen::kOptions && TakeClick(soundButton)) {
        muted = !muted;
        AudioService::Get().SetMusicMuted(muted);
        soundButton->sprite.SetAnimation(muted ? kSoundOff : kSoundOn);
      } else if (screen == PauseScreen::kOptions && TakeClick(gearButton)) {
        next = PauseScreen::kSettings;
      }
      break;
    case PauseScreen::kInstructions:
      if (TakeClick(backButton)) next = PauseScreen::kPaused;
      break;
    case PauseScreen::kConfirmRestart:
    case PauseScreen::kConfirmLeave:
      if (TakeClick(yesButton)) {
        choice =
            screen == PauseScreen::kConfirmRestart ? PauseChoice::kRestart : PauseChoice::kLeave;
      } else if (TakeClick(noButton)) {
        next = PauseScreen::kPaused;
      }
      break;
    case PauseScreen::kSettings:
      if (settingsBack) next = PauseScreen::kPaused;
      break;
  }
  // A latch left on a button this screen does not show would answer a later screen.
  for (const PauseButton& row : kPauseButtons) TakeClick(this->*row.slot);
  if (choice == PauseChoice::kStay) Show(next);
  return choice;
}

void PauseMenu::Show(PauseScreen next) {
  if (next != screen && (next == PauseScreen::kSettings || screen == PauseScreen::kSettings))
    settings.Open(next == PauseScreen::kSettings);
  screen = next;
  const bool column = next == PauseScreen::kPaused || next == PauseScreen::kOptions;
  for (UIButton* button : {resumeButton, restartButton, instButton, optionsButton, menuButton})
    SetActive(button, column);
  SetActive(soundButton, next == PauseScreen::kOptions);
  SetActive(gearButton, next == PauseScreen::kOptions);
  SetActive(backButton, next == PauseScreen::kInstructions);
  SetActive(yesButton, Confirming(next));
  SetActive(noButton, Confirming(next));
}

void PauseMenu::Close() {
  screen = PauseScreen::kPlaying;
  settings.Open(false);
  for (const PauseButton& row : kPauseButtons) {
    SetActive(this->*row.slot, false);
    TakeClick(this->*row.slot);
  }
}

void PauseMenu::Unmute() {
  muted = false;
  AudioService::Get().SetMusicMuted(false);
  if (soundButton) soundButton->sprite.SetAnimation(kSoundOn);
}

void PauseMenu::DrawUnderStrip(KEVec2 view) {
  if (screen == PauseScreen::kPaused || screen == PauseScreen::kOptions || Confirming(screen))
    DrawOverTheWorld(view);
}

void PauseMenu::DrawOverStrip(KEVec2 view) {
  if (screen == PauseScreen::kInstructions) DrawOverTheWorld(view);
  if (screen == PauseScreen::kSettings) settings.Draw(view);
}

// The level dimmed, the column's title or the instructions, a question standing out bright,
// and the buttons shown.
void PauseMenu::DrawOverTheWorld(KEVec2 view) {
  BeginSpriteDraw(0.5f, view.x, view.y);
  dimmer_.DrawFrame();
  if (screen != PauseScreen::kInstructions) {
    BeginSpriteDraw(1.0f, view.x + columnX, view.y);
    title_.DrawFrame();
  }
  BeginSpriteDraw(1.0f, view.x, view.y);
  if (screen == PauseScreen::kInstructions) instructions_.DrawFrame();
  if (Confirming(screen)) confirmPanel_.DrawFrame();
  DrawUIObjects();
}
