// Frame-rate controller: frame length from the performance counter, a minimum frame time.
#include "KEFrameRateController.h"

#include <cmath>
#include <cstdint>

#include "platform/KEPlatform.h"

namespace {

struct FrameRateState {
  unsigned int maxFrameRate;
  double currentFrameRate;
  double minFrameTime;
  double frameTime;
  double workTime;
  double secondsPerCount;
  uint64_t frameStart;
  unsigned int frameCount;
};
FrameRateState gFrc;

}  // namespace

void KEFrameRateControllerInit(unsigned int maxFrameRate) {
  KEFrameRateControllerReset();
  gFrc.maxFrameRate = maxFrameRate;
  gFrc.currentFrameRate = maxFrameRate;
  gFrc.minFrameTime = maxFrameRate == 0 ? 0.0 : 1.0 / maxFrameRate;
  gFrc.frameTime = gFrc.minFrameTime;
  gFrc.secondsPerCount = 1.0 / double(KEPlatformCounterFrequency());
  gFrc.frameStart = KEPlatformCounter();
}

void KEFrameRateControllerReset() {
  gFrc.frameCount = 0;
  gFrc.currentFrameRate = gFrc.maxFrameRate;
  gFrc.minFrameTime = gFrc.maxFrameRate == 0 ? 0.0 : 1.0 / gFrc.maxFrameRate;
  gFrc.frameTime = gFrc.minFrameTime;
}

void KEFrameRateControllerStart() {
  gFrc.secondsPerCount = 1.0 / double(KEPlatformCounterFrequency());
  gFrc.frameStart = KEPlatformCounter();
}

void KEFrameRateControllerEnd() {
  const uint64_t deadline =
      gFrc.frameStart + uint64_t(std::ceil(gFrc.minFrameTime / gFrc.secondsPerCount - 1e-9));
  const uint64_t workEnd = KEPlatformCounter();
  gFrc.workTime = double(int64_t(workEnd - gFrc.frameStart)) * gFrc.secondsPerCount;
  for (uint64_t now = workEnd;; now = KEPlatformCounter()) {
    gFrc.frameTime = double(int64_t(now - gFrc.frameStart)) * gFrc.secondsPerCount;
    if (!(gFrc.minFrameTime > gFrc.frameTime)) break;
    // Always ask for a later count, so that a clock that only moves when told to (a
    // test's) cannot hold the loop on a rounding difference.
    KEPlatformWaitUntil(now < deadline ? deadline : now + 1);
  }
  gFrc.currentFrameRate = 1.0 / gFrc.frameTime;
  ++gFrc.frameCount;
}

double KEFrameRateControllerGetFrameTime() { return gFrc.frameTime; }

double KEFrameRateControllerGetWorkTime() { return gFrc.workTime; }

unsigned int KEFrameRateControllerGetFrameCount() { return gFrc.frameCount; }
