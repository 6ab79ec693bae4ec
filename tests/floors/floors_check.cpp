// The floors of the house, from the ground up, and the check that keeps them: a file may
// include from its own floor or from one below, never from one above; and only the machine's
// floor talks to SDL. Reads the #include lines of the tree given (the source tree) and names
// every file and include that breaks a rule.
//
// Usage: floors_check SOURCE_DIR
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Floor {
  const char* name;
  std::vector<std::string> rooms;  // a folder ends in '/'; anything else names files by prefix
};

// The one list of the floors. A new folder of the game takes its place here.
const Floor kFloors[] = {
    {"the problem report", {"engine/KEReport."}},
    {"the machine's edge", {"engine/platform/", "audio/"}},
    {"the engine", {"engine/"}},
    {"the game's core", {"game/core/"}},
    {"the world", {"game/world/"}},
    {"the actors", {"game/actors/"}},
    {"the widgets", {"game/ui/"}},
    {"the play screen", {"game/play/"}},
    {"the levels", {"game/levels/"}},
    {"the editor", {"game/editor/"}},
    {"the front end", {"game/frontend/"}},
    {"the entry point", {"game/Main.cpp"}},
    {"the tools and benchmarks", {"tools/", "bench/"}},
};
constexpr int kFloorCount = int(sizeof kFloors / sizeof kFloors[0]);

// Everything else reaches the machine through the engine's and the audio service's calls. The
// benchmark's reference frame is a bare SDL program, measured beside the game's.
const char* const kSdlRooms[] = {"engine/platform/", "audio/", "bench/sdl_reference_frame.cpp"};

const char* const kScanned[] = {"engine", "audio", "game", "tools", "bench"};

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

bool IsSource(const fs::path& path) {
  const std::string ext = path.extension().string();
  return ext == ".h" || ext == ".hpp" || ext == ".c" || ext == ".cc" || ext == ".cpp";
}

// The floor of `file` (a path from the source tree's root): its longest room. -1 for none.
int FloorOf(const std::string& file) {
  int floor = -1;
  size_t longest = 0;
  for (int f = 0; f < kFloorCount; ++f) {
    for (const std::string& room : kFloors[f].rooms) {
      if (StartsWith(file, room) && room.size() > longest) {
        floor = f;
        longest = room.size();
      }
    }
  }
  return floor;
}

struct Include {
  int line;
  std::string name;
  bool angled;
};

std::vector<Include> IncludesOf(const fs::path& file) {
  std::vector<Include> includes;
  std::ifstream in(file);
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos || text[i] != '#') continue;
    i = text.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || text.compare(i, 7, "include") != 0) continue;
    i = text.find_first_of("\"<", i + 7);
    if (i == std::string::npos) continue;
    const size_t end = text.find(text[i] == '<' ? '>' : '"', i + 1);
    if (end == std::string::npos) continue;
    includes.push_back({line, text.substr(i + 1, end - i - 1), text[i] == '<'});
  }
  return includes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: floors_check SOURCE_DIR\n");
    return 2;
  }
  const fs::path root = argv[1];
  std::vector<std::string> files;  // from the root, with '/'
  for (const char* top : kScanned) {
    if (!fs::is_directory(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      if (entry.is_regular_file() && IsSource(entry.path()))
        files.push_back(entry.path().lexically_relative(root).generic_string());
    }
  }
  std::sort(files.begin(), files.end());
  // The game's include folders are flat: a bare name must name one file.
  std::multimap<std::string, std::string> byName;
  for (const std::string& file : files) byName.emplace(fs::path(file).filename().string(), file);

  int problems = 0;
  const auto report = [&problems](const std::string& file, int line, const std::string& what) {
    std::printf("%s:%d: %s\n", file.c_str(), line, what.c_str());
    ++problems;
  };
  for (const std::string& file : files) {
    const int floor = FloorOf(file);
    if (floor < 0) {
      report(file, 1, "lies on no floor: give its folder a floor in tests/floors/floors_check.cpp");
      continue;
    }
    const bool sdlAllowed =
        std::any_of(std::begin(kSdlRooms), std::end(kSdlRooms),
                    [&file](const char* room) { return StartsWith(file, room); });
    for (const Include& include : IncludesOf(root / file)) {
      const std::string shown =
          include.angled ? "<" + include.name + ">" : "\"" + include.name + "\"";
      if (StartsWith(fs::path(include.name).filename().string(), "SDL") && !sdlAllowed) {
        report(file, include.line,
               "includes " + shown + ": only engine/platform/ and audio/ talk to SDL");
      }
      if (include.angled) continue;
      // Beside the file first, then anywhere in the tree by the name and the folders it gives.
      std::string target;
      const fs::path beside = (fs::path(file).parent_path() / include.name).lexically_normal();
      if (fs::is_regular_file(root / beside)) {
        target = beside.generic_string();
      } else {
        const std::string tail = "/" + include.name;
        std::vector<std::string> found;
        const auto named = byName.equal_range(fs::path(include.name).filename().string());
        for (auto it = named.first; it != named.second; ++it) {
          const std::string& candidate = it->second;
          if (candidate.size() > tail.size() &&
              candidate.compare(candidate.size() - tail.size(), tail.size(), tail) == 0)
            found.push_back(candidate);
        }
        if (found.size() > 1) {
          report(file, include.line,
                 "includes " + shown + ", which names " + std::to_string(found.size()) +
                     " files: " + found[0] + ", " + found[1]);
          continue;
        }
        if (found.empty()) continue;  // not ours: a system or library header
        target = found[0];
      }
      const int targetFloor = FloorOf(target);
      if (targetFloor > floor) {
        report(file, include.line,
               "includes " + shown + " (" + target + "), a floor up: " + kFloors[floor].name +
                   " may not use " + kFloors[targetFloor].name);
      }
    }
  }
  if (problems > 0) {
    std::printf(
        "%d problem%s with the floors, which tests/floors/floors_check.cpp lists from "
        "the ground up\n",
        problems, problems == 1 ? "" : "s");
    return 1;
  }
  std::printf("The floors hold: %zu files, each including only from its own floor or below.\n",
              files.size());
  return 0;
}
