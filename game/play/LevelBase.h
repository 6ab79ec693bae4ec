// What every playable level shares: map, player, camera, status strip, pause menu, music.
#pragma once

#include <memory>

#include "AudioService.h"
#include "ExitArrow.h"
#include "GameState.h"
#include "LevelOverview.h"
#include "ObjectManager.h"
#include "PauseMenu.h"
#include "Player.h"
#include "Sprite.h"
#include "StatusDisplay.h"
#include "TileMap.h"

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
// close its pause menu, the actors for the map they walk and for a new try.
class LevelBase : public GameState,
                  public ResumableState,
                  public MapState,
                  public RestartableState {
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

 private:
  bool OverviewHoldsTheWorld();
};

// The running level, or null when the running state is not a level.
LevelBase* CurrentLevel();
