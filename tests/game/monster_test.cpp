#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GameState.h"
#include "Monster.h"
#include "ObjectManager.h"
#include "Player.h"
#include "Tile.h"
#include "test_level.h"

namespace {

constexpr float kDegree = 0.017453292f;
constexpr double kFrame = 1.0 / 60;

bool Finite(KEVec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }

// Everything a monster computes that a NaN could reach.
::testing::AssertionResult AllFinite(const Monster& m) {
  bool ok = Finite(m.position) && Finite(m.velocity) && Finite(m.scale) &&
            std::isfinite(m.rotation) && Finite(m.boundsMin) && Finite(m.boundsMax) &&
            Finite(m.sight.leftEdge) && Finite(m.sight.rightEdge) && Finite(m.sight.apex) &&
            std::isfinite(m.sight.length);
  for (const KEMtx33* matrix : {&m.transform, &m.sight.spriteTransform}) {
    for (const auto& row : matrix->m) {
      for (float v : row) ok = ok && std::isfinite(v);
    }
  }
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "kind " << m.kind << " at (" << m.position.x << ", " << m.position.y << ") rotation "
         << m.rotation << " scale " << m.scale.x;
}

bool Same(KEVec2 a, KEVec2 b) { return a.x == b.x && a.y == b.y; }

// A disguise the way a right click makes one, lasting `seconds`.
void Disguise(int kind, double seconds) {
  Player& player = *gCurrentPlayer;
  player.photos[0].kind = kind;
  player.photos[0].size = {40, 40};
  player.photos[0].speed = 1.0f;
  player.sprite.AddStrip("Assets/FIRERAT.png", 4, 0.2f);
  player.activeDisguise = &player.photos[0];
  player.disguised = true;
  player.disguiseTime = seconds;
}

constexpr KEVec2 kFarAway = {10000, 10000};

// Without a level or a player every query answers "nothing there" and nothing may break.
class MonsterAloneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedPlayer_ = gCurrentPlayer;
    gCurrentPlayer = nullptr;
  }
  void TearDown() override {
    gObjectManager.FreeAll();
    gCurrentPlayer = savedPlayer_;
  }
  Player* savedPlayer_ = nullptr;
};

TEST_F(MonsterAloneTest, RunsWithoutMapOrPlayer) {
  for (int kind : {-1, 0, 1, 2, 3, 4, 9}) {
    Monster monster(kind);
    monster.Initialize();
    monster.SetPatrolRoute(2, KEVec2{0, 0}, KEVec2{50, 50});
    for (int frame = 0; frame < 600; ++frame) {
      GameStateManager.totalTime += kFrame;
      monster.Update();
      ASSERT_TRUE(AllFinite(monster)) << "frame " << frame;
    }
    monster.Draw();
    EXPECT_EQ(monster.state, Patrol) << kind;
    // A dried-out water rat stops at its smallest size instead of turning inside out.
    const bool known = kind >= 0 && kind <= Fireball;
    const float smallest = kind == WaterRat ? Monster::kMinimumWaterRatSize : known ? 40 : 20;
    EXPECT_EQ(std::min(monster.scale.x, monster.scale.y), smallest) << kind;

    // The player vanished between the sighting and the decision.
    monster.state = Check;
    monster.phase = MonsterPhase::Run;
    monster.Update();
    EXPECT_EQ(monster.state, Patrol) << kind;
    EXPECT_FALSE(monster.alertShown);
  }
}

TEST_F(MonsterAloneTest, StepOntoNodeAtOwnPositionGivesNoNaN) {
  Monster monster(Fireball);
  monster.velocity = {0, 0};
  monster.path = {monster.position};
  const KEVec2 before = monster.position;
  monster.FollowPath();
  EXPECT_TRUE(AllFinite(monster));
  EXPECT_TRUE(Same(monster.position, before));
  // A node a subnormal distance away: its square underflows to a zero length.
  monster.position = {0, 0};
  monster.path = {{1e-40f, 0}};
  monster.FollowPath();
  EXPECT_TRUE(AllFinite(monster));
}

