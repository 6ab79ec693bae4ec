// The six story levels and the two trials: each is a map file and a cast table.
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

extern const LevelCast kLevel1Cast, kLevel2Cast, kLevel3Cast, kLevel4Cast, kLevel5Cast, kLevel6Cast,
    kTrial1Cast, kTrial2Cast;

// Each level names its table; the table names its map file.
template <const LevelCast& kCast>
class StoryLevelOf : public StoryLevel {
 public:
  StoryLevelOf() : StoryLevel(kCast) {}
};
template <const LevelCast& kCast>
class TrialLevelOf : public TrialLevel {
 public:
  TrialLevelOf() : TrialLevel(kCast) {}
};

using Level1 = StoryLevelOf<kLevel1Cast>;
using Level2 = StoryLevelOf<kLevel2Cast>;
using Level3 = StoryLevelOf<kLevel3Cast>;
using Level4 = StoryLevelOf<kLevel4Cast>;
using Level5 = StoryLevelOf<kLevel5Cast>;
using Level6 = StoryLevelOf<kLevel6Cast>;
using Trial1 = TrialLevelOf<kTrial1Cast>;
using Trial2 = TrialLevelOf<kTrial2Cast>;
