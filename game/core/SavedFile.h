// The player's own files (progress, settings): read without ever blocking, rewritten under
// a lock shared with any other copy of the game, and replaced whole so that a crash leaves
// either the old file or the new one.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Prints `line` the first time it is asked to in this run, and never again.
void SayOnce(const std::string& line);
// Something a player can read in a message, however odd the bytes; cut after 24.
std::string Quoted(const std::string& text);
// Lines without their '\n' or "\r\n"; a UTF-8 byte-order mark at the start is dropped.
std::vector<std::string> SplitLines(std::string text);

enum class SavedFileRead { kRead, kMissing, kUnreadable, kTooBig };
// Reads a regular file of at most maxSize bytes; anything else (a pipe, a folder) is
// refused without blocking. `mode` gets the file's permissions, `problem` why it failed.
SavedFileRead ReadSavedFile(const std::string& path, off_t maxSize, std::string* text, mode_t* mode,
                            std::string* problem);

// $VARIABLE/vantrel/NAME, else $HOME/HOME_FOLDER/vantrel/NAME; empty when neither is an
// absolute folder (a relative one is invalid and ignored).
std::string UserFilePath(const char* variable, const char* homeFolder, const char* name);

// Held while a file is read, changed and renamed, so that two copies of the game never lose
// each other's changes: a lock file beside it, since the file itself is replaced. Taking it
// follows a symbolic link to the file it names (the link stays a link, and a file it names
// that does not exist yet is created there), creates the folder and clears the new copies
// that saves killed before their rename left behind.
class SavedFileUpdate {
 public:
  explicit SavedFileUpdate(const std::string& path);
  ~SavedFileUpdate();
  SavedFileUpdate(const SavedFileUpdate&) = delete;
  SavedFileUpdate& operator=(const SavedFileUpdate&) = delete;
  bool Ready() const { return fd_ >= 0; }
  const std::string& Target() const { return target_; }  // the file to read and replace
  const std::string& Problem() const { return problem_; }

 private:
  int fd_ = -1;
  std::string target_;
  std::string problem_;
};
// Writes `text` to a new copy, syncs it, gives it `mode` (when not 0), renames it over
// `path` and syncs the folder. Returns false, with `problem` set, leaving the old file.
bool WriteReplacing(const std::string& path, const std::string& text, mode_t mode,
                    std::string* problem);