TEST_F(MonsterAloneTest, ScanTurnSweepsThreeDegreesAndTurnsBack) {
  const struct Case {
    float startDegrees;
    float step;
    float expectedDegrees;
  } cases[] = {
      {90, 3, 93},     {90, -3, 87},
      {-90, 3, 93},    // a negative facing is mirrored first
      {361, 3, 358},   // reverses at 360
      {0, -3, 3},      // and at 0
      {730.5f, 3, 13},  // whole turns are dropped
  };
  for (const Case& test : cases) {
    Monster monster(FireRat);
    monster.rotation = test.startDegrees * kDegree;
    monster.scanStep = test.step;
    monster.ScanTurn();
    EXPECT_NEAR(monster.rotation / kDegree, test.expectedDegrees, 1e-3) << test.startDegrees;
  }
  // A long sweep reaches both ends, stays between them and never stalls; float drift
  // makes a few steps at the ends 1 or 4 degrees.
  Monster monster(FireRat);
  float lowest = 0, highest = 0;
  for (int i = 0; i < 1000; ++i) {
    const float before = monster.rotation;
    monster.ScanTurn();
    const float turned = std::fabs(monster.rotation - before) / kDegree;
    EXPECT_GT(turned, 0.9f) << i;
    EXPECT_LT(turned, 4.1f) << i;
    lowest = std::min(lowest, monster.rotation / kDegree);
    highest = std::max(highest, monster.rotation / kDegree);
  }
  EXPECT_GE(lowest, -3.001f);
  EXPECT_LT(lowest, 3);
  EXPECT_GT(highest, 357);
  EXPECT_LE(highest, 363.001f);
}

// Levels run through the real state loop, one 1/60 s frame at a time.
class MonsterLevelTest : public ::testing::Test {
 protected:
  void TearDown() override { test_level::Finish(); }

  void Start(std::vector<std::string> rows, KEVec2 playerStart,
             std::function<void(TestLevel&)> place) {
    level_ = new TestLevel(std::move(rows), playerStart);
    level_->placeMonsters = std::move(place);
    test_level::Start(level_);
  }
  // Runs until `done` holds after a frame, at most `limit` frames; returns the frames run.
  int RunUntil(const std::function<bool()>& done, int limit) {
    for (int frame = 1; frame <= limit; ++frame) {
      test_level::Run(1);
      if (done()) return frame;
    }
    return -1;
  }
  TestLevel* level_ = nullptr;
};

// Open floor, 5 by 5 inside a wall, with one wall cell right of the centre.
const std::vector<std::string> kRoom = {"9 9 9 9 9 9 9",
                                        "9 0 0 0 0 0 9",
                                        "9 0 0 0 9 0 9",
                                        "9 0 0 0 0 0 9",
                                        "9 9 9 9 9 9 9"};

TEST_F(MonsterLevelTest, SeesAheadWithinRangeAndConeOnly) {
  Monster* left = nullptr;   // at x -100 facing right, open floor ahead
  Monster* centre = nullptr;  // at x 0 facing right, the wall cell ahead
  Start(kRoom, kFarAway, [&](TestLevel& level) {
    left = &level.AddMonster(Fireball, {-100, 0});
    centre = &level.AddMonster(Fireball, {0, 0});
  });
  test_level::Run(1);  // aims both cones
  const float c20 = std::cos(20 * kDegree), s20 = std::sin(20 * kDegree);
  const struct Case {
    const char* what;
    Monster* monster;
    KEVec2 player;
    bool seen;
  } cases[] = {
      {"119 ahead", left, {19, 0}, true},
      {"121 ahead", left, {21, 0}, false},
      {"20 degrees off", left, {-100 + 100 * c20, 100 * s20}, false},
      {"20 degrees off, other side", left, {-100 + 100 * c20, -100 * s20}, false},
      {"10 degrees off", left, {-100 + 100 * std::cos(10 * kDegree), 17}, true},
      {"behind a wall", centre, {100, 0}, false},
  };
  for (const Case& test : cases) {
    gCurrentPlayer->position = test.player;
    EXPECT_EQ(test.monster->SeesPlayer(), test.seen) << test.what;
  }
}

