// A level that takes its whole cast from its map file, for trying things out without the
// game's menus: the grid as every level reads it, then lines the grid reader never reaches.
//
//   player X Y
//   monster KIND X Y [rotation RADIANS] [pause SECONDS] [route X1 Y1 X2 Y2 ...]
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "LevelBase.h"
#include "LevelCast.h"

// The sandbox's cast is a level's cast read from text; its map file is the one it came from.
using Cast = LevelCast;

// Reads the cast lines and skips every other line. A cast line it cannot read is left out
// with one line on standard output naming the file and the line.
Cast ReadCast(std::istream& in, const std::string& fileName);

// One warning line for each monster start or route point outside the map or inside a
// wall: such a monster stands where it is put and its patrol never gets going.
void ReportStrayPoints(const Cast& cast, const TileMap& map, const std::string& fileName,
                       std::ostream& out);

class SandboxLevel : public LevelBase {
 public:
  explicit SandboxLevel(std::string mapFile);
  void Load() override;

  bool MapRead() const { return mapRead_; }
  const Cast& GetCast() const { return cast_; }

 private:
  std::string mapFile_;
  Cast cast_;
  bool mapRead_ = false;
};
