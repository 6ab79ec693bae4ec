#include "LoadingScreen.h"

#include <cstdio>

#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEReport.h"
#include "LevelBase.h"
#include "LevelRoster.h"
#include "MainMenu.h"

namespace {

constexpr double kShownFor = 1.0;  // seconds; the hand-over comes on the first frame after
LevelMaker gLevelMaker = nullptr;

GameState* TargetState(unsigned target) {
  if (target == 0) return new MainMenu;
  GameState* level = target <= unsigned(kLevelFromFile) ? MakeLevel(int(target)) : nullptr;
  if (auto* playable = dynamic_cast<LevelBase*>(level)) playable->ShowOverviewAtStart();
  if (level) return level;
  // A menu rather than a loading screen that never ends.
  KEReport("No level %u to load: back to the main menu", target);
  GameStateManager.level = -1;
  return new MainMenu;
}

}  // namespace

void SetLevelMaker(LevelMaker maker) { gLevelMaker = maker; }

GameState* MakeLevel(int number) { return gLevelMaker ? gLevelMaker(number) : CreateLevel(number); }

void LoadingScreen::Load() {
  KEGfxSetCamPosition(0, 0);
  picture.Init(4, 330, 330);
  picture.AddStrip("Assets/Loading.png", 4, 0.25f);
}

void LoadingScreen::Update() {
  const double seconds = ScreenTimerSeconds();
  picture.Advance(float(seconds));
  timer += seconds;
  if (timer > kShownFor) RequestState(TargetState(target));
}

void LoadingScreen::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  picture.DrawFrame();
}
