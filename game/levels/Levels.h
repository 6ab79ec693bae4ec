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

class Level1 : public StoryLevel {
 public:
  Level1() : StoryLevel(kLevel1Cast) {}
};
class Level2 : public StoryLevel {
 public:
  Level2() : StoryLevel(kLevel2Cast) {}
};
class Level3 : public StoryLevel {
 public:
  Level3() : StoryLevel(kLevel3Cast) {}
};
class Level4 : public StoryLevel {
 public:
  Level4() : StoryLevel(kLevel4Cast) {}
};
class Level5 : public StoryLevel {
 public:
  Level5() : StoryLevel(kLevel5Cast) {}
};
class Level6 : public StoryLevel {
 public:
  Level6() : StoryLevel(kLevel6Cast) {}
};
class Trial1 : public TrialLevel {
 public:
  Trial1() : TrialLevel(kTrial1Cast) {}
};
class Trial2 : public TrialLevel {
 public:
  Trial2() : TrialLevel(kTrial2Cast) {}
};
