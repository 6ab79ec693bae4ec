// Each level won through the real game with scripted keys and cursor, one 1/60 s frame at
// a time, and lost by walking into a monster's sight; restarts rebuild the same cast.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "KEInput.h"
#include "LevelBase.h"
#include "LevelCast.h"
#include "LevelRoster.h"
#include "Monster.h"
#include "Player.h"
#include "StateRequests.h"
#include "idle_state.h"
#include "test_input.h"
#include "test_level.h"

namespace {

// One step of a scripted player. Monsters are numbered as in their level's table.
enum class Act { Walk, Photo, Disguise, Wait, Until, Approach };
struct Step {
  Act act;
  KEVec2 point = {0, 0};  // Walk: where to; Until: x or y bound (the other is NaN)
  int monster = 0;        // Photo, Until, Approach
  int frames = 0;         // Wait
  bool above = false;     // Until: the monster's coordinate above the bound, else below
};

constexpr float kNone = NAN;
Step Walk(float x, float y) { return {Act::Walk, {x, y}}; }
Step Snap(int monster) { return {Act::Photo, {}, monster}; }
Step Disguise() { return {Act::Disguise}; }
Step Wait(double seconds) { return {Act::Wait, {}, 0, int(std::lround(seconds * 60))}; }
// Waits until monster m's x (or y) passes the bound.
Step UntilX(int m, bool above, float x) { return {Act::Until, {x, kNone}, m, 0, above}; }
Step UntilY(int m, bool above, float y) { return {Act::Until, {kNone, y}, m, 0, above}; }
// Walks at monster m, wherever it goes, until the player dies.
Step Approach(int m) { return {Act::Approach, {}, m}; }
constexpr bool kAbove = true, kBelow = false;

struct Playthrough {
  int level;
  std::vector<Step> win;     // ends on the exit
  std::vector<Step> caught;  // ends with Approach of the monster that must chase
};

const Playthrough kPlaythroughs[] = {
    {1,
     {Walk(-425, -325), Walk(-75, -325), Walk(-75, -225), Snap(1), Disguise(), Walk(-75, 175),
      Walk(-125, 175), Walk(-125, 275), UntilY(3, kAbove, 400), UntilY(3, kBelow, 250),
      Walk(-225, 275), Walk(-225, 375), Walk(-75, 375), Walk(-75, 425)},
     {Walk(-425, -325), Walk(-75, -325), Walk(-75, -375), Walk(275, -375), Walk(275, -225),
      Approach(1)}},
    {2,
     {Walk(425, -175),
      Walk(175, -175),
      UntilY(2, kBelow, -320),
      Walk(25, -175),
      UntilY(1, kAbove, -100),
      UntilY(1, kBelow, -320),
      Walk(-125, -175),
      Walk(-425, -175),
      Walk(-425, 175),
      UntilX(4, kAbove, 0),
      UntilY(4, kAbove, 300),
      Walk(-375, 175),
      Walk(-375, 225),
      Walk(25, 225),
      Walk(25, 25),
      Walk(225, 25),
      Walk(225, 225),
      Walk(275, 225),
      Snap(3),
      Disguise(),
      Walk(275, 325),
      Walk(175, 325),
      Walk(175, 275)},
     {Walk(425, -175), Walk(125, -175), Approach(2)}},
    {3,
     {Walk(425, -375),
      Walk(-125, -375),
      Snap(3),
      UntilY(3, kAbove, -280),
      UntilX(3, kBelow, -150),
      Disguise(),
      Walk(-125, -225),
      UntilX(2, kAbove, -100),
      UntilX(2, kBelow, -150),
      Walk(-125, -175),
      Walk(25, -175),
      Walk(25, -125),
      Snap(1),
      UntilX(1, kBelow, -50),
      UntilX(1, kAbove, 60),
      Walk(25, 25),
      Walk(-225, 25),
      Disguise(),
      Walk(-425, 25),
      Walk(-425, 275)},
     {Walk(425, -375), Walk(-225, -375), UntilY(3, kAbove, -280), UntilX(3, kBelow, -200),
      Approach(3)}},
    {4,
     {Walk(-425, 325), Walk(-325, 325), UntilX(5, kAbove, -50), UntilX(5, kBelow, -250),
      UntilY(5, kBelow, 240), Wait(0.5), Walk(25, 325), Walk(25, -225), Snap(1), UntilY(1, kAbove, -290),
      UntilX(1, kBelow, -10), Disguise(), Walk(25, -375), Walk(225, -375), Walk(225, -275),
      Snap(2), UntilY(2, kBelow, -300), Walk(225, 25), Walk(325, 25), Walk(325, 75), Disguise(),
      Walk(325, 425)},
     {Walk(-425, 325), Walk(-325, 325), UntilX(5, kAbove, -50), UntilX(5, kBelow, -250),
      UntilY(5, kBelow, 240), Wait(0.5), Walk(25, 325), Walk(25, -225), UntilY(1, kBelow, -300),
      UntilX(1, kAbove, 60), Walk(25, -275), Approach(1)}},
    {5,
     {Walk(-375, 375), Walk(275, 375), Walk(275, 275), Snap(2), UntilX(2, kAbove, 400),
      UntilX(2, kBelow, 225), Disguise(), Walk(275, -25), Walk(-225, -25), Walk(-225, -75),
      UntilX(3, kAbove, -40), Walk(-225, -225), UntilX(4, kBelow, -400), Walk(-225, -425)},
     {Walk(-375, 375), Walk(175, 375), Walk(175, 275), UntilX(2, kAbove, 400), Walk(175, 175),
      Approach(2)}},
    {6,
     {Walk(-875, 375), Walk(-725, 375), Walk(-725, 425), UntilX(3, kAbove, -600),
      Walk(-725, 525), Walk(-825, 525), Walk(-825, 675), Walk(-825, 775),
      Walk(-125, 775), UntilY(5, kAbove, 800), UntilY(5, kBelow, 740), Walk(25, 775),
      UntilY(6, kAbove, 850), UntilY(6, kBelow, 700), Walk(775, 775),
      Walk(825, 775), UntilX(9, kBelow, 300), Walk(825, 425), Walk(875, 425), Walk(875, -75),
      Walk(625, -75), Walk(625, -125), UntilY(25, kAbove, 200), UntilY(25, kBelow, -550),
      UntilY(28, kAbove, -290), Walk(625, -225), Walk(475, -225), Walk(475, -575), Walk(-225, -575),
      Walk(-225, -125), Walk(-425, -125), Walk(-425, -25), Snap(18), Disguise(), Walk(-525, -25),
      Walk(-575, -75), Walk(-575, -225),
      UntilX(21, kAbove, -450), UntilX(21, kBelow, -620), Walk(-575, -425), Walk(-625, -425),
      UntilX(24, kAbove, -560), UntilX(24, kBelow, -740), Walk(-625, -625), Walk(-575, -625),
      Snap(23), Disguise(), Walk(-575, -775), Walk(-625, -875)},
     {Walk(-875, 375), Walk(-725, 375), Walk(-725, 425), UntilX(3, kAbove, -550),
      UntilX(3, kBelow, -560), Walk(-725, 525), Approach(3)}},
    {7,
     {Walk(-325, -425), Walk(-325, -75), UntilX(4, kBelow, -60), UntilX(4, kAbove, -40),
      Walk(-125, -75), Snap(4), Disguise(), Walk(-75, -25), Walk(-25, 25), UntilY(5, kBelow, -100),
      Walk(125, 25), Walk(325, 25), Walk(325, 125), UntilX(8, kAbove, 400), UntilX(8, kBelow, 180),
      Walk(325, 225), UntilY(7, kAbove, 360), Walk(225, 225), UntilY(6, kAbove, 360),
      Walk(75, 225), UntilY(10, kBelow, 250), UntilX(10, kAbove, -140), UntilY(10, kAbove, 260),
      Wait(1.0), Walk(-125, 225), Walk(-125, 425), UntilX(10, kBelow, -300), Walk(-275, 425),
      Walk(-275, 325)},
     {Walk(-325, -425), Walk(-325, -75), Walk(-225, -125), UntilX(4, kBelow, -60),
      Walk(-225, -75), Approach(4)}},
    {8,
     {Walk(-425, -375), Walk(25, -375), Walk(25, 75), Walk(175, 75), UntilX(2, kBelow, 240),
      UntilX(2, kAbove, 300), Walk(175, 275), UntilY(3, kBelow, 290), UntilY(3, kAbove, 360),
      Walk(75, 275), Walk(75, 375), Walk(-75, 375), UntilY(9, kAbove, 400),
      UntilX(9, kBelow, -200), Wait(1.0), Walk(-125, 425), Walk(-275, 425), Walk(-275, 325)},
     {Walk(-425, -375), Walk(-425, -325), Approach(1)}},
};

constexpr int kStepLimit = 60 * 60;  // frames before a step counts as stuck

bool gWon = false;
GameState* Won() {
  gWon = true;
  return new IdleState;
}

GameState* Reload(unsigned target) { return CreateLevel(int(target)); }

class Pilot {
 public:
  explicit Pilot(int number) {
    gWon = false;
    SetResultScreenFactory(Won);
    SetLoadingScreenFactory(Reload);
    GameStateManager.level = number;
    // Waypoint pauses count on the game clock: from zero, every run of a script is the same.
    GameStateManager.totalTime = 0;
    level_ = CreateLevel(number);
    test_level::Start(level_);
  }
  ~Pilot() {
    test_level::Finish();
    SetResultScreenFactory(nullptr);
    SetLoadingScreenFactory(nullptr);
    GameStateManager.level = -1;
  }

