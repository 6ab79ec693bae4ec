#include "StateRequests.h"

#include <cstdio>

#include "GameStateLoop.h"
#include "KEReport.h"

namespace {
LoadingScreenFactory gLoadingScreen = nullptr;
ResultScreenFactory gResultScreen = nullptr;
}  // namespace

void SetLoadingScreenFactory(LoadingScreenFactory factory) { gLoadingScreen = factory; }

void SetResultScreenFactory(ResultScreenFactory factory) { gResultScreen = factory; }

LoadingScreenFactory CurrentLoadingScreenFactory() { return gLoadingScreen; }

ResultScreenFactory CurrentResultScreenFactory() { return gResultScreen; }

void RequestLoadingScreen(unsigned target) {
  if (!gLoadingScreen) KEReport("No loading screen to go to (target %u): quitting", target);
  RequestState(gLoadingScreen ? gLoadingScreen(target) : nullptr);
}

void RequestResultScreen() {
  if (!gResultScreen) KEReport("No result screen to go to: quitting");
  RequestState(gResultScreen ? gResultScreen() : nullptr);
}
