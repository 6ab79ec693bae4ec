// Which levels the player has won and each one's best time, remembered between runs in
// one small file under the user's data folder. Every level stays open; the won ones are
// only marked.
#pragma once

#include <map>
#include <string>

// $XDG_DATA_HOME/vantrel/progress.txt, else ~/.local/share/vantrel/progress.txt; empty
// when neither folder is known.
std::string ProgressFilePath();
// $XDG_DATA_HOME/vantrel/levels, else ~/.local/share/vantrel/levels: the levels the player
// made, one file each; empty when neither folder is known.
std::string UserLevelsFolder();
// The fastest win of each level (index 1 to 8) in seconds, to a tenth; 0 where none.
struct BestTimes {
  double seconds[9] = {};
};

// A time cut to the tenth the screens show and the file keeps.
long TimeInTenths(double seconds);

// Bit n is set for each won level n (1 to 8): those in the file, read leniently, and those
// won in this run; `best`, when given, gets the best times the same way. What the file
// holds that is neither a won level nor a best time is skipped after one line.
unsigned LoadWonLevels(BestTimes* best = nullptr);
// Adds `level` to the won levels and, when `seconds` (above 0) beats its best time, makes
// it the best. The file is rewritten under a lock shared with any other copy of the game:
// read, merged, written to a new file, synced and renamed over the old one, keeping what it
// did not understand. Returns false, after one line saying why, when the win could not be
// kept on disk; it still counts, with its time, until the game ends.
bool RecordWonLevel(int level, double seconds = 0);

// The player's own levels won, by their level's name, each with its best time in seconds (0
// for a win without a time): those in the file, read leniently, and those won in this run.
using NamedBestTimes = std::map<std::string, double>;
NamedBestTimes LoadWonNamedLevels();
// As RecordWonLevel, for one of the player's own levels, kept under its name in the same
// file on lines older copies of the game skip and keep as they are.
bool RecordWonNamedLevel(const std::string& name, double seconds = 0);
