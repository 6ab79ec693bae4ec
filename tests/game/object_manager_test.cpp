#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "GameState.h"
#include "KEInput.h"
#include "ObjectManager.h"
#include "Sprite.h"
#include "Tile.h"
#include "idle_state.h"
#include "test_input.h"

namespace {

std::vector<std::string> gEvents;

class Actor : public GameObject {
 public:
  Actor(std::string name, int layer_, bool dies = false) : name_(std::move(name)), dies_(dies) {
    alive = true;
    layer = layer_;
  }
  void Update() override {
    ++updates;
    gEvents.push_back(name_ + ".Update");
    if (dies_) alive = false;
    if (spawnElectric) {
      spawnElectric = false;
      CreateElectric();
    }
  }
  void UpdateAnimation(float) override { gEvents.push_back(name_ + ".Animate"); }
  void Draw() override { ++draws; }
  void OnCollision(std::shared_ptr<GameObject> other) override {
    auto* actor = dynamic_cast<Actor*>(other.get());
    gEvents.push_back(name_ + ".Hit." + (actor ? actor->name_ : "other"));
  }
  const std::string& Name() const { return name_; }
  int updates = 0, draws = 0;
  bool spawnElectric = false;

 private:
  std::string name_;
  bool dies_;
};

// A state that only counts how often the object manager resumes it.
class PausableState : public IdleState, public ResumableState {
 public:
  void Resume() override { ++resumed; }
  int resumed = 0;
};

class ObjectManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gEvents.clear();
    test_input::Install();
    KEInputReset();
    gObjectManager.FreeAll();
    gObjectManager.paused = false;
    GameStateManager.stepSeconds = 1.0 / 60;
  }
  void TearDown() override {
    gObjectManager.FreeAll();
    gObjectManager.paused = false;
    GameStateManager.current = nullptr;
    test_input::Uninstall();
  }
  std::shared_ptr<Actor> Add(const char* name, int layer, bool dies = false) {
    auto actor = std::make_shared<Actor>(name, layer, dies);
    // Apart from each other unless a test says otherwise.
    const float x = 100.0f * float(gObjectManager.objects.size());
    actor->boundsMin = {x, 0};
    actor->boundsMax = {x + 10, 10};
    gObjectManager.objects.push_back(actor);
    return actor;
  }
  void Frame() {
    KEInputUpdate();
    gObjectManager.UpdateAll();
  }
  static std::vector<std::string> Hits() {
    std::vector<std::string> hits;
    for (const std::string& e : gEvents)
      if (e.find(".Hit.") != std::string::npos) hits.push_back(e);
    return hits;
  }
};

using Events = std::vector<std::string>;

TEST_F(ObjectManagerTest, TwoDeadInARowAreBothRemovedAndTheNextUpdatedOnce) {
  Add("a", 10);
  Add("dead1", 10, true);
  Add("dead2", 10, true);
  auto last = Add("b", 10);
  Frame();
  EXPECT_EQ(gEvents, (Events{"a.Update", "a.Animate", "dead1.Update", "dead1.Animate",
                             "dead2.Update", "dead2.Animate", "b.Update", "b.Animate"}));
  EXPECT_EQ(gObjectManager.objects.size(), 2u);
  EXPECT_EQ(last->updates, 1);
}

TEST_F(ObjectManagerTest, ElectricMadeDuringThePassIsUpdatedInTheSameFrameAndLives81) {
  auto dropper = Add("dropper", 10);
  dropper->spawnElectric = true;
  Frame();
  ASSERT_EQ(gObjectManager.objects.size(), 2u);
  auto electric = std::dynamic_pointer_cast<Electric>(gObjectManager.objects[1]);
  ASSERT_TRUE(electric);
  EXPECT_EQ(electric->life, 79.0f);
  EXPECT_EQ(electric->layer, 5);
  EXPECT_FLOAT_EQ(electric->boundsMax.x, 16.0f);  // 0.4 of 40 around (0, 0)
  int frames = 1;
  while (gObjectManager.objects.size() == 2u && frames < 200) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 81);
}