  bool InLevel() const { return GameStateManager.current == level_; }
  Player& player() const { return *gCurrentPlayer; }
  Monster& monster(int m) const { return static_cast<Monster&>(*player().monsters.at(m - 1)); }
  bool everChased(int m) const { return chased_.at(m - 1); }

  // Runs the steps; false with a reason when one cannot be done.
  bool Fly(const std::vector<Step>& steps, std::string* failure) {
    chased_.assign(player().monsters.size(), false);
    for (size_t i = 0; i < steps.size() && InLevel(); ++i) {
      if (!Do(steps[i])) {
        *failure = Describe(i);
        return false;
      }
      if (getenv("PILOT_TRACE") && InLevel()) printf("%s\n", Describe(i).c_str());
    }
    return true;
  }

 private:
  void Frame() {
    ++frames_;
    test_level::Run(1);
    if (!InLevel()) return;
    for (size_t m = 0; m < chased_.size(); ++m)
      chased_[m] = chased_[m] || monster(int(m) + 1).state == Chase;
  }

  void Click(unsigned button) {
    test_input::Press(button);
    Frame();
    test_input::Release(button);
    Frame();
  }

  // Holds the keys that lead toward `target`; true once there.
  bool Steer(KEVec2 target) {
    const KEVec2 p = player().position;
    const float dx = target.x - p.x, dy = target.y - p.y;
    // Within half a step on an axis counts as there, so no speed overshoots for ever.
    const float near = std::max(1.0f, player().speed * 0.6f);
    test_input::ReleaseAll();
    if (dx > near) test_input::Press('D');
    if (dx < -near) test_input::Press('A');
    if (dy > near) test_input::Press('W');
    if (dy < -near) test_input::Press('S');
    test_level::AimCursorAt(target);
    return std::fabs(dx) <= near && std::fabs(dy) <= near;
  }

