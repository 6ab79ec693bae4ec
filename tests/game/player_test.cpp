#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "KEGraphics.h"
#include "KEInput.h"
#include "Monster.h"
#include "Player.h"
#include "StateRequests.h"
#include "StatusDisplay.h"
#include "Tile.h"
#include "gl_environment.h"
#include "test_input.h"
#include "test_level.h"

namespace {

constexpr int kNone = -1;  // no disguise

std::vector<std::string> Floor(int width, int height) {
  std::string row = "0";
  for (int i = 1; i < width; ++i) row += " 0";
  return std::vector<std::string>(height, row);
}
const std::vector<std::string> kOpenFloor = Floor(5, 5);

unsigned gLoadingTarget;
bool gResultRequested;

// What a photo of a freshly made monster of `kind` holds.
Photo PhotoOf(int kind) {
  Monster monster(kind);
  Photo photo;
  photo.kind = monster.kind;
  photo.element = monster.element;
  photo.size = monster.scale;
  photo.duration = monster.disguiseDuration;
  photo.speed = monster.speed;
  photo.animationImage = monster.animationImage;
  photo.pictureImage = monster.pictureImage;
  return photo;
}

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gLoadingTarget = 0;
    gResultRequested = false;
    SetLoadingScreenFactory([](unsigned target) -> GameState* {
      gLoadingTarget = target;
      return nullptr;
    });
    SetResultScreenFactory([]() -> GameState* {
      gResultRequested = true;
      return nullptr;
    });
  }
  void TearDown() override {
    test_level::Finish();
    SetLoadingScreenFactory(nullptr);
    SetResultScreenFactory(nullptr);
  }

  // Starts a level on `rows` with the player on a cell, looking right, one monster per
  // entry of `cast` (kind, column, row).
  void Play(std::vector<std::string> rows, int column, int row,
            std::vector<std::vector<int>> cast = {}) {
    level = new TestLevel(std::move(rows), {0, 0});
    level->placeMonsters = [cast](TestLevel& l) {
      for (const auto& m : cast) l.AddMonster(m[0], l.CellCentre(m[1], m[2]));
    };
    test_level::Start(level);
    player().position = level->CellCentre(column, row);
    player().UpdateTransform();
    Look({100, 0});
  }
  // The camera may move in a frame, so aim, step, and aim again.
  void Look(KEVec2 offset) {
    for (int i = 0; i < 2; ++i) {
      test_level::AimCursorAt({player().position.x + offset.x, player().position.y + offset.y});
      test_level::Run(1);
    }
  }
  int Hold(std::initializer_list<unsigned> keys, int frames) {
    for (unsigned key : keys) test_input::Press(key);
    const int run = test_level::Run(frames);
    for (unsigned key : keys) test_input::Release(key);
    return run;
  }
  void Disguise(int kind) {
    if (kind == kNone) return;
    player().photos[0] = PhotoOf(kind);
    Hold({VK_RBUTTON}, 1);
  }
  Player& player() { return *gCurrentPlayer; }

  TestLevel* level = nullptr;
};

TEST_F(PlayerTest, WalkingKeys) {
  struct Case {
    std::initializer_list<unsigned> keys;
    float step;
    bool moving;
  };
  const Case cases[] = {{{'W', 'D'}, 1.5f, true},
                        {{'S'}, 1.5f, true},
                        {{'A', 'D'}, 0.0f, false},
                        {{'W', 'A', 'S', 'D'}, 0.0f, false}};
  for (const Case& c : cases) {
    Play(kOpenFloor, 2, 2);
    for (int frame = 0; frame < 10; ++frame) {
      const KEVec2 before = player().position;
      Hold(c.keys, 1);
      const float dx = player().position.x - before.x, dy = player().position.y - before.y;
      ASSERT_NEAR(std::sqrt(dx * dx + dy * dy), c.step, 1e-4f) << "frame " << frame;
    }
    EXPECT_EQ(player().moving, c.moving);
    EXPECT_EQ(player().sprite.currentAnimation, c.moving ? 1 : 0);
    test_level::Finish();
  }
}

