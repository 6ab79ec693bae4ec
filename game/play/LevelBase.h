// What every playable level shares: map, player, camera, status strip, pause menu, music.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AudioService.h"
#include "ExitArrow.h"
#include "GameState.h"
#include "Ghost.h"
#include "LevelOverview.h"
#include "ObjectManager.h"
#include "PauseMenu.h"
#include "Player.h"
#include "Run.h"
#include "Sprite.h"
#include "StatusDisplay.h"
#include "TileMap.h"
#include "WatchBar.h"

class Monster;

// Follows the player and keeps the view over the map.
struct LevelCamera {
  explicit LevelCamera(KEVec2* target_) : target(target_) {}
  void Follow(const TileMap& map, bool targetInPlay);

  KEVec2* target;
  KEVec2 limit = {0, 0};
  KEVec2 clamped = {0, 0};
  KEVec2 view = {0, 0};
};

// The floors below ask the running level through small interfaces: the object manager to
// close its pause menu, the actors for the map they walk and for a new try, the player to
// record or play its controls.
class LevelBase : public GameState,
                  public ResumableState,
                  public MapState,
                  public RestartableState,
                  public ControlsFeed {
 public:
  ~LevelBase() override;
  // The shared part of loading; a concrete level calls it after its map and monsters.
  void Load() override;
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override;
  double TimeScale() const override;
  TileMap* GetMap() override { return &map; }

  // The pause menu closes and the world runs on.
  void Resume() override;
  // Each leaves through the loading screen, the pause menu closed and the music on: for
  // this level from its start, or for the main menu.
  void Restart() override;
  void QuitToMenu();
  // Entered through the loading screen: the level opens on its overview, and play begins
  // on a walk key, Space, Enter or a click.
  void ShowOverviewAtStart() { overviewUntilStart = true; }
  void ShowOverview(bool shown);
  // Records the step's controls, or puts the watched run's in their place.
  void Feed(PlayerControls* controls) override;
  // Plays `run` instead of the player's controls, with the watching bar; `back` makes the
  // state to go back to once it ends or is left, `again` this level anew for watching from
  // the start. Call before the level is entered.
  void Watch(std::shared_ptr<const RecordedRun> run, std::function<GameState*()> back,
             std::function<LevelBase*()> again);
  bool Watching() const { return watched != nullptr; }

  std::shared_ptr<Player> player;
  std::shared_ptr<Monster> monster;  // the monster being placed by the level's load
  LevelCamera* camera = nullptr;
  TileMap map;
  UI hud;
  Sprite loadingPicture;  // drawn under the world: the loading screen's first frame
  PauseMenu pauseMenu;
  LevelOverview overview;
  ExitArrow exitArrow;
  bool musicStarted = false;
  bool overviewShown = false;
  bool overviewUntilStart = false;
  MusicHandle music;
  double playSeconds = 0;  // this try's time in play, as FinishedRun counts it
  uint32_t checksum = 0;   // of the level's file, as runs are checked against
  std::string runName;     // the name its runs are kept under; empty for none
  RunRecorder recorder;    // this try, step by step
  uint32_t stepsFed = 0;   // world steps the player took in this try
  Ghost ghost;             // the level's best run, walking beside the player

  // Watching a run.
  std::shared_ptr<const RecordedRun> watched;
  std::optional<RunReader> reader;
  std::vector<KEVec2> watchedPath;
  std::string watchStopped;  // why the run stopped, in the bar's glyphs; empty while it goes
  bool watchPaused = false;
  int watchSpeed = 1;  // world steps a frame
  WatchBar watchBar;

 private:
  bool OverviewHoldsTheWorld();
  void AfterStep();
  void LoadGhost();
  void UpdateWatching();
  void LeaveWatching(GameState* next);
  std::function<GameState*()> watchBack_;
  std::function<LevelBase*()> watchAgain_;
};

// The running level, or null when the running state is not a level.
LevelBase* CurrentLevel();
