// Each level won through the real game with scripted keys and cursor, one 1/60 s frame at
// a time, and lost by walking into a monster's sight; restarts rebuild the same cast.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AudioService.h"
#include "FinishedRun.h"
#include "GameStateLoop.h"
#include "KEInput.h"
#include "LevelBase.h"
#include "LevelFile.h"
#include "LevelRoster.h"
#include "Monster.h"
#include "Player.h"
#include "Progress.h"
#include "RunFile.h"
#include "SettingsInEffect.h"
#include "StateRequests.h"
#include "idle_state.h"
#include "test_input.h"
#include "test_level.h"
#include "virtual_pad.h"

namespace {

// One step of a scripted player. Monsters are numbered as in their level's table.
enum class Act { Walk, Photo, Disguise, Wait, Until, Clear, Approach };
struct Step {
  Act act;
  KEVec2 point = {0, 0};  // Walk: where to; Until: x or y bound (the other is NaN)
  int monster = 0;        // Photo, Until, Approach
  int frames = 0;         // Wait
  bool above = false;     // Until: the monster's coordinate above the bound, else below
  float reach = 0;        // Clear: how far every monster must be from the point
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
// Waits until no monster is within `reach` of (x, y): a crossing watched both ways.
Step Clear(float x, float y, float reach) { return {Act::Clear, {x, y}, 0, 0, false, reach}; }
constexpr bool kAbove = true, kBelow = false;

struct Playthrough {
  int level;
  std::vector<Step> win;     // ends on the exit
  std::vector<Step> caught;  // ends with Approach of the monster that must chase
};

// One phase of a script a line. Coordinates are cell centres.
// clang-format off
const Playthrough kPlaythroughs[] = {
    // Photograph the standing fire rat from behind, wear it over the lava, slip past a
    // patrolling rat through its door.
    {1,
     {Walk(-425, -325), Walk(-75, -325), Walk(-75, -225), Snap(1), Disguise(),
      Walk(-75, 175), Walk(-125, 175), Walk(-125, 275),
      UntilY(3, kAbove, 400), UntilY(3, kBelow, 250),
      Walk(-225, 275), Walk(-225, 375), Walk(-75, 375), Walk(-75, 425)},
     {Walk(-425, -325), Walk(-75, -325), Walk(-75, -375), Walk(275, -375), Walk(275, -225),
      Approach(1)}},
    // Cross two bulbs' lanes while they rest at the far end, follow the ring bulb once its
    // trail has gone, photograph the standing bulb and pass its twin as a bulb.
    {2,
     {Walk(425, -175), Walk(175, -175), UntilY(2, kAbove, -300), UntilY(2, kBelow, -320),
      Walk(25, -175),
      UntilY(1, kAbove, -100), UntilY(1, kBelow, -320), Walk(-125, -175), Walk(-425, -175),
      Walk(-425, 175), UntilX(4, kAbove, 0), UntilY(4, kAbove, 300),
      Walk(-375, 175), Walk(-375, 225), Walk(25, 225), Walk(25, 25), Walk(225, 25),
      Walk(225, 225), Walk(275, 225), Snap(3), Disguise(),
      Walk(275, 325), Walk(175, 325), Walk(175, 275)},
     {Walk(425, -175), Walk(125, -175), Approach(2)}},
    // A tire's look dashes past the tires to the ledge between two lanes; a fireball sees
    // through it, so the last fireball is passed as a fireball.
    {3,
     {Walk(425, -375), Walk(-125, -375), Snap(3), UntilY(3, kBelow, -300), UntilY(3, kAbove, -280),
      UntilX(3, kBelow, -150),
      Disguise(), Walk(-125, -225), UntilX(2, kAbove, -100), UntilX(2, kBelow, -150),
      Walk(-125, -175), Walk(-75, -175), Walk(-75, -125), Walk(25, -125),
      Snap(1), UntilX(1, kBelow, -50), UntilX(1, kAbove, 60), Walk(25, 25), Walk(-225, 25),
      Disguise(), Walk(-425, 25), Walk(-425, 275)},
     {Walk(425, -375), Walk(-225, -375), UntilY(3, kAbove, -280), UntilX(3, kBelow, -200),
      Approach(3)}},
    // Time the bulb's ring, dash through the tire's loop as a tire, then a fireball's look over
    // the lava and between two tires that face each other.
    {4,
     {Walk(-425, 325), Walk(-325, 325),
      UntilX(5, kAbove, -50), UntilX(5, kBelow, -250), UntilY(5, kBelow, 240), Wait(0.5),
      Walk(25, 325), Walk(25, -225), Walk(75, -225), Snap(1), UntilY(1, kAbove, -290),
      UntilX(1, kBelow, 40), Disguise(), Walk(75, -375), Walk(225, -375), Walk(225, -275),
      Snap(2), UntilY(2, kBelow, -300), Walk(225, 25), Walk(325, 25), Walk(325, 75),
      Disguise(), Walk(325, 425)},
     {Walk(-425, 325), Walk(-325, 325),
      UntilX(5, kAbove, -50), UntilX(5, kBelow, -250), UntilY(5, kBelow, 240), Wait(0.5),
      Walk(25, 325), Walk(25, -225), UntilY(1, kBelow, -300), UntilX(1, kAbove, 60),
      Walk(25, -275), Approach(1)}},
    // Wade the pool as a water rat, then cross two bulbs' beats at their far ends.
    {5,
     {Walk(-375, 375), Walk(275, 375), Walk(275, 275), Snap(2),
      UntilX(2, kAbove, 400), UntilX(2, kBelow, 225), Disguise(),
      Walk(275, -25), Walk(-225, -25), Walk(-225, -75), UntilX(3, kAbove, -40),
      Walk(-225, -225), UntilX(4, kBelow, -400), Walk(-225, -425)},
     {Walk(-375, 375), Walk(175, 375), Walk(175, 275), UntilX(2, kAbove, 400), Walk(175, 175),
      Approach(2)}},
    // The grand tour: out behind a bulb, across the north past a fireball, a fire rat and a
    // fast tire, down the east beside three sentries, through the south-east between a
    // fireball and a tire, into the lake as a water rat, past a tire and a bulb, and over
    // the lava as the last fireball.
    {6,
     {Walk(-875, 375), Walk(-725, 375), Walk(-725, 425), UntilX(3, kBelow, -620),
      UntilX(3, kAbove, -600), Walk(-725, 525), Walk(-825, 525), Walk(-825, 675),
      Walk(-825, 775), Walk(-125, 775),
      UntilY(5, kAbove, 800), UntilY(5, kBelow, 740), Walk(25, 775),
      UntilY(6, kAbove, 850), UntilY(6, kBelow, 700), Walk(775, 775), Walk(825, 775),
      UntilX(9, kBelow, 300), Walk(825, 425), Walk(875, 425), Walk(875, -75),
      Walk(575, -75), Walk(575, -175),
      UntilY(25, kAbove, 200), UntilY(25, kBelow, -550), UntilY(28, kAbove, -290),
      Walk(575, -225), Walk(475, -225), Walk(475, -575), Walk(-225, -575), Walk(-225, -125),
      Walk(-425, -125), Walk(-425, -25), Snap(18), Disguise(),
      Walk(-525, -25), Walk(-575, -75), Walk(-575, -225),
      UntilX(21, kAbove, -450), UntilX(21, kBelow, -620), Walk(-575, -425), Walk(-625, -425),
      UntilX(24, kAbove, -560), UntilX(24, kBelow, -740), Walk(-625, -625), Walk(-575, -625),
      Snap(23), Disguise(), Walk(-575, -775), Walk(-625, -875)},
     {Walk(-875, 375), Walk(-725, 375), Walk(-725, 425),
      UntilX(3, kAbove, -550), UntilX(3, kBelow, -560), Walk(-725, 525), Approach(3)}},
    // Through the fireballs' box as a fireball, under the bulbs' lanes, across the ring
    // between its bulbs from the niche beside it.
    {7,
     {Walk(-325, -425), Walk(-325, -25), UntilX(4, kBelow, -60), UntilX(4, kAbove, -40),
      Walk(-125, -25), Snap(4), Disguise(), Walk(-75, -25), Walk(-25, 25),
      UntilY(5, kBelow, -100), Walk(125, 25), Walk(325, 25), Walk(325, 125),
      UntilX(8, kAbove, 400), UntilX(8, kBelow, 180), Walk(325, 225),
      UntilY(7, kBelow, 290), UntilY(7, kAbove, 360), Walk(175, 225),
      UntilY(6, kAbove, 360), Walk(25, 225), Walk(25, 325), Walk(-75, 325),
      Clear(-125, 325, 140), Walk(-275, 325)},
     {Walk(-325, -425), Walk(-325, -75), Walk(-225, -125), UntilX(4, kBelow, -60),
      Walk(-225, -75), Approach(4)}},
    // Bulbs only: under a sentry, past a lane's end, round a lane's foot, into the ring.
    {8,
     {Walk(-425, -375), Walk(25, -375), Walk(25, 75), Walk(175, 75),
      UntilX(2, kBelow, 240), UntilX(2, kAbove, 300), Walk(175, 275),
      UntilY(3, kBelow, 290), UntilY(3, kAbove, 400), Walk(75, 275), Walk(75, 375),
      Walk(-75, 375), UntilY(9, kAbove, 400), UntilX(9, kBelow, -200), Wait(1.0),
      Walk(-125, 425), Walk(-275, 425), Walk(-275, 325)},
     {Walk(-425, -375), Walk(-425, -325), Approach(1)}},
};

// Who stands where as each level's picture shows it, player first: cells column,row from the
// top left; r fire rat, w water rat, t tire, b bulb, f fireball; ">" a waypoint ("~" off its
// centre, where the patrol ends when the next one is out of reach); the pause at each; "@" a
// sentry's facing, east 0, north 90.
const std::vector<std::string> kCasts[kLevelCount] = {
    {"P 1,18", "r 9,14 @0", "r 12,6>12,1", "r 5,1>5,6"},
    {"P 18,18", "b 9,16>9,11 2s", "b 12,11>12,16 2s", "b 15,7 2s @279", "b 2,2>2,5>10,5>10,1",
     "b 13,2 @279"},
    {"P 18,18", "f 8,11>12,11", "t 5,13>8,13", "t 5,16>8,16>8,15>5,15", "f 4,5>2,7"},
    {"P 1,17", "t 8,16>12,16>12,15>8,15", "f 15,13>15,16>18,16>18,13", "t 14,3 @0", "t 18,3 @181",
     "b 4,5>9,5>9,1>4,1 2s"},
    {"P 2,2", "w 12,7>18,7", "w 18,6>12,6", "b 2,12>9,12 3s", "b 9,15>1,15 3s"},
    {"P 1,12", "t 5,1>18,1", "b 18,3>14,6>2,6>4,3", "b 3,9>9,9 3s", "b 9,12>16,12>16,8~>11,8 3s",
     "f 19,3>19,8~ 2s", "r 22,2>22,7", "t 38,6>37,1>38,6>37,0", "b 25,2>32,2", "t 15,6>35,6",
     "t 24,9 @279", "t 29,12 @181", "t 28,9 @279", "w 34,14>34,14", "t 34,17 @0", "b 38,17>38,22",
     "t 24,17 @279", "w 1,17>5,17", "w 6,17>9,19", "w 1,20>6,20", "t 12,18 @279", "t 12,26>2,26",
     "b 2,9 @279", "f 9,32 @132", "b 9,29>2,29", "f 30,14>30,32", "t 18,22>19,26", "t 20,23>23,27",
     "t 30,25>30,30"},
    {"P 18,18", "w 9,16>6,12 2s", "b 1,12>1,15 4s", "f 8,8>12,8 3s", "f 12,11>8,11 3s",
     "f 10,8>10,13 3s", "b 12,1>12,4", "b 14,4>14,1", "b 12,6>18,6 3s", "b 17,1>17,6",
     "b 1,1>1,5>7,5>1,1", "b 7,5>7,1>1,1>1,5"},
    {"P 1,18", "b 9,16 @181", "b 18,7>14,7", "b 12,1>12,4", "b 14,4>14,1", "b 11,10 @279",
     "b 2,14>2,9", "b 4,9>4,14", "b 1,1>1,5>7,5>7,1", "b 7,5>7,1>1,1>1,5"},
};
// clang-format on

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
    // Waypoint pauses count on the world clock: from zero, every run of a script is the same.
    GameStateManager.worldTime = 0;
    level_ = CreateLevel(number);
    test_level::Start(level_);
    // Chosen as the level select does; a restart reloads this number.
    GameStateManager.level = number;
  }
  ~Pilot() {
    test_level::Finish();
    SetResultScreenFactory(nullptr);
    SetLoadingScreenFactory(nullptr);
    GameStateManager.level = -1;
  }

