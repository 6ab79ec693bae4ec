// The player's own game-controller mappings, one line each in the community's format:
// $XDG_CONFIG_HOME/vantrel/gamecontrollerdb.txt, else ~/.config/vantrel/gamecontrollerdb.txt.
#pragma once

#include <string>

// At most this much of the file is read: the community's whole file for every system is
// well under a megabyte.
constexpr long kPadMappingsMaxBytes = 2 * 1024 * 1024;
// Each mapping taken costs more than the one before it: a few thousand keep the start quick,
// and no system has even a thousand in the community's file.
constexpr int kPadMappingsMaxTaken = 3000;

// Empty when neither folder is known.
std::string PadMappingsFilePath();
// Reads the file the way the settings are read (a regular file only, never blocking) and
// hands each line that is not a comment to `add`, which answers 1 for a mapping taken, 0 for
// one meant for another system and -1 for one it refuses. What the bounds above leave out
// gets one line, the refused lines another. Returns how many were taken.
int AddPadMappings(const std::string& path, int (*add)(const char* line));
