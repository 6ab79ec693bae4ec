#include "LevelBase.h"

#include <algorithm>

#include "Controls.h"
#include "KEGraphics.h"
#include "FinishedRun.h"
#include "KEInput.h"
#include "KESystem.h"
#include "Player.h"
#include "SettingsInEffect.h"
#include "StateRequests.h"
#include "UIButton.h"

namespace {

// The pause menu's column stands beside the player, who is at the view's centre unless the
// camera stops at a map's edge: left of the centre, or right of it for a player left of it.
constexpr float kColumnLeftX = -230, kColumnRightX = 200;

// The pause menu as data, in creation order, its column on the left. The sound switch has
// no state images.
using PauseButton = ButtonRow<LevelBase>;
const PauseButton kPauseButtons[] = {
    {&LevelBase::resumeButton, OverPlate("RESUME", 150, 75, kColumnLeftX, 60, kPausePlate)},
    {&LevelBase::restartButton, OverPlate("RESTART", 150, 75, kColumnLeftX, 0, kPausePlate)},
    // The main menu's picture, squeezed.
    {&LevelBase::instButton, OverPlate("INST", 150, 75, kColumnLeftX, -60, kMenuPlate, 220, 80)},
    {&LevelBase::backButton, OverPlate("BACK", 150, 80, 11, -275, kBackPlate)},
    {&LevelBase::optionsButton, OverPlate("OPTIONS", 150, 75, kColumnLeftX, -120, kPausePlate)},
    {&LevelBase::soundButton, OverPlate(nullptr, 50, 50, kColumnLeftX + 100, -120, kSmallPlate)},
    {&LevelBase::gearButton, OverPlate("GEAR", 50, 50, kColumnLeftX + 155, -120, kSmallPlate)},
    {&LevelBase::menuButton, OverPlate("MENU", 150, 75, kColumnLeftX, -180, kPausePlate)},
    {&LevelBase::yesButton, OverPlate("YES", 150, 100, -100, -50, kAnswerPlate)},
    {&LevelBase::noButton, OverPlate("NO", 150, 100, 90, -50, kAnswerPlate)},
};
constexpr UIButton* LevelBase::*kMainButtons[] = {
    &LevelBase::resumeButton, &LevelBase::restartButton, &LevelBase::instButton,
    &LevelBase::optionsButton, &LevelBase::menuButton};
constexpr UIButton* LevelBase::*kColumnButtons[] = {
    &LevelBase::resumeButton,  &LevelBase::restartButton, &LevelBase::instButton,
    &LevelBase::optionsButton, &LevelBase::soundButton,   &LevelBase::gearButton,
    &LevelBase::menuButton};

enum SoundImage { kSoundOn = 0, kSoundOff = 1 };

// Half the side of the loading picture drawn under the world, centred on the origin.
constexpr float kLoadingHalf = 330;

// The view is 800 x 600 and cells are 50: the view's left, right and top edges stay on the
// map, while its bottom may go 75 below so the status strip does not hide the last row.
constexpr float kCameraMarginX = 425;
constexpr float kCameraMarginBottom = 250;
constexpr float kCameraMarginTop = 325;

// A button pointer is empty before Load and after Free.
void SetActive(UIButton* button, bool active) {
  if (button) button->active = active;
}
bool Clicked(const UIButton* button) { return button && button->clicked; }
void ClearClick(UIButton* button) {
  if (button) button->clicked = false;
}

// Moves the column, pictures and hit boxes alike, to stand at `x`.
void PlaceColumn(LevelBase& level, float x) {
  const float dx = x - level.pauseColumnX;
  if (dx == 0) return;
  for (UIButton* LevelBase::*slot : kColumnButtons) {
    if (UIButton* button = level.*slot) {
      button->basePosition.x += dx;
      button->hitLeft += dx;
      button->hitRight += dx;
    }
  }
  level.pauseColumnX = x;
}

void SetMainButtons(LevelBase& level, bool active) {
  for (UIButton* LevelBase::*slot : kMainButtons) SetActive(level.*slot, active);
}

// The sound switch and the settings gear leave with their row, not a frame later.
void CloseOptions(LevelBase& level) {
  level.optionsShown = false;
  SetActive(level.soundButton, false);
  SetActive(level.gearButton, false);
}

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

void PlaceSprite(Sprite& sprite, const char* picture, float halfWidth, float halfHeight) {
  sprite.Init(1, halfWidth, halfHeight);
  sprite.AddImage(picture);
}

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
  PlaceSprite(pauseText, "Assets/PauseText.png", 400, 300);
  PlaceSprite(pauseScreen, "Assets/PauseScreen.png", 400, 300);
  instructions.Load(kPausedInstructionPictures, 400, 300);
  PlaceSprite(confirmPanel, "Assets/confirmationscreen.png", 200, 150);

