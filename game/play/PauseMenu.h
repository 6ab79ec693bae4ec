// The pause menu over a level: one screen at a time, the buttons each shows, and the choice
// that ends it, which the level carries out. Escape, the pad's Start or a lost focus pause
// the world (the object manager keeps that flag); the menu opens on its column then.
#pragma once

#include "DevicePrompt.h"
#include "KEMath.h"
#include "SettingsPanel.h"
#include "Sprite.h"

class UIButton;

enum class PauseScreen {
  kPlaying,         // no menu: the world runs
  kPaused,          // the column: resume, restart, instructions, options, menu
  kOptions,         // the column with the sound switch and the settings gear beside OPTIONS
  kInstructions,    // the instructions over the dimmed level and its strip, with BACK
  kConfirmRestart,  // "are you sure?" with yes and no, for a restart
  kConfirmLeave,    // the same for leaving to the main menu
  kSettings,        // the settings panel over the level
};

// What the level is asked to do once the menu has read this frame's clicks.
enum class PauseChoice { kStay, kResume, kRestart, kLeave };

class PauseMenu {
 public:
  // Reads its pictures and makes its buttons, hidden, at the end of the UI object list.
  void Load();
  // After the UI object list was freed: its buttons went with it.
  void Forget();
  // Before the UI objects' update: every button follows `view`, the world point at the view's
  // centre, and the column stands on the side of the view away from the player.
  void Place(KEVec2 view, bool playerLeftOfCentre);
  // After the UI objects' update: the click of this frame moves between screens or makes the
  // choice; a click on a button the screen does not show is dropped. `paused` is the world's.
  PauseChoice Update(KEVec2 view, bool paused);
  // The level draws its status strip between these two: the instructions reach down over the
  // strip, the settings panel covers it, the other screens leave it bright.
  void DrawUnderStrip(KEVec2 view);
  void DrawOverStrip(KEVec2 view);
  // Back to play: no screen, no button shown, no click kept.
  void Close();
  // The music plays again, and the sound switch shows it.
  void Unmute();

  PauseScreen screen = PauseScreen::kPlaying;
  bool muted = false;
  float columnX = 0;  // where the column stands, from the view's centre
  SettingsPanel settings;
  // Owned by the UI object list; empty before Load and after Forget.
  UIButton* resumeButton = nullptr;
  UIButton* restartButton = nullptr;
  UIButton* menuButton = nullptr;
  UIButton* optionsButton = nullptr;
  UIButton* instButton = nullptr;
  UIButton* backButton = nullptr;
  UIButton* soundButton = nullptr;
  UIButton* gearButton = nullptr;  // beside the sound switch: opens the settings
  UIButton* yesButton = nullptr;
  UIButton* noButton = nullptr;

 private:
  void Show(PauseScreen next);
  void DrawOverTheWorld(KEVec2 view);

  Sprite dimmer_;
  Sprite title_;
  DevicePicture instructions_;
  Sprite confirmPanel_;
};
