#include "SandboxLevel.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr int kKinds = 5;

bool ReadMonster(std::istringstream& words, CastMember* member) {
  if (!(words >> member->kind >> member->start.x >> member->start.y)) return false;
  if (member->kind < 0 || member->kind >= kKinds) return false;
  std::string keyword;
  while (words >> keyword) {
    if (keyword == "rotation") {
      float rotation;
      if (!(words >> rotation)) return false;
      member->rotation = rotation;
    } else if (keyword == "pause") {
      double pause;
      if (!(words >> pause) || pause < 0) return false;
      member->pause = pause;
    } else if (keyword == "route") {
      // The route runs to the end of the line, whole points only.
      std::vector<float> numbers;
      std::string word;
      while (words >> word) {
        std::istringstream number(word);
        float value;
        if (!(number >> value) || !number.eof()) return false;
        numbers.push_back(value);
      }
      if (numbers.size() % 2 != 0) return false;
      for (size_t i = 0; i < numbers.size(); i += 2)
        member->route.push_back({numbers[i], numbers[i + 1]});
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

Cast ReadCast(std::istream& in, const std::string& fileName) {
  Cast cast = {nullptr, {0, 0}, {}};
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    bool good = true;
    if (keyword == "player") {
      KEVec2 start;
      good = bool(words >> start.x >> start.y);
      if (good) cast.playerStart = start;
    } else if (keyword == "monster") {
      CastMember member = {0, {0, 0}, {}, {}, {}};
      good = ReadMonster(words, &member);
      if (good) cast.monsters.push_back(member);
    }
    if (!good)
      std::printf("%s line %d: cannot read \"%s\"; left out\n", fileName.c_str(), number,
                  line.c_str());
  }
  return cast;
}

void ReportStrayPoints(const Cast& cast, const TileMap& map, const std::string& fileName,
                       std::ostream& out) {
  for (size_t i = 0; i < cast.monsters.size(); ++i) {
    const CastMember& member = cast.monsters[i];
    std::vector<KEVec2> points = {member.start};
    points.insert(points.end(), member.route.begin(), member.route.end());
    for (KEVec2 point : points) {
      const char* where = map.CellAt(point) < 0 ? "outside the map"
                          : map.Blocks(point)   ? "inside a wall"
                                                : nullptr;
      if (where)
        out << fileName << ": monster " << i + 1 << " point (" << point.x << ", " << point.y
            << ") is " << where << "\n";
    }
  }
}

SandboxLevel::SandboxLevel(std::string mapFile) : mapFile_(std::move(mapFile)) {}

void SandboxLevel::Load() {
  std::ifstream file(mapFile_);
  cast_ = ReadCast(file, mapFile_);
  cast_.mapFile = mapFile_.c_str();
  mapRead_ = PlaceCast(*this, cast_);
  if (mapRead_) ReportStrayPoints(cast_, map, mapFile_, std::cout);
  music = AudioService::Get().LoadMusic("Assets/levelbgm.wav");
}