// Floor effects count only in frames that move the player.
TEST_F(PlayerTest, StandingOnLavaOrExitDoesNothingUntilAStep) {
  for (const char* cell : {"4", "5"}) {
    Play({"0 0 0", std::string("0 ") + cell + " 0", "0 0 0"}, 1, 1);
    test_level::Run(30);
    EXPECT_TRUE(player().inPlay);
    EXPECT_FALSE(gResultRequested);
    if (cell == std::string("4")) {
      Hold({'D'}, 1);
      EXPECT_FALSE(player().inPlay);
      EXPECT_EQ(player().position.x, 10000.0f);
      EXPECT_EQ(player().position.y, 10000.0f);
    } else {
      EXPECT_EQ(Hold({'D'}, 5), 1) << "the level ends in the frame of the step";
      EXPECT_TRUE(gResultRequested);
    }
    test_level::Finish();
  }
}

// Fire creatures cross lava; anyone else dies in the first frame a probe touches it.
TEST_F(PlayerTest, LavaByElement) {
  const struct {
    int kind;
    int deathFrame;  // 0: crosses unharmed
  } cases[] = {{kNone, 37}, {WaterRat, 55}, {FireRat, 0}, {Fireball, 0}};
  for (const auto& c : cases) {
    Play({"0 0 4 4 4 0 0", "0 0 4 4 4 0 0", "0 0 4 4 4 0 0"}, 0, 1);
    Disguise(c.kind);
    int deathFrame = 0;
    test_input::Press('D');
    for (int frame = 1; frame <= 400 && player().position.x < level->CellCentre(5, 1).x; ++frame) {
      test_level::Run(1);
      if (!player().inPlay) {
        deathFrame = frame;
        break;
      }
    }
    test_input::Release('D');
    EXPECT_EQ(deathFrame, c.deathFrame) << "kind " << c.kind;
    test_level::Finish();
  }
}

TEST_F(PlayerTest, WaterSpeedAndStatusByDisguise) {
  const struct {
    int kind;
    float speed;
    const char* status;
  } cases[] = {{kNone, 1.0f, "Assets/SPDD.png"},
               {Tire, 1.5f, "Assets/SPDMIX.png"},
               {WaterRat, 1.0f, "Assets/SPDSLOW.png"},
               {FireRat, 0.35f, "Assets/SPDD.png"}};
  for (const auto& c : cases) {
    Play({"0 0 6 6 6 6 6", "0 0 6 6 6 6 6", "0 0 6 6 6 6 6"}, 0, 1);
    Disguise(c.kind);
    Hold({'D'}, 100);
    const float before = player().position.x;
    Hold({'D'}, 1);
    EXPECT_NEAR(player().position.x - before, c.speed, 1e-5f) << "kind " << c.kind;
    EXPECT_EQ(gCurrentUI->statusName, c.status) << "kind " << c.kind;
    test_level::Finish();
  }
}

// A wall between the player and the only monster: no photo, no flash, no cooldown.
TEST_F(PlayerTest, PhotoNeedsAClearLine) {
  for (const char* middle : {"9", "0"}) {
    const std::string row = std::string("0 ") + middle + " 0";
    Play({row, row, row}, 0, 1, {{Tire, 2, 1}});
    Hold({VK_LBUTTON}, 1);
    const bool taken = middle == std::string("0");
    EXPECT_EQ(player().photos[0].kind, taken ? Tire : Photo::kEmpty);
    EXPECT_EQ(player().flashing, taken);
    EXPECT_EQ(player().flashCooldown > 0, taken);
    test_level::Finish();
  }
}

