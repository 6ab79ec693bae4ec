#include "MainMenu.h"

#include "GameStateLoop.h"
#include "InfoScreens.h"
#include "KEGraphics.h"
#include "LevelSelect.h"
#include "ObjectManager.h"
#include "UIButton.h"

namespace {

const ButtonRow<MainMenu> kButtons[] = {
    {&MainMenu::play, {"PLAY", 220, 80, 0, -60, 314, 375, 486, 340}},
    {&MainMenu::instructions, {"INST", 220, 80, 0, -120, 313, 435, 485, 400}},
    {&MainMenu::credits, {"CREDITS", 220, 80, 0, -180, 314, 498, 485, 458}},
    {&MainMenu::quit, {"QUIT", 220, 80, 0, -240, 315, 557, 485, 519}},
    {&MainMenu::yes, {"YES", 150, 100, -110, -50, 231, 372, 346, 322}},
    {&MainMenu::no, {"NO", 150, 100, 90, -50, 431, 371, 548, 321}},
};
constexpr UIButton* MainMenu::*kMainButtons[] = {&MainMenu::play, &MainMenu::quit,
                                                 &MainMenu::credits, &MainMenu::instructions};

}  // namespace

void MainMenu::Load() {
  KEGfxSetCamPosition(0, 0);
  background.Init(1, 400, 300);
  background.AddImage("Assets/main.png");
  panel.Init(1, 250, 150);
  panel.AddImage("Assets/confirmation_quitgame.png");
  CreateButtons(*this, kButtons);
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
