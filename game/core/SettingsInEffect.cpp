#include "SettingsInEffect.h"

#include <cstdio>

#include "AudioService.h"
#include "KESystem.h"

namespace {

Settings gCurrent;
double gLevelSpeed = 1.0;
bool gShownFullScreen = false;  // the window mode last seen, to notice Alt+Enter

void ApplyVSync(VSyncMode mode) {
  const double hertz = KESysGetRefreshRate();
  const int interval = KESysSetSwapInterval(ChooseSwapInterval(hertz, mode));
  std::printf("Display: %.2f Hz, %s\n", hertz,
              interval ? "vsync on" : "vsync off, the game paces itself");
}

void SetWindowMode(bool fullScreen) {
  if (KESysIsFullScreen() != fullScreen) KEToogleFullScreen(fullScreen);
  gShownFullScreen = KESysIsFullScreen();
}

}  // namespace

const Settings& CurrentSettings() { return gCurrent; }

void SetLevelSpeed(double share) { gLevelSpeed = share > 0 && share <= 1 ? share : 1.0; }

double LevelSpeed() { return gLevelSpeed; }

void StartWithSettings(const Settings& file, const Settings& run) {
  gCurrent = file;
  SetWindowMode(run.fullScreen);
  ApplyVSync(run.vsync);
  AudioService::Get().SetVolumes(run.musicVolume, run.effectsVolume);
  SetLevelSpeed(run.gameSpeed / 100.0);
}

void ChangeSettings(const Settings& changed) {
  const Settings before = gCurrent;
  gCurrent = changed;
  if (changed.vsync != before.vsync) ApplyVSync(changed.vsync);
  AudioService::Get().SetVolumes(changed.musicVolume, changed.effectsVolume);
  SetLevelSpeed(changed.gameSpeed / 100.0);
  SaveSettings(changed, before);
}

void ChooseWindowMode(bool fullScreen) {
  SetWindowMode(fullScreen);
  Settings changed = gCurrent;
  changed.fullScreen = fullScreen;
  ChangeSettings(changed);
}

void KeepWindowModeChanges() {
  if (KESysIsFullScreen() != gShownFullScreen) ChooseWindowMode(KESysIsFullScreen());
}
