// Cost of the game's own level frames, in one run and one table: for each level, the update,
// draw, and end-and-swap time per frame at 800 x 600 in the window and at the screen's size
// in full screen, with the player standing at its start, then with every monster chasing it
// by its real sight. Against them, in the same run: a bare frame, and the same kind of frame
// (tiles over the view, as many actors with their cones as the level shows, the status strip)
// drawn through SDL2's own 2D renderer by bench_sdl_reference. Then the game's start-up time
// to its first drawn frame and peak memory.
//
// Run under a display with a 1600 x 1200 screen:
//   xvfb-run -a -s "-screen 0 1600x1200x24" bench_level_frame [LEVELS...] [--frames N]
//       [--shots DIR] [--watch RUN_FILE]
// LEVELS are numbers 1 to 8 (7 and 8 the trials) or "all", the default. --shots writes a
// picture of every level, size and scene, taken on the frame after the warm-up, so two builds
// can be compared with: bench_level_frame --compare BEFORE_DIR AFTER_DIR [DIFF_DIR]
//
// Then what runs cost: recording a step against a level's frame, and with --watch a run file
// (level 6's scripted win is tests/fuzz/corpus/run/level6-100.run) watched at 4x full screen
// to its end: the mean and worst frame and the frames slower than a 60th of a second.
//
// The player is a ghost, so a monster reaching it ends nothing. Chasing monsters are sent
// after the player again every second (outside the timing), each planning a path to where it
// stands; between those orders they run their own rules: a monster that sees the player plans
// afresh each frame, one that does not walks its last plan.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
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
#include "LevelBase.h"
#include "LevelCast.h"
#include "LevelRoster.h"
#include "Monster.h"
#include "ObjectManager.h"
#include "Player.h"
#include "RunFile.h"
#include "bench_support.h"
#include "frame_shots.h"
#include "platform/KEPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUp = 60;
constexpr int kChaseOrderEvery = 60;  // frames
constexpr int kStartUpRuns = 5;

struct Timing {
  double update = 0, draw = 0, swap = 0;
  double cpu = 0;  // processor time of every thread, the rasteriser's too
  double newsInUpdate = 0, newsInDraw = 0;
  double actorsInView = 0;
  double Total() const { return update + draw + swap; }
};

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// One frame as the state loop runs it, unpaced, with a fixed 1/60 s of game time. With a
// shot file, the picture is read back before the swap.
void Frame(GameState* state, Timing* timing, const std::string& shot = "") {
  // The reference's window takes the focus, which would pause the level: the player is here.
  gKESysAppActive = 1;
  const double cpu0 = ProcessCpuMs();
  KEGfxStart();
  KEInputUpdate();
  const long news0 = Allocations();
  const auto t0 = Clock::now();
  if (state) state->Update();
  const auto t1 = Clock::now();
  const long news1 = Allocations();
  if (state) state->Draw();
  const auto t2 = Clock::now();
  const long news2 = Allocations();
  if (!shot.empty() && !SaveDrawable(shot)) std::printf("could not write %s\n", shot.c_str());
  const auto t3 = Clock::now();
  KEGfxEnd();
  const auto t4 = Clock::now();
  const double cpu1 = ProcessCpuMs();
  KESysUpdate();
  timing->update += Ms(t0, t1);
  timing->draw += Ms(t1, t2);
  timing->swap += Ms(t3, t4);
  timing->cpu += cpu1 - cpu0;
  timing->newsInUpdate += double(news1 - news0);
  timing->newsInDraw += double(news2 - news1);
}

std::string SizeName() {
  int width = 0, height = 0;
  KEPlatformGetDrawableSize(&width, &height);
  return std::to_string(width) + "x" + std::to_string(height);
}

bool BoxInView(float left, float right, float bottom, float top) {
  return right >= gKEWinMinX && left <= gKEWinMaxX && top >= gKEWinMinY && bottom <= gKEWinMaxY;
}

// A quad drawn by `m` over -0.5..0.5 reaches into the view.
bool QuadInView(const KEMtx33& m) {
  float left = 1e30f, right = -1e30f, bottom = 1e30f, top = -1e30f;
  for (float u : {-0.5f, 0.5f}) {
    for (float v : {-0.5f, 0.5f}) {
      const float x = m.m[0][0] * u + m.m[0][1] * v + m.m[0][2];
      const float y = m.m[1][0] * u + m.m[1][1] * v + m.m[1][2];
      left = std::min(left, x), right = std::max(right, x);
      bottom = std::min(bottom, y), top = std::max(top, y);
    }
  }
  return BoxInView(left, right, bottom, top);
}

