// How the level just won went, kept for the result screen after the level is gone.
#pragma once

#include <string>
#include <vector>

#include "Run.h"

struct FinishedRun {
  int level = 0;
  // Seconds in play at the world's speed, counted in its steps (60 a second at full
  // speed): the pause menu does not count, and a slowed game counts what the world lived
  // through, so that times at every game speed compare.
  double seconds = 0;
  std::vector<std::string> photos;  // the picture of each photo taken, in order
  RecordedRun run;                  // its input, to keep and watch again
  double ghostSeconds = 0;          // the time of the best run its ghost walked; 0 for none
  std::string runName;              // the name the level's runs are kept under
};

extern FinishedRun gFinishedRun;
