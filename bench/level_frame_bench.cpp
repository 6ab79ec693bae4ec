// Cost of one level frame, update and draw apart, with 30 monsters chasing the player on a
// 40 x 40 map, against a level with no monsters and a bare frame, all in one run.
// Run under a display: xvfb-run -a -s "-screen 0 1600x1200x24" bench_level_frame
// With level numbers (1 to 8, or "all") it times the game's own levels instead, each with
// its whole cast on its patrols and the player standing unharmed at its start.
//
// Monsters see 120 units ahead, so on their own only a handful would chase at once. Here
// they stand on the player's row and column facing it and see across the whole map: every
// one of them plans a fresh path to the player each frame, the dearest case of a chase.
// The player is a ghost, so touching it ends nothing, and the chase is set back to its start
// every half second (outside the timing) before the monsters reach the player.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "DataDirectory.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "LevelCast.h"
#include "LevelRoster.h"
#include "Monster.h"
#include "Player.h"
#include "SandboxLevel.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSide = 40;
constexpr int kCell = 50;
constexpr int kPlayerCell = 20;
constexpr int kMonsters = 30;
constexpr int kFrames = 600;
constexpr int kWarmUp = 60;
constexpr int kChaseLength = 30;  // frames between resets: before the fastest arrives
constexpr float kSeeAcrossTheMap = 4000;

float Centre(int cell) { return float(kCell * cell - kSide * kCell / 2 + kCell / 2); }

// Walls round the edge and pillars in a grid, none on the player's row or column.
std::string WriteMap(bool withMonsters) {
  const std::string file = std::string(P_tmpdir) + "/vantrel_level_frame_bench.txt";
  std::ofstream out(file);
  out << "width " << kSide << "\nheight " << kSide << "\ntilesize " << kCell << "\n";
  for (int line = 0; line < kSide; ++line) {
    const int row = kSide - 1 - line;
    for (int column = 0; column < kSide; ++column) {
      const bool edge = row == 0 || column == 0 || row == kSide - 1 || column == kSide - 1;
      const bool pillar =
          row % 5 == 2 && column % 5 == 2 && row != kPlayerCell && column != kPlayerCell;
      out << (edge ? 9 : pillar ? 7 : 0) << (column + 1 < kSide ? " " : "\n");
    }
  }
  out << "player " << Centre(kPlayerCell) << " " << Centre(kPlayerCell) << "\n";
  if (withMonsters) {
    const int rays[4][2] = {{-1, 0}, {1, 0}, {0, 1}, {0, -1}};
    for (int i = 0; i < kMonsters; ++i) {
      const int* ray = rays[i % 4];
      const int distance = 4 + 2 * (i / 4);
      const int kinds[] = {0, 4, 2};  // fire rat, fireball, tire: none changes on its own
      out << "monster " << kinds[i % 3] << " " << Centre(kPlayerCell + ray[0] * distance) << " "
          << Centre(kPlayerCell + ray[1] * distance) << "\n";
    }
  }
  return file;
}

struct Start {
  Monster* monster;
  KEVec2 position;
};

// Back to the start, already chasing, facing the player with the cone aimed.
void ResetChase(const std::vector<Start>& starts, KEVec2 player) {
  for (const Start& s : starts) {
    Monster& m = *s.monster;
    m.position = s.position;
    m.path.clear();
    m.state = Chase;
    m.phase = Run;
    m.onRoute = false;
    m.homePoint = s.position;
    m.rotation = std::atan2(player.y - m.position.y, player.x - m.position.x);
    m.UpdateTransform();
    m.sight.range = kSeeAcrossTheMap;
    const float h = m.scale.x * 0.5f;
    m.sight.Aim({m.position.x + h * std::cos(m.rotation), m.position.y + h * std::sin(m.rotation)},
                m.rotation);
  }
}

struct Timing {
  double update = 0, draw = 0, swap = 0, chasing = 0;
};

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// One frame as the state loop runs it, unpaced, with a fixed 1/60 s of game time.
void Frame(GameState* state, Timing* timing) {
  KEGfxStart();
  KEInputUpdate();
  const auto t0 = Clock::now();
  if (state) state->Update();
  const auto t1 = Clock::now();
  if (state) state->Draw();
  const auto t2 = Clock::now();
  KEGfxEnd();
  const auto t3 = Clock::now();
  KESysUpdate();
  GameStateManager.frameTime = 1.0 / 60;
  GameStateManager.totalTime += GameStateManager.frameTime;
  timing->update += Ms(t0, t1);
  timing->draw += Ms(t1, t2);
  timing->swap += Ms(t2, t3);
}

