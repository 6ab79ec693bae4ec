#include "LevelCheck.h"

#include <cmath>

#include "TileMap.h"

namespace {

constexpr unsigned kLava = 4, kWater = 6, kWall = 9;

struct Checker {
  TileMap map;
  std::vector<LevelProblem> problems;

  void Add(KEVec2 p, const std::string& what) {
    const float size = float(map.tileSize);
    problems.push_back({int(std::floor((p.x + map.halfWidth) / size)),
                        int(std::floor((map.halfHeight - p.y) / size)), what});
  }
  bool Free(KEVec2 p) const { return map.CellAt(p) >= 0 && !map.Blocks(p); }
  bool OnCentre(KEVec2 p) const {
    const float size = float(map.tileSize);
    return std::fmod(p.x + map.halfWidth - size / 2, size) == 0 &&
           std::fmod(p.y + map.halfHeight - size / 2, size) == 0;
  }
  bool SameCell(KEVec2 a, KEVec2 b) const {
    const float size = float(map.tileSize);
    return std::floor((a.x + map.halfWidth) / size) == std::floor((b.x + map.halfWidth) / size) &&
           std::floor((a.y + map.halfHeight) / size) == std::floor((b.y + map.halfHeight) / size);
  }
  const char* Where(KEVec2 p) const { return map.CellAt(p) < 0 ? "outside the map" : "in a wall"; }

  void CheckBorder() {
    for (unsigned row = 0; row < map.height; ++row)
      for (unsigned column = 0; column < map.width; ++column)
        if (!map.blocking[row][column] &&
            (row == 0 || column == 0 || row + 1 == map.height || column + 1 == map.width))
          problems.push_back({int(column), int(map.height - 1 - row), "a gap in the border"});
  }

  void CheckMonster(const CastMember& member, const std::string& who) {
    if (!Free(member.start)) return Add(member.start, who + " starts " + Where(member.start));
    std::vector<KEVec2> walked = {member.start};
    for (const PatrolLeg& leg : PatrolLegs(member)) {
      const bool free = Free(leg.to);
      const std::list<KEVec2> path = free ? map.FindPath(leg.from, leg.to) : std::list<KEVec2>();
      const bool reached = free && (!path.empty() || SameCell(leg.from, leg.to));
      // The patrol stops for good on a waypoint off its cell's centre.
      if (!reached && !OnCentre(leg.from)) break;
      if (!free) {
        Add(leg.to, who + "'s waypoint is " + Where(leg.to));
        break;
      }
      if (!reached) {
        Add(leg.to, who + " finds no way here from its waypoint before");
        break;
      }
      walked.insert(walked.end(), path.begin(), path.end());
    }
    if (member.kind != kWaterRatKind) return;
    for (KEVec2 p : walked) {
      if (map.CellAt(p) != int(kWater)) return Add(p, who + " is a water rat and leaves the water");
    }
  }

  // An exit cell the player can walk to from `from`, straight or only through lava.
  static bool ReachesAnExit(TileMap& map, KEVec2 from) {
    const float size = float(map.tileSize);
    for (KEVec2 exit : map.ExitCentres()) {
      if (std::floor((from.x + map.halfWidth) / size) ==
              std::floor((exit.x + map.halfWidth) / size) &&
          std::floor((from.y + map.halfHeight) / size) ==
              std::floor((exit.y + map.halfHeight) / size))
        return true;
      if (!map.FindPath(from, exit).empty()) return true;
    }
    return false;
  }

  void CheckWayOut(const LevelCast& cast, const TileMapGrid& grid) {
    if (!ReachesAnExit(map, cast.playerStart))
      return Add(cast.playerStart, "no way from the player's start to an exit");
    TileMapGrid noLava = grid;
    for (unsigned& code : noLava.cells) code = code == kLava ? kWall : code;
    TileMap dry;
    if (!dry.LoadGrid(noLava) || ReachesAnExit(dry, cast.playerStart)) return;
    for (const CastMember& member : cast.monsters)
      if (member.kind == kFireRatKind || member.kind == kFireballKind) return;
    Add(cast.playerStart, "the way out crosses lava and no fire rat or fireball lends a fire look");
  }
};

}  // namespace

std::string LevelProblem::Line() const {
  if (column < 0 && row < 0) return what;
  return "column " + std::to_string(column) + ", row " + std::to_string(row) + ": " + what;
}

std::vector<LevelProblem> CheckLevel(const Level& level) {
  Checker check;
  const TileMapGrid& grid = level.grid;
  if (grid.width < kLevelMinSide || grid.width > kLevelMaxSide || grid.height < kLevelMinSide ||
      grid.height > kLevelMaxSide) {
    check.problems.push_back({-1, -1,
                              "the map is " + std::to_string(grid.width) + " by " +
                                  std::to_string(grid.height) + " cells; a level is 10 by 10 to " +
                                  "128 by 128"});
    return check.problems;
  }
  if (level.monsters.size() > kLevelMaxMonsters) {
    check.problems.push_back(
        {-1, -1, std::to_string(level.monsters.size()) + " monsters; a level has at most 300"});
    return check.problems;
  }
  if (!check.map.LoadGrid(grid)) {
    check.problems.push_back({-1, -1, "the map cannot be read"});
    return check.problems;
  }
  check.CheckBorder();
  const LevelCast cast = CastOf(level, "");
  for (std::size_t m = 0; m < cast.monsters.size(); ++m) {
    const std::string who = "monster " + std::to_string(m + 1);
    if (level.monsters[m].route.size() > kLevelMaxWaypoints) {
      check.Add(cast.monsters[m].start, who + " has over 100 waypoints");
      continue;
    }
    check.CheckMonster(cast.monsters[m], who);
  }
  if (!level.player) {
    check.problems.push_back({-1, -1, "the level has no player start"});
  } else if (!check.Free(cast.playerStart)) {
    check.Add(cast.playerStart,
              std::string("the player's start is ") + check.Where(cast.playerStart));
  } else {
    check.CheckWayOut(cast, grid);
  }
  return check.problems;
}
