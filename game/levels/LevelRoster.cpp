#include "LevelRoster.h"

#include <optional>

#include "LevelCheck.h"
#include "LevelNames.h"
#include "Levels.h"
#include "RunFile.h"
#include "SavedFile.h"

namespace {

constexpr const char* kLevelFiles[kLevelCount] = {"Level1.txt", "Level2.txt", "Level3.txt",
                                                  "Level4.txt", "Level5.txt", "Level6.txt",
                                                  "Trial1.txt", "Trial2.txt"};
constexpr int kStoryLevels = 6;

// Read from the data folder once it has been read whole; a damaged file says so once and
// plays what could be read. One asked for before the move into the data folder is read again.
const LevelCast& CachedCast(int number) {
  static std::optional<LevelCast> casts[kLevelCount];
  std::optional<LevelCast>& cast = casts[number - 1];
  if (!cast || cast->grid.Empty()) {
    const char* file = kLevelFiles[number - 1];
    Level level;
    std::vector<std::string> problems;
    ReadLevelFile(file, &level, &problems);
    if (problems.empty() && !level.grid.Empty())
      for (const LevelProblem& problem : CheckLevel(level))
        problems.push_back(std::string(file) + ": " + problem.Line());
    for (const std::string& line : problems) SayOnce(line);
    cast = CastOf(level, file);
    // Level 1's fire rats take their post before the first frame, as they always have.
    cast->initializeWhenPlaced = number == 1;
  }
  return *cast;
}

LevelCast gFileCast;
std::string gFileName;

}  // namespace

void SetFileLevel(const LevelCast& cast, const std::string& name) {
  gFileCast = cast;
  // Apart from the game levels' runs, whatever the file is called.
  gFileCast.runName = "own-" + RunNameOf(cast.mapFile);
  gFileName = name;
}

const std::string& FileLevelName() { return gFileName; }

GameState* CreateLevel(int number) {
  if (number == kLevelFromFile) return gFileCast.grid.Empty() ? nullptr : new StoryLevel(gFileCast);
  if (number < 1 || number > kLevelCount) return nullptr;
  if (number <= kStoryLevels) return new StoryLevel(CachedCast(number));
  return new TrialLevel(CachedCast(number));
}

const LevelCast* LevelCastOf(int number) {
  return number >= 1 && number <= kLevelCount ? &CachedCast(number) : nullptr;
}

const char* LevelName(int number) {
  static_assert(sizeof kLevelNames / sizeof kLevelNames[0] == kLevelCount);
  return number >= 1 && number <= kLevelCount ? kLevelNames[number - 1] : "";
}