// The nearest monster fills the first empty slot, the earliest listed on a tie; the next
// photo waits 100 frames.
TEST_F(PlayerTest, NearestMonsterAndCooldown) {
  const struct {
    std::vector<std::vector<int>> cast;
    int photographed;
    int wait;
  } cases[] = {
      {{{Tire, 2, 2}, {FireRat, 1, 2}}, FireRat, 99},
      {{{Tire, 2, 2}, {FireRat, 1, 2}}, FireRat, 100},
      {{{FireRat, 1, 2}, {Tire, 2, 2}}, FireRat, 100},
      {{{Tire, 2, 2}, {FireRat, 2, 2}}, Tire, 100},
      {{{FireRat, 2, 2}, {Tire, 2, 2}}, FireRat, 100},
  };
  for (const auto& c : cases) {
    Play(kOpenFloor, 0, 2, c.cast);
    Hold({VK_LBUTTON}, 1);
    EXPECT_EQ(player().photos[0].kind, c.photographed);
    EXPECT_EQ(gCurrentUI->pictureNames[0], PhotoOf(c.photographed).pictureImage);
    EXPECT_EQ(player().photos[1].kind, Photo::kEmpty);
    test_level::Run(c.wait - 1);
    Hold({VK_LBUTTON}, 1);
    EXPECT_EQ(player().photos[1].kind, c.wait == 100 ? c.photographed : Photo::kEmpty) << c.wait;
    test_level::Finish();
  }
}

// Every click that takes no photo says why, over the player; the first reason that holds
// is the one said, and nothing is taken.
TEST_F(PlayerTest, RefusedPhotoSaysWhy) {
  const std::string wallRow = "0 9 0 0 0";
  const std::vector<std::string> kWall = {wallRow, wallRow, wallRow};
  const std::vector<std::vector<int>> ahead = {{Tire, 2, 2}};
  using R = PhotoRefusal;
  const struct {
    const char* what;
    std::vector<std::string> rows;
    int column;
    std::vector<std::vector<int>> cast;
    std::vector<int> held;  // photos in the slots before the click
    bool justTookOne;       // a photo taken the frame before
    int disguise;
    PhotoRefusal why;
  } cases[] = {
      {"nothing there", kOpenFloor, 0, {}, {}, false, kNone, R::kNoMonster},
      {"behind the player", kOpenFloor, 2, {{Tire, 0, 2}}, {}, false, kNone, R::kNoMonster},
      {"past the cone's reach", kOpenFloor, 0, {{Tire, 4, 2}}, {}, false, kNone, R::kNoMonster},
      {"behind a wall", kWall, 0, {{Tire, 2, 1}}, {}, false, kNone, R::kWallBetween},
      {"right after a photo", kOpenFloor, 0, ahead, {}, true, kNone, R::kRecharging},
      {"three photos held", kOpenFloor, 0, ahead, {Bulb, Bulb, Bulb}, false, kNone, R::kSlotsFull},
      {"the third just taken", kOpenFloor, 0, ahead, {Bulb, Bulb}, true, kNone, R::kSlotsFull},
      {"in disguise", kOpenFloor, 0, ahead, {}, false, FireRat, R::kDisguised},
  };
  for (const auto& c : cases) {
    Play(c.rows, c.column, c.rows.size() == 3 ? 1 : 2, c.cast);
    for (size_t i = 0; i < c.held.size(); ++i) player().photos[i] = PhotoOf(c.held[i]);
    if (c.justTookOne) {
      Hold({VK_LBUTTON}, 1);
      test_level::Run(1);  // the button comes up between two clicks
    }
    Disguise(c.disguise);
    ASSERT_EQ(player().RefusalShown(), -1) << c.what;
    const size_t taken = player().photosTaken.size();
    Hold({VK_LBUTTON}, 1);
    EXPECT_EQ(player().RefusalShown(), RefusalIndex(c.why)) << c.what;
    EXPECT_EQ(player().photosTaken.size(), taken) << c.what;
    test_level::Finish();
  }
}

