#include "LevelBase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Controls.h"
#include "FinishedRun.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "Player.h"
#include "RunFile.h"
#include "SettingsInEffect.h"
#include "StateRequests.h"
#include "UIButton.h"

namespace {

// Half the side of the loading picture drawn under the world, centred on the origin.
constexpr float kLoadingHalf = 330;

// The view is 800 x 600 and cells are 50: the view's left, right and top edges stay on the
// map, while its bottom may go 75 below so the status strip does not hide the last row.
constexpr float kCameraMarginX = 425;
constexpr float kCameraMarginBottom = 250;
constexpr float kCameraMarginTop = 325;

// Inside the open range the camera follows; outside it stops at the nearer bound. A map
// narrower than the view has no range at all, so the camera stays centred on the map
// instead of jumping from one bound to the other as the player crosses the middle.
float ClampAxis(float p, float low, float high, float* clamped) {
  if (low < p && p < high) return p;
  const float bound = low > high ? (low + high) / 2 : (p >= high ? high : low);
  *clamped = bound;
  return bound;
}

bool StartsPlay() {
  for (unsigned key : {unsigned('W'), unsigned('A'), unsigned('S'), unsigned('D'),
                       unsigned(VK_SPACE), unsigned(VK_LBUTTON), unsigned(VK_GAMEPAD_A)}) {
    if (KEInputCheckTriggered(key)) return true;
  }
  const KEVec2 walk = WalkInput();
  if (walk.x != 0 || walk.y != 0) return true;
  // Alt+Enter switches the window mode and leaves the overview as it is.
  return KEInputCheckTriggered(VK_RETURN) && !KEInputCheckCurr(VK_MENU);
}

// Another window took the focus, or the pad was pulled out: the player is not playing now.
bool PlayerStepsAway() { return !gKESysAppActive || KEInputPadRemoved(); }

int SpeedPercent() { return int(std::lround(GameStateManager.timeScale * 100)); }

}  // namespace

void LevelCamera::Follow(const TileMap& map, bool targetInPlay) {
  if (!target) {
    KEGfxSetCamPosition(view.x, view.y);
    return;
  }
  const KEVec2 p = *target;
  // A dead player stands far off the map with the game-over picture; the pause menu must
  // open over that picture too, so the view goes there with the camera.
  if (!targetInPlay) {
    view = p;
    KEGfxSetCamPosition(p.x, p.y);
    return;
  }
  limit = map.Extent();
  view.x = ClampAxis(p.x, kCameraMarginX - limit.x, limit.x - kCameraMarginX, &clamped.x);
  view.y = ClampAxis(p.y, kCameraMarginBottom - limit.y, limit.y - kCameraMarginTop, &clamped.y);
  KEGfxSetCamPosition(view.x, view.y);
}

LevelBase::~LevelBase() {
  // Actors and the status strip outlive nothing: no stale pointer may reach the next state.
  if (gCurrentUI == &hud) gCurrentUI = nullptr;
  if (player && gCurrentPlayer == player.get()) gCurrentPlayer = nullptr;
  delete camera;
  if (music) AudioService::Get().ReleaseMusic(music);
}

void LevelBase::Load() {
  KEGfxSetCamPosition(0, 0);
  pauseMenu.Load();

  // Only the first frame of the loading picture is ever shown, under the world.
  loadingPicture.Init(4, kLoadingHalf, kLoadingHalf);
  loadingPicture.AddStrip("Assets/Loading.png", 4, 0.25f);

  hud.Load();
  if (watched) watchBar.Load();
  overview.Load();
  exitArrow.Load(map);
  player = CreatePlayer();
  player->strip = &hud;
  gCurrentPlayer = player.get();
  gCurrentUI = &hud;
  gObjectManager.InitializeAll();
}

void LevelBase::Initialize() {
  gObjectManager.SortObjects();
  SortByLayer(gUIObjects);
  stepsFed = 0;
  playSeconds = 0;
  if (watched) {
    // The bar's keys are the watcher's, not the menu focus's; its plates answer the mouse.
    HoldMenuKeys(true);
    overviewUntilStart = false;
    reader.emplace(*watched);
    ReadRunPath(*watched, &watchedPath);
  } else if (player) {
    LoadGhost();
    recorder.Start(checksum, int(std::lround(LevelSpeed() * 100)), player->position);
  }
  if (overviewUntilStart) ShowOverview(true);
}

// The best run kept for this level walks beside the player when the setting asks for it and
// the run was made on this level by this game.
void LevelBase::LoadGhost() {
  ghost.Forget();
  if (!CurrentSettings().ghost || runName.empty()) return;
  auto run = std::make_shared<RecordedRun>();
  std::string problem;
  if (!ReadRunFile(RunFilePath(runName, "best"), run.get(), &problem)) return;
  if (RunMismatch(*run, checksum).empty()) ghost.Load(run);
}

