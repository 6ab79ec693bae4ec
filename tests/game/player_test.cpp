#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "KEGraphics.h"
#include "KEInput.h"
#include "LevelBase.h"
#include "Monster.h"
#include "Player.h"
#include "StateRequests.h"
#include "StatusDisplay.h"
#include "Tile.h"
#include "TileMap.h"
#include "gl_environment.h"
#include "test_input.h"
#include "test_level.h"
#include "virtual_pad.h"

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
    else  // the body's right edge on the wall's face
      EXPECT_NEAR(player().position.x + 20, level->CellCentre(2, 1).x - 25, 0.01f);
    test_level::Finish();
  }
}

// The body's corners, a hair inside, are all off wall cells.
bool ClearOfWalls(const Player& player) {
  const float x = player.scale.x / 2 - 0.01f, y = player.scale.y / 2 - 0.01f;
  const KEVec2 p = player.position;
  for (KEVec2 corner : {KEVec2{p.x - x, p.y - y}, KEVec2{p.x + x, p.y - y},
                        KEVec2{p.x - x, p.y + y}, KEVec2{p.x + x, p.y + y}}) {
    if (CurrentMap()->CellAt(corner) == 9) return false;
  }
  return true;
}

// Walls across row 2 (or column 3) of a 5 by 5 map of 50 cells, the player starting near
// cell 2,3. The body (40 square, or a small water rat's) stops at a wall's face and slides
// along it; pressed straight at a corner that clips it by up to half its width it eases
// round and through, never into a wall, never between two walls that touch at a corner,
// never toward lava. "clip" is how far the body would overlap the wall beside the gap.
TEST_F(PlayerTest, WallsStopSlideAndEaseRoundCorners) {
  const auto across = [](const char* row) {
    return std::vector<std::string>{"0 0 0 0 0", "0 0 0 0 0", row, "0 0 0 0 0", "0 0 0 0 0"};
  };
  const auto door = across("9 9 0 9 9"), lavaDoor = across("9 9 4 9 9");
  const auto wall = across("9 9 9 9 9");
  const std::vector<std::string> sideDoor = {"0 0 0 9 0", "0 0 0 9 0", "0 0 0 9 0", "0 0 0 0 0",
                                             "0 0 0 9 0"};
  auto cornersTouch = across("0 0 9 0 0");
  cornersTouch[3] = "0 9 0 0 0";
  const KEVec2 inDoor = {0, 100}, pastSideDoor = {100, 0};
  const struct {
    const char* what;
    const std::vector<std::string>& map;
    KEVec2 start;  // from the centre of cell 2,3
    std::initializer_list<unsigned> keys;
    int frames;
    KEVec2 end;             // from the same centre
    bool exact;             // else anywhere in the cell round `end`
    float rat = 0;          // the size of a water rat's photo worn
    KEVec2 stick = {0, 0};  // the left stick, y down
  } cases[] = {
      {"touching a wall, along it", wall, {-100, 5}, {'D'}, 100, {50, 5}, true},
      {"two keys slide along", wall, {-100, 0}, {'W', 'D'}, 100, {6.066f, 5}, true},
      {"head on", door, {-50, 0}, {'W'}, 60, {-50, 5}, true},
      {"clip 1", door, {6, 0}, {'W'}, 80, inDoor, false},
      {"clip 10, other side", door, {-15, 0}, {'W'}, 80, inDoor, false},
      {"clip 20", door, {25, 0}, {'W'}, 80, inDoor, false},
      {"clip 21", door, {26, 0}, {'W'}, 80, {26, 5}, true},
      {"clip 10 sideways", sideDoor, {0, 15}, {'D'}, 80, pastSideDoor, false},
      {"clip 21 sideways", sideDoor, {0, -26}, {'D'}, 80, {5, -26}, true},
      {"clip 10 into lava", lavaDoor, {15, 0}, {'W'}, 80, {15, 5}, true},
      {"touching corners, two keys", cornersTouch, {0, 0}, {'W', 'A'}, 80, {-5, 5}, true},
      {"touching corners, left", cornersTouch, {-5, 5}, {'A'}, 80, {-5, 5}, true},
      {"small rat, clip 15", door, {25, 0}, {'W'}, 100, inDoor, false, 30},
      {"small rat, clip 16", door, {26, 0}, {'W'}, 100, {26, 10}, true, 30},
      {"stick off straight, clip 10", door, {15, 0}, {}, 80, inDoor, false, 0, {0.15f, -1}},
  };
  VirtualPad pad;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Play(c.map, 2, 3);
    if (c.rat > 0) {
      player().photos[0] = PhotoOf(WaterRat);
      player().photos[0].size = {c.rat, c.rat};
      Hold({VK_RBUTTON}, 1);
    }
    const KEVec2 centre = level->CellCentre(2, 3);
    player().position = {centre.x + c.start.x, centre.y + c.start.y};
    for (unsigned key : c.keys) test_input::Press(key);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, c.stick.x);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, c.stick.y);
    for (int frame = 0; frame < c.frames; ++frame) {
      test_level::Run(1);
      ASSERT_TRUE(ClearOfWalls(player())) << "frame " << frame;
    }
    test_input::ReleaseAll();
    pad.Rest();
    ASSERT_TRUE(player().inPlay);
    const float within = c.exact ? 0.01f : 25.0f;
    EXPECT_NEAR(player().position.x - centre.x, c.end.x, within);
    EXPECT_NEAR(player().position.y - centre.y, c.end.y, within);
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
  std::shared_ptr<Player> player = CreatePlayer();
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