Timing RunLevel(bool withMonsters) {
  auto* level = new SandboxLevel(WriteMap(withMonsters));
  GameStateLoopBegin(level);
  level->player->ghost = true;
  std::vector<Start> starts;
  for (const GameObjectPtr& object : gObjectManager.objects) {
    if (auto* monster = dynamic_cast<Monster*>(object.get()))
      starts.push_back({monster, monster->position});
  }

  Timing timing, warmUp;
  for (int frame = -kWarmUp; frame < kFrames; ++frame) {
    if ((frame + kWarmUp) % kChaseLength == 0) ResetChase(starts, level->player->position);
    Frame(level, frame < 0 ? &warmUp : &timing);
    if (frame < 0) continue;
    for (const Start& s : starts)
      timing.chasing += s.monster->state == Chase && !s.monster->path.empty();
  }
  GameStateManager.next = nullptr;
  GameStateLoopStep();
  timing.chasing /= kFrames;
  return timing;
}

Timing RunGameLevel(int number) {
  GameStateLoopBegin(CreateLevel(number));
  GameStateManager.level = number;
  gCurrentPlayer->ghost = true;
  Timing timing, warmUp;
  for (int frame = -kWarmUp; frame < kFrames; ++frame)
    Frame(GameStateManager.current, frame < 0 ? &warmUp : &timing);
  GameStateManager.next = nullptr;
  GameStateLoopStep();
  return timing;
}

Timing RunBare() {
  Timing timing, warmUp;
  for (int frame = -kWarmUp; frame < kFrames; ++frame)
    Frame(nullptr, frame < 0 ? &warmUp : &timing);
  return timing;
}

void Print(const char* name, const Timing& t, bool monsters) {
  const double n = kFrames;
  std::printf("%-28s %9.3f %9.3f %10.3f %9.3f", name, t.update / n, t.draw / n, t.swap / n,
              (t.update + t.draw + t.swap) / n);
  if (monsters)
    std::printf("   %.1f of %d chasing\n", t.chasing, kMonsters);
  else
    std::printf("\n");
}

// The game's levels by number, each against the bare frame of the same run.
int RunGameLevels(const std::vector<int>& numbers) {
  const Timing bare = RunBare();
  std::printf("mean ms per frame over %d frames, unpaced\n", kFrames);
  std::printf("%-28s %9s %9s %10s %9s\n", "frame", "update", "draw", "end+swap", "total");
  Print("bare frame (clear, swap)", bare, false);
  for (int number : numbers) {
    const LevelCast& cast = *LevelCastOf(number);
    const std::string name =
        std::string(cast.mapFile) + ", " + std::to_string(cast.monsters.size()) + " monsters";
    Print(name.c_str(), RunGameLevel(number), false);
  }
  KESysExit();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> levels;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const int number = word == "all" ? 0 : std::atoi(argv[i]);
    if (number == 0 && word != "all") {
      std::printf("usage: bench_level_frame [1-%d | all]...\n", kLevelCount);
      return 2;
    }
    for (int n = 1; n <= kLevelCount; ++n)
      if (n == number || (number == 0 && LevelCastOf(n))) levels.push_back(n);
    if (number != 0 && !LevelCastOf(number)) return 2;
  }
  if (!EnterDataDirectory()) return 1;
  if (!KESysInit(nullptr, 1, 800, 600, 0, 0, nullptr)) return 1;
  KEGfxSetBackgroundColor(0, 0, 0);
  if (!levels.empty()) return RunGameLevels(levels);

  const Timing bare = RunBare();
  const Timing empty = RunLevel(false);
  const Timing chase = RunLevel(true);

  std::printf("mean ms per frame over %d frames, %dx%d map, unpaced\n", kFrames, kSide, kSide);
  std::printf("%-28s %9s %9s %10s %9s\n", "frame", "update", "draw", "end+swap", "total");
  Print("bare frame (clear, swap)", bare, false);
  Print("level, no monsters", empty, false);
  Print("level, 30 monsters chasing", chase, true);
  std::printf("30 chasing minus no monsters: update %.3f ms, draw %.3f ms\n",
              (chase.update - empty.update) / kFrames, (chase.draw - empty.draw) / kFrames);

  std::remove((std::string(P_tmpdir) + "/vantrel_level_frame_bench.txt").c_str());
  KESysExit();
  return 0;
}