// The line stays a second of play (60 frames), a new refusal starts it again, a photo
// taken ends it, and a dead player's click says nothing over the Game Over screen.
TEST_F(PlayerTest, RefusalLineLastsASecondOfPlay) {
  Play(kOpenFloor, 0, 2, {{Tire, 2, 2}});
  Look({0, 100});
  Hold({VK_LBUTTON}, 1);
  test_level::Run(59);
  EXPECT_EQ(player().RefusalShown(), RefusalIndex(PhotoRefusal::kNoMonster));
  test_level::Run(1);
  EXPECT_EQ(player().RefusalShown(), -1);

  Hold({VK_LBUTTON}, 1);
  test_level::Run(30);
  Hold({VK_LBUTTON}, 1);
  test_level::Run(58);
  EXPECT_EQ(player().RefusalShown(), RefusalIndex(PhotoRefusal::kNoMonster));
  Look({100, 0});
  Hold({VK_LBUTTON}, 1);
  EXPECT_EQ(player().photos[0].kind, Tire);
  EXPECT_EQ(player().RefusalShown(), -1);
  test_level::Finish();

  Play({"0 0 0", "0 4 0", "0 0 0"}, 0, 1);
  Hold({'D'}, 20);
  ASSERT_FALSE(player().inPlay);
  Hold({VK_LBUTTON}, 1);
  EXPECT_EQ(player().RefusalShown(), -1);
}

// The line is drawn whole in the view above the strip: over the player's head, and under
// it when the player stands at the top of the map. Its picture is swapped for plain green.
TEST_F(PlayerTest, RefusalLineShowsWholeNearThePlayer) {
  const unsigned char green[4] = {0, 255, 0, 255};
  const auto plain = std::make_shared<Texture>(KEGfxTextureLoadFromMemory(green, 1, 1));
  const struct {
    int column, row;
    bool above;
  } cases[] = {{10, 7, true}, {0, 0, false}, {19, 13, true}};
  for (const auto& c : cases) {
    Play(Floor(20, 14), c.column, c.row);
    Look({0, c.row == 0 ? -100.0f : 100.0f});
    Hold({VK_LBUTTON}, 1);
    for (auto& picture : player().refusalTextures) picture = plain;
    KEGfxSetRenderMode(KE_RENDER_NONE);
    KEGfxStart();
    player().Draw();
    const std::vector<unsigned char> screen = GlTestReadScreen();
    ASSERT_EQ(screen.size(), 800u * 600 * 4);
    int left = 800, right = -1, bottom = 600, top = -1;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) {
        const unsigned char* p = &screen[(size_t(y) * 800 + x) * 4];
        if (p[0] != 0 || p[1] != 255 || p[2] != 0) continue;
        left = std::min(left, x), right = std::max(right, x);
        bottom = std::min(bottom, y), top = std::max(top, y);
      }
    float camX, camY;
    KEGfxGetCamPosition(&camX, &camY);
    const float playerX = player().position.x - camX + 400;
    const float playerY = player().position.y - camY + 300;
    const std::string at = std::to_string(c.column) + "," + std::to_string(c.row);
    EXPECT_EQ(right - left + 1, kRefusalLineWidth) << at;
    EXPECT_EQ(top - bottom + 1, kRefusalLineHeight) << at;
    EXPECT_TRUE(left > 0 && right < 799 && bottom >= UI::kStripHeight && top < 599) << at;
    if (c.above)
      EXPECT_GT(bottom, playerY + 20) << at;
    else
      EXPECT_LT(top, playerY - 20) << at;
    EXPECT_TRUE(left <= playerX && playerX <= right) << at;
    test_level::Finish();
  }
}

// The slot the next photo fills shows the camera recharging until, in the same frame, a
// click takes a photo again; its bar only fills up. Full slots show no recharge.
TEST_F(PlayerTest, RechargeShowsInTheNextEmptySlot) {
  const struct {
    std::vector<int> held;
    int slot;
  } cases[] = {{{}, 1}, {{Bulb}, 2}, {{Bulb, Bulb}, -1}};
  for (const auto& c : cases) {
    for (int wait : {98, 99}) {
      Play(kOpenFloor, 0, 2, {{Tire, 2, 2}});
      for (size_t i = 0; i < c.held.size(); ++i) {
        player().photos[i] = PhotoOf(c.held[i]);
        gCurrentUI->pictureNames[i] = player().photos[i].pictureImage;
      }
      EXPECT_EQ(gCurrentUI->ChargeShown().slot, -1);
      Hold({VK_LBUTTON}, 1);
      int step = 0;
      for (int frame = 0; frame < wait; ++frame) {
        const UI::Charge shown = gCurrentUI->ChargeShown();
        ASSERT_EQ(shown.slot, c.slot) << "frame " << frame;
        EXPECT_GE(shown.step, step) << "frame " << frame;
        step = shown.step;
        test_level::Run(1);
      }
      if (c.slot < 0) {
        test_level::Finish();
        continue;
      }
      const bool ready = gCurrentUI->ChargeShown().slot < 0;
      EXPECT_EQ(ready, wait == 99) << wait;
      if (!ready) {
        EXPECT_EQ(gCurrentUI->ChargeShown().step, kChargeSteps - 1);
      }
      Hold({VK_LBUTTON}, 1);
      EXPECT_EQ(player().photos[c.slot].kind, ready ? Tire : Photo::kEmpty) << wait;
      test_level::Finish();
    }
  }
}

