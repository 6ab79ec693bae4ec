#include "StateRequests.h"

#include <cstdio>

#include "GameStateLoop.h"

namespace {
LoadingScreenFactory gLoadingScreen = nullptr;
ResultScreenFactory gResultScreen = nullptr;
}  // namespace

void SetLoadingScreenFactory(LoadingScreenFactory factory) { gLoadingScreen = factory; }

void SetResultScreenFactory(ResultScreenFactory factory) { gResultScreen = factory; }

void RequestLoadingScreen(unsigned target) {
  if (!gLoadingScreen) std::printf("No loading screen to go to (target %u): quitting\n", target);
  RequestState(gLoadingScreen ? gLoadingScreen(target) : nullptr);
}

void RequestResultScreen() {
  if (!gResultScreen) std::printf("No result screen to go to: quitting\n");
  RequestState(gResultScreen ? gResultScreen() : nullptr);
}
