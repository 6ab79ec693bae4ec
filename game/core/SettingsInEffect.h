// The player's settings while the game runs: put into effect at start, changed from the
// settings screen (or Alt+Enter), each change kept in the settings file at once.
#pragma once

#include "Settings.h"

// As the file holds them: the command line's one-run window mode is not among them.
const Settings& CurrentSettings();
// At start: `file` becomes the current settings and `run` (the file's with the command
// line's overrides) is put into effect: volumes, window mode, vsync, game speed.
void StartWithSettings(const Settings& file, const Settings& run);
// Puts `changed` into effect and writes what differs from the current settings to the file.
// The window mode is left as it is: it changes only through ChooseWindowMode.
void ChangeSettings(const Settings& changed);
// Switches to full screen or a window now and keeps that as the setting.
void ChooseWindowMode(bool fullScreen);
// Once a frame: a window mode switched by Alt+Enter is kept like a change in the settings.
void KeepWindowModeChanges();
// The game speed assist in effect: every level from now on runs at this share of full speed
// (1.0, 0.85 or 0.7 from the settings), its monsters, hazards, timers and player alike.
void SetLevelSpeed(double share);
double LevelSpeed();