// Who chases whom: each monster kind against each disguise, decided three frames after
// the sighting. Columns: not disguised, then disguised as kind 0 to 4.
TEST_F(MonsterLevelTest, DisguiseDecisionTable) {
  const char* expected[5] = {
      "CPPPPP",  // fire rat
      "CPPPPP",  // water rat
      "CCCPPP",  // tire
      "CCCSPS",  // bulb: stays in Check
      "CCCCCP",  // fireball
  };
  for (int column = 0; column < 6; ++column) {
    std::vector<Monster*> monsters;
    // Five monsters on a circle of radius 100 around the player, each facing it.
    Start({"9 9 9 9 9 9 9", "9 0 0 0 0 0 9", "9 0 0 0 0 0 9", "9 0 0 0 0 0 9",
           "9 0 0 0 0 0 9", "9 0 0 0 0 0 9", "9 9 9 9 9 9 9"},
          {0, 0}, [&](TestLevel& level) {
            for (int kind = 0; kind < 5; ++kind) {
              const float angle = 72.0f * kind * kDegree;
              Monster& m =
                  level.AddMonster(kind, {100 * std::cos(angle), 100 * std::sin(angle)});
              m.rotation = angle + 3.1415927f;
              m.UpdateTransform();
              monsters.push_back(&m);
            }
          });
    if (column > 0) Disguise(column - 1, 60);
    test_level::Run(5);  // Patrol Enter, Run (sees), Leave; Check Enter, Run (decides)
    for (int kind = 0; kind < 5; ++kind) {
      const Monster& m = *monsters[kind];
      const char want = expected[kind][column];
      const std::string cell = "kind " + std::to_string(kind) + " column " +
                               std::to_string(column);
      if (want == 'C') {
        EXPECT_EQ(m.state, Chase) << cell;
        EXPECT_EQ(m.phase, Enter) << cell;
        EXPECT_TRUE(m.alertShown) << cell;
      } else if (want == 'P') {
        EXPECT_EQ(m.state, Patrol) << cell;
        EXPECT_EQ(m.phase, Enter) << cell;
        EXPECT_FALSE(m.alertShown) << cell;
      } else {
        EXPECT_EQ(m.state, Check) << cell;
        EXPECT_EQ(m.phase, MonsterPhase::Run) << cell;
      }
      EXPECT_EQ(m.Recognises(), want == 'C') << cell;
    }
    test_level::Finish();
  }
}

TEST_F(MonsterLevelTest, PuzzledBulbWaitsInCheckUntilTheDisguiseEnds) {
  Monster* bulb = nullptr;
  Start(kRoom, {-20, 0}, [&](TestLevel& level) { bulb = &level.AddMonster(Bulb, {-100, 0}); });
  Disguise(Tire, 2.0);
  test_level::Run(5);
  ASSERT_EQ(bulb->state, Check);
  gCurrentPlayer->position = kFarAway;  // out of sight: the decision does not look again
  const KEVec2 where = bulb->position;
  test_level::Run(60);
  EXPECT_EQ(bulb->state, Check);
  EXPECT_TRUE(Same(bulb->position, where));
  const int frames = RunUntil([&] { return bulb->state == Chase; }, 120);
  EXPECT_GT(frames, 0);
  EXPECT_EQ(gCurrentPlayer->activeDisguise, nullptr);
  EXPECT_TRUE(bulb->alertShown);
}

const std::vector<std::string> kCorridor = {"9 9 9 9 9 9 9 9 9",
                                            "9 0 0 0 0 0 0 0 9",
                                            "9 0 0 0 0 0 0 0 9",
                                            "9 0 0 0 0 0 0 0 9",
                                            "9 9 9 9 9 9 9 9 9"};

