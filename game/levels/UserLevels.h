// The levels the player keeps in their own folder, as the level select lists them: every
// ".txt" file there, read afresh at each look, so a file copied in appears at the next visit.
#pragma once

#include <string>
#include <vector>

#include "LevelFile.h"

struct UserLevel {
  std::string path;      // the file, absolute when the folder is
  std::string fileName;  // the file's name in the folder
  std::string name;      // the level's name, else the file's: what its wins are kept under
  std::string problem;   // the first thing that keeps it from being played, one line; or empty
  Level level;           // what could be read
};

// At most this many files are read; the rest of a crowded folder is left unlisted.
constexpr std::size_t kMostUserLevels = 500;

// The levels of `folder` sorted by name, big and small letters alike (then by file name); empty
// when the folder is missing. Files that cannot be read, are too big or are no level are listed
// with their problem; none of them blocks or takes long.
std::vector<UserLevel> ListUserLevels(const std::string& folder);

// A file name in `folder` that no file has yet: "level-1.txt", "level-2.txt", ...
std::string FreeLevelFileName(const std::string& folder);
