#include "InfoScreens.h"

#include <algorithm>

#include "ControlsPictures.h"
#include "FinishedRun.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "LevelNames.h"
#include "LevelRoster.h"
#include "LevelSelect.h"
#include "MainMenu.h"
#include "ObjectManager.h"
#include "Progress.h"
#include "ResultPictures.h"
#include "RunFile.h"
#include "UIButton.h"
#include "YourLevels.h"

PictureWithBackScreen::PictureWithBackScreen(const PromptPictures& picture,
                                             const ButtonSpec& back)
    : pictureFiles_(picture), backLayout_(back) {}

void PictureWithBackScreen::Load() {
  KEGfxSetCamPosition(0, 0);
  picture.Load(pictureFiles_, 400, 300);
  back = CreateButton(backLayout_);
  back->isBack = true;
}

void PictureWithBackScreen::Initialize() {
  SortByLayer(gUIObjects);
  back->active = true;
}

void PictureWithBackScreen::Update() {
  UpdateUIObjects();
  if (!back->clicked) return;
  back->clicked = false;
  GameStateManager.level = -1;
  RequestState(new MainMenu);
}

void PictureWithBackScreen::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  picture.DrawFrame();
  DrawUIObjects();
}

void PictureWithBackScreen::Free() {
  FreeUIObjects();
  back = nullptr;
}

CreditsScreen::CreditsScreen()
    : PictureWithBackScreen({"Assets/creditscreen.png", "Assets/creditscreen.png"},
                            // The back picture, made 150 x 80, stretched to 150 x 100.
                            OverPlate("BACK", 150, 100, 300, -250, kBackPlate, 150, 80)) {}

InstructionScreen::InstructionScreen()
    : PictureWithBackScreen(kInstructionPictures,
                            OverPlate("BACK", 150, 80, 11, -275, kBackPlate)) {}

namespace {

void PlaceSprite(Sprite& sprite, const char* picture, float width, float height) {
  sprite.Init(1, width / 2, height / 2);
  sprite.AddImage(picture);
}

void DrawAt(const Sprite& sprite, float x, float y) {
  BeginSpriteDraw(1.0f, x, y);
  sprite.DrawFrame();
}

// Rows from the top, under "LEVEL COMPLETE": the name, the times, the exit the picture
// shows, then the photos; labels end left of the middle and times start right of it.
constexpr float kNameY = 140, kTimeY = 85, kBestY = 40, kPhotosY = -140;
constexpr float kLabelRight = -12, kTimeLeft = 4, kTagGap = 14;
constexpr float kCardSize = 60, kCardStep = 70;
constexpr float kGoOnY = -212;
constexpr size_t kMostCards = 10;  // as many as fit across the view
// Right of this run's time.
constexpr float kWatchX = 250, kWatchWidth = 150, kWatchHeight = 40;
// Between the best time and the exit the picture shows.
constexpr float kGhostY = 6, kGhostTimeX = 60;

}  // namespace

void ResultScreen::Load() {
  // Centred in the view: the finished level leaves the camera wherever its exit is, which
  // on a large map is far from the picture.
  KEGfxSetCamPosition(0, 0);
  picture.Init(1, 400, 400);
  picture.AddImage("Assets/Win.png");
  if (!known_) {
    // Only a win leads here, and the level number still names the level just won; the run
    // is the one that level finished.
    const int level = GameStateManager.level;
    const FinishedRun run = gFinishedRun.level == level ? gFinishedRun : FinishedRun();
    facts_.level = level;
    facts_.seconds = run.seconds;
    double previous = 0;
    if (level == kLevelFromFile) {
      // The player's own levels are kept under their name.
      facts_.fileLevel = FileLevelName();
      const NamedBestTimes before = LoadWonNamedLevels();
      facts_.saved = RecordWonNamedLevel(facts_.fileLevel, run.seconds);
      if (auto found = before.find(facts_.fileLevel); found != before.end())
        previous = found->second;
      facts_.best = LoadWonNamedLevels()[facts_.fileLevel];
      if (run.run.steps > 0 && !run.runName.empty()) {
        facts_.run = std::make_shared<RecordedRun>(run.run);
        KeepWonRun(run.runName, run.run);
      }
    } else {
      BestTimes before, after;
      LoadWonLevels(&before);
      facts_.saved = RecordWonLevel(level, run.seconds);
      LoadWonLevels(&after);
      const bool inRange = level >= 1 && level <= kLevelNameCount;
      facts_.best = inRange ? after.seconds[level] : 0;
      previous = inRange ? before.seconds[level] : 0;
      if (inRange && run.run.steps > 0) {
        facts_.run = std::make_shared<RecordedRun>(run.run);
        KeepWonRun(RunName(level), run.run);
      }
    }
    facts_.newBest = facts_.seconds > 0 &&
                     (previous == 0 || TimeInTenths(facts_.seconds) < TimeInTenths(previous));
    facts_.photos = run.photos;
    facts_.ghostSeconds = run.ghostSeconds;
    known_ = true;
  }
  const int level = facts_.level;
  goOn.Load(kContinuePictures, kHintWidth / 2.0f, kHintHeight / 2.0f);
  if (!facts_.saved) PlaceSprite(notSaved, "Assets/UI/NotSaved.png", 560, 44);

  if (level >= 1 && level <= kLevelNameCount)
    PlaceSprite(levelName, kLevelNamePictures[level - 1], 400, 48);
  if (!facts_.fileLevel.empty())
    fileName.Load(kListGlyphsPicture, kListGlyphs, kListGlyphWidth, kListGlyphHeight, 1.6f);
  PlaceSprite(timeLabel, kTimeLabelPicture, 160, 36);
  PlaceSprite(bestLabel, kBestLabelPicture, 160, 36);
  PlaceSprite(newBestTag, kNewBestPicture, 150, 36);
  PlaceSprite(noPhotos, kNoPhotosPicture, 360, 36);
  times.Load(1.0f);
  photos.assign(std::min(facts_.photos.size(), kMostCards), Sprite());
  for (size_t i = 0; i < photos.size(); ++i)
    PlaceSprite(photos[i], facts_.photos[i].c_str(), kCardSize, kCardSize);
  if (facts_.run) watch.Load(kWatchX, kTimeY, kWatchWidth, kWatchHeight, 1.0f);
  ghostWords.Load(kKeyGlyphsPicture, kKeyGlyphs, kKeyGlyphWidth, kKeyGlyphHeight, 0.7f, " ", 0.66f);
  ghostTime.Load(0.6f);
}