  bool InLevel() const { return GameStateManager.current == level_; }
  // From now on the script plays with this pad alone: sticks and triggers.
  void UsePad(VirtualPad* pad) { pad_ = pad; }
  // A person's reaction: once a wait's cue shows, the player stands still this many frames.
  void React(int frames) { reaction_ = frames; }
  // Restarts as the pause menu and a dead player do; true once the new level runs.
  bool Restart() {
    static_cast<LevelBase*>(level_)->Restart();
    test_level::Run(1);
    if (InLevel() || !GameStateManager.current) return false;
    level_ = GameStateManager.current;
    return true;
  }
  Player& player() const { return *gCurrentPlayer; }
  Monster& monster(int m) const { return static_cast<Monster&>(*player().monsters.at(m - 1)); }
  bool everChased(int m) const { return chased_.at(m - 1); }
  int frames() const { return frames_; }

  // Runs the steps; false with a reason when one cannot be done.
  bool Fly(const std::vector<Step>& steps, std::string* failure) {
    chased_.assign(player().monsters.size(), false);
    for (size_t i = 0; i < steps.size() && InLevel(); ++i) {
      if (!Do(steps[i])) {
        *failure = Describe(i);
        return false;
      }
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
    if (pad_) {
      // The pad's buttons for the mouse's: the triggers photograph and disguise.
      const auto trigger = button == VK_LBUTTON ? SDL_CONTROLLER_AXIS_TRIGGERRIGHT
                                                : SDL_CONTROLLER_AXIS_TRIGGERLEFT;
      pad_->Axis(trigger, 1);
      Frame();
      pad_->Axis(trigger, 0);
      Frame();
      return;
    }
    test_input::Press(button);
    Frame();
    test_input::Release(button);
    Frame();
  }

  // Faces `target`: the right stick toward it with a pad, else the cursor on it.
  void Aim(KEVec2 target) {
    if (!pad_) return test_level::AimCursorAt(target);
    const KEVec2 p = player().position;
    const float dx = target.x - p.x, dy = target.y - p.y, length = std::hypot(dx, dy);
    if (length < 1) return;
    pad_->Axis(SDL_CONTROLLER_AXIS_RIGHTX, dx / length);
    pad_->Axis(SDL_CONTROLLER_AXIS_RIGHTY, -dy / length);
  }

  void ReleaseAll() {
    test_input::ReleaseAll();
    if (pad_) {
      pad_->Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
      pad_->Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    }
  }

  // Holds the keys that lead toward `target`; true once there.
  bool Steer(KEVec2 target) {
    const KEVec2 p = player().position;
    const float dx = target.x - p.x, dy = target.y - p.y;
    // Within half a step on an axis counts as there, so no speed overshoots for ever.
    const float near = std::max(1.0f, player().speed * 0.6f);
    ReleaseAll();
    if (pad_) {
      pad_->Axis(SDL_CONTROLLER_AXIS_LEFTX, dx > near ? 1.0f : dx < -near ? -1.0f : 0.0f);
      pad_->Axis(SDL_CONTROLLER_AXIS_LEFTY, dy > near ? -1.0f : dy < -near ? 1.0f : 0.0f);
    } else {
      if (dx > near) test_input::Press('D');
      if (dx < -near) test_input::Press('A');
      if (dy > near) test_input::Press('W');
      if (dy < -near) test_input::Press('S');
    }
    Aim(target);
    return std::fabs(dx) <= near && std::fabs(dy) <= near;
  }

  int PhotosTaken() const {
    int taken = 0;
    for (const Photo& photo : player().photos) taken += photo.kind != Photo::kEmpty;
    return taken;
  }

  bool Do(const Step& step) {
    const int photosBefore = PhotosTaken();
    for (int frame = 0; frame < kStepLimit && InLevel(); ++frame) {
      if (step.act != Act::Approach && !player().inPlay) return false;
      switch (step.act) {
        case Act::Walk:
          if (Steer(step.point)) {
            ReleaseAll();
            return true;
          }
          break;
        case Act::Photo:
          if (PhotosTaken() > photosBefore) return true;
          // Aimed a frame before the click: the flash looks through last frame's cone.
          Aim(monster(step.monster).position);
          Frame();
          Aim(monster(step.monster).position);
          Click(VK_LBUTTON);
          continue;
        case Act::Disguise:
          if (player().disguised) return true;
          Click(VK_RBUTTON);
          continue;
        case Act::Wait:
          // A wait lasts as long on the game's clock, whatever the speed assist.
          if (frame >= std::lround(step.frames / level_->TimeScale())) return true;
          break;
        case Act::Until: {
          const KEVec2 p = monster(step.monster).position;
          const float value = std::isnan(step.point.x) ? p.y : p.x;
          const float bound = std::isnan(step.point.x) ? step.point.y : step.point.x;
          if (step.above ? value > bound : value < bound) return Hesitate();
          break;
        }
        case Act::Clear: {
          bool clear = true;
          for (size_t m = 1; m <= player().monsters.size(); ++m) {
            const KEVec2 p = monster(int(m)).position;
            clear = clear && std::hypot(p.x - step.point.x, p.y - step.point.y) > step.reach;
          }
          if (clear) return Hesitate();
          break;
        }
        case Act::Approach:
          if (!player().inPlay) return true;
          Steer(monster(step.monster).position);
          break;
      }
      Frame();
    }
    ReleaseAll();
    return !InLevel();
  }

  // Still in play after standing for the reaction time.
  bool Hesitate() {
    for (int frame = 0; frame < reaction_ && InLevel() && player().inPlay; ++frame) Frame();
    return !InLevel() || player().inPlay;
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
  VirtualPad* pad_ = nullptr;
  int frames_ = 0;
  int reaction_ = 0;
  std::vector<bool> chased_;
};

void ExpectCast(int number) {
  const std::vector<std::string>& cast = kCasts[number - 1];
  auto cell = [&map = static_cast<LevelBase*>(GameStateManager.current)->map](KEVec2 p) {
    const float x = (p.x + map.halfWidth) / map.tileSize, y = (map.halfHeight - p.y) / map.tileSize;
    const bool centre = x - std::floor(x) == 0.5f && y - std::floor(y) == 0.5f;
    return std::to_string(int(x)) + "," + std::to_string(int(y)) + (centre ? "" : "~");
  };
  EXPECT_EQ("P " + cell(gCurrentPlayer->position), cast[0]) << "the player";
  ASSERT_EQ(gCurrentPlayer->monsters.size(), cast.size() - 1) << "monsters";
  for (size_t m = 1; m < cast.size(); ++m) {
    const auto& monster = static_cast<const Monster&>(*gCurrentPlayer->monsters[m - 1]);
    std::ostringstream line;
    line << "rwtbf"[monster.kind] << " " << cell(monster.position);
    for (size_t w = 1; w + 1 < monster.waypoints.size(); ++w)
      line << ">" << cell(monster.waypoints[w]);
    if (monster.pausesAtWaypoints) line << " " << monster.pauseTime << "s";
    if (monster.waypoints.empty())
      line << " @" << (std::lround(monster.rotation * 180 / M_PI) % 360 + 360) % 360;
    EXPECT_EQ(line.str(), cast[m]) << "monster " << m;
  }
}

TEST(LevelPlayTest, EveryLevelStartsAndRestartsWithItsCastAndMusic) {
  for (int number = 1; number <= kLevelCount; ++number) {
    SCOPED_TRACE("level " + std::to_string(number));
    Pilot pilot(number);
    ExpectCast(number);
    test_level::Run(120);
    EXPECT_TRUE(AudioService::Get().IsMusicPlaying());
    if (!pilot.Restart()) {
      ADD_FAILURE() << "no new level after the restart";
      continue;
    }
    ExpectCast(number);
    EXPECT_EQ(GameStateManager.level, number);
  }
  EXPECT_FALSE(AudioService::Get().IsMusicPlaying()) << "leaving a level stops its music";
}

// Level 1 with a pad alone: the left stick walks, the right stick faces, the triggers
// photograph and disguise; the keyboard and mouse are never touched.
TEST(LevelPlayTest, LevelOneIsWonWithAPadAlone) {
  VirtualPad pad;
  Pilot pilot(1);
  pilot.UsePad(&pad);
  std::string failure;
  EXPECT_TRUE(pilot.Fly(kPlaythroughs[0].win, &failure)) << failure;
  EXPECT_TRUE(gWon) << "the script ended off the exit";
}

TEST(LevelPlayTest, EveryLevelIsWonByItsScript) {
  for (const Playthrough& play : kPlaythroughs) {
    SCOPED_TRACE("level " + std::to_string(play.level));
    Pilot pilot(play.level);
    std::string failure;
    EXPECT_TRUE(pilot.Fly(play.win, &failure)) << failure;
    EXPECT_TRUE(gWon) << "the script ended off the exit";
  }
}

// A slow machine plays the same game: level 2's script, with its waypoint pauses, trails
// and a disguise, wins on the same frame when every frame takes 1/15 s.
TEST(LevelPlayTest, ASlowMachineWinsOnTheSameFrame) {
  int frames[2] = {};
  for (int slow : {0, 1}) {
    Pilot pilot(2);
    test_input::SetFrameWork(slow ? 1.0 / 15 : 0);
    std::string failure;
    EXPECT_TRUE(pilot.Fly(kPlaythroughs[1].win, &failure)) << failure;
    EXPECT_TRUE(gWon);
    frames[slow] = pilot.frames();
  }
  EXPECT_EQ(frames[1], frames[0]);
}

// The sweep reads no pixels: undrawn frames play the same, many times faster.
struct WithoutDrawing {
  WithoutDrawing() { GameStateLoopSetDrawing(false); }
  ~WithoutDrawing() { GameStateLoopSetDrawing(true); }
};

// The sweep stands on this: nothing in the world waits for a picture. Level 3 up to the last
// step, with a photo, both looks and a wait on each monster, ends in the same place undrawn.
TEST(LevelPlayTest, ALevelPlaysTheSameWithoutDrawing) {
  const Playthrough& play = kPlaythroughs[2];
  const std::vector<Step> steps(play.win.begin(), play.win.end() - 1);
  const auto fly = [&](bool drawn) {
    GameStateLoopSetDrawing(drawn);
    Pilot pilot(play.level);
    std::string failure;
    EXPECT_TRUE(pilot.Fly(steps, &failure)) << failure;
    const Player& player = pilot.player();
    std::ostringstream world;
    world << "frame " << pilot.frames() << ", player at " << player.position.x << ","
          << player.position.y << " with " << player.disguiseTime << " s of look;";
    for (size_t m = 1; m <= player.monsters.size(); ++m) {
      const Monster& monster = pilot.monster(int(m));
      world << " " << monster.position.x << "," << monster.position.y << " " << monster.state;
    }
    GameStateLoopSetDrawing(true);
    return world.str();
  };
  const std::string drawn = fly(true);
  EXPECT_EQ(fly(false), drawn);
}

// "0,6,12" as numbers; `fallback` when the variable is unset.
std::vector<int> NumbersFrom(const char* variable, std::vector<int> fallback) {
  const char* text = std::getenv(variable);
  if (!text) return fallback;
  std::vector<int> numbers;
  std::istringstream in(text);
  for (std::string item; std::getline(in, item, ',');) numbers.push_back(std::atoi(item.c_str()));
  return numbers;
}

// The share of late starts a level must win when the player goes on d frames after each cue:
// 300 ms is a person's usual reaction, 400 ms a slow one.
double LateGoal(int level, int d) {
  if (d > 18) return 0.5;
  return level <= 2 ? 1.0 : 0.8;
}

// A player who arrives late finds the monsters elsewhere on their rounds, and a person goes
// on some frames after the cue the script waits for: each script, started after standing
// still for k frames and standing d frames more after each wait's cue, still wins for most
// k. Levels 1 and 2 teach, so up to d = 18 they win whenever the player sets off. CI tries a
// few (k, d); the table of wins for k = 0, 4, ..., 120 and d = 0, 6, 12, 18, 24, with a line
// per loss, is run by hand in data/ (name levels instead of all, e.g. =1,7, and choose
// the d with VANTREL_REACTION=0,18):
//   VANTREL_LATE_STARTS=all ../build/tests/level_tests --gtest_filter='*StartedLate*'
TEST(LevelPlayTest, EveryLevelIsWonByItsScriptStartedLate) {
  const char* sweep = std::getenv("VANTREL_LATE_STARTS");
  // Undrawn plays cost little, but the sanitizer build's are slow: five at 300 ms, three at 400.
  std::vector<std::pair<int, int>> tries = {{8, 18},   {36, 18}, {60, 18}, {84, 18},
                                            {112, 18}, {20, 24}, {64, 24}, {100, 24}};
  const std::vector<int> reactions = NumbersFrom("VANTREL_REACTION", {0, 6, 12, 18, 24});
  if (sweep) {
    tries.clear();
    for (int d : reactions)
      for (int k = 0; k <= 120; k += 4) tries.push_back({k, d});
  }
  const std::string chosen =
      sweep && std::string(sweep) != "all" ? "," + std::string(sweep) + "," : "";
  const WithoutDrawing fast;
  std::string table = "level";
  for (int d : reactions) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "  d=%-3d", d);
    table += cell;
  }
  for (const Playthrough& play : kPlaythroughs) {
    if (!chosen.empty() && chosen.find("," + std::to_string(play.level) + ",") == std::string::npos)
      continue;
    SCOPED_TRACE("level " + std::to_string(play.level));
    std::vector<Step> late = play.win;
    late.insert(late.begin(), Step{Act::Wait});
    table += "\n" + std::string(play.level <= 6 ? "    " : "   T") +
             std::to_string(play.level <= 6 ? play.level : play.level - 6);
    for (int d : reactions) {
      int played = 0, wins = 0;
      std::string lost;
      for (const auto& [k, reaction] : tries) {
        if (reaction != d) continue;
        ++played;
        late.front().frames = k;
        Pilot pilot(play.level);
        pilot.React(d);
        std::string failure;
        if (pilot.Fly(late, &failure) && gWon) {
          ++wins;
        } else {
          lost += " " + std::to_string(k);
          if (sweep) std::printf("level %d k %d d %d: %s\n", play.level, k, d, failure.c_str());
        }
      }
      if (played == 0) continue;
      char cell[16];
      std::snprintf(cell, sizeof cell, "  %2d/%-2d", wins, played);
      table += cell;
      EXPECT_GE(wins, std::ceil(LateGoal(play.level, d) * played - 1e-9))
          << "d = " << d << ", lost at k =" << lost;
    }
  }
  if (sweep) std::printf("wins of the late starts, d frames after each cue:\n%s\n", table.c_str());
}

