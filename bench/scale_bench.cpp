// How the world's cost grows with the map and the crowd: generated maps (see scale_map.h)
// of 40, 128 and 256 cells a side with 28 to 1000 monsters, and level 6 as the yardstick, at
// 800 x 600 in the window. Per case: update, draw and whole-frame milliseconds (end and swap
// included) and the longest frame, processor time of every thread, allocations per frame and
// the process's peak memory, with the player standing in the middle, then chased by every
// monster. Each case runs in a process of its own, so that its peak memory is its own.
//
// Run under a display:
//   xvfb-run -a -s "-screen 0 1600x1200x24 -noreset" bench_scale [SIDExMONSTERS | L6]...
//       [--frames N]
//   bench_scale --write-map SIDE MONSTERS FILE    the same map for vantrel-sandbox
//
// As in bench_level_frame, the player is a ghost and the chase is ordered every second
// outside the timing (each monster plans its way to the player then); between the orders the
// monsters run their own rules.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "DataDirectory.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "LevelRoster.h"
#include "Player.h"
#include "SandboxLevel.h"
#include "bench_support.h"
#include "scale_map.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUp = 60;
constexpr int kChaseOrderEvery = 60;  // frames
const char* const kDefaultCases[] = {"L6", "40x28", "128x100", "256x300", "256x1000"};

struct Timing {
  double update = 0, draw = 0, frame = 0, cpu = 0, news = 0;
  double worst = 0;  // the longest whole frame
};

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

void Frame(GameState* state, Timing* timing) {
  gKESysAppActive = 1;  // another window taking the focus would pause the level
  const double cpu0 = ProcessCpuMs();
  const long news0 = Allocations();
  const auto t0 = Clock::now();
  KEGfxStart();
  KEInputUpdate();
  const auto t1 = Clock::now();
  state->Update();
  const auto t2 = Clock::now();
  state->Draw();
  const auto t3 = Clock::now();
  KEGfxEnd();
  const auto t4 = Clock::now();
  timing->cpu += ProcessCpuMs() - cpu0;
  timing->news += double(Allocations() - news0);
  KESysUpdate();
  timing->update += Ms(t1, t2);
  timing->draw += Ms(t2, t3);
  timing->frame += Ms(t0, t4);
  timing->worst = std::max(timing->worst, Ms(t0, t4));
}

Timing RunScene(GameState* state, bool chasing, int frames) {
  Timing timing;
  for (int frame = 0; frame < frames; ++frame) {
    if (chasing && frame % kChaseOrderEvery == 0) OrderChase();
    Frame(state, &timing);
  }
  for (double* sum : {&timing.update, &timing.draw, &timing.frame, &timing.cpu, &timing.news})
    *sum /= frames;
  return timing;
}

bool ParseCase(const std::string& name, int* side, int* monsters) {
  if (name == "L6") return *side = 0, true;
  return std::sscanf(name.c_str(), "%dx%d", side, monsters) == 2 && *side >= 3 &&
         *side <= 256 && *monsters >= 0;
}

// One case in this process: prints a line per scene and the peak memory.
int RunCase(const std::string& name, int frames) {
  int side = 0, monsters = 0;
  if (!ParseCase(name, &side, &monsters)) return 2;
  if (!EnterDataDirectory()) return 1;
  char mapFile[] = "/tmp/bench_scale_XXXXXX";
  if (side > 0) {
    const int fd = mkstemp(mapFile);
    if (fd < 0) return 1;
    close(fd);
    if (!WriteScaleMap(mapFile, side, monsters)) return 1;
  }
  if (!KESysInit(nullptr, 1, 800, 600, 0, 0, nullptr)) return 1;
  KEGfxSetBackgroundColor(0, 0, 0);
  GameStateLoopBegin(side > 0 ? new SandboxLevel(mapFile) : CreateLevel(6));
  GameStateManager.level = 6;
  GameState* state = GameStateManager.current;
  gCurrentPlayer->ghost = true;
  Timing untimed;
  for (int frame = 0; frame < kWarmUp; ++frame) Frame(state, &untimed);
  for (bool chasing : {false, true}) {
    const Timing t = RunScene(state, chasing, frames);
    std::printf("scene %s update %.3f draw %.3f frame %.3f worst %.3f cpu %.3f news %.1f\n",
                chasing ? "chasing" : "standing", t.update, t.draw, t.frame, t.worst, t.cpu,
                t.news);
  }
  std::printf("peak-kb %ld\n", PeakKb());
  GameStateManager.next = nullptr;
  GameStateLoopStep();
  KESysExit();
  if (side > 0) unlink(mapFile);
  return 0;
}

void PrintCase(const std::string& name, const std::string& text) {
  const size_t peakAt = text.find("peak-kb ");
  const long peakKb = peakAt == std::string::npos ? -1 : std::atol(text.c_str() + peakAt + 8);
  int side = 0, monsters = 0;
  ParseCase(name, &side, &monsters);
  const std::string map = side > 0 ? std::to_string(side) + " x " + std::to_string(side) + ", " +
                                         std::to_string(monsters)
                                   : "level 6, 28";
  bool any = false;
  for (size_t at = text.find("scene "); at != std::string::npos; at = text.find("scene ", at + 1)) {
    char scene[16];
    Timing t;
    if (std::sscanf(text.c_str() + at,
                    "scene %15s update %lf draw %lf frame %lf worst %lf cpu %lf news %lf", scene,
                    &t.update, &t.draw, &t.frame, &t.worst, &t.cpu, &t.news) != 7)
      continue;
    std::printf("| %s | %s | %.3f | %.3f | %.3f | %.1f | %.3f | %.1f | %.0f |\n", map.c_str(),
                scene, t.update, t.draw, t.frame, t.worst, t.cpu, t.news, double(peakKb) / 1024);
    any = true;
  }
  if (!any) std::printf("| %s | failed: %s |\n", map.c_str(), text.c_str());
}

int Usage() {
  std::printf("usage: bench_scale [SIDExMONSTERS | L6]... [--frames N]\n"
              "       bench_scale --write-map SIDE MONSTERS FILE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> cases;
  std::string only;
  int frames = 300;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--write-map" && argc == i + 4) {
      const int side = std::atoi(argv[i + 1]), monsters = std::atoi(argv[i + 2]);
      if (side < 3 || side > 256 || monsters < 0) return Usage();
      return WriteScaleMap(argv[i + 3], side, monsters) ? 0 : 1;
    }
    if (word == "--frames" && i + 1 < argc) {
      frames = std::atoi(argv[++i]);
      if (frames < 1) return Usage();
    } else if (word == "--case" && i + 1 < argc) {
      only = argv[++i];
    } else {
      int side = 0, monsters = 0;
      if (!ParseCase(word, &side, &monsters)) return Usage();
      cases.push_back(word);
    }
  }
  if (!only.empty()) return RunCase(only, frames);
  if (cases.empty()) cases.assign(std::begin(kDefaultCases), std::end(kDefaultCases));

  std::printf("mean per frame over %d frames after %d of warm-up, unpaced, 800 x 600; cpu: "
              "processor time of all threads; peak: the case's process\n\n",
              frames, kWarmUp);
  std::printf("| map, monsters | player | update ms | draw ms | frame ms | worst ms | cpu ms "
              "| new/frame | peak MB |\n|---|---|---|---|---|---|---|---|---|\n");
  for (const std::string& name : cases)
    PrintCase(name, Output({"/proc/self/exe", "--case", name, "--frames", std::to_string(frames)}));
  return 0;
}