TEST_F(ObjectManagerTest, FreshElectricBoxIsTheUnitScaleOne) {
  auto electric = CreateElectric();
  EXPECT_FLOAT_EQ(electric->boundsMin.x, -0.4f);
  EXPECT_FLOAT_EQ(electric->boundsMax.y, 0.4f);
  EXPECT_EQ(electric->scale.x, 40.0f);
}

TEST_F(ObjectManagerTest, PausedWorldNeitherMovesNorDiesButIsDrawn) {
  PausableState level;
  GameStateManager.current = &level;
  auto dead = Add("dead", 10, true);
  test_input::Press(VK_ESCAPE);
  Frame();
  EXPECT_TRUE(gObjectManager.paused);
  test_input::Release(VK_ESCAPE);
  for (int i = 0; i < 5; ++i) Frame();
  gObjectManager.DrawAll();
  EXPECT_EQ(dead->updates, 0);
  EXPECT_EQ(dead->draws, 1);
  EXPECT_EQ(gObjectManager.objects.size(), 1u);
  EXPECT_EQ(level.resumed, 0);

  test_input::Press(VK_ESCAPE);
  Frame();
  EXPECT_FALSE(gObjectManager.paused);
  EXPECT_EQ(level.resumed, 1);
  EXPECT_TRUE(gObjectManager.objects.empty());
}

TEST_F(ObjectManagerTest, EachCollidingPairIsToldOnceEachWayAndTilesNeverLead) {
  auto tile = CreateTile();
  tile->boundsMax = {100, 100};  // would overlap everything if tiles led
  auto a = Add("a", 10);
  auto b = Add("b", 20);
  auto c = Add("c", 20);
  a->boundsMin = b->boundsMin = {0, 0};
  a->boundsMax = b->boundsMax = {10, 10};
  Frame();
  EXPECT_EQ(Hits(), (Events{"a.Hit.b", "b.Hit.a"}));
}

// The grid only narrows the search: whatever cells two boxes fall in, every pair that meets is
// told, in list order, as when every mover was tested against every later object.
TEST_F(ObjectManagerTest, PairsMeetAcrossCellsInListOrder) {
  struct Case {
    const char* what;
    KEVec2 aMin, aMax, aVelocity, bMin, bMax;
    bool meet;
  };
  const float e = BroadPhase::kCellSize;
  const float nan = std::nanf("");
  const Case cases[] = {
      {"touching on a cell boundary", {e - 10, 0}, {e, 10}, {0, 0}, {e, 0}, {e + 10, 10}, true},
      {"a hair apart across it", {e - 10, 0}, {e, 10}, {0, 0}, {e + 0.01f, 0}, {e + 10, 10}, false},
      {"swept three cells in one frame", {0, 0}, {10, 10}, {12000, 0}, {190, 0}, {200, 10}, true},
      {"a box of NaN meets all", {nan, nan}, {nan, nan}, {0, 0}, {5000, 5000}, {5010, 5010}, true},
      {"one turned inside out", {10, 10}, {0, 0}, {0, 0}, {-1, -1}, {11, 11}, true},
  };
  for (const Case& c : cases) {
    gObjectManager.FreeAll();
    gEvents.clear();
    auto a = Add("a", 10);
    auto b = Add("b", 10);
    a->boundsMin = c.aMin, a->boundsMax = c.aMax, a->velocity = c.aVelocity;
    b->boundsMin = c.bMin, b->boundsMax = c.bMax;
    Frame();
    EXPECT_EQ(Hits(), c.meet ? (Events{"a.Hit.b", "b.Hit.a"}) : Events{}) << c.what;
  }

  // A crowd over many cells: each leader's partners in list order, leaders in list order.
  gObjectManager.FreeAll();
  gEvents.clear();
  const KEVec2 boxes[] = {{0, 0}, {500, 500}, {5, 5}, {505, 505}, {-300, 0}, {8, 8}};
  const char* names[] = {"a", "b", "c", "d", "e", "f"};
  for (int i = 0; i < 6; ++i) {
    auto actor = Add(names[i], 10);
    actor->boundsMin = boxes[i];
    actor->boundsMax = {boxes[i].x + 10, boxes[i].y + 10};
  }
  Frame();
  EXPECT_EQ(Hits(), (Events{"a.Hit.c", "c.Hit.a", "a.Hit.f", "f.Hit.a", "b.Hit.d", "d.Hit.b",
                            "c.Hit.f", "f.Hit.c"}));
}

