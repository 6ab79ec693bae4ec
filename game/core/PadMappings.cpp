#include "PadMappings.h"

#include <vector>

#include "SavedFile.h"

std::string PadMappingsFilePath() {
  return UserFilePath("XDG_CONFIG_HOME", ".config", "gamecontrollerdb.txt");
}

int AddPadMappings(const std::string& path, int (*add)(const char* line)) {
  std::string text;
  mode_t mode = 0;
  std::string problem;
  const std::string where = "Pad mappings in " + path + ": ";
  switch (ReadSavedFile(path, kPadMappingsMaxBytes, &text, &mode, &problem)) {
    case SavedFileRead::kMissing:
      return 0;
    case SavedFileRead::kUnreadable:
      SayOnce("Cannot read pad mappings in " + path + ": " + problem);
      return 0;
    case SavedFileRead::kTooBig:
      // The last line is cut somewhere in the middle.
      text.erase(text.rfind('\n', kPadMappingsMaxBytes - 1) + 1);
      problem = "the file is larger than " + std::to_string(kPadMappingsMaxBytes >> 20) +
                " MB; only the mappings in its first " +
                std::to_string(kPadMappingsMaxBytes >> 20) + " MB are used";
      break;
    case SavedFileRead::kRead:
      break;
  }
  const std::vector<std::string> lines = SplitLines(text);
  int taken = 0, refused = 0;
  size_t firstRefused = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t start = lines[i].find_first_not_of(" \t");
    if (start == std::string::npos || lines[i][start] == '#') continue;
    if (taken == kPadMappingsMaxTaken) {
      problem = "only the first " + std::to_string(kPadMappingsMaxTaken) +
                " mappings for this system are used";
      break;
    }
    const int answer = add(lines[i].c_str());
    if (answer > 0) ++taken;
    if (answer < 0 && refused++ == 0) firstRefused = i;
  }
  if (!problem.empty()) SayOnce(where + problem);
  if (refused > 0)
    SayOnce(where + std::to_string(refused) + (refused == 1 ? " line is" : " lines are") +
            " not a mapping and skipped, the first line " + std::to_string(firstRefused + 1) +
            ": " + Quoted(lines[firstRefused]));
  return taken;
}
