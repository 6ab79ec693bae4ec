#include "DataDirectory.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool HasAssets(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder / "Assets", error);
}

}  // namespace

bool EnterDataDirectory() {
  std::error_code error;
  if (HasAssets(fs::current_path(error))) return true;

  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  const fs::path candidates[] = {
      executable.parent_path().parent_path() / "share" / "vantrel",
      fs::path(VANTREL_SOURCE_DATA_DIR),
  };
  for (const fs::path& folder : candidates) {
    if (HasAssets(folder)) {
      fs::current_path(folder, error);
      if (!error) return true;
    }
  }
  std::printf("Cannot find the game's data: no Assets/ folder here, in %s or in %s\n",
              candidates[0].c_str(), candidates[1].c_str());
  return false;
}