// The speed assist slows the whole world: in the same frames the monster that walks
// farthest covers 70 % of its way. (That the levels are still won by their scripts at 85 and
// 70 % is held where those wins are recorded and played back, below.)
TEST(LevelPlayTest, AtSeventyPercentTheWorldWalksSeventyPercentOfItsWay) {
  const auto walked = [](double speed) {
    SetLevelSpeed(speed);
    Pilot pilot(2);
    std::vector<KEVec2> start;
    for (size_t m = 1; m <= pilot.player().monsters.size(); ++m)
      start.push_back(pilot.monster(int(m)).position);
    test_level::Run(30);
    std::vector<float> distance;
    for (size_t m = 1; m <= start.size(); ++m) {
      const KEVec2 end = pilot.monster(int(m)).position;
      distance.push_back(std::hypot(end.x - start[m - 1].x, end.y - start[m - 1].y));
    }
    return distance;
  };
  const std::vector<float> full = walked(1.0), slow = walked(0.7);
  const size_t farthest = std::max_element(full.begin(), full.end()) - full.begin();
  ASSERT_GT(full[farthest], 20.0f);
  EXPECT_NEAR(slow[farthest] / full[farthest], 0.7, 0.02);
  SetLevelSpeed(1.0);
}

// What a level did with a run's controls in the devices' place, until the run reached the exit
// (and the level went back where the watching came from) or stopped.
struct Replayed {
  bool reachedExit = false;
  uint32_t steps = 0;
  double seconds = 0;
  std::string stopped;
};

