#include "FrontEnd.h"

#include "InfoScreens.h"
#include "LevelEditor.h"
#include "LoadingScreen.h"
#include "StateRequests.h"
#include "YourLevels.h"

void ConnectFrontEnd() {
  SetLoadingScreenFactory([](unsigned target) -> GameState* { return new LoadingScreen(target); });
  SetResultScreenFactory([]() -> GameState* { return new ResultScreen; });
  SetEditorExit([]() -> GameState* { return new YourLevelsScreen; });
}
