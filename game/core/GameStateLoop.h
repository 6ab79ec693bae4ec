// The state loop: one frame at a time, with state changes between frames.
#pragma once

#include "GameState.h"

// Makes `first` the running state (level -1) and enters it with Load and Initialize.
void GameStateLoopBegin(GameState* first);
// Runs one frame of the current state, then performs a requested change. Returns false
// once the loop has ended (a null state was requested or the window was closed).
bool GameStateLoopStep();
// Deletes a state that was asked for but never entered, before another request replaces it.
void DiscardRequestedState();
// Asks for `next` (null quits) after this frame, in place of any earlier request of the frame.
void RequestState(GameState* next);
// Off: frames update the world as ever but draw nothing and swap no buffer, for scripted
// plays that look at no pixels. Draw changes nothing in the world, so they play the same.
void GameStateLoopSetDrawing(bool on);
// Begin, then step until the loop ends.
void RunGameStateLoop(GameState* first);
