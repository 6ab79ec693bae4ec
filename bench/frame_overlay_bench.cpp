// Cost of the F3 frame-time overlay: the state loop over a state that does nothing, unpaced,
// with the overlay hidden and shown in turn, and the hidden hooks on their own.
// Run under a display: xvfb-run -a -s "-screen 0 1600x1200x24" bench_frame_overlay
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "FrameOverlay.h"
#include "GameStateLoop.h"
#include "KEFrameRateController.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "idle_state.h"
#include "platform/KEPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFrames = 1000;
constexpr int kRounds = 3;

unsigned char gKeys[256];
void ReadKeys(unsigned char keys[256]) { std::memcpy(keys, gKeys, sizeof gKeys); }

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// A tap of F3: down for one frame, up for the next. Returns how long the two frames took.
double TapF3() {
  const auto start = Clock::now();
  gKeys[VK_F3] = 0x80;
  GameStateLoopStep();
  gKeys[VK_F3] = 0;
  GameStateLoopStep();
  return Ms(start, Clock::now());
}

double ProcessCpuMs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return 1e3 * double(t.tv_sec) + 1e-6 * double(t.tv_nsec);
}

struct Cost {
  double medianMs;  // the frames' work (everything but pacing, which is off anyway)
  double cpuMs;     // processor time of all the process' threads (Mesa draws on several)
};

// Processor time stands up better than the clock on a machine that other work shares.
Cost MeasureFrames() {
  std::vector<double> work;
  const double cpuStart = ProcessCpuMs();
  for (int i = 0; i < kFrames; ++i) {
    GameStateLoopStep();
    work.push_back(1000 * KEFrameRateControllerGetWorkTime());
  }
  const double cpu = (ProcessCpuMs() - cpuStart) / kFrames;
  std::nth_element(work.begin(), work.begin() + kFrames / 2, work.end());
  return {work[kFrames / 2], cpu};
}

}  // namespace

int main() {
  if (!KESysInit(nullptr, 1, 800, 600, 0, 0, nullptr)) return 1;
  KEGfxSetBackgroundColor(0, 0, 0);
  const KEPlatformInputSource keys = {ReadKeys, nullptr, nullptr, nullptr, nullptr};
  KEPlatformSetInputSource(&keys);
  GameStateLoopBegin(new IdleState);

  std::printf("ms per frame over %d frames, unpaced: median work / processor time\n", kFrames);
  for (int round = 0; round < kRounds; ++round) {
    const Cost hidden = MeasureFrames();
    const double firstShow = TapF3();
    const Cost shown = MeasureFrames();
    TapF3();
    std::printf("hidden %.3f / %.3f  shown %.3f / %.3f  difference %.3f / %.3f", hidden.medianMs,
                hidden.cpuMs, shown.medianMs, shown.cpuMs, shown.medianMs - hidden.medianMs,
                shown.cpuMs - hidden.cpuMs);
    if (round == 0) std::printf("   (first F3, font made: %.1f ms)", firstShow);
    std::printf("\n");
  }

  const int calls = 10000000;
  const auto start = Clock::now();
  for (int i = 0; i < calls; ++i) {
    FrameOverlayToggleOnF3();
    FrameOverlayBeginUpdate();
    FrameOverlayBeginDraw();
    FrameOverlayEndDraw();
    FrameOverlayEndFrame(0.01, 0.016);
  }
  std::printf("hidden hooks: %.1f ns per frame\n", 1e6 * Ms(start, Clock::now()) / calls);

  GameStateManager.next = nullptr;
  GameStateLoopStep();
  KESysExit();
  return 0;
}
