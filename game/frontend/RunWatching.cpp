#include "RunWatching.h"

#include <cstdio>

#include "ControlsPictures.h"
#include "KEGraphics.h"
#include "LevelBase.h"
#include "LevelFile.h"
#include "LevelRoster.h"
#include "LoadingScreen.h"
#include "RunFile.h"
#include "SavedFile.h"

std::string RunName(int level) {
  const LevelCast* cast = LevelCastOf(level);
  return cast ? RunNameOf(cast->mapFile) : "";
}

std::shared_ptr<const RecordedRun> LoadBestRun(int level, std::string* problem) {
  problem->clear();
  const std::string path = RunFilePath(RunName(level), "best");
  auto run = std::make_shared<RecordedRun>();
  if (path.empty() || RunName(level).empty()) return nullptr;
  std::string why;
  if (ReadRunFile(path, run.get(), &why)) return run;
  if (why != "no such file") {
    *problem = "THE KEPT RUN CANNOT BE READ";
    SayOnce(path + ": " + why);
  }
  return nullptr;
}

std::string UnwatchableLine(const RecordedRun& run) {
  const LevelCast* cast = LevelCastOf(run.level);
  if (!cast) return "THE RUN NAMES NO LEVEL OF THIS GAME";
  const std::string mismatch = RunMismatch(run, cast->checksum);
  if (mismatch.empty()) return "";
  std::printf("Level %d's run is not played: %s\n", run.level, mismatch.c_str());
  if (run.checksum != cast->checksum) return "RECORDED ON ANOTHER VERSION OF THIS LEVEL";
  return "RECORDED BY ANOTHER VERSION OF THE GAME";
}

GameState* WatchRun(std::shared_ptr<const RecordedRun> run, std::function<GameState*()> back) {
  const int level = run->level;
  auto again = [level] { return dynamic_cast<LevelBase*>(MakeLevel(level)); };
  LevelBase* watched = again();
  if (!watched) return back();
  watched->Watch(std::move(run), std::move(back), again);
  GameStateManager.level = level;
  return watched;
}

void WatchPlate::Load(float x, float y, float width, float height, float textScale) {
  x_ = x;
  y_ = y;
  button = ImageButton(
      OverPlate(nullptr, width, height, x, y, kKeyPlate, kKeyPlateWidth, kKeyPlateHeight),
      {kKeyPlatePictures[0], kKeyPlatePictures[1]});
  button->active = true;
  text_.Load(kKeyGlyphsPicture, kKeyGlyphs, kKeyGlyphWidth, kKeyGlyphHeight, textScale, " ", 0.66f);
}

void WatchPlate::Update() {
  if (button) button->sprite.SetAnimation(button->highlighted ? 1 : 0);
}

void WatchPlate::Draw() {
  if (!button) return;
  BeginSpriteDraw(1.0f, 0, 0);
  text_.Draw("WATCH", x_, y_, 0.5f);
}
