// Any bytes as the progress file: reading it must not crash, and only levels 1 to 8 can
// come out won; a win recorded over it must then read back.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Progress.h"
#include "fuzz_main.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = [] {
    const std::string home = "/tmp/vantrel_progress_fuzz_" + std::to_string(getpid());
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    std::filesystem::create_directories(home + "/vantrel");
    return home;
  }();
  std::ofstream(ProgressFilePath(), std::ios::binary)
      .write(reinterpret_cast<const char*>(data), size);
  const unsigned won = LoadWonLevels();
  if (won & ~0x1FEu) __builtin_trap();
  const int level = 1 + (size % 8);
  if (!RecordWonLevel(level) || !(LoadWonLevels() & (1u << level))) __builtin_trap();
  std::filesystem::remove_all(folder + "/vantrel/progress.txt");
  return 0;
}
