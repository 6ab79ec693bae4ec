// The settings panel: music and effects volumes, window mode, vsync, the game speed assist
// and the exit arrow. The main menu opens it as a screen of its own, a paused level over its
// world. Each click takes effect at once, shows in the panel's pictures and is kept in the
// file.
#pragma once

#include "AudioService.h"
#include "ControlsPanel.h"
#include "KEMath.h"
#include "Sprite.h"

class SettingsPanel {
 public:
  static constexpr int kSteps = 10;  // a volume is shown as this many steps of 10 %

  ~SettingsPanel();

  // Reads its pictures and makes its buttons, closed, at the end of the UI object list.
  void Load();
  // After the UI object list was freed: its buttons went with it.
  void Forget();
  void Open(bool open);
  bool IsOpen() const { return open_; }
  // This frame's clicks, after the UI objects' update. `view` is the centre the panel is
  // drawn around (a level's camera, 0 in menus). Returns true when BACK was pressed.
  bool Update(KEVec2 view);
  // The backdrop and then every UI object, the panel's buttons among them.
  void Draw(KEVec2 view);

  struct VolumeRow {
    UIButton* minus = nullptr;
    UIButton* plus = nullptr;
    UIButton* steps[kSteps] = {};
  };
  struct ChoiceRow {
    UIButton* choices[3] = {};
  };
  VolumeRow volumes[2];  // music, effects
  ChoiceRow rows[5];     // window mode, vsync, game speed, exit arrow, ghost
  UIButton* back = nullptr;
  UIButton* controlsButton = nullptr;  // opens the controls over the settings
  ControlsPanel controls;

 private:
  void ShowRows(bool shown);
  void ShowCurrent();
  ButtonGroup group_;  // every button above
  Sprite backdrop_;
  EffectHandle sample_;  // heard when the effects volume changes
  bool open_ = false;
};
