// How a level asks for the screens that follow it. The loading and result screens
// register themselves here; until then a request has nothing to make and quits.
#pragma once

#include "GameState.h"

using LoadingScreenFactory = GameState* (*)(unsigned target);
using ResultScreenFactory = GameState* (*)();

void SetLoadingScreenFactory(LoadingScreenFactory factory);
void SetResultScreenFactory(ResultScreenFactory factory);
// The factories set now, so that a screen that sets its own for a while can give them back.
LoadingScreenFactory CurrentLoadingScreenFactory();
ResultScreenFactory CurrentResultScreenFactory();

// Sets GameStateManager.next to a new loading screen for `target` (0 the main menu,
// 1 to 8 a level) or to a new result screen.
void RequestLoadingScreen(unsigned target);
void RequestResultScreen();