// The player and the monsters whose body or cone reaches into the view.
int ActorsInView() {
  int count = 0;
  for (const GameObjectPtr& object : gObjectManager.objects) {
    const VisionCone* sight = nullptr;
    if (auto* monster = dynamic_cast<Monster*>(object.get())) sight = &monster->sight;
    if (auto* player = dynamic_cast<Player*>(object.get())) sight = &player->sight;
    if (!sight) continue;
    count += QuadInView(object->transform) || QuadInView(sight->spriteTransform);
  }
  return count;
}

struct Reference {
  double ms = 0, cpu = 0;
};

struct Scene {
  std::string size;
  int level;  // 0: the bare frame
  bool chasing;
  Timing timing;
  Reference reference;
};

Timing RunScene(int level, bool chasing, int frames, const std::string& shot) {
  Timing timing, untimed;
  GameState* state = nullptr;
  if (level > 0) {
    GameStateLoopBegin(CreateLevel(level));
    GameStateManager.level = level;
    state = GameStateManager.current;
    gCurrentPlayer->ghost = true;
  }
  for (int frame = -kWarmUp - 1; frame < frames; ++frame) {
    if (chasing && (frame + kWarmUp + 1) % kChaseOrderEvery == 0) OrderChase();
    if (frame < 0) {
      Frame(state, &untimed, frame == -1 ? shot : "");
      continue;
    }
    Frame(state, &timing);
    if (state) timing.actorsInView += ActorsInView();
  }
  if (state) {
    GameStateManager.next = nullptr;
    GameStateLoopStep();
  }
  for (double* sum : {&timing.update, &timing.draw, &timing.swap, &timing.cpu, &timing.newsInUpdate,
                      &timing.newsInDraw, &timing.actorsInView})
    *sum /= frames;
  return timing;
}

// SDL2's renderer at one size with `actors` actors, per frame; zeros when it failed.
Reference RunReference(const std::string& size, int frames, int actors) {
  const size_t x = size.find('x');
  const std::string text = Output({VANTREL_BENCH_REFERENCE, size.substr(0, x), size.substr(x + 1),
                                   std::to_string(frames), std::to_string(actors)});
  const size_t at = text.find("actors ");
  int count = 0;
  Reference r;
  if (at == std::string::npos ||
      std::sscanf(text.c_str() + at, "actors %d ms %lf cpu %lf", &count, &r.ms, &r.cpu) != 3 ||
      count != actors) {
    std::printf("the reference at %s said:\n%s\n", size.c_str(), text.c_str());
    return {};
  }
  return r;
}

double Now() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

struct StartUp {
  double medianMs = -1;
  long peakKb = -1;
};

// The game itself, from the spawn to its first swapped frame, several times.
StartUp MeasureStartUp() {
  std::vector<double> runs;
  StartUp result;
  for (int run = 0; run < kStartUpRuns; ++run) {
    const double start = Now();
    const std::string text = Output({VANTREL_GAME_BINARY}, VANTREL_FIRST_FRAME_PROBE);
    const size_t at = text.find("first-frame ");
    double when = 0;
    long kb = -1;
    if (at == std::string::npos ||
        std::sscanf(text.c_str() + at, "first-frame %lf peak-kb %ld", &when, &kb) != 2) {
      std::printf("the game never drew a frame:\n%s\n", text.c_str());
      return result;
    }
    runs.push_back(1e3 * (when - start));
    result.peakKb = std::max(result.peakKb, kb);
  }
  std::sort(runs.begin(), runs.end());
  result.medianMs = runs[runs.size() / 2];
  return result;
}

int ActorCount(const Timing& t) { return int(std::ceil(t.actorsInView - 1e-9)); }

std::string SceneName(const Scene& s) {
  if (s.level == 0) return "bare frame (clear, swap)";
  const LevelCast& cast = *LevelCastOf(s.level);
  return "L" + std::to_string(s.level) + " " + cast.mapFile + " " +
         (s.chasing ? "chasing" : "standing");
}