void ResultScreen::Initialize() {
  // Space, Enter and A go on to the level select, as they always have: the plate answers
  // the mouse, W and the pad's X.
  HoldMenuKeys(true);
}

void ResultScreen::Free() {
  HoldMenuKeys(false);
  FreeUIObjects();
  watch.button = nullptr;
}

void ResultScreen::Update() {
  UpdateUIObjects();
  watch.Update();
  const bool watchAsked = KEInputCheckTriggered('W') || KEInputCheckTriggered(VK_GAMEPAD_X);
  if (facts_.run && (TakeClick(watch.button) || watchAsked)) {
    const ResultFacts facts = facts_;
    RequestState(WatchRun(facts_.run, [facts] { return new ResultScreen(facts); }));
    return;
  }
  for (unsigned key : {unsigned(VK_SPACE), unsigned(VK_RETURN), unsigned(VK_GAMEPAD_A)}) {
    if (!KEInputCheckTriggered(key)) continue;
    // One screen asked for, however many of the keys came in this frame.
    if (!facts_.fileLevel.empty()) return RequestState(new YourLevelsScreen);
    return RequestState(new LevelSelect);
  }
}

void ResultScreen::Draw() {
  DrawAt(picture, 0, 0);
  if (!facts_.fileLevel.empty()) {
    fileName.Draw(ShownText(facts_.fileLevel, 30), 0, kNameY, 0.5f);
  } else {
    DrawAt(levelName, 0, kNameY);
  }
  if (facts_.seconds > 0) {
    DrawAt(timeLabel, kLabelRight - 80, kTimeY);
    times.Draw(facts_.seconds, kTimeLeft, kTimeY, 0);
  }
  if (facts_.best > 0) {
    DrawAt(bestLabel, kLabelRight - 80, kBestY);
    const float end = times.Draw(facts_.best, kTimeLeft, kBestY, 0);
    if (facts_.newBest) DrawAt(newBestTag, end + kTagGap + 75, kBestY);
  }
  if (facts_.ghostSeconds > 0 && facts_.seconds > 0) {
    // Compared to the tenth, as the times show.
    const long ahead = TimeInTenths(facts_.ghostSeconds) - TimeInTenths(facts_.seconds);
    if (ahead == 0) {
      ghostWords.Draw("LEVEL WITH YOUR GHOST", 0, kGhostY, 0.5f);
    } else {
      ghostWords.Draw(ahead > 0 ? "AHEAD OF YOUR GHOST BY" : "BEHIND YOUR GHOST BY", kGhostTimeX,
                      kGhostY, 1);
      ghostTime.Draw(double(ahead > 0 ? ahead : -ahead) / 10, kGhostTimeX + 10, kGhostY, 0);
    }
  }
  if (photos.empty()) DrawAt(noPhotos, 0, kPhotosY);
  const float firstX = -kCardStep * float(photos.size() - 1) / 2;
  for (size_t i = 0; i < photos.size(); ++i) DrawAt(photos[i], firstX + kCardStep * float(i), kPhotosY);
  DrawUIObjects();
  watch.Draw();
  BeginSpriteDraw(1.0f, 0, kGoOnY);
  goOn.DrawFrame();
  if (facts_.saved) return;
  // Under the line that says how to go on, clear of the photos.
  BeginSpriteDraw(1.0f, 0, -268);
  notSaved.DrawFrame();
}
