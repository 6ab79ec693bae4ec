#include "Levels.h"

namespace {
const char* const kLevelMusic = "Assets/levelbgm.wav";
}  // namespace

void StoryLevel::Load() {
  PlaceCast(*this, cast_);
  music = AudioService::Get().LoadMusic(kLevelMusic);
}

TrialLevel::~TrialLevel() {
  if (trialMusic) AudioService::Get().ReleaseMusic(trialMusic);
}

void TrialLevel::Load() {
  PlaceCast(*this, cast_);
  trialMusic = AudioService::Get().LoadMusic(kLevelMusic);
}

void TrialLevel::Update() {
  LevelBase::Update();
  AudioService::Get().PlayMusicOnce(trialMusic, trialMusicStarted);
}

void TrialLevel::Unload() {
  LevelBase::Unload();
  AudioService::Get().ReleaseMusic(trialMusic);
  trialMusicStarted = false;
}
