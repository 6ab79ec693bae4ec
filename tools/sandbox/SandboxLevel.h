// A level from any level file (see LevelFile.h), for trying things out without the game's
// menus. The validator's problems are printed, and the level plays all the same.
#pragma once

#include <string>

#include "LevelBase.h"
#include "LevelCast.h"

class SandboxLevel : public LevelBase {
 public:
  explicit SandboxLevel(std::string mapFile);
  void Load() override;

  bool MapRead() const { return mapRead_; }
  const LevelCast& GetCast() const { return cast_; }

 private:
  std::string mapFile_;
  LevelCast cast_;
  bool mapRead_ = false;
};
