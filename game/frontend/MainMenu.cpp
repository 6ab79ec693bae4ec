#include "MainMenu.h"

#include "GameStateLoop.h"
#include "InfoScreens.h"
#include "KEGraphics.h"
#include "LevelSelect.h"
#include "ObjectManager.h"
#include "SettingsScreen.h"
#include "UIButton.h"

namespace {

const ButtonRow<MainMenu> kButtons[] = {
    // Five plates 52 apart, then the quit confirmation's answers.
    {&MainMenu::play, OverPlate("PLAY", 220, 80, 0, -45, kMenuPlate)},
    {&MainMenu::instructions, OverPlate("INST", 220, 80, 0, -97, kMenuPlate)},
    {&MainMenu::settings, OverPlate("SETTINGS", 220, 80, 0, -149, kMenuPlate)},
    {&MainMenu::credits, OverPlate("CREDITS", 220, 80, 0, -201, kMenuPlate)},
    {&MainMenu::quit, OverPlate("QUIT", 220, 80, 0, -253, kMenuPlate)},
    {&MainMenu::yes, OverPlate("YES", 150, 100, -110, -50, kAnswerPlate)},
    {&MainMenu::no, OverPlate("NO", 150, 100, 90, -50, kAnswerPlate)},
};
constexpr UIButton* MainMenu::*kMainButtons[] = {&MainMenu::play, &MainMenu::quit,
                                                 &MainMenu::credits, &MainMenu::instructions,
                                                 &MainMenu::settings};

}  // namespace

void MainMenu::Load() {
  KEGfxSetCamPosition(0, 0);
  background.Init(1, 400, 300);
  background.AddImage("Assets/main.png");
  panel.Init(1, 250, 150);
  panel.AddImage("Assets/confirmation_quitgame.png");
  CreateButtons(*this, kButtons);
  no->preferFocus = no->isBack = true;
  music = AudioService::Get().LoadMusic("Assets/opening.wav");
}

void MainMenu::Initialize() {
  SortByLayer(gUIObjects);
  for (UIButton* MainMenu::*slot : kMainButtons) (this->*slot)->active = true;
  yes->active = no->active = false;
}

void MainMenu::Update() {
  UpdateUIObjects();
  AudioService::Get().PlayMusicOnce(music, musicStarted);
  // The click that skipped the start screen must not also press a menu button.
  if (DropEarlyClicks(delay)) return;
  if (play->clicked) {
    play->clicked = false;
    RequestState(new LevelSelect);
  }
  // The quit latch stays set while the panel is open; opening it again changes nothing.
  if (quit->clicked) ShowConfirm(true);
  if (credits->clicked) {
    credits->clicked = false;
    RequestState(new CreditsScreen);
  }
  if (instructions->clicked) {
    instructions->clicked = false;
    RequestState(new InstructionScreen);
  }
  if (settings->clicked) {
    settings->clicked = false;
    RequestState(new SettingsScreen);
  }
  if (yes->clicked) RequestState(nullptr);
  if (no->clicked) {
    quit->clicked = yes->clicked = no->clicked = false;
    ShowConfirm(false);
  }
}

void MainMenu::ShowConfirm(bool open) {
  confirmVisible = open;
  yes->active = no->active = open;
  for (UIButton* MainMenu::*slot : kMainButtons) (this->*slot)->active = !open;
}

void MainMenu::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  background.DrawFrame();
  if (confirmVisible) {
    BeginSpriteDraw(1.0f, 0, 0);
    panel.DrawFrame();
  }
  DrawUIObjects();
}

void MainMenu::Free() {
  FreeUIObjects();
  for (const auto& row : kButtons) this->*row.slot = nullptr;
}

void MainMenu::Unload() { AudioService::Get().ReleaseMusic(music); }