Replayed PlayBack(const RecordedRun& run) {
  Replayed out;
  auto* level = static_cast<LevelBase*>(CreateLevel(run.level));
  level->Watch(
      std::make_shared<RecordedRun>(run),
      [&out, level]() -> GameState* {
        out = {level->player->reachedExit, level->stepsFed, level->playSeconds, ""};
        return new IdleState;
      },
      nullptr);
  // The player asks for the result screen at the exit; watching goes back instead.
  SetResultScreenFactory(Won);
  test_level::Start(level);
  GameStateManager.level = run.level;
  for (uint32_t frame = 0; frame < run.steps + 60 && GameStateManager.current == level; ++frame) {
    test_level::Run(1);
    if (GameStateManager.current == level && !level->watchStopped.empty()) {
      out.stopped = level->watchStopped;
      out.steps = level->stepsFed;
      break;
    }
  }
  test_level::Finish();
  SetResultScreenFactory(nullptr);
  GameStateManager.level = -1;
  return out;
}

// Each level's scripted win, recorded as the player played it; the file's bytes stand for it.
RecordedRun RecordWin(const Playthrough& play) {
  Pilot pilot(play.level);
  std::string failure;
  EXPECT_TRUE(pilot.Fly(play.win, &failure)) << failure;
  EXPECT_TRUE(gWon) << "the script ended off the exit";
  RecordedRun run;
  std::string problem;
  EXPECT_TRUE(ReadRun(WriteRun(gFinishedRun.run), &run, &problem)) << problem;
  EXPECT_EQ(run.seconds, std::round(gFinishedRun.seconds * 1000) / 1000);
  // Kept for the run reader's fuzz seeds: VANTREL_RUN_SEEDS=FOLDER.
  if (const char* seeds = std::getenv("VANTREL_RUN_SEEDS"))
    std::ofstream(std::string(seeds) + "/level" + std::to_string(play.level) + "-" +
                      std::to_string(run.speed) + ".run",
                  std::ios::binary)
        << WriteRun(run);
  return run;
}

