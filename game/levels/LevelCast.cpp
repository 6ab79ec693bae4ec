#include "LevelCast.h"

#include "LevelBase.h"
#include "Monster.h"
#include "Player.h"

std::vector<PatrolLeg> PatrolLegs(const CastMember& member) {
  std::vector<KEVec2> points = {member.start};
  points.insert(points.end(), member.route.begin(), member.route.end());
  points.push_back(member.start);
  auto firstEqual = [&](KEVec2 p) {
    size_t k = 0;
    while (points[k].x != p.x || points[k].y != p.y) ++k;
    return k;
  };
  std::vector<PatrolLeg> legs;
  std::vector<bool> walked(points.size());
  for (size_t k = 0; !member.route.empty() && !walked[k]; k = firstEqual(points[k + 1])) {
    walked[k] = true;
    legs.push_back({points[k], points[k + 1]});
  }
  return legs;
}

bool PlaceCast(LevelBase& level, const LevelCast& cast) {
  const bool mapRead = level.map.LoadFile(cast.mapFile);

  for (const CastMember& member : cast.monsters) {
    level.monster = CreateMonster(member.kind);
    Monster& monster = *level.monster;
    monster.position = member.start;
    if (member.rotation) monster.rotation = *member.rotation;
    monster.UpdateTransform();
    if (!member.route.empty()) monster.SetPatrolRoute(member.route);
    if (member.pause) {
      monster.pausesAtWaypoints = true;
      monster.pauseTime = *member.pause;
    }
    if (cast.initializeWhenPlaced) monster.Initialize();
  }

  level.LevelBase::Load();
  level.player->position = cast.playerStart;
  level.player->UpdateTransform();
  gCurrentPlayer = level.player.get();
  level.camera = new LevelCamera(&level.player->position);
  return mapRead;
}
