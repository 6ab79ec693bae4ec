// Which levels the player has won, remembered between runs in one small file under the
// user's data folder. Every level stays open; the won ones are only marked.
#pragma once

#include <string>

// $XDG_DATA_HOME/vantrel/progress.txt, else ~/.local/share/vantrel/progress.txt; empty
// when neither folder is known.
std::string ProgressFilePath();
// Bit n is set for each won level n (1 to 8): those in the file, read leniently, and those
// won in this run. What the file holds that is not a won level is skipped after one line.
unsigned LoadWonLevels();
// Adds `level` to the won levels. The file is rewritten under a lock shared with any other
// copy of the game: read, merged, written to a new file, synced and renamed over the old
// one, keeping what it did not understand. Returns false, after one line saying why, when
// the win could not be kept on disk; it still counts as won until the game ends.
bool RecordWonLevel(int level);