// Every level is won by its script at 100, 85 and 70 %, and a run is its input: the win played
// back reaches the exit on the step and with the time the player did, at every game speed, and
// level 6's run is small.
TEST(LevelPlayTest, EveryScriptedWinPlaysBackToTheExitOnTheSameStep) {
  const WithoutDrawing fast;
  for (const int speed : {100, 85, 70}) {
    SetLevelSpeed(speed / 100.0);
    for (const Playthrough& play : kPlaythroughs) {
      SCOPED_TRACE("level " + std::to_string(play.level) + " at " + std::to_string(speed) + " %");
      const RecordedRun run = RecordWin(play);
      EXPECT_EQ(run.speed, speed);
      SetLevelSpeed(1.0);  // the run's own speed holds while it plays
      const Replayed back = PlayBack(run);
      SetLevelSpeed(speed / 100.0);
      EXPECT_EQ(back.stopped, "");
      EXPECT_TRUE(back.reachedExit);
      EXPECT_EQ(back.steps, run.steps);
      EXPECT_EQ(TimeInTenths(back.seconds), TimeInTenths(run.seconds));
      if (play.level == 6 && speed == 100) {
        EXPECT_LT(WriteRun(run).size(), 20000u);
        std::printf("level 6 won in %u steps: a run file of %zu bytes\n", run.steps,
                    WriteRun(run).size());
      }
    }
  }
  SetLevelSpeed(1.0);
}