void LevelBase::Watch(std::shared_ptr<const RecordedRun> run, std::function<GameState*()> back,
                      std::function<LevelBase*()> again) {
  watched = std::move(run);
  watchBack_ = std::move(back);
  watchAgain_ = std::move(again);
}

void LevelBase::Feed(PlayerControls* controls) {
  stepsFed += 1;
  if (reader) {
    *controls = reader->Next();
    return;
  }
  recorder.Step(*controls, SpeedPercent());
}

// After each world step: the path is kept, or the watched run is checked against its own.
void LevelBase::AfterStep() {
  const KEVec2 place = player->reachedExit ? player->exitPoint : player->position;
  if (!reader) {
    recorder.Place(place);
    ghost.Step();
    return;
  }
  const uint32_t step = reader->StepsRead();
  bool off = !player->inPlay;
  if (step % kCheckEvery == 0 && step / kPathEvery < watchedPath.size()) {
    const KEVec2 kept = watchedPath[step / kPathEvery];
    off = off || std::fabs(kept.x - place.x) > kPathUnit || std::fabs(kept.y - place.y) > kPathUnit;
  }
  if (off) {
    watchStopped =
        "THE RUN LEFT ITS RECORDED PATH AFTER " + std::to_string(long(playSeconds)) + " S: STOPPED";
  } else if (reader->Done() && !player->reachedExit) {
    watchStopped = "THE RUN ENDS SHORT OF THE EXIT: STOPPED";
  }
  if (!watchStopped.empty())
    std::printf("Watching level %d: %s\n", GameStateManager.level, watchStopped.c_str());
}

void LevelBase::ShowOverview(bool shown) {
  overviewShown = shown;
  if (!shown) {
    overview.Forget();
    return;
  }
  overview.Build(map, gObjectManager.objects, player ? player->position : KEVec2{0, 0},
                 GameStateManager.level, overviewUntilStart);
}

// True while the overview holds the world still. Before play it waits for the player to
// start (Escape or a lost focus open the pause menu instead, as in play); in play it shows
// while Tab is held. The frame that starts play waits too, so its click takes no photo.
bool LevelBase::OverviewHoldsTheWorld() {
  if (overviewUntilStart) {
    const bool toPause = ActionTriggered(Action::kPause) || PlayerStepsAway();
    if (toPause || StartsPlay()) {
      overviewUntilStart = false;
      ShowOverview(false);
    }
    if (toPause) gObjectManager.paused = true;
    return true;
  }
  const bool held = !gObjectManager.paused && player && player->inPlay &&
                    (KEInputCheckCurr(VK_TAB) || KEInputCheckCurr(VK_GAMEPAD_VIEW));
  if (held != overviewShown) ShowOverview(held);
  return held;
}

void LevelBase::Update() {
  if (watched) return UpdateWatching();
  // A player who switches to another window comes back to the pause menu, as if Escape
  // had been pressed, instead of to a character that walked on or died meanwhile.
  if (!OverviewHoldsTheWorld()) {
    if (PlayerStepsAway() && !gObjectManager.paused && player && player->inPlay)
      gObjectManager.paused = true;
    const uint32_t stepsBefore = stepsFed;
    gObjectManager.UpdateAll();
    if (player && player->inPlay && !gObjectManager.paused)
      playSeconds += GameStateManager.stepSeconds;
    if (player && stepsFed != stepsBefore) AfterStep();
  }
  if (player && player->reachedExit) {
    gFinishedRun = {GameStateManager.level, playSeconds, player->photosTaken,
                    recorder.Finish(playSeconds), ghost.HasRun() ? ghost.Seconds() : 0, runName};
    gFinishedRun.run.level = GameStateManager.level;
  }
  if (camera) camera->Follow(map, !player || player->inPlay);
  const KEVec2 view = camera ? camera->view : KEVec2{0, 0};
  pauseMenu.Place(view, player && player->inPlay && player->position.x < view.x);
  UpdateUIObjects();
  hud.Update();
  switch (pauseMenu.Update(view, gObjectManager.paused)) {
    case PauseChoice::kStay:
      break;
    case PauseChoice::kResume:
      Resume();
      break;
    case PauseChoice::kRestart:
      Restart();
      break;
    case PauseChoice::kLeave:
      QuitToMenu();
      break;
  }
  gObjectManager.SortObjects();

  if (music) AudioService::Get().PlayMusicOnce(music, musicStarted);
}