void PrintTable(const std::vector<Scene>& scenes, int frames, const StartUp& startUp) {
  std::printf(
      "\nmean ms per frame over %d frames after %d of warm-up, unpaced; cpu: processor "
      "time of all threads; ratios: level / SDL2 reference\n",
      frames, kWarmUp);
  std::printf("%-9s %-28s %6s %6s %8s %6s %6s %6s %6s %6s %5s %5s %10s\n", "size", "frame",
              "update", "draw", "end+swap", "total", "cpu", "actors", "ref", "refcpu", "ratio",
              "r.cpu", "new/frame");
  for (const Scene& s : scenes) {
    const Timing& t = s.timing;
    std::printf("%-9s %-28s %6.3f %6.3f %8.3f %6.3f %6.3f", s.size.c_str(), SceneName(s).c_str(),
                t.update, t.draw, t.swap, t.Total(), t.cpu);
    if (s.level == 0) {
      std::printf("\n");
      continue;
    }
    const Reference& r = s.reference;
    std::printf(" %6d", ActorCount(t));
    if (r.ms > 0 && r.cpu > 0)
      std::printf(" %6.3f %6.3f %5.2f %5.2f", r.ms, r.cpu, t.Total() / r.ms, t.cpu / r.cpu);
    else
      std::printf(" %6s %6s %5s %5s", "-", "-", "-", "-");
    std::printf(" %4.1f+%-4.1f\n", t.newsInUpdate, t.newsInDraw);
  }
  std::printf("start-up to the first drawn frame (vantrel, median of %d): %.0f ms\n",
              kStartUpRuns, startUp.medianMs);
  std::printf("peak resident memory: the game at its first frame %.1f MB; this bench after "
              "every scene %.1f MB\n",
              double(startUp.peakKb) / 1024, double(PeakKb()) / 1024);
}

// Recording one step and the player's place after it, in microseconds: the worst case, a
// facing and a walk that change every step, so that every step writes a record.
double RecordingMicroseconds() {
  constexpr int kSteps = 200000;
  RunRecorder recorder;
  recorder.Start(0, 100, {0, 0});
  const auto start = Clock::now();
  for (int i = 0; i < kSteps; ++i) {
    PlayerControls controls;
    controls.walk = QuantizedWalk({std::cos(float(i) * 0.01f), 0.5f});
    controls.facing = QuantizedFacing(float(i) * 0.003f);
    controls.photograph = i % 90 == 0;
    recorder.Step(controls, 100);
    recorder.Place({float(i % 1000), float(i % 700)});
  }
  const double ms = Ms(start, Clock::now());
  // Finishing reads every byte written, so none of the work can be left out.
  if (recorder.Finish(0).inputs.empty()) return -1;
  return 1e3 * ms / kSteps;
}

struct Watched {
  int frames = 0, slow = 0;
  double mean = 0, worst = 0;
  bool whole = false;  // played to its exit
};

// A run watched at `speed` world steps a frame from its start, frame by frame, unpaced, to its
// exit or for at most `most` frames.
Watched RunWatchScene(const std::string& file, int speed, int most) {
  Watched result;
  auto run = std::make_shared<RecordedRun>();
  std::string problem;
  if (!ReadRunFile(file, run.get(), &problem)) {
    std::printf("%s: %s\n", file.c_str(), problem.c_str());
    return result;
  }
  auto* level = static_cast<LevelBase*>(CreateLevel(run->level));
  if (!level) return result;
  level->Watch(
      run, [] { return static_cast<GameState*>(nullptr); }, nullptr);
  level->watchSpeed = speed;
  GameStateLoopBegin(level);
  GameStateManager.level = run->level;
  double total = 0;
  while (!level->player->reachedExit && level->watchStopped.empty() &&
         result.frames < most) {
    Timing timing;
    GameStateManager.timeScale = level->TimeScale();
    GameStateManager.stepSeconds = GameStateManager.timeScale / 60;
    Frame(level, &timing);
    total += timing.Total();
    result.worst = std::max(result.worst, timing.Total());
    result.slow += timing.Total() > 1000.0 / 60;
    result.frames += 1;
  }
  result.whole = level->player->reachedExit;
  result.mean = result.frames ? total / result.frames : 0;
  if (!level->watchStopped.empty()) std::printf("%s\n", level->watchStopped.c_str());
  GameStateManager.next = nullptr;
  GameStateLoopStep();
  return result;
}