  CreateButtons(*this, kPauseButtons);
  pauseColumnX = kColumnLeftX;
  noButton->preferFocus = true;
  settings.Load();
  soundButton->sprite.SetImage("Assets/soundOn.png");
  soundButton->sprite.AddImage("Assets/soundOFF.png");
  soundButton->useStateImages = false;

  // Only the first frame of the loading picture is ever shown, under the world.
  loadingPicture.Init(4, kLoadingHalf, kLoadingHalf);
  loadingPicture.AddStrip("Assets/Loading.png", 4, 0.25f);

  hud.Load();
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
  if (overviewUntilStart) ShowOverview(true);
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
  const bool held =
      !gObjectManager.paused && player && player->inPlay &&
      (KEInputCheckCurr(VK_TAB) || KEInputCheckCurr(VK_GAMEPAD_VIEW));
  if (held != overviewShown) ShowOverview(held);
  return held;
}

void LevelBase::Update() {
  // A player who switches to another window comes back to the pause menu, as if Escape
  // had been pressed, instead of to a character that walked on or died meanwhile.
  if (!OverviewHoldsTheWorld()) {
    if (PlayerStepsAway() && !gObjectManager.paused && player && player->inPlay)
      gObjectManager.paused = true;
    gObjectManager.UpdateAll();
    if (player && player->inPlay && !gObjectManager.paused)
      playSeconds += GameStateManager.stepSeconds;
  }
  if (player && player->reachedExit)
    gFinishedRun = {GameStateManager.level, playSeconds, player->photosTaken};
  if (camera) camera->Follow(map, !player || player->inPlay);
  const KEVec2 view = camera ? camera->view : KEVec2{0, 0};
  const bool playerLeft = player && player->inPlay && player->position.x < view.x;
  PlaceColumn(*this, playerLeft ? kColumnRightX : kColumnLeftX);
  for (const PauseButton& row : kPauseButtons) {
    if (UIButton* button = this->*row.slot) button->offset = view;
  }
  UpdateUIObjects();
  if (settings.Update(view)) settings.Open(false);
  hud.Update();

  // The latches of restart, menu and instructions stay set while their screen is open,
  // so the steps below put back the right buttons every frame after this reset.
  if (gObjectManager.paused) {
    SetMainButtons(*this, true);
    SetActive(backButton, false);
    SetActive(yesButton, false);
    SetActive(noButton, false);
    SetActive(soundButton, optionsShown);
    SetActive(gearButton, optionsShown);
    if (settings.IsOpen()) SetMainButtons(*this, false);
  }
  if (Clicked(resumeButton)) Resume();
  if (Clicked(restartButton)) ShowConfirm(true);
  if (Clicked(yesButton)) {
    ClearClick(yesButton);
    if (Clicked(restartButton)) Restart();
    if (Clicked(menuButton)) QuitToMenu();
  }
  if (Clicked(noButton)) {
    ShowConfirm(false);
    ClearClick(restartButton);
    ClearClick(menuButton);
    ClearClick(yesButton);
    ClearClick(noButton);
  }
  if (Clicked(instButton)) {
    instructionsShown = true;
    SetActive(backButton, true);
    SetMainButtons(*this, false);
    CloseOptions(*this);
  }
  if (Clicked(backButton)) {
    instructionsShown = false;
    ClearClick(backButton);
    ClearClick(instButton);
    SetMainButtons(*this, true);
  }
  if (Clicked(optionsButton)) {
    optionsShown = !optionsShown;
    ClearClick(optionsButton);
  }
  // A latch left on a closed options row would flip the mute every frame; drop it.
  if (Clicked(soundButton)) {
    ClearClick(soundButton);
    if (optionsShown) {
      AudioService::Get().SetMusicMuted(!muted);
      muted = !muted;
      soundButton->sprite.SetAnimation(muted ? kSoundOff : kSoundOn);
    }
  }
  if (Clicked(gearButton)) {
    ClearClick(gearButton);
    if (optionsShown) {
      CloseOptions(*this);
      SetMainButtons(*this, false);
      settings.Open(true);
    }
  }
  if (Clicked(menuButton)) ShowConfirm(true);
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
  gObjectManager.DrawAll();

  const KEVec2 view = camera ? camera->view : KEVec2{0, 0};
  if (overviewShown) {
    overview.Draw(view);
  } else if (CurrentSettings().exitArrow && !gObjectManager.paused && player && player->inPlay) {
    exitArrow.Draw(player->position, shownBottom);
  }
  // The instructions reach down over the status strip, so it dims with the level under them.
  if (instructionsShown) hud.Draw();
  if (gObjectManager.paused && !settings.IsOpen()) {
    BeginSpriteDraw(0.5f, view.x, view.y);
    pauseScreen.DrawFrame();
    if (!instructionsShown) {
      BeginSpriteDraw(1.0f, view.x + pauseColumnX, view.y);
      pauseText.DrawFrame();
    }
    BeginSpriteDraw(1.0f, view.x, view.y);
    if (instructionsShown) instructions.DrawFrame();
    // Over the dimmed level, the question stands out bright.
    if (confirmShown) confirmPanel.DrawFrame();
    DrawUIObjects();
  }
  if (!instructionsShown) hud.Draw();
  if (settings.IsOpen()) settings.Draw(view);
}