// A run whose input differs at one step, a second into a walk, leaves its path and stops
// with its line; one made on another version of the level is refused before it plays.
TEST(LevelPlayTest, ARunThatNoLongerFitsStopsOrIsRefused) {
  const WithoutDrawing fast;
  const RecordedRun run = RecordWin(kPlaythroughs[0]);
  EXPECT_EQ(RunMismatch(run, LevelCastOf(1)->checksum), "");
  EXPECT_NE(RunMismatch(run, LevelCastOf(2)->checksum), "");
  RecordedRun older = run;
  older.version = "0.9";
  EXPECT_NE(RunMismatch(older, LevelCastOf(1)->checksum), "");

  std::vector<PlayerControls> steps = ReadAllControls(run);
  ASSERT_EQ(steps.size(), run.steps);
  // Level 1's first walk goes east for several seconds: half a second into it, one step of
  // standing still.
  size_t first = 0;
  while (first < steps.size() && steps[first].walk.x == 0) ++first;
  ASSERT_LT(first + 30, steps.size());
  ASSERT_NE(steps[first + 30].walk.x, 0.0f);
  steps[first + 30].walk = {0, 0};
  RecordedRun altered = run;
  WriteAllControls(steps, &altered);
  const Replayed back = PlayBack(altered);
  EXPECT_FALSE(back.reachedExit);
  EXPECT_NE(back.stopped.find("LEFT ITS RECORDED PATH AFTER"), std::string::npos) << back.stopped;
  EXPECT_LE(back.steps, (first + 30) / kCheckEvery * kCheckEvery + kCheckEvery);
}

