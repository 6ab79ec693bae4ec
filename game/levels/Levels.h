// The six story levels and the two trials: each is a level file in the data folder.
#pragma once

#include "AudioService.h"
#include "LevelBase.h"
#include "LevelCast.h"

// The story levels' music belongs to the level base, which starts it on the first update.
class StoryLevel : public LevelBase {
 public:
  explicit StoryLevel(const LevelCast& cast) : cast_(cast) {}
  void Load() override;

 private:
  const LevelCast& cast_;
};

// The trials keep their own music and start it themselves.
class TrialLevel : public LevelBase {
 public:
  explicit TrialLevel(const LevelCast& cast) : cast_(cast) {}
  ~TrialLevel() override;
  void Load() override;
  void Update() override;
  void Unload() override;

  MusicHandle trialMusic;
  bool trialMusicStarted = false;

 private:
  const LevelCast& cast_;
};
