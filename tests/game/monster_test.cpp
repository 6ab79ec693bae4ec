#include "Monster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GameState.h"
#include "Player.h"
#include "SettingsInEffect.h"
#include "Tile.h"
#include "test_level.h"

namespace {

constexpr float kDegree = 0.017453292f;
constexpr KEVec2 kFarAway = {10000, 10000};

bool Same(KEVec2 a, KEVec2 b) { return a.x == b.x && a.y == b.y; }

bool Finite(const Monster& m) {
  const float values[] = {m.position.x,        m.position.y,
                          m.velocity.x,        m.velocity.y,
                          m.scale.x,           m.rotation,
                          m.transform.m[0][0], m.sight.leftEdge.x,
                          m.sight.length,      m.sight.spriteTransform.m[0][2]};
  for (float v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// A disguise as a right click makes it, lasting `seconds`.
void Disguise(int kind, double seconds) {
  Player& player = *gCurrentPlayer;
  player.photos[0].kind = kind;
  player.photos[0].size = {40, 40};
  player.sprite.AddStrip("Assets/FIRERAT.png", 4, 0.2f);
  player.activeDisguise = &player.photos[0];
  player.disguised = true;
  player.disguiseTime = seconds;
}

// Runs frames until `done` holds, at most `limit`; the frames run, or -1.
int RunUntil(const std::function<bool()>& done, int limit) {
  for (int frame = 1; frame <= limit; ++frame) {
    test_level::Run(1);
    if (done()) return frame;
  }
  return -1;
}

// Starts a level on `rows` with the player at `player`; `place` adds the monsters.
void StartLevel(std::vector<std::string> rows, KEVec2 player,
                std::function<void(TestLevel&)> place) {
  auto* level = new TestLevel(std::move(rows), player);
  level->placeMonsters = std::move(place);
  test_level::Start(level);
}

const std::vector<std::string> kRoom = {"9 9 9 9 9 9 9", "9 0 0 0 0 0 9", "9 0 6 0 9 0 9",
                                        "9 0 0 0 0 0 9", "9 9 9 9 9 9 9"};
const std::vector<std::string> kCorridor = {"9 9 9 9 9 9 9 9 9", "9 0 0 0 0 0 0 0 9",
                                            "9 0 0 0 0 0 0 0 9", "9 0 0 0 0 0 0 0 9",
                                            "9 9 9 9 9 9 9 9 9"};

class MonsterTest : public ::testing::Test {
 protected:
  void TearDown() override { test_level::Finish(); }
};

// No level, no player: every query answers "nothing there" and nothing breaks.
TEST_F(MonsterTest, RunsWithoutMapOrPlayer) {
  for (int kind : {-1, 0, 1, 2, 3, 4, 9}) {
    Monster monster(kind);
    monster.Initialize();
    monster.SetPatrolRoute(2, KEVec2{0, 0}, KEVec2{50, 50});
    for (int frame = 0; frame < 600; ++frame) {
      GameStateManager.worldTime += 1.0 / 60;
      monster.Update();
      ASSERT_TRUE(Finite(monster)) << kind;
    }
    monster.Draw();
    // A water rat far from water stops at its smallest size instead of turning inside out.
    const bool known = kind >= FireRat && kind <= Fireball;
    const float size = kind == WaterRat ? Monster::kMinimumWaterRatSize : known ? 40 : 20;
    EXPECT_EQ(monster.scale.x, size) << kind;
    // The player is gone by the time of the decision.
    monster.state = Check;
    monster.phase = MonsterPhase::Run;
    monster.Update();
    EXPECT_EQ(monster.state, Patrol) << kind;
    // A step onto a node at its own position must not divide by a zero length.
    monster.velocity = {0, 0};
    monster.path = {monster.position};
    monster.FollowPath();
    monster.position = {0, 0};
    monster.path = {{1e-40f, 0}};
    monster.FollowPath();
    EXPECT_TRUE(Finite(monster)) << kind;
  }
  gObjectManager.FreeAll();
}

TEST_F(MonsterTest, SeesAheadWithinRangeAndConeOnly) {
  Monster *left = nullptr, *centre = nullptr;  // both face +x; a wall is right of `centre`
  StartLevel(kRoom, kFarAway, [&](TestLevel& level) {
    left = &level.AddMonster(Fireball, {-100, 50});
    centre = &level.AddMonster(Fireball, {0, 0});
  });
  test_level::Run(1);
  const float c20 = std::cos(20 * kDegree), s20 = std::sin(20 * kDegree);
  const struct {
    Monster* monster;
    KEVec2 player;
    bool seen;
  } cases[] = {
      {left, {19, 50}, true},                             // 119 ahead
      {left, {21, 50}, false},                            // 121 ahead
      {left, {-100 + 100 * c20, 50 - 100 * s20}, false},  // 20 degrees off
      {left, {-1.5f, 67}, true},                          // 10 degrees off
      {centre, {100, 0}, false},                          // behind a wall
  };
  for (const auto& test : cases) {
    gCurrentPlayer->position = test.player;
    EXPECT_EQ(test.monster->SeesPlayer(), test.seen) << test.player.x << ", " << test.player.y;
  }
}

// Each kind against each disguise, decided three frames after the sighting. Columns: not
// disguised, then disguised as kind 0 to 4; C chase, P back to patrol, S stay in Check.
TEST_F(MonsterTest, DisguiseDecisionTable) {
  const char* expected[5] = {"CPPPPP", "CPPPPP", "CCCPPP", "CCCSPS", "CCCCCP"};
  const std::vector<std::string> room = {"9 9 9 9 9 9 9", "9 0 0 0 0 0 9", "9 0 0 0 0 0 9",
                                         "9 0 0 0 0 0 9", "9 0 0 0 0 0 9", "9 0 0 0 0 0 9",
                                         "9 9 9 9 9 9 9"};
  for (int column = 0; column < 6; ++column) {
    std::vector<Monster*> monsters;
    // One monster of each kind on a circle around the player, facing it.
    StartLevel(room, {0, 0}, [&](TestLevel& level) {
      for (int kind = 0; kind < 5; ++kind) {
        const float angle = 72.0f * kind * kDegree;
        Monster& m = level.AddMonster(kind, {100 * std::cos(angle), 100 * std::sin(angle)});
        m.rotation = angle + 3.1415927f;
        monsters.push_back(&m);
      }
    });
    if (column > 0) Disguise(column - 1, 60);
    test_level::Run(5);
    for (int kind = 0; kind < 5; ++kind) {
      const Monster& m = *monsters[kind];
      const char want = expected[kind][column];
      const MonsterState state = want == 'C' ? Chase : want == 'P' ? Patrol : Check;
      EXPECT_EQ(m.state, state) << "kind " << kind << " column " << column;
      EXPECT_EQ(m.phase, want == 'S' ? MonsterPhase::Run : Enter) << kind << column;
      EXPECT_EQ(m.alertShown, want == 'C') << kind << column;
      EXPECT_EQ(m.Recognises(), want == 'C') << kind << column;
    }
    test_level::Finish();
  }

  // A bulb puzzled by a tire disguise waits in Check, without looking again, until it ends.
  Monster* bulb = nullptr;
  StartLevel(kRoom, {-20, 0}, [&](TestLevel& level) { bulb = &level.AddMonster(Bulb, {-100, 0}); });
  Disguise(Tire, 2.0);
  test_level::Run(5);
  gCurrentPlayer->position = kFarAway;
  test_level::Run(60);
  EXPECT_EQ(bulb->state, Check);
  EXPECT_GT(RunUntil([&] { return bulb->state == Chase; }, 120), 40);
}

// Loses the player, walks on, scans until 5 s after the last sighting, walks back to where
// it left its route and carries on; without a route it stands where it stood.
TEST_F(MonsterTest, ScansForFiveSecondsThenReturns) {
  for (bool withRoute : {true, false}) {
    Monster* m = nullptr;
    KEVec2 start{}, turn{};
    StartLevel(kCorridor, kFarAway, [&](TestLevel& level) {
      start = level.CellCentre(1, 2);
      turn = level.CellCentre(4, 2);
      m = &level.AddMonster(Fireball, start);
      if (withRoute) m->SetPatrolRoute(1, turn);
    });
    test_level::Run(30);
    gCurrentPlayer->position = {m->position.x + 80, 0};
    ASSERT_GT(RunUntil([&] { return m->state == Chase && m->phase == MonsterPhase::Run; }, 10), 0);
    const double seenAt = GameStateManager.worldTime;
    test_level::Run(1);
    EXPECT_NEAR(m->chaseDeadline, seenAt + 5, 1e-3);
    gCurrentPlayer->position = kFarAway;

    int scanFrames = 0;
    for (int frame = 0; frame < 600 && (m->scanShown || scanFrames == 0); ++frame) {
      const double now = GameStateManager.worldTime;
      const float facing = m->rotation;
      test_level::Run(1);
      ASSERT_TRUE(Finite(*m));
      if (!m->scanShown) continue;
      EXPECT_LE(now, m->chaseDeadline);
      const float turned = std::fabs(m->rotation - facing) / kDegree;
      // 3 degrees a frame; float drift makes a step at either end 1 or 4.
      if (++scanFrames > 1) {
        EXPECT_TRUE(turned > 0.9f && turned < 4.1f) << turned;
      }
    }
    EXPECT_GT(GameStateManager.worldTime - 1.0 / 60, m->chaseDeadline);
    EXPECT_GT(scanFrames, 150);

    EXPECT_GT(RunUntil([&] { return m->state == Patrol; }, 300), 0);
    EXPECT_TRUE(Same(m->position, start));
    if (withRoute) {
      EXPECT_GT(RunUntil([&] { return Same(m->position, turn); }, 300), 0) << "route resumed";
    } else {
      test_level::Run(60);
      EXPECT_TRUE(Same(m->position, start));
    }
    test_level::Finish();
  }
}

// The sweep turns back exactly at 0 and at 360 degrees, and only there.
TEST_F(MonsterTest, ScanTurnsBackAtTheEnds) {
  float full = 360.0f / 57.295784f;  // the facing that reads exactly 360 degrees
  while (full * 57.295784f < 360.0f) full = std::nextafter(full, 10.0f);
  ASSERT_EQ(full * 57.295784f, 360.0f);
  const struct {
    float rotation, step, stepAfter;
  } cases[] = {
      {0, 3, -3}, {0, -3, 3}, {full, 3, -3}, {10 * kDegree, -3, -3}, {350 * kDegree, 3, 3}};
  for (const auto& test : cases) {
    Monster m(Fireball);
    m.rotation = test.rotation;
    m.scanStep = test.step;
    m.ScanTurn();
    EXPECT_EQ(m.scanStep, test.stepAfter) << test.rotation;
    EXPECT_NEAR(m.rotation, test.rotation + test.stepAfter * kDegree, 1e-5) << test.rotation;
  }
}

// Out of sight again before the chase began: the monster finishes its leg and walks its
// route again instead of standing in Chase for ever.
TEST_F(MonsterTest, AGlimpseEndsBackOnTheRoute) {
  Monster* m = nullptr;
  KEVec2 start{};
  StartLevel(kCorridor, kFarAway, [&](TestLevel& level) {
    start = level.CellCentre(1, 2);
    m = &level.AddMonster(Fireball, start);
    m->SetPatrolRoute(1, level.CellCentre(4, 2));
  });
  test_level::Run(30);
  gCurrentPlayer->position = {m->position.x + 60, m->position.y};
  test_level::Run(1);
  gCurrentPlayer->position = kFarAway;
  ASSERT_GT(RunUntil([&] { return m->state == Chase; }, 10), 0);
  EXPECT_GT(RunUntil([&] { return m->state == Patrol; }, 600), 0);
  EXPECT_GT(RunUntil([&] { return Same(m->position, start); }, 600), 0) << "route resumed";
}

// A one-point route runs start, point, start, ... cell by cell round a pillar; with pauses
// it waits at both ends.
TEST_F(MonsterTest, OnePointRouteWithAndWithoutPauses) {
  const struct {
    double pauseTime;
    int minStay, maxStay;  // frames exactly on an end of the route
  } cases[] = {{0, 1, 2}, {2.0, 120, 122}};
  for (const auto& test : cases) {
    Monster* m = nullptr;
    KEVec2 a{}, b{};
    StartLevel({"9 9 9 9 9 9", "9 0 7 0 0 9", "9 0 0 0 0 9", "9 9 9 9 9 9"}, kFarAway,
               [&](TestLevel& level) {
                 a = level.CellCentre(1, 1);
                 b = level.CellCentre(3, 1);
                 m = &level.AddMonster(Fireball, a);
                 m->SetPatrolRoute(1, b);
                 m->pausesAtWaypoints = test.pauseTime > 0;
                 m->pauseTime = test.pauseTime;
               });
    std::string visits;
    std::vector<int> stays;
    for (int frame = 0, stay = 0; frame < 1000 && visits.size() < 4; ++frame) {
      test_level::Run(1);
      ASSERT_EQ(CurrentMap()->CellAt(m->position), 0) << "walked into the pillar";
      const char at = Same(m->position, a) ? 'a' : Same(m->position, b) ? 'b' : 0;
      if (at && (visits.empty() || visits.back() != at)) visits.push_back(at);
      if (at) {
        ++stay;
      } else if (stay) {
        stays.push_back(stay);
        stay = 0;
      }
    }
    EXPECT_EQ(visits, "abab");
    ASSERT_EQ(stays.size(), 3u);  // the first, at the start, is no pause
    for (int i : {1, 2}) {
      EXPECT_GE(stays[i], test.minStay);
      EXPECT_LE(stays[i], test.maxStay);
    }
    test_level::Finish();
  }
}

// A patrol turns at a waypoint off its cell centre at every game speed: steps that do not
// land on it exactly must not carry the monster on to the centre, where it stood for good.
TEST_F(MonsterTest, TurnsAtAWaypointOffItsCellCentreAtEverySpeed) {
  for (double speed : {1.0, 0.85, 0.7}) {
    SCOPED_TRACE(speed);
    SetLevelSpeed(speed);
    Monster* fireball = nullptr;
    KEVec2 start{}, turn{};
    StartLevel(kCorridor, kFarAway, [&](TestLevel& level) {
      start = level.CellCentre(6, 2);
      turn = level.CellCentre(2, 2);
      turn.x -= 10;
      fireball = &level.AddMonster(Fireball, start);
      fireball->SetPatrolRoute(1, turn);
    });
    const int there = RunUntil([&] { return Same(fireball->position, turn); }, 600);
    EXPECT_GT(there, 0) << "never stood on the turn; at " << fireball->position.x;
    EXPECT_GT(RunUntil([&] { return Same(fireball->position, start); }, 600), 0)
        << "never came back; at " << fireball->position.x;
    test_level::Finish();
  }
  SetLevelSpeed(1.0);
}

// A tire steps 3 units a frame; starting off the cell centres, a step past a node must not
// leave it swinging across the node for ever.
TEST_F(MonsterTest, FastMonsterOffTheCellCentresStillArrives) {
  Monster* tire = nullptr;
  KEVec2 end{};
  StartLevel({"9 9 9 9 9 9 9 9 9", "9 0 0 0 0 0 0 0 9", "9 0 0 0 0 0 0 0 9",
              "9 0 0 0 0 0 0 0 9", "9 9 9 9 9 9 9 9 9"},
             kFarAway, [&](TestLevel& level) {
               const KEVec2 start = level.CellCentre(1, 2);
               end = level.CellCentre(7, 2);
               tire = &level.AddMonster(Tire, {start.x + 0.5f, start.y});
               tire->SetPatrolRoute(1, end);
             });
  int frames = 0;
  while (!Same(tire->position, end) && frames < 300) {
    test_level::Run(1);
    ++frames;
  }
  EXPECT_LT(frames, 120) << "stuck near (" << tire->position.x << ", " << tire->position.y << ")";
  test_level::Finish();
}

TEST_F(MonsterTest, BulbDropsAHazardEveryFortyFrames) {
  Monster* bulb = nullptr;
  StartLevel(kCorridor, kFarAway,
             [&](TestLevel& level) { bulb = &level.AddMonster(Bulb, level.CellCentre(2, 2)); });
  test_level::Run(1);
  int dropped = 0;
  for (int frame = 1; frame <= 120; ++frame) {
    test_level::Run(1);
    for (const GameObjectPtr& object : gObjectManager.objects) {
      // A hazard is updated in the frame that creates it.
      auto* hazard = dynamic_cast<Electric*>(object.get());
      if (!hazard || hazard->life != Electric::kLife - 1) continue;
      ++dropped;
      EXPECT_EQ(frame % 40, 0);
      EXPECT_TRUE(Same(hazard->position, bulb->position));
    }
  }
  EXPECT_EQ(dropped, 3);
}

// Off water a water rat shrinks 0.1 a frame down to its smallest size; on water it grows
// 0.5 a frame while it is at most 40. One that dries below 20 gives up a chase and goes
// home at once instead of scanning.
TEST_F(MonsterTest, WaterRatSoaksAndDries) {
  const struct {
    int column;  // 2 is water
    float startSize;
    int frames;
    float size;
  } cases[] = {{5, 40, 10, 39}, {5, 40, 100, 30}, {5, 16, 30, Monster::kMinimumWaterRatSize},
               {2, 30, 4, 32},  {2, 30, 20, 40},  {2, 30, 40, 40.5f}};
  for (const auto& test : cases) {
    Monster* rat = nullptr;
    StartLevel(kRoom, kFarAway, [&](TestLevel& level) {
      rat = &level.AddMonster(WaterRat, level.CellCentre(test.column, 2));
      rat->SetScale({test.startSize, test.startSize});
    });
    test_level::Run(1 + test.frames);
    EXPECT_NEAR(rat->scale.x, test.size, 1e-3) << test.startSize << " " << test.frames;
    EXPECT_EQ(rat->transform.m[1][1], rat->scale.y);
    test_level::Finish();
  }

  for (float startSize : {21.0f, 40.0f}) {
    Monster* rat = nullptr;
    KEVec2 start{};
    StartLevel(kCorridor, {-70, 0}, [&](TestLevel& level) {
      start = level.CellCentre(1, 2);
      rat = &level.AddMonster(WaterRat, start);
      rat->SetScale({startSize, startSize});
    });
    ASSERT_GT(RunUntil([&] { return rat->state == Chase && rat->phase == MonsterPhase::Run; }, 10),
              0);
    test_level::Run(1);
    gCurrentPlayer->position = kFarAway;
    test_level::Run(120);
    const bool dried = startSize < 40;
    EXPECT_EQ(rat->state, dried ? Patrol : Chase) << startSize;
    EXPECT_EQ(Same(rat->position, start), dried) << startSize;
    EXPECT_EQ(rat->scale.x < 20, dried) << startSize;
    test_level::Finish();
  }
}

}  // namespace
