#include "LevelSelect.h"

#include "ControlsPictures.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "LoadingScreen.h"
#include "ObjectManager.h"
#include "Progress.h"
#include "ResultPictures.h"
#include "UIButton.h"
#include "YourLevels.h"

namespace {

struct LevelChoice {
  ButtonSpec layout;
  int target;
};
constexpr int kYourLevels = -1;
// Two columns of four, story levels then trials; back at the bottom right, the player's own
// levels under the columns.
const LevelChoice kChoices[LevelSelect::kButtonCount] = {
    {OverPlate("LEVEL1", 150, 100, -250, 150, kLevelPlate), 1},
    {OverPlate("LEVEL2", 150, 100, -250, 50, kLevelPlate), 2},
    {OverPlate("LEVEL3", 150, 100, -250, -50, kLevelPlate), 3},
    {OverPlate("LEVEL4", 150, 100, -250, -150, kLevelPlate), 4},
    {OverPlate("LEVEL5", 150, 100, -80, 150, kLevelPlate), 5},
    {OverPlate("LEVEL6", 150, 100, -80, 50, kLevelPlate), 6},
    {OverPlate("LEVEL7", 150, 100, -80, -50, kLevelPlate), 7},
    {OverPlate("LEVEL8", 150, 100, -80, -150, kLevelPlate), 8},
    {OverPlate("LEVELBACK", 150, 100, 200, -250, kLevelPlate), 0},
    {OverPlate("YOURLEVELS", 220, 80, -165, -250, kMenuPlate), kYourLevels},
};

// The badge sits on the top right corner of the button's plate.
constexpr float kBadgeHalfSize = 16;
constexpr KEVec2 kBadgeOffset = {56, 30};
// The best time sits on its plate just left of the badge and a little higher, clear of the
// button's words, in glyphs half the result screen's size.
constexpr float kBestTimeGap = 2;
constexpr float kBestTimeLift = 10;
constexpr float kBestTimeScale = 0.5f;
// A WATCH tab hangs under a level's plate, above the next one's best time.
constexpr float kWatchDrop = 41, kWatchWidth = 80, kWatchHeight = 20, kWatchTextScale = 0.5f;
constexpr float kLineY = -275;

}  // namespace

void LevelSelect::Load() {
  KEGfxSetCamPosition(0, 0);
  background.Init(1, 400, 300);
  background.AddImage("Assets/level.png");
  for (int i = 0; i < kButtonCount; ++i) {
    buttons[i] = CreateButton(kChoices[i].layout);
    buttons[i]->isBack = kChoices[i].target == 0;
  }
  badge.Init(1, kBadgeHalfSize, kBadgeHalfSize);
  badge.AddImage("Assets/UI/WonBadge.png");
  wonLevels = LoadWonLevels(&best);
  times.Load(kBestTimeScale);
  bestPlate.Init(1, kBestTimePlateWidth / 2.0f, kBestTimePlateHeight / 2.0f);
  bestPlate.AddImage(kBestTimePlatePicture);
  music = AudioService::Get().LoadMusic("Assets/Eeriewind.wav");
  for (int i = 0; i < kButtonCount; ++i) {
    const int level = kChoices[i].target;
    if (level == 0) continue;
    std::string problem;
    bestRuns[i] = LoadBestRun(level, &problem);
    if (bestRuns[i] || !problem.empty())
      watch[i].Load(kChoices[i].layout.x, kChoices[i].layout.y - kWatchDrop, kWatchWidth,
                    kWatchHeight, kWatchTextScale);
  }
  lineText.Load(kKeyGlyphsPicture, kKeyGlyphs, kKeyGlyphWidth, kKeyGlyphHeight, 0.7f, " ", 0.66f);
}

void LevelSelect::Initialize() {
  SortByLayer(gUIObjects);
  for (UIButton* button : buttons) button->active = true;
}

void LevelSelect::Update() {
  UpdateUIObjects();
  AudioService::Get().PlayMusicOnce(music, musicStarted);
  for (WatchPlate& plate : watch) plate.Update();
  if (DropEarlyClicks(delay)) return;
  for (int i = 0; i < kButtonCount; ++i) {
    if (!TakeClick(watch[i].button)) continue;
    // A run that no longer fits its level, or a file that cannot be read, says so here.
    line = bestRuns[i] ? UnwatchableLine(*bestRuns[i]) : "THE KEPT RUN CANNOT BE READ";
    if (line.empty()) {
      RequestState(WatchRun(bestRuns[i], [] { return new LevelSelect; }));
      return;
    }
  }
  for (int i = 0; i < kButtonCount; ++i) {
    if (!buttons[i]->clicked) continue;
    // The latch stays: the state is left at the end of this frame.
    if (kChoices[i].target == kYourLevels) {
      RequestState(new YourLevelsScreen);
      break;
    }
    GameStateManager.level = kChoices[i].target;
    RequestState(new LoadingScreen(unsigned(kChoices[i].target)));
    break;
  }
}

void LevelSelect::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  background.DrawFrame();
  DrawUIObjects();
  for (const LevelChoice& choice : kChoices) {
    if (choice.target <= 0 || !(wonLevels & (1u << choice.target))) continue;
    const KEVec2 at = {choice.layout.x + kBadgeOffset.x, choice.layout.y + kBadgeOffset.y};
    BeginSpriteDraw(1.0f, at.x, at.y);
    badge.DrawFrame();
    const double seconds = best.seconds[choice.target];
    if (seconds <= 0) continue;
    const float centre = at.x - kBadgeHalfSize - kBestTimeGap - kBestTimePlateWidth / 2.0f;
    BeginSpriteDraw(1.0f, centre, at.y + kBestTimeLift);
    bestPlate.DrawFrame();
    times.Draw(seconds, centre, at.y + kBestTimeLift, 0.5f);
  }
  for (WatchPlate& plate : watch) plate.Draw();
  if (!line.empty()) lineText.Draw(line, 0, kLineY, 0.5f);
}

void LevelSelect::Free() {
  FreeUIObjects();
  for (UIButton*& button : buttons) button = nullptr;
  for (WatchPlate& plate : watch) plate.button = nullptr;
}

void LevelSelect::Unload() { AudioService::Get().ReleaseMusic(music); }
