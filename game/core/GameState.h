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
  double totalTime;        // seconds since start, never reset
  double frameTime;        // seconds of the last frame, at the world's speed
  double timeScale = 1.0;  // the running state's TimeScale: movers step this share per frame
};

extern GameStateManagerRecord GameStateManager;
