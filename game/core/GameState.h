// A game state is one screen or one level, run by the state loop.
#pragma once

#include <cstdint>

class GameState {
 public:
  virtual ~GameState() = default;
  virtual void Load() = 0;        // once when entered, skipped on a restart
  virtual void Initialize() = 0;  // every time it is entered, restarts included
  virtual void Update() = 0;
  virtual void Draw() = 0;
  virtual void Free() = 0;    // every time it is left, restarts included
  virtual void Unload() = 0;  // when left for another state or for quitting
  // The share of full speed its world runs at: steps, clock and timers alike.
  virtual double TimeScale() const { return 1.0; }
};

// Asks the loop to run the current state again: Free, then Initialize on the same object.
#define KE_STATE_RESTART (reinterpret_cast<GameState*>(~uintptr_t(0)))

struct GameStateManagerRecord {
  GameState* current;
  GameState* next;         // equal to current while it keeps running; null quits
  GameState* previous;     // the state whose run ended last
  int level;               // 1-6 story levels, 7-8 trials, -1 or 0 outside levels
  double timeScale = 1.0;  // the running state's TimeScale: movers step this share per frame
  // The world's clock. A level's world takes one step a frame, of 1/60 s times the game
  // speed, however long the machine took to draw the frame: a slow machine plays the same
  // game, only slower. Nothing in the world reads the measured time.
  double stepSeconds = 1.0 / 60;  // world seconds in this frame's step
  double worldTime;               // world seconds stepped since start; a paused world adds none
  // Seconds the running state's picture stood on screen between the last frame's input and
  // this frame's, as measured; 0 on its first frame. Only screens count it, never the world.
  double screenSeconds;
};

// What a screen's timer counts this frame (the splash, the loading screen): screenSeconds,
// but at most a tenth of a second, so that one long frame (a stall) skips no screen.
double ScreenTimerSeconds();

extern GameStateManagerRecord GameStateManager;

// The running state as one of the small interfaces a lower floor asks of it (the object
// manager closing a level's pause menu, an actor finding the map it walks), or null when the
// running state offers none.
template <typename Asked>
Asked* RunningStateAs() {
  GameState* state = GameStateManager.current;
  if (!state || state == KE_STATE_RESTART) return nullptr;
  return dynamic_cast<Asked*>(state);
}