int Usage() {
  std::printf(
      "usage: bench_level_frame [1-%d | all]... [--frames N] [--shots DIR] "
      "[--watch RUN_FILE]\n"
      "       bench_level_frame --compare BEFORE_DIR AFTER_DIR [DIFF_DIR]\n",
      kLevelCount);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> levels;
  int frames = 300;
  std::string shots, watch;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--compare" && (argc == i + 3 || argc == i + 4))
      return CompareShots(argv[i + 1], argv[i + 2], argc == i + 4 ? argv[i + 3] : "") ? 1 : 0;
    if (word == "--frames" && i + 1 < argc) {
      frames = std::atoi(argv[++i]);
      if (frames < 1) return Usage();
      continue;
    }
    if (word == "--shots" && i + 1 < argc) {
      shots = argv[++i];
      continue;
    }
    if (word == "--watch" && i + 1 < argc) {
      char* absolute = realpath(argv[++i], nullptr);
      watch = absolute ? absolute : "";
      std::free(absolute);
      if (watch.empty()) return Usage();
      continue;
    }
    const int number = word == "all" ? 0 : std::atoi(argv[i]);
    if (number == 0 && word != "all") return Usage();
    if (number != 0 && (number < 1 || number > kLevelCount)) return Usage();
    for (int n = 1; n <= kLevelCount; ++n)
      if (n == number || number == 0) levels.push_back(n);
  }
  if (levels.empty())
    for (int n = 1; n <= kLevelCount; ++n) levels.push_back(n);

  if (!EnterDataDirectory()) return 1;
  // The game started for its start-up time reads the same data as the scenes here.
  if (char* here = getcwd(nullptr, 0)) {
    setenv("VANTREL_DATA_DIR", here, 1);
    std::free(here);
  }
  if (!KESysInit(nullptr, 1, 800, 600, 0, 0, nullptr)) return 1;
  KEGfxSetBackgroundColor(0, 0, 0);

  // Each scene's reference runs right after it, so both see the same load on the machine.
  std::vector<Scene> scenes;
  for (bool full : {false, true}) {
    if (!SetFullScreen(full)) return 1;
    const std::string size = SizeName();
    scenes.push_back({size, 0, false, RunScene(0, false, frames, ""), {}});
    for (int level : levels) {
      for (bool chasing : {false, true}) {
        const std::string shot = shots.empty() ? "" :
            shots + "/L" + std::to_string(level) + (full ? "-full" : "-window") +
            (chasing ? "-chasing" : "-standing") + ".ppm";
        const Timing timing = RunScene(level, chasing, frames, shot);
        scenes.push_back(
            {size, level, chasing, timing, RunReference(size, frames, ActorCount(timing))});
      }
    }
  }
  // Still full screen.
  // At 4x to the exit, then the same number of frames at 1x: what the machine's own stalls
  // cost, against what watching faster adds.
  const Watched watched = watch.empty() ? Watched() : RunWatchScene(watch, 4, 1 << 30);
  const Watched atOne = watch.empty() ? Watched() : RunWatchScene(watch, 1, watched.frames);
  const std::string watchedSize = SizeName();
  KESysExit();
  PrintTable(scenes, frames, MeasureStartUp());
  // Against the cheapest level frame of the table: the share recording adds at most.
  double cheapest = 1e30;
  for (const Scene& scene : scenes)
    if (scene.level > 0) cheapest = std::min(cheapest, scene.timing.Total());
  const double record = RecordingMicroseconds();
  std::printf(
      "recording a step (worst case, every step a new record): %.3f us, %.3f %% of the "
      "cheapest level frame above\n",
      record, 100 * record / 1e3 / cheapest);
  if (!watch.empty()) {
    std::printf(
        "watching %s at 4x full screen (%s): %d frames%s, mean %.3f ms, worst %.3f ms, "
        "%d over 1/60 s\n",
        watch.c_str(), watchedSize.c_str(), watched.frames,
        watched.whole ? " to its exit" : " (stopped short)", watched.mean, watched.worst,
        watched.slow);
    std::printf("the same number of frames at 1x: mean %.3f ms, worst %.3f ms, %d over 1/60 s\n",
                atOne.mean, atOne.worst, atOne.slow);
  }
  return 0;
}