// The SPEED socket tells a look slower than walking from a faster one, standing and
// walking, by the pace the look really walks at.
TEST_F(PlayerTest, SlowLookShowsOnTheStrip) {
  const struct {
    int kind;
    const char* status;
  } cases[] = {{kNone, "Assets/Status.png"},   {FireRat, "Assets/SPDSLOW.png"},
               {WaterRat, "Assets/SPDSLOW.png"}, {Bulb, "Assets/SPDSLOW.png"},
               {Fireball, "Assets/SPDSLOW.png"}, {Tire, "Assets/SPDU.png"}};
  for (const auto& c : cases) {
    Play(kOpenFloor, 0, 2);
    Disguise(c.kind);
    EXPECT_EQ(gCurrentUI->statusName, c.status) << "standing, kind " << c.kind;
    const float before = player().position.x;
    Hold({'D'}, 1);
    const float pace = player().position.x - before;
    EXPECT_EQ(gCurrentUI->statusName, c.status) << "walking, kind " << c.kind;
    EXPECT_EQ(std::string(c.status) == "Assets/SPDSLOW.png", pace < 1.5f) << c.kind;
    Hold({VK_MBUTTON}, 1);
    EXPECT_EQ(gCurrentUI->statusName, "Assets/Status.png") << "after, kind " << c.kind;
    test_level::Finish();
  }
}

TEST_F(PlayerTest, FireRatPhotoGivesItsDisguise) {
  Play(kOpenFloor, 0, 2, {{FireRat, 2, 2}});
  Hold({VK_LBUTTON}, 1);
  Hold({VK_RBUTTON}, 1);
  EXPECT_NEAR(player().disguiseTime, 40.0 - 1.0 / 60, 1e-6);
  EXPECT_FLOAT_EQ(player().speed, 0.7f);
  EXPECT_FLOAT_EQ(player().boundsMax.x - player().position.x, 0.3f * 40);
  const float before = player().position.y;
  Hold({'W'}, 1);
  EXPECT_FLOAT_EQ(player().position.y - before, 0.7f);
}

// The photo in use leaves the strip, the others move left, and stay there afterwards.
TEST_F(PlayerTest, DisguiseShiftsThePhotos) {
  const struct {
    std::vector<int> kinds;
    std::vector<std::string> shown;
    std::vector<int> after;
  } cases[] = {
      {{Tire, FireRat, WaterRat},
       {"Assets/SFIRE.png", "Assets/SWATER.png", "Assets/PIC.png"},
       {FireRat, WaterRat, 5}},
      {{Tire, FireRat}, {"Assets/SFIRE.png", "Assets/PIC.png", "Assets/PIC.png"}, {FireRat, 5, 5}},
      {{Tire}, {"Assets/PIC.png", "Assets/PIC.png", "Assets/PIC.png"}, {5, 5, 5}},
  };
  for (const auto& c : cases) {
    Play(kOpenFloor, 2, 2);
    for (size_t i = 0; i < c.kinds.size(); ++i) {
      player().photos[i] = PhotoOf(c.kinds[i]);
      gCurrentUI->pictureNames[i] = player().photos[i].pictureImage;
    }
    Hold({VK_RBUTTON}, 1);
    EXPECT_EQ(player().activeDisguise, &player().photos[0]);
    EXPECT_EQ(gCurrentUI->statusName, "Assets/SPDU.png");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gCurrentUI->pictureNames[i], c.shown[i]) << i;
    Hold({VK_MBUTTON}, 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(player().photos[i].kind, c.after[i]) << i;
    EXPECT_EQ(player().activeDisguise, nullptr);
    EXPECT_EQ(player().sprite.animations.size(), 2u);
    EXPECT_EQ(player().scale.x, 40.0f);
    EXPECT_EQ(gCurrentUI->statusName, "Assets/Status.png");
    test_level::Finish();
  }
}

