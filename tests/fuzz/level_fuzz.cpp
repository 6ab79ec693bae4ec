// Any bytes given to the level loader and the validator: no crash or hang, every problem one
// line, and a level that was read is written back as text that reads as the same level.
// A bare map comes back as a level of its own, with its name empty and no cast.
#include <cstddef>
#include <cstdint>
#include <string>

#include "LevelCheck.h"
#include "fuzz_main.h"

namespace {
bool OneLine(const std::string& line) { return !line.empty() && line.find('\n') == line.npos; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Level level;
  std::vector<std::string> problems;
  const bool read = ReadLevel(text, "fuzz.txt", &level, &problems);
  for (const std::string& line : problems)
    if (!OneLine(line)) __builtin_trap();
  if (!read) {
    if (problems.empty()) __builtin_trap();
    return 0;
  }
  for (const LevelProblem& problem : CheckLevel(level))
    if (!OneLine(problem.Line())) __builtin_trap();

  const std::string written = WriteLevel(level);
  Level again;
  std::vector<std::string> againProblems;
  if (!ReadLevel(written, "fuzz.txt", &again, &againProblems) || !againProblems.empty() ||
      !(again == level))
    __builtin_trap();
  return 0;
}
