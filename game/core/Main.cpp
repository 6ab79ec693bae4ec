// Vantrel: start the engine, run the states, shut down in order.
#include <cstdio>

#include "DataDirectory.h"
#include "FrontEnd.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KESystem.h"
#include "StartScreen.h"

int main() {
  // Messages reach a log file or a pipe as they happen, not when the process ends.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (!EnterDataDirectory()) return 1;
  if (!KESysInit(nullptr, 1, 800, 600, 0, 60, nullptr)) return 1;
  KESysSetWindowTitle("Vantrel");
  KESysReset();
  KEToogleFullScreen(true);
  KESysSetWindowIcon("Assets/icon.png");
  KEGfxSetBackgroundColor(0, 0, 0);

  ConnectFrontEnd();
  RunGameStateLoop(new StartScreen);

  KESysExit();
  return 0;
}