TEST_F(PlayerTest, DisguiseRunsOutOnTheGameClock) {
  Play(kOpenFloor, 2, 2);
  Disguise(Tire);  // 4 s
  test_level::Run(238);
  EXPECT_TRUE(player().disguised);
  test_level::Run(2);
  EXPECT_FALSE(player().disguised);
  EXPECT_EQ(player().disguiseTime, 0.0);
}

TEST_F(PlayerTest, GhostWalksThroughWallsAndLava) {
  for (bool ghost : {false, true}) {
    Play({"0 0 9 0 4 0 0", "0 0 9 0 4 0 0", "0 0 9 0 4 0 0"}, 0, 1);
    if (ghost) Hold({'G'}, 1);
    const float start = player().position.x;
    Hold({'D'}, 1);
    EXPECT_FLOAT_EQ(player().position.x - start, ghost ? 4.0f : 1.5f);
    Hold({'D'}, 60);
    EXPECT_TRUE(player().inPlay);
    if (ghost)
      EXPECT_GT(player().position.x, level->CellCentre(4, 1).x);
    else
      EXPECT_LT(player().position.x, level->CellCentre(1, 1).x + 1);
    test_level::Finish();
  }
}

// Four one-cell doors round the middle cell, each between two pillars. A player up to a
// quarter cell (12.5 px) off a door's centre line eases round its corner and through;
// further off, or head on at a wall, they stop where the wall is and are not moved aside.
TEST_F(PlayerTest, DoorCornersLetThroughAQuarterCellOff) {
  const std::vector<std::string> kDoors = {"0 0 0 0 0", "0 9 0 9 0", "0 0 0 0 0",
                                           "0 9 0 9 0", "0 0 0 0 0"};
  const struct {
    unsigned key;
    int column, row;  // the start cell
    float off;        // across the way, from the start cell's centre
    bool through;
  } cases[] = {
      {'W', 2, 2, 12.5f, true}, {'W', 2, 2, -12.5f, true}, {'S', 2, 2, 12.5f, true},
      {'D', 0, 2, 12.5f, true}, {'D', 0, 2, -12.5f, true}, {'A', 4, 2, -12.5f, true},
      {'W', 2, 2, 13.0f, false}, {'D', 0, 2, -13.0f, false},  // a little more than a quarter
      {'W', 2, 2, 25.0f, false}, {'W', 2, 2, -25.0f, false},  // square on a corner
      {'W', 1, 2, 0.0f, false},                               // head on at a flat wall
  };
  for (const auto& c : cases) {
    const bool vertical = c.key == 'W' || c.key == 'S';
    Play(kDoors, c.column, c.row);
    KEVec2 start = level->CellCentre(c.column, c.row);
    (vertical ? start.x : start.y) += c.off;
    player().position = start;
    Hold({c.key}, 60);
    const KEVec2 end = player().position;
    const float forward = vertical ? std::fabs(end.y - start.y) : std::fabs(end.x - start.x);
    const std::string at = std::string(1, char(c.key)) + " off " + std::to_string(c.off);
    if (c.through) {
      EXPECT_GT(forward, 60.0f) << at;  // past the door cell's centre
    } else {
      EXPECT_LT(forward, 2.0f) << at;
      EXPECT_EQ(vertical ? end.x : end.y, vertical ? start.x : start.y) << at;
    }
    test_level::Finish();
  }
}

