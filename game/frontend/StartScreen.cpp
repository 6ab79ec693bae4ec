#include "StartScreen.h"

#include "GameStateLoop.h"
#include "KEInput.h"
#include "MainMenu.h"

namespace {

constexpr float kHalfSize = 330;  // a 660 x 660 picture, centred
constexpr double kFadeAfter = 3.0;
constexpr double kMenuAfter = 4.0;
constexpr unsigned kSkipKeys[] = {VK_ESCAPE,    VK_SPACE,     VK_RETURN,      VK_LBUTTON,
                                   VK_RBUTTON,    VK_GAMEPAD_A, VK_GAMEPAD_MENU};

}  // namespace

void StartScreen::Load() {
  picture.Init(1, kHalfSize, kHalfSize);
  picture.AddStrip("Assets/startScreen.png", 1, 0);
}

void StartScreen::Update() {
  const double seconds = ScreenTimerSeconds();
  picture.Advance(float(seconds));
  timer += seconds;
  bool skip = timer >= kMenuAfter;
  for (unsigned key : kSkipKeys) skip = skip || KEInputCheckTriggered(key);
  if (skip) RequestState(new MainMenu);
}

void StartScreen::Draw() {
  // The fade may end a frame's length below zero; nothing is drawn then.
  BeginSpriteDraw(splashOpacity > 0 ? splashOpacity : 0, 0, 0);
  picture.DrawFrame();
  if (timer >= kFadeAfter) splashOpacity -= float(ScreenTimerSeconds());
}
