// Any bytes as the progress file: reading it must not crash and only levels 1 to 8 can come
// out won; after one more win with its time, every win the lenient read found is still in
// the file, no best time got worse and the new one counts, and a file the game refused to
// write over is left exactly as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Progress.h"
#include "fuzz_main.h"

namespace {

std::string ReadAll(const std::string& file) {
  std::stringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = "/tmp/vantrel_progress_fuzz_" + std::to_string(getpid());
  // Wins of a run are remembered per file: a fresh data folder for every input, and another
  // one, never written to, to read back what reached the disk.
  static int round = 0;
  static const struct Cleanup {
    ~Cleanup() { std::filesystem::remove_all(folder); }
  } cleanup;
  const std::string home = folder + "/" + std::to_string(round++);
  const std::string check = folder + "/check";
  std::filesystem::create_directories(home + "/vantrel");
  std::filesystem::create_directories(check + "/vantrel");
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  const std::string file = ProgressFilePath();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::ofstream(file, std::ios::binary) << bytes;

  BestTimes best;
  const unsigned won = LoadWonLevels(&best);
  if (won & ~0x1FEu) __builtin_trap();
  const int level = 1 + (size % 8);
  const double seconds = 0.1 * double(1 + size % 1000);
  const bool kept = RecordWonLevel(level, seconds);
  if (!kept && ReadAll(file) != bytes) __builtin_trap();
  if (kept) {
    std::filesystem::copy_file(file, check + "/vantrel/progress.txt",
                               std::filesystem::copy_options::overwrite_existing);
    setenv("XDG_DATA_HOME", check.c_str(), 1);
    BestTimes bestOnDisk;
    const unsigned onDisk = LoadWonLevels(&bestOnDisk);
    if ((onDisk & (won | 1u << level)) != (won | 1u << level)) __builtin_trap();
    for (int n = 1; n <= 8; ++n) {
      const long before = TimeInTenths(best.seconds[n]), after = TimeInTenths(bestOnDisk.seconds[n]);
      if (before > 0 && (after == 0 || after > before)) __builtin_trap();
    }
    if (TimeInTenths(bestOnDisk.seconds[level]) > TimeInTenths(seconds)) __builtin_trap();
  }
  std::filesystem::remove_all(home);
  return 0;
}