void LevelBase::Draw() {
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetPosition(0, 0);
  BeginSpriteDraw(1.0f, 0, 0);
  // The picture shows only where the map's tiles leave the view open above the strip, drawn
  // at full opacity just after it.
  const float shownBottom = KEGfxGetWinMinY() + UI::kStripHeight;
  const float left = std::max(-kLoadingHalf, KEGfxGetWinMinX());
  const float right = std::min(kLoadingHalf, KEGfxGetWinMaxX());
  const float bottom = std::max(-kLoadingHalf, shownBottom);
  const float top = std::min(kLoadingHalf, KEGfxGetWinMaxY());
  if (left < right && bottom < top && !map.TilesHide(left, bottom, right, top))
    loadingPicture.DrawFrame();
  // The tiles come first in the world list: drawn here, they keep their place.
  map.DrawTiles(shownBottom);
  // Under everyone: a figure walking over the floor, not among the world's objects.
  ghost.Draw();
  gObjectManager.DrawAll();

  const KEVec2 view = camera ? camera->view : KEVec2{0, 0};
  if (overviewShown) {
    overview.Draw(view);
  } else if (CurrentSettings().exitArrow && !gObjectManager.paused && player && player->inPlay) {
    exitArrow.Draw(player->position, shownBottom);
  }
  if (watched) {
    hud.Draw();
    watchBar.Draw(view, playSeconds, watchPaused, watchSpeed, watchStopped);
    return;
  }
  pauseMenu.DrawUnderStrip(view);
  hud.Draw();
  pauseMenu.DrawOverStrip(view);
}

// The world steps as the watcher asks, on the run's controls, until the run reaches the exit
// or leaves its path; the pause menu and a lost focus play no part.
void LevelBase::UpdateWatching() {
  const KEVec2 view = camera ? camera->view : KEVec2{0, 0};
  UpdateUIObjects();
  const WatchAsks asks = watchBar.Update(view, watchPaused, watchSpeed);
  if (asks.leave) return LeaveWatching(watchBack_ ? watchBack_() : nullptr);
  if (asks.again && watchAgain_) {
    LevelBase* again = watchAgain_();
    again->Watch(watched, watchBack_, watchAgain_);
    again->watchSpeed = watchSpeed;
    return LeaveWatching(again);
  }
  if (asks.pause) watchPaused = !watchPaused;
  if (asks.speed) watchSpeed = asks.speed;
  const bool held =
      player && player->inPlay && (KEInputCheckCurr(VK_TAB) || KEInputCheckCurr(VK_GAMEPAD_VIEW));
  if (held != overviewShown) ShowOverview(held);
  int steps = watchPaused ? int(asks.step) : watchSpeed;
  if (held || !watchStopped.empty()) steps = 0;
  for (int i = 0; i < steps && player && !player->reachedExit && watchStopped.empty(); ++i) {
    gObjectManager.paused = false;
    const uint32_t stepsBefore = stepsFed;
    gObjectManager.UpdateAll();
    if (player->inPlay) playSeconds += GameStateManager.stepSeconds;
    if (stepsFed != stepsBefore) AfterStep();
  }
  gObjectManager.paused = false;
  if (player && player->reachedExit && watchStopped.empty())
    return LeaveWatching(watchBack_ ? watchBack_() : nullptr);
  if (camera) camera->Follow(map, !player || player->inPlay);
  hud.Update();
  gObjectManager.SortObjects();
  if (music) AudioService::Get().PlayMusicOnce(music, musicStarted);
}

void LevelBase::LeaveWatching(GameState* next) {
  // Replaces any state the world asked for meanwhile (the result screen of the run's exit);
  // with nowhere to go back to, the game ends.
  RequestState(next);
}

// A level left while paused (the window closed) must not hand its pause to the next one.
void LevelBase::Free() {
  gObjectManager.paused = false;
  ShowOverview(false);
  gObjectManager.FreeAll();
  map.ForgetTiles();  // the tiles went with the world list
  FreeUIObjects();
  pauseMenu.Forget();
  watchBar.Forget();
  if (watched) HoldMenuKeys(false);
}

void LevelBase::Unload() {
  delete camera;
  camera = nullptr;
  AudioService::Get().ReleaseMusic(music);
  musicStarted = false;
}

void LevelBase::Resume() {
  gObjectManager.paused = false;
  pauseMenu.Close();
}

// The whole pause menu closes, so a restart that cannot leave (no level number) goes on
// playing with no stale panel or latch, and with the music and its switch back on.
void LevelBase::Restart() {
  Resume();
  pauseMenu.Unmute();
  const int level = GameStateManager.level;
  if (level >= 1) RequestLoadingScreen(unsigned(level));
}

void LevelBase::QuitToMenu() {
  Resume();
  pauseMenu.Unmute();
  // Set first, so the loading screen already sees that no level is running.
  GameStateManager.level = -1;
  RequestLoadingScreen(0);
}

FinishedRun gFinishedRun;

double LevelBase::TimeScale() const {
  if (reader) return reader->Speed() / 100.0;
  return watched ? watched->speed / 100.0 : LevelSpeed();
}

LevelBase* CurrentLevel() { return RunningStateAs<LevelBase>(); }
