// One clock for the world: what happens in a level lasts as many world steps however long
// the machine takes to draw a frame, the game speed stretches it, and a paused world waits.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KEInput.h"
#include "Monster.h"
#include "ObjectManager.h"
#include "Player.h"
#include "SettingsInEffect.h"
#include "Tile.h"
#include "test_input.h"
#include "test_level.h"

namespace {

constexpr KEVec2 kFarAway = {10000, 10000};
const std::vector<std::string> kRoom = {"9 9 9 9 9 9", "9 0 0 0 0 9", "9 0 0 0 0 9", "9 9 9 9 9 9"};

bool Same(KEVec2 a, KEVec2 b) { return a.x == b.x && a.y == b.y; }

// Something timed in a level, `seconds` of world time at full speed: monsters placed by
// `place` as the level loads, or something started by `begin` once it runs; it lasts while
// `lasts` holds.
struct Timed {
  const char* what;
  double seconds;
  std::function<void(TestLevel&)> place;
  std::function<void()> begin;
  std::function<bool()> lasts;
};

struct Conditions {
  const char* what;
  double frameWork;  // seconds each frame takes
  int pausedFrames;  // frames the pause menu stays open once the timing has begun
};

KEVec2 gWaypoint;
Monster* gWalker;
Monster* gDryRat;
std::weak_ptr<GameObject> gTrail;

const Timed kTimed[] = {
    {"a disguise of 1 s", 1, nullptr,
     [] {
       Player& player = *gCurrentPlayer;
       player.photos[0].kind = WaterRat;
       player.photos[0].size = {40, 40};
       player.activeDisguise = &player.photos[0];
       player.disguised = true;
       player.disguiseTime = 1;
     },
     [] { return gCurrentPlayer->disguised; }},
    {"a pause of 1 s at a waypoint", 1,
     [](TestLevel& level) {
       gWaypoint = level.CellCentre(2, 1);
       gWalker = &level.AddMonster(Fireball, level.CellCentre(1, 1));
       gWalker->SetPatrolRoute(1, gWaypoint);
       gWalker->pausesAtWaypoints = true;
       gWalker->pauseTime = 1;
     },
     nullptr, [] { return Same(gWalker->position, gWaypoint); }},
    {"a water rat drying out on land", (40 - Monster::kMinimumWaterRatSize) / 0.1 / 60,
     [](TestLevel& level) {
       gDryRat = &level.AddMonster(WaterRat, level.CellCentre(2, 1));
       gDryRat->SetScale({40, 40});
     },
     nullptr, [] { return gDryRat->scale.x > Monster::kMinimumWaterRatSize; }},
    {"an electric trail", Electric::kLife / 60, nullptr,
     [] { gTrail = CreateElectric(); }, [] { return !gTrail.expired(); }},
};

// World steps from the first frame `timed` lasts to the first it no longer does, or -1: its
// frames less those the world stood still in (the one that opened the pause menu, and the
// frames it stayed open).
int StepsLasted(const Timed& timed, const Conditions& conditions) {
  auto* level = new TestLevel(kRoom, kFarAway);
  level->placeMonsters = timed.place;
  test_level::Start(level);
  test_input::SetFrameWork(conditions.frameWork);
  if (timed.begin) timed.begin();
  const int paused = conditions.pausedFrames;
  int frames = 0;
  for (int frame = 0; frame < 3000 && (frames == 0 || timed.lasts()); ++frame) {
    test_level::Run(1);
    if (!timed.lasts()) continue;
    ++frames;
    // Escape after its first frame opens the pause menu; after `paused` more, closes it.
    const bool toggle = paused && (frames == 1 || frames == 2 + paused);
    (toggle ? test_input::Press : test_input::Release)(VK_ESCAPE);
  }
  const bool ended = frames && !timed.lasts();
  test_level::Finish();
  return ended ? frames - (paused ? 1 + paused : 0) : -1;
}

TEST(WorldClock, TimersLastTheSameStepsOnASlowMachineAndThroughAPause) {
  const Conditions kConditions[] = {{"60 frames a second", 1.0 / 60, 0},
                                    {"15 frames a second", 1.0 / 15, 0},
                                    {"paused for half a second", 1.0 / 60, 30}};
  for (double speed : {1.0, 0.7}) {
    SetLevelSpeed(speed);
    for (const Timed& timed : kTimed) {
      SCOPED_TRACE(::testing::Message() << timed.what << " at " << speed * 100 << " %");
      const double expected = timed.seconds * 60 / speed;
      for (const Conditions& conditions : kConditions) {
        EXPECT_NEAR(StepsLasted(timed, conditions), expected, 2) << conditions.what;
      }
    }
  }
  SetLevelSpeed(1.0);
}

}  // namespace
