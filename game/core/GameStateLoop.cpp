#include "GameStateLoop.h"

#include "FrameOverlay.h"
#include "KEFrameRateController.h"
#include "KEInput.h"
#include "KESystem.h"

GameStateManagerRecord GameStateManager = {};

namespace {

bool gDrawing = true;

// The world steps at 60 a second at full speed.
constexpr double kStepsPerSecond = 60;

// The running state has not yet finished a frame: nothing of it was on screen before.
bool gFirstFrame = false;

void EnterCurrentState() {
  KEFrameRateControllerReset();
  KEInputReset();
  GameStateManager.screenSeconds = 0;
  gFirstFrame = true;
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
  GameStateManager.stepSeconds = GameStateManager.timeScale / kStepsPerSecond;
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
  const double frame = KEFrameRateControllerGetFrameTime();
  // A state's first picture goes up as the frame's work ends: only the wait after it was
  // spent on screen, not the drawing of it.
  GameStateManager.screenSeconds = gFirstFrame ? frame - KEFrameRateControllerGetWorkTime() : frame;
  gFirstFrame = false;
  FrameOverlayEndFrame(KEFrameRateControllerGetWorkTime(), frame);
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

double ScreenTimerSeconds() {
  constexpr double kLongestCounted = 0.1;
  return GameStateManager.screenSeconds < kLongestCounted ? GameStateManager.screenSeconds
                                                          : kLongestCounted;
}

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
