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

// The first problem without the file's path, which its row shows anyway: "path: what" is
// "what", "path line 3: what" is "line 3: what".
std::string ShortProblem(const std::string& line, const UserLevel& entry) {
  if (line.compare(0, entry.path.size(), entry.path) != 0) return line;
  const std::string rest = line.substr(entry.path.size());
  if (rest.compare(0, 2, ": ") == 0) return rest.substr(2);
  if (rest.compare(0, 6, " line ") == 0) return rest.substr(1);
  return line;
}

// Names as a person sorts them: "maze" beside "Maze", not after every capital.
bool Before(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : int(c); };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char x, char y) { return lower(x) < lower(y); });
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
                   [](const UserLevel& a, const UserLevel& b) { return Before(a.name, b.name); });
  return levels;
}

std::string FreeLevelFileName(const std::string& folder) {
  for (int n = 1;; ++n) {
    const std::string name = "level-" + std::to_string(n) + ".txt";
    std::error_code error;
    if (!fs::exists(fs::symlink_status(fs::path(folder) / name, error))) return name;
  }
}