// Lost sight of the player: walks on, scans until five seconds after the last sighting,
// walks back to where it left its route and carries on.
TEST_F(MonsterLevelTest, ScansForFiveSecondsThenReturnsToRoute) {
  for (bool withRoute : {true, false}) {
    Monster* m = nullptr;
    KEVec2 start{}, turn{};
    Start(kCorridor, kFarAway, [&](TestLevel& level) {
      start = level.CellCentre(1, 2);
      turn = level.CellCentre(4, 2);
      m = &level.AddMonster(Fireball, start);
      if (withRoute) m->SetPatrolRoute(1, turn);
    });
    test_level::Run(30);
    gCurrentPlayer->position = {m->position.x + 80, 0};
    ASSERT_GT(RunUntil([&] { return m->state == Chase && m->phase == MonsterPhase::Run; }, 10), 0);
    const double seenAt = GameStateManager.totalTime;
    test_level::Run(1);
    EXPECT_TRUE(m->alertShown);
    EXPECT_FALSE(m->onRoute);
    EXPECT_NEAR(m->chaseDeadline, seenAt + 5, 1e-3);
    gCurrentPlayer->position = kFarAway;

    int scanFrames = 0;
    bool scanned = false;
    for (int frame = 0; frame < 600 && (m->scanShown || !scanned); ++frame) {
      const double now = GameStateManager.totalTime;
      const KEVec2 where = m->position;
      const float facing = m->rotation;
      test_level::Run(1);
      if (m->scanShown) {
        scanned = true;
        ++scanFrames;
        EXPECT_LE(now, m->chaseDeadline);
        EXPECT_FALSE(m->alertShown);
        if (scanFrames > 1) {
          EXPECT_TRUE(Same(m->position, where));
          const float turned = std::fabs(m->rotation - facing) / kDegree;
          EXPECT_TRUE(turned > 0.9f && turned < 4.1f) << turned;
        }
      } else if (scanned) {
        EXPECT_GT(now, m->chaseDeadline);  // the first frame past the deadline stops it
      }
    }
    // Walking on to the last planned cell takes part of the five seconds.
    EXPECT_GT(scanFrames, 150);
    EXPECT_LT(scanFrames, 301);

    EXPECT_GT(RunUntil([&] { return m->state == Patrol; }, 300), 0);
    EXPECT_TRUE(Same(m->position, start));
    EXPECT_TRUE(Same(m->homePoint, start));
    if (withRoute) {
      EXPECT_GT(RunUntil([&] { return Same(m->position, turn); }, 300), 0) << "route resumed";
    } else {
      test_level::Run(60);
      EXPECT_TRUE(Same(m->position, start)) << "no route: stands where it stood";
    }
    test_level::Finish();
  }
}

// A one-point route runs start, point, start, ... cell by cell round a pillar; with pauses
// it waits at both ends.
TEST_F(MonsterLevelTest, OnePointRouteWithAndWithoutPauses) {
  const struct Case {
    bool pauses;
    double pauseTime;
    int minDwell, maxDwell;  // frames spent exactly on an end of the route
  } cases[] = {{false, 0, 1, 2}, {true, 2.0, 120, 122}};
  for (const Case& test : cases) {
    Monster* m = nullptr;
    KEVec2 a{}, b{};
    Start({"9 9 9 9 9 9", "9 0 7 0 0 9", "9 0 0 0 0 9", "9 9 9 9 9 9"}, kFarAway,
          [&](TestLevel& level) {
            a = level.CellCentre(1, 1);
            b = level.CellCentre(3, 1);
            m = &level.AddMonster(Fireball, a);
            m->SetPatrolRoute(1, b);
            m->pausesAtWaypoints = test.pauses;
            m->pauseTime = test.pauseTime;
          });
    std::string visits;
    std::vector<int> dwells;
    int dwell = 0;
    for (int frame = 0; frame < 1000 && visits.size() < 4; ++frame) {
      test_level::Run(1);
      const char at = Same(m->position, a) ? 'a' : Same(m->position, b) ? 'b' : 0;
      if (at && (visits.empty() || visits.back() != at)) visits.push_back(at);
      if (at) {
        ++dwell;
      } else if (dwell) {
        dwells.push_back(dwell);
        dwell = 0;
      }
      ASSERT_TRUE(AllFinite(*m));
      ASSERT_EQ(level_->map.CellAt(m->position), 0) << "walked into the pillar";
    }
    EXPECT_EQ(visits, "abab");
    // The first stay at the start is not a pause: the patrol sets off at once.
    ASSERT_EQ(dwells.size(), 3u);
    for (size_t i = 1; i < dwells.size(); ++i) {
      EXPECT_GE(dwells[i], test.minDwell) << "stay " << i;
      EXPECT_LE(dwells[i], test.maxDwell) << "stay " << i;
    }
    test_level::Finish();
  }
}

TEST_F(MonsterLevelTest, BulbDropsAHazardEveryFortyFrames) {
  Monster* bulb = nullptr;
  Start(kCorridor, kFarAway, [&](TestLevel& level) {
    bulb = &level.AddMonster(Bulb, level.CellCentre(2, 2));
  });
  test_level::Run(1);  // Enter
  int dropped = 0;
  for (int frame = 1; frame <= 120; ++frame) {
    test_level::Run(1);
    for (const GameObjectPtr& object : gObjectManager.objects) {
      // A hazard is updated in the frame that creates it.
      auto* hazard = dynamic_cast<Electric*>(object.get());
      if (!hazard || hazard->life != Electric::kLife - 1) continue;
      ++dropped;
      EXPECT_EQ(frame % 40, 0) << "dropped in frame " << frame;
      EXPECT_TRUE(Same(hazard->position, bulb->position));
      EXPECT_EQ(hazard->scale.x, 40);
    }
  }
  EXPECT_EQ(dropped, 3);
}