// The map's tiles lead the list and are left alone; whatever follows them is ordered by layer
// (equal layers keep their order), and a list emptied and refilled is looked at afresh.
TEST_F(ObjectManagerTest, MapTilesStayFirstAndTheRestIsKeptInLayerOrder) {
  for (int i = 0; i < 3; ++i) CreateTile()->inLayer = true;
  Add("m1", 10);
  Add("p", 20);
  Add("m2", 10);
  CreateElectric();
  gObjectManager.SortObjects();
  std::vector<int> layers;
  for (auto& o : gObjectManager.objects) layers.push_back(o->layer);
  EXPECT_EQ(layers, (std::vector<int>{0, 0, 0, 5, 10, 10, 20}));
  Frame();
  EXPECT_EQ(gEvents, (Events{"m1.Update", "m1.Animate", "m2.Update", "m2.Animate", "p.Update",
                             "p.Animate"}));
  // The next level: its first objects are no tiles, so they are updated.
  gObjectManager.objects.clear();
  gEvents.clear();
  for (const char* name : {"n1", "n2", "n3", "n4"}) Add(name, 10);
  Frame();
  EXPECT_EQ(gEvents.size(), 8u);

  // Below the tiles' layer is in front of them.
  gObjectManager.objects.clear();
  for (int i = 0; i < 2; ++i) CreateTile()->inLayer = true;
  Add("under", -1);
  gObjectManager.SortObjects();
  EXPECT_EQ(gObjectManager.objects.front()->layer, -1);
}

TEST_F(ObjectManagerTest, SortAndFreeAll) {
  Add("p", 20);
  Add("m", 10);
  CreateTile();
  Add("e", 5);
  SortByLayer(gObjectManager.objects);
  std::vector<int> layers;
  for (auto& o : gObjectManager.objects) layers.push_back(o->layer);
  EXPECT_EQ(layers, (std::vector<int>{0, 5, 10, 20}));
  gObjectManager.FreeAll();
  EXPECT_TRUE(gObjectManager.objects.empty());
  gObjectManager.FreeAll();
}

TEST(SpriteResources, CacheStripsAndEmptySprites) {
  auto first = GetTexture("Assets/no-such-picture.png");
  auto second = GetTexture("Assets/no-such-picture.png");
  EXPECT_EQ(first, second);
  EXPECT_NE(first->get(), nullptr);

  Sprite sprite;
  sprite.DrawFrame();  // nothing to draw, nothing to fail
  sprite.Advance(1.0f);
  sprite.Init(4, 20, 20);
  sprite.AddStrip("Assets/no-such-picture.png", 4, 0.1f);
  ASSERT_EQ(sprite.animations.size(), 1u);
  const auto& frames = sprite.animations[0].frames;
  ASSERT_EQ(frames.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(frames[i].uOffset, 0.25f * i);
    EXPECT_EQ(frames[i].vOffset, 0.0f);
  }
  EXPECT_TRUE(sprite.animations[0].animated);
  EXPECT_EQ(sprite.mesh->get()->vertexCount, 6u);

  // Sprites of one shape share one quad (a map's tiles); another shape gets its own.
  Sprite same, other;
  same.Init(4, 20, 20);
  other.Init(1, 20, 20);
  EXPECT_EQ(same.mesh, sprite.mesh);
  EXPECT_NE(other.mesh, sprite.mesh);
}

}  // namespace
