#include "SettingsScreen.h"

#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "MainMenu.h"
#include "ObjectManager.h"
#include "UIButton.h"

void SettingsScreen::Load() {
  KEGfxSetCamPosition(0, 0);
  panel.Load();
  music = AudioService::Get().LoadMusic("Assets/opening.wav");
}

void SettingsScreen::Initialize() {
  SortByLayer(gUIObjects);
  panel.Open(true);
}

void SettingsScreen::Update() {
  UpdateUIObjects();
  AudioService::Get().PlayMusicOnce(music, musicStarted);
  if (DropEarlyClicks(delay)) return;
  if (panel.Update({0, 0})) RequestState(new MainMenu);
}

void SettingsScreen::Draw() { panel.Draw({0, 0}); }

void SettingsScreen::Free() {
  FreeUIObjects();
  panel.Forget();
}

void SettingsScreen::Unload() { AudioService::Get().ReleaseMusic(music); }