// Away from water a water rat shrinks 0.1 a frame down to its smallest size; on water it
// grows 0.5 a frame while it is at most 40.
TEST_F(MonsterLevelTest, WaterRatSizeOnAndOffWater) {
  const struct Case {
    bool onWater;
    float startSize;
    int frames;  // of Patrol/Run
    float size;
  } cases[] = {
      {false, 40, 10, 39.0f},
      {false, 40, 100, 30.0f},
      {false, 6, 30, Monster::kMinimumWaterRatSize},
      {true, 30, 4, 32.0f},
      {true, 30, 20, 40.0f},
      {true, 30, 21, 40.5f},
      {true, 30, 40, 40.5f},
      {true, 10, 70, 40.5f},
  };
  for (const Case& test : cases) {
    Monster* rat = nullptr;
    Start({"9 9 9 9 9 9 9", "9 0 0 0 0 0 9", "9 0 6 0 0 0 9", "9 0 0 0 0 0 9", "9 9 9 9 9 9 9"},
          kFarAway, [&](TestLevel& level) {
            rat = &level.AddMonster(WaterRat, level.CellCentre(test.onWater ? 2 : 4, 2));
            rat->SetScale({test.startSize, test.startSize});
          });
    test_level::Run(1 + test.frames);
    EXPECT_NEAR(rat->scale.x, test.size, 1e-3) << test.frames << " frames from " << test.startSize;
    EXPECT_EQ(rat->scale.x, rat->scale.y);
    EXPECT_GE(rat->scale.x, Monster::kMinimumWaterRatSize);
    EXPECT_EQ(rat->transform.m[0][0], rat->scale.x * std::cos(rat->rotation));
    test_level::Finish();
  }
}

// A water rat that has dried below 20 gives up the chase and goes home instead of scanning.
TEST_F(MonsterLevelTest, DriedWaterRatGivesUpTheChase) {
  const struct Case {
    float startSize;
    bool givesUp;
  } cases[] = {{21, true}, {40, false}};
  for (const Case& test : cases) {
    Monster* rat = nullptr;
    KEVec2 start{};
    Start(kCorridor, {-95, 0}, [&](TestLevel& level) {
      start = level.CellCentre(1, 2);
      rat = &level.AddMonster(WaterRat, start);
      rat->SetScale({test.startSize, test.startSize});
    });
    ASSERT_GT(RunUntil([&] { return rat->state == Chase && rat->phase == MonsterPhase::Run; }, 10), 0);
    test_level::Run(1);
    gCurrentPlayer->position = kFarAway;
    test_level::Run(120);
    if (test.givesUp) {
      EXPECT_EQ(rat->state, Patrol);
      EXPECT_TRUE(Same(rat->position, start));
      EXPECT_LT(rat->scale.x, 20);
      EXPECT_FALSE(rat->alertShown);
    } else {
      EXPECT_EQ(rat->state, Chase);
      EXPECT_TRUE(rat->scanShown);
    }
    test_level::Finish();
  }
}

// Every kind on a route while the player turns up here and there, disguised or not.
TEST_F(MonsterLevelTest, NoNaNWhileHuntingThePlayer) {
  std::vector<Monster*> monsters;
  Start(kCorridor, kFarAway, [&](TestLevel& level) {
    for (int kind = 0; kind < 5; ++kind) {
      Monster& m = level.AddMonster(kind, level.CellCentre(1 + kind, kind % 3 + 1));
      m.SetPatrolRoute(2, level.CellCentre(7, 1), level.CellCentre(7, 3));
      m.pausesAtWaypoints = kind % 2;
      m.pauseTime = 0.5;
      monsters.push_back(&m);
    }
  });
  const KEVec2 spots[] = {{150, 0}, {-100, 50}, {0, -50}, kFarAway, {175, 50}};
  for (int frame = 0; frame < 720; ++frame) {
    if (frame % 40 == 0 && gCurrentPlayer->inPlay) {
      gCurrentPlayer->position = spots[(frame / 40) % 5];
      if (frame % 120 == 40) Disguise((frame / 120) % 5, 1.0);
    }
    test_level::Run(1);
    for (const Monster* m : monsters) ASSERT_TRUE(AllFinite(*m)) << "frame " << frame;
  }
}

}  // namespace