// The level's best run walks beside a player who stands still at the start: the ghost takes
// the run's path step by step and changes nothing in the world: every monster walks as it
// does without a ghost, none chases, the player lives.
TEST(LevelPlayTest, TheGhostWalksTheBestRunAndTouchesNothing) {
  // The run is kept, and the setting changed, in a folder of the test's own.
  char folder[] = "/tmp/vantrel_ghost_XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  setenv("XDG_DATA_HOME", folder, 1);
  setenv("XDG_CONFIG_HOME", folder, 1);
  // Level 2: bulbs that pause on the world's clock and leave trails.
  const RecordedRun run = RecordWin(kPlaythroughs[1]);
  ASSERT_TRUE(KeepWonRun("Level2", run));
  std::vector<KEVec2> path;
  ASSERT_TRUE(ReadRunPath(run, &path));
  const auto stand = [&](bool withGhost) {
    Settings settings = CurrentSettings();
    settings.ghost = withGhost;
    ChangeSettings(settings);
    Pilot pilot(2);
    const Ghost& ghost = static_cast<LevelBase*>(GameStateManager.current)->ghost;
    EXPECT_EQ(ghost.HasRun(), withGhost);
    int offPath = 0;
    std::string world;
    for (uint32_t step = 1; step < run.steps && pilot.InLevel(); ++step) {
      test_level::Run(1);
      if (withGhost && step % kPathEvery == 0) {
        const KEVec2 kept = path[step / kPathEvery], at = ghost.Place();
        offPath += kept.x != at.x || kept.y != at.y;
      }
      for (size_t m = 1; m <= pilot.player().monsters.size(); ++m) {
        const Monster& monster = pilot.monster(int(m));
        world += std::to_string(monster.position.x) + "," + std::to_string(monster.position.y) +
                 (monster.state == Chase ? " chases " : " ");
      }
    }
    EXPECT_EQ(offPath, 0);
    EXPECT_EQ(ghost.StepsTaken(), withGhost ? run.steps - 1 : 0);
    EXPECT_TRUE(pilot.player().inPlay);
    EXPECT_EQ(world.find("chases"), std::string::npos);
    return world;
  };
  EXPECT_EQ(stand(true), stand(false)) << "the monsters walked otherwise";
  ChangeSettings(Settings());
  std::filesystem::remove_all(folder);
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
