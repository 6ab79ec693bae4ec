// Any bytes as a run file: no crash or hang, a refusal is one line, and a run that was read
// plays to its last step (each a walk the game knows, a facing on the grid, a speed it
// offers), has a place for every sample its steps need and writes back byte for byte.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "RunFile.h"
#include "fuzz_main.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  RecordedRun run;
  std::string problem;
  if (!ReadRun(bytes, &run, &problem)) {
    if (problem.empty() || problem.find('\n') != std::string::npos) __builtin_trap();
    return 0;
  }
  RunReader reader(run);
  uint32_t steps = 0;
  while (!reader.Done()) {
    const PlayerControls controls = reader.Next();
    if (reader.Damaged() || !std::isfinite(controls.facing) || std::fabs(controls.walk.x) > 1.01f ||
        std::fabs(controls.walk.y) > 1.01f || reader.Speed() < 1 || reader.Speed() > 100 ||
        ++steps > run.steps)
      __builtin_trap();
  }
  std::vector<KEVec2> places;
  if (steps != run.steps || !reader.AtEnd() || !ReadRunPath(run, &places) ||
      places.size() != run.steps / kPathEvery + 1)
    __builtin_trap();
  RecordedRun again;
  if (!ReadRun(WriteRun(run), &again, &problem) || WriteRun(again) != WriteRun(run))
    __builtin_trap();
  return 0;
}
