#include "LevelCast.h"

#include "LevelBase.h"
#include "Monster.h"
#include "Player.h"
#include "RunFile.h"

// The file's kind numbers are the game's.
static_assert(kFireRatKind == FireRat && kWaterRatKind == WaterRat && kFireballKind == Fireball &&
              kMonsterKindCount == Fireball + 1);

bool PlaceCast(LevelBase& level, const LevelCast& cast) {
  // Monsters' pauses count on the world clock: from zero at every try, a run goes the same
  // way whenever it is played.
  GameStateManager.worldTime = 0;
  level.map.LoadGridAndTiles(cast.grid);
  level.checksum = cast.checksum;
  level.runName = cast.runName.empty() ? RunNameOf(cast.mapFile) : cast.runName;
  const bool mapRead = !cast.grid.Empty();

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
