// Runs kept on disk, one file each, in $XDG_DATA_HOME/vantrel/runs/ (else
// ~/.local/share/vantrel/runs/): NAME-last.run, the level's last win, and NAME-best.run, its
// fastest. A file is a few header lines, then the run's bytes as Run describes them:
//
//   vantrel run 1
//   level 1
//   checksum 5c0e31a2
//   version 1.0
//   speed 100
//   steps 2093
//   seconds 34.883
//   inputs 581
//   path 1047
//   <581 bytes of inputs, then 1047 bytes of path>
#pragma once

#include <string>

#include "Run.h"

constexpr const char* kRunFormat = "vantrel run";
constexpr int kRunFormatVersion = 1;
// Four hours of play come to well under a megabyte.
constexpr long kRunFileMaxBytes = 4l << 20;

std::string WriteRun(const RecordedRun& run);
// False, with one line in `problem`, for anything but a whole, sound run of this format or
// an older one: the reader trusts nothing in the bytes.
bool ReadRun(const std::string& bytes, RecordedRun* run, std::string* problem);
// The same from a regular file of at most kRunFileMaxBytes, without ever blocking.
bool ReadRunFile(const std::string& path, RecordedRun* run, std::string* problem);

// The name a level's runs are kept under: its file's name without folder or ".txt".
std::string RunNameOf(const std::string& levelFile);
// The folder, and a level's file in it ("last" or "best"); empty when there is no folder.
std::string RunsFolder();
std::string RunFilePath(const std::string& levelName, const char* which);

// Why `run` cannot be played on the level with `checksum` by this game, or empty.
std::string RunMismatch(const RecordedRun& run, uint32_t checksum);

// Keeps a win as the level's last run, and as its best when no best there can be played
// or it is faster. Each file is replaced whole under a lock, as the progress file is.
// False, with one line said once, when a file could not be written.
bool KeepWonRun(const std::string& levelName, const RecordedRun& run);
