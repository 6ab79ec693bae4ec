#include "DataDirectory.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "KEReport.h"

namespace fs = std::filesystem;

namespace {

bool HasAssets(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder / "Assets", error);
}

// The folder named by VANTREL_DATA_DIR, relative to where we started. Whoever sets it
// means it, so a folder without Assets/ ends the game with one line rather than quietly
// playing other data than the one asked for.
bool EnterChosenFolder(const char* chosen) {
  std::error_code error;
  const fs::path folder = fs::absolute(chosen, error);
  if (error || !HasAssets(folder)) {
    KEReport("VANTREL_DATA_DIR names \"%s\", which holds no Assets/ folder", chosen);
    return false;
  }
  fs::current_path(folder, error);
  if (error) {
    KEReport("Cannot enter VANTREL_DATA_DIR \"%s\": %s", chosen, error.message().c_str());
    return false;
  }
  return true;
}

}  // namespace

bool EnterDataDirectory() {
  const char* chosen = std::getenv("VANTREL_DATA_DIR");
  if (chosen && *chosen) return EnterChosenFolder(chosen);

  // Never the working directory on its own: a desktop launch starts in the home folder,
  // and whatever Assets/ happens to lie there is not ours.
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  const fs::path candidates[] = {
      (executable.parent_path() / VANTREL_INSTALLED_DATA_DIR).lexically_normal(),
      fs::path(VANTREL_SOURCE_DATA_DIR),
  };
  for (const fs::path& folder : candidates) {
    if (HasAssets(folder)) {
      fs::current_path(folder, error);
      if (!error) return true;
    }
  }
  KEReport(
      "Cannot find the game's data: no Assets/ folder in %s or in %s "
      "(set VANTREL_DATA_DIR to the folder that holds it)",
      candidates[0].c_str(), candidates[1].c_str());
  return false;
}
