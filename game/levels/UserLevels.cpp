#include "UserLevels.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "LevelCheck.h"

namespace fs = std::filesystem;

namespace {

bool IsLevelFileName(const std::string& name) {
  // Hidden files are a save's own leftovers or another program's.
  return name.size() > 4 && name[0] != '.' && name.compare(name.size() - 4, 4, ".txt") == 0;
}

// The first problem, with the file named by its name alone rather than its whole path.
std::string ShortProblem(const std::string& line, const UserLevel& entry) {
  if (line.compare(0, entry.path.size(), entry.path) == 0)
    return entry.fileName + line.substr(entry.path.size());
  return line;
}

}  // namespace

std::vector<UserLevel> ListUserLevels(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (IsLevelFileName(name) && !it->is_directory(typeError)) files.push_back(name);
  }
  std::sort(files.begin(), files.end());
  if (files.size() > kMostUserLevels) files.resize(kMostUserLevels);
  std::vector<UserLevel> levels;
  for (const std::string& fileName : files) {
    UserLevel entry;
    entry.fileName = fileName;
    entry.path = (fs::path(folder) / fileName).string();
    std::vector<std::string> problems;
    if (ReadLevelFile(entry.path, &entry.level, &problems) && problems.empty()) {
      const std::vector<LevelProblem> found = CheckLevel(entry.level);
      if (!found.empty()) problems.push_back(found[0].Line());
    }
    if (!problems.empty()) entry.problem = ShortProblem(problems[0], entry);
    entry.name = entry.level.name.empty() ? fileName : entry.level.name;
    levels.push_back(std::move(entry));
  }
  std::stable_sort(levels.begin(), levels.end(),
                   [](const UserLevel& a, const UserLevel& b) { return a.name < b.name; });
  return levels;
}

std::string FreeLevelFileName(const std::string& folder) {
  for (int n = 1;; ++n) {
    const std::string name = "level-" + std::to_string(n) + ".txt";
    std::error_code error;
    if (!fs::exists(fs::symlink_status(fs::path(folder) / name, error))) return name;
  }
}
