#include "SandboxLevel.h"

#include <cstdio>

#include "LevelCheck.h"

SandboxLevel::SandboxLevel(std::string mapFile) : mapFile_(std::move(mapFile)) {}

void SandboxLevel::Load() {
  Level level;
  std::vector<std::string> problems;
  if (ReadLevelFile(mapFile_, &level, &problems)) {
    for (const LevelProblem& problem : CheckLevel(level))
      problems.push_back(mapFile_ + ": " + problem.Line());
  }
  for (const std::string& line : problems) std::printf("%s\n", line.c_str());
  cast_ = CastOf(level, mapFile_);
  mapRead_ = PlaceCast(*this, cast_);
  music = AudioService::Get().LoadMusic("Assets/levelbgm.wav");
}
