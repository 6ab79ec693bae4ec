#include "FrontEnd.h"

#include "InfoScreens.h"
#include "LoadingScreen.h"
#include "StateRequests.h"

void ConnectFrontEnd() {
  SetLoadingScreenFactory([](unsigned target) -> GameState* { return new LoadingScreen(target); });
  SetResultScreenFactory([]() -> GameState* { return new ResultScreen; });
}