// A level left while paused (the window closed) must not hand its pause to the next one.
void LevelBase::Free() {
  gObjectManager.paused = false;
  ShowOverview(false);
  gObjectManager.FreeAll();
  map.ForgetTiles();  // the tiles went with the world list
  FreeUIObjects();
  settings.Forget();
  for (const PauseButton& row : kPauseButtons) this->*row.slot = nullptr;
}

void LevelBase::Unload() {
  delete camera;
  camera = nullptr;
  AudioService::Get().ReleaseMusic(music);
  musicStarted = false;
}

void LevelBase::Resume() {
  gObjectManager.paused = false;
  instructionsShown = false;
  confirmShown = false;
  optionsShown = false;
  settings.Open(false);
  for (const PauseButton& row : kPauseButtons) {
    SetActive(this->*row.slot, false);
    ClearClick(this->*row.slot);
  }
}

void LevelBase::ShowConfirm(bool open) {
  confirmShown = open;
  SetActive(yesButton, open);
  SetActive(noButton, open);
  SetMainButtons(*this, !open);
  CloseOptions(*this);
}

// The whole pause menu closes, so a restart that cannot leave (no level number) goes on
// playing with no stale panel or latch, and with the music and its switch back on.
void LevelBase::Restart() {
  Resume();
  muted = false;
  AudioService::Get().SetMusicMuted(false);
  if (soundButton) soundButton->sprite.SetAnimation(kSoundOn);
  const int level = GameStateManager.level;
  if (level >= 1 && level <= 8) RequestLoadingScreen(unsigned(level));
}

void LevelBase::QuitToMenu() {
  Resume();
  AudioService::Get().SetMusicMuted(false);
  // Set first, so the loading screen already sees that no level is running.
  GameStateManager.level = -1;
  RequestLoadingScreen(0);
}

FinishedRun gFinishedRun;

double LevelBase::TimeScale() const { return LevelSpeed(); }

LevelBase* CurrentLevel() { return RunningStateAs<LevelBase>(); }
