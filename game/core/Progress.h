// Which levels the player has won, remembered between runs in one small file under the
// user's data folder. Every level stays open; the won ones are only marked.
#pragma once

#include <string>

// $XDG_DATA_HOME/vantrel/progress.txt, else ~/.local/share/vantrel/progress.txt; empty
// when neither folder is known.
std::string ProgressFilePath();
// Bit n is set for each won level n (1 to 8). No file is no progress; an unreadable or
// corrupt file is no progress too, after one line saying so.
unsigned LoadWonLevels();
// Adds `level` to the won levels and writes the whole file anew: a temporary file renamed
// over the old one, so that a crash never leaves half a file. Returns false, after one
// line saying why, when the file cannot be written.
bool RecordWonLevel(int level);
