#include "LevelRoster.h"

#include "LevelNames.h"
#include "Levels.h"

GameState* CreateLevel(int number) {
  switch (number) {
    case 1:
      return new Level1;
    case 2:
      return new Level2;
    case 3:
      return new Level3;
    case 4:
      return new Level4;
    case 5:
      return new Level5;
    case 6:
      return new Level6;
    case 7:
      return new Trial1;
    case 8:
      return new Trial2;
    default:
      return nullptr;
  }
}

const LevelCast* LevelCastOf(int number) {
  static const LevelCast* const kCasts[kLevelCount] = {&kLevel1Cast, &kLevel2Cast, &kLevel3Cast,
                                                       &kLevel4Cast, &kLevel5Cast, &kLevel6Cast,
                                                       &kTrial1Cast, &kTrial2Cast};
  return number >= 1 && number <= kLevelCount ? kCasts[number - 1] : nullptr;
}

const char* LevelName(int number) {
  static_assert(sizeof kLevelNames / sizeof kLevelNames[0] == kLevelCount);
  return number >= 1 && number <= kLevelCount ? kLevelNames[number - 1] : "";
}