// A touch kills whatever the disguise; only ghost mode survives it.
TEST_F(PlayerTest, TouchByAMonster) {
  const struct {
    bool ghost;
    int kind;
    bool survives;
  } cases[] = {{false, kNone, false}, {false, FireRat, false}, {true, kNone, true}};
  for (const auto& c : cases) {
    Play(kOpenFloor, 0, 2, {{Tire, 4, 2}});
    if (c.ghost) Hold({'G'}, 1);
    Disguise(c.kind);
    level->monster->position = player().position;
    test_level::Run(3);
    EXPECT_EQ(player().inPlay, c.survives) << c.ghost << " " << c.kind;
    test_level::Finish();
  }
}

TEST_F(PlayerTest, DeathThenSpaceRestartsTheLevel) {
  Play({"0 0 0", "0 4 0", "0 0 0"}, 1, 1);
  GameStateManager.level = 4;
  Hold({'D'}, 1);
  ASSERT_FALSE(player().inPlay);
  Hold({'W', 'A'}, 10);
  EXPECT_EQ(player().position.x, 10000.0f);
  EXPECT_EQ(player().position.y, 10000.0f);
  EXPECT_EQ(Hold({VK_SPACE}, 5), 1);
  EXPECT_EQ(gLoadingTarget, 4u);
}

// With the cursor on the centre the player keeps the facing it had.
TEST_F(PlayerTest, CursorOnTheCentreKeepsTheFacing) {
  const struct {
    KEVec2 look;
    float rotation;
  } cases[] = {{{100, 0}, 0.0f}, {{0, 100}, 1.5707964f}, {{-100, -100}, -2.3561945f}};
  for (const auto& c : cases) {
    // Wide enough for the camera to sit on the player, so the cursor can hit its centre.
    Play(Floor(20, 14), 10, 7);
    Look(c.look);
    const KEVec2 facing = player().velocity;
    test_level::AimCursorAt(player().position);
    test_level::Run(3);
    int cx, cy;
    float camX, camY;
    KEInputGetCursorPosition(&cx, &cy);
    KEGfxGetCamPosition(&camX, &camY);
    ASSERT_EQ(float(cx - 400) + camX, player().position.x) << "cursor not on the centre";
    ASSERT_EQ(float(300 - cy) + camY, player().position.y) << "cursor not on the centre";
    EXPECT_NEAR(player().rotation, c.rotation, 1e-6f);
    EXPECT_EQ(player().velocity.x, facing.x);
    EXPECT_EQ(player().velocity.y, facing.y);
    EXPECT_FALSE(std::isnan(player().sight.leftEdge.x) || std::isnan(player().sight.length));
    test_level::Finish();
  }
}

// No level, no map, no status strip, non-monsters in the list, a disguise without a strip.
TEST(PlayerAlone, PlaysWithoutALevel) {
  test_input::Install();
  gCurrentUI = nullptr;
  KEGfxSetCamPosition(0, 0);
  std::shared_ptr<Player> player = gObjectManager.CreatePlayer();
  player->Initialize();
  auto step = [&](std::initializer_list<unsigned> keys) {
    for (unsigned key : keys) test_input::Press(key);
    KEInputUpdate();
    player->Update();
    player->Draw();
    test_input::ReleaseAll();
    KEInputUpdate();
  };
  test_input::SetCursor(500, 300);
  for (auto object : {GameObjectPtr(), GameObjectPtr(std::make_shared<Electric>())}) {
    if (object) object->position = {50, 0};
    player->monsters.push_back(object);
  }
  step({});
  step({VK_LBUTTON});
  EXPECT_EQ(player->photos[0].kind, Photo::kEmpty);
  EXPECT_FALSE(player->flashing);

  player->photos[0] = PhotoOf(Tire);
  player->photos[0].animationImage = "";
  step({VK_RBUTTON});
  EXPECT_TRUE(player->disguised);
  step({'W'});
  EXPECT_FLOAT_EQ(player->position.y, 3.0f);
  step({VK_MBUTTON});
  EXPECT_EQ(player->sprite.animations.size(), 2u);

  player->OnCollision(nullptr);
  step({});
  EXPECT_FALSE(player->inPlay);
  step({VK_SPACE});
  EXPECT_TRUE(player->inPlay);
  player->Free();
  gObjectManager.objects.clear();
  test_input::Uninstall();
}

}  // namespace