  bool Do(const Step& step) {
    for (int frame = 0; frame < kStepLimit && InLevel(); ++frame) {
      if (step.act != Act::Approach && !player().inPlay) return false;
      switch (step.act) {
        case Act::Walk:
          if (Steer(step.point)) {
            test_input::ReleaseAll();
            return true;
          }
          break;
        case Act::Photo: {
          int taken = 0;
          for (const Photo& photo : player().photos) taken += photo.kind != Photo::kEmpty;
          if (taken > photos_) {
            photos_ = taken;
            return true;
          }
          // Aimed a frame before the click: the flash looks through last frame's cone.
          test_level::AimCursorAt(monster(step.monster).position);
          Frame();
          test_level::AimCursorAt(monster(step.monster).position);
          Click(VK_LBUTTON);
          continue;
        }
        case Act::Disguise:
          if (player().disguised) return true;
          Click(VK_RBUTTON);
          continue;
        case Act::Wait:
          if (frame >= step.frames) return true;
          break;
        case Act::Until: {
          const KEVec2 p = monster(step.monster).position;
          const float value = std::isnan(step.point.x) ? p.y : p.x;
          const float bound = std::isnan(step.point.x) ? step.point.y : step.point.x;
          if (step.above ? value > bound : value < bound) return true;
          break;
        }
        case Act::Approach:
          if (!player().inPlay) return true;
          Steer(monster(step.monster).position);
          break;
      }
      Frame();
    }
    test_input::ReleaseAll();
    return !InLevel();
  }

  std::string Describe(size_t step) const {
    std::ostringstream out;
    out << "step " << step + 1 << " frame " << frames_ << " player at (" << player().position.x
        << ", " << player().position.y << ")" << (player().inPlay ? "" : ", dead") << "; monsters:";
    for (size_t m = 0; m < chased_.size(); ++m) {
      const Monster& mo = monster(int(m) + 1);
      out << " " << m + 1 << "(" << mo.position.x << ", " << mo.position.y << ")";
    }
    return out.str();
  }

  GameState* level_;
  int photos_ = 0;
  int frames_ = 0;
  std::vector<bool> chased_;
};

TEST(LevelPlayTest, EveryLevelIsWonByItsScript) {
  for (const Playthrough& play : kPlaythroughs) {
    SCOPED_TRACE("level " + std::to_string(play.level));
    Pilot pilot(play.level);
    std::string failure;
    EXPECT_TRUE(pilot.Fly(play.win, &failure)) << failure;
    EXPECT_TRUE(gWon) << "the script ended off the exit";
  }
}

TEST(LevelPlayTest, AMonsterSeeingThePlayerUndisguisedChasesAndKills) {
  for (const Playthrough& play : kPlaythroughs) {
    SCOPED_TRACE("level " + std::to_string(play.level));
    Pilot pilot(play.level);
    std::string failure;
    EXPECT_TRUE(pilot.Fly(play.caught, &failure)) << failure;
    const Step& last = play.caught.back();
    ASSERT_EQ(last.act, Act::Approach);
    EXPECT_TRUE(pilot.everChased(last.monster));
    EXPECT_FALSE(pilot.player().inPlay);
    EXPECT_FALSE(pilot.player().disguised);
  }
}

}  // namespace
