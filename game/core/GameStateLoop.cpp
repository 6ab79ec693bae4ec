#include "GameStateLoop.h"

#include "FrameOverlay.h"
#include "KEFrameRateController.h"
#include "KEInput.h"
#include "KESystem.h"

GameStateManagerRecord GameStateManager = {};

namespace {

bool gDrawing = true;

void EnterCurrentState() {
  KEFrameRateControllerReset();
  KEInputReset();
  if (GameStateManager.current == KE_STATE_RESTART) {
    // The restarted state runs again, so it is also the state asked for next.
    GameStateManager.current = GameStateManager.next = GameStateManager.previous;
  } else {
    GameStateManager.current->Load();
  }
  GameStateManager.current->Initialize();
}

void RunOneFrame() {
  GameState* state = GameStateManager.current;
  if (gDrawing)
    KESysFrameStart();
  else
    KEFrameRateControllerStart();
  KEInputUpdate();
  FrameOverlayToggleOnF3();
  FrameOverlayBeginUpdate();
  GameStateManager.timeScale = state->TimeScale();
  state->Update();
  if (gDrawing) {
    FrameOverlayBeginDraw();
    state->Draw();
    FrameOverlayEndDraw();
    KESysFrameEnd();
  } else {
    KEFrameRateControllerEnd();
    KESysUpdate();
  }
  if (!KESysDoesWindowExist()) RequestState(nullptr);
  GameStateManager.frameTime = KEFrameRateControllerGetFrameTime() * GameStateManager.timeScale;
  GameStateManager.totalTime += GameStateManager.frameTime;
  FrameOverlayEndFrame(KEFrameRateControllerGetWorkTime(), KEFrameRateControllerGetFrameTime());
}

void LeaveCurrentState() {
  GameState* state = GameStateManager.current;
  state->Free();
  if (GameStateManager.next != KE_STATE_RESTART) {
    state->Unload();
    delete state;
  }
  GameStateManager.previous = state;
  GameStateManager.current = GameStateManager.next;
}

}  // namespace

void DiscardRequestedState() {
  GameState* next = GameStateManager.next;
  if (next && next != GameStateManager.current && next != KE_STATE_RESTART) delete next;
  GameStateManager.next = GameStateManager.current;
}

void RequestState(GameState* next) {
  DiscardRequestedState();
  GameStateManager.next = next;
}

void GameStateLoopSetDrawing(bool on) { gDrawing = on; }

void GameStateLoopBegin(GameState* first) {
  GameStateManager.current = GameStateManager.next = GameStateManager.previous = first;
  GameStateManager.level = -1;
  if (first) EnterCurrentState();
}

bool GameStateLoopStep() {
  if (!GameStateManager.current) return false;
  if (GameStateManager.next == GameStateManager.current) RunOneFrame();
  if (GameStateManager.next == GameStateManager.current) return true;
  LeaveCurrentState();
  if (!GameStateManager.current) {
    // Its font lives in the GL context, which may not outlive the loop.
    FrameOverlayReset();
    return false;
  }
  EnterCurrentState();
  return true;
}

void RunGameStateLoop(GameState* first) {
  GameStateLoopBegin(first);
  while (GameStateLoopStep()) {
  }
}
