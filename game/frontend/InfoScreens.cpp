#include "InfoScreens.h"

#include <algorithm>

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

}  // namespace

void ResultScreen::Load() {
  // Centred in the view: the finished level leaves the camera wherever its exit is, which
  // on a large map is far from the picture.
  KEGfxSetCamPosition(0, 0);
  picture.Init(1, 400, 400);
  picture.AddImage("Assets/Win.png");
  // Only a win leads here, and the level number still names the level just won; the run
  // is the one that level finished.
  const int level = GameStateManager.level;
  const FinishedRun run = gFinishedRun.level == level ? gFinishedRun : FinishedRun();
  seconds = run.seconds;
  double previous = 0;
  fileLevel = level == kLevelFromFile;
  if (fileLevel) {
    // The player's own levels are kept under their name.
    const std::string& name = FileLevelName();
    const NamedBestTimes before = LoadWonNamedLevels();
    saved = RecordWonNamedLevel(name, run.seconds);
    if (auto found = before.find(name); found != before.end()) previous = found->second;
    best = LoadWonNamedLevels()[name];
    fileName.Load(kListGlyphsPicture, kListGlyphs, kListGlyphWidth, kListGlyphHeight, 1.6f);
  } else {
    BestTimes before, after;
    LoadWonLevels(&before);
    saved = RecordWonLevel(level, run.seconds);
    LoadWonLevels(&after);
    const bool inRange = level >= 1 && level <= kLevelNameCount;
    best = inRange ? after.seconds[level] : 0;
    previous = inRange ? before.seconds[level] : 0;
    if (inRange) PlaceSprite(levelName, kLevelNamePictures[level - 1], 400, 48);
  }
  newBest = seconds > 0 && (previous == 0 || TimeInTenths(seconds) < TimeInTenths(previous));
  goOn.Load(kContinuePictures, kHintWidth / 2.0f, kHintHeight / 2.0f);
  if (!saved) PlaceSprite(notSaved, "Assets/UI/NotSaved.png", 560, 44);

  PlaceSprite(timeLabel, kTimeLabelPicture, 160, 36);
  PlaceSprite(bestLabel, kBestLabelPicture, 160, 36);
  PlaceSprite(newBestTag, kNewBestPicture, 150, 36);
  PlaceSprite(noPhotos, kNoPhotosPicture, 360, 36);
  times.Load(1.0f);
  photos.assign(std::min(run.photos.size(), kMostCards), Sprite());
  for (size_t i = 0; i < photos.size(); ++i)
    PlaceSprite(photos[i], run.photos[i].c_str(), kCardSize, kCardSize);
}

void ResultScreen::Update() {
  for (unsigned key : {unsigned(VK_SPACE), unsigned(VK_RETURN), unsigned(VK_GAMEPAD_A)}) {
    if (!KEInputCheckTriggered(key)) continue;
    // One screen asked for, however many of the keys came in this frame.
    if (fileLevel) return RequestState(new YourLevelsScreen);
    return RequestState(new LevelSelect);
  }
}

void ResultScreen::Draw() {
  DrawAt(picture, 0, 0);
  if (fileLevel) {
    fileName.Draw(ShownText(FileLevelName(), 30), 0, kNameY, 0.5f);
  } else {
    DrawAt(levelName, 0, kNameY);
  }
  if (seconds > 0) {
    DrawAt(timeLabel, kLabelRight - 80, kTimeY);
    times.Draw(seconds, kTimeLeft, kTimeY, 0);
  }
  if (best > 0) {
    DrawAt(bestLabel, kLabelRight - 80, kBestY);
    const float end = times.Draw(best, kTimeLeft, kBestY, 0);
    if (newBest) DrawAt(newBestTag, end + kTagGap + 75, kBestY);
  }
  if (photos.empty()) DrawAt(noPhotos, 0, kPhotosY);
  const float firstX = -kCardStep * float(photos.size() - 1) / 2;
  for (size_t i = 0; i < photos.size(); ++i) DrawAt(photos[i], firstX + kCardStep * float(i), kPhotosY);
  BeginSpriteDraw(1.0f, 0, kGoOnY);
  goOn.DrawFrame();
  if (saved) return;
  // Under the line that says how to go on, clear of the photos.
  BeginSpriteDraw(1.0f, 0, -268);
  notSaved.DrawFrame();
}
