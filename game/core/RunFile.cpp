#include "RunFile.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "Progress.h"
#include "SavedFile.h"

namespace {

// A header line never comes near this; a file of random bytes is refused early.
constexpr size_t kLongestHeaderLine = 64;
constexpr int kHeaderLines = 9;

bool ReadNumber(const std::string& text, unsigned long long most, unsigned long long* value) {
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  *value = std::strtoull(text.c_str(), nullptr, 10);
  return *value <= most;
}

}  // namespace

std::string WriteRun(const RecordedRun& run) {
  char header[512];
  std::snprintf(header, sizeof header,
                "%s %d\nlevel %d\nchecksum %08" PRIx32 "\nversion %s\nspeed %d\nsteps %" PRIu32
                "\nseconds %.3f\ninputs %zu\npath %zu\n",
                kRunFormat, kRunFormatVersion, run.level, run.checksum, run.version.c_str(),
                run.speed, run.steps, run.seconds, run.inputs.size(), run.path.size());
  std::string bytes = header;
  bytes.append(run.inputs.begin(), run.inputs.end());
  bytes.append(run.path.begin(), run.path.end());
  return bytes;
}

bool ReadRun(const std::string& bytes, RecordedRun* out, std::string* problem) {
  RecordedRun run;
  size_t at = 0;
  unsigned long long inputs = 0, path = 0;
  for (int line = 0; line < kHeaderLines; ++line) {
    const size_t end = bytes.find('\n', at);
    if (end == std::string::npos || end - at > kLongestHeaderLine) {
      *problem = line == 0 ? "not a run file" : "the run is cut short";
      return false;
    }
    const std::string text = bytes.substr(at, end - at);
    at = end + 1;
    const size_t space = text.rfind(' ');
    const std::string key = space == std::string::npos ? text : text.substr(0, space);
    const std::string value = space == std::string::npos ? "" : text.substr(space + 1);
    unsigned long long number = 0;
    if (line == 0) {
      if (key != kRunFormat || !ReadNumber(value, 1000000, &number) || number == 0) {
        *problem = "not a run file";
        return false;
      }
      if (number > kRunFormatVersion) {
        *problem = "a run from a newer version of the game";
        return false;
      }
      continue;
    }
    static const char* const kKeys[kHeaderLines] = {
        "", "level", "checksum", "version", "speed", "steps", "seconds", "inputs", "path"};
    if (key != kKeys[line]) {
      *problem = "a damaged run: line " + std::to_string(line + 1) + " is not " + kKeys[line];
      return false;
    }
    bool good = true;
    switch (line) {
      case 1:
        good = ReadNumber(value, 1000, &number);
        run.level = int(number);
        break;
      case 2:
        good =
            value.size() == 8 && value.find_first_not_of("0123456789abcdef") == std::string::npos;
        run.checksum = uint32_t(std::strtoul(value.c_str(), nullptr, 16));
        break;
      case 3:
        good = !value.empty();
        run.version = value;
        break;
      case 4:
        good = ReadNumber(value, 100, &number) && number > 0;
        run.speed = int(number);
        break;
      case 5:
        good = ReadNumber(value, kMostRunSteps, &number);
        run.steps = uint32_t(number);
        break;
      case 6: {
        char* end = nullptr;
        run.seconds = std::strtod(value.c_str(), &end);
        good = !value.empty() && *end == '\0' && run.seconds >= 0 && run.seconds < 1e6;
        break;
      }
      case 7:
        good = ReadNumber(value, kRunFileMaxBytes, &inputs);
        break;
      case 8:
        good = ReadNumber(value, kRunFileMaxBytes, &path);
        break;
    }
    if (!good) {
      *problem = "a damaged run: its " + key + " " + Quoted(value);
      return false;
    }
  }
  if (bytes.size() - at != inputs + path) {
    *problem = bytes.size() - at < inputs + path ? "the run is cut short"
                                                 : "a damaged run: bytes after its end";
    return false;
  }
  run.inputs.assign(bytes.begin() + long(at), bytes.begin() + long(at + inputs));
  run.path.assign(bytes.begin() + long(at + inputs), bytes.end());
  RunReader reader(run);
  while (!reader.Done() && !reader.Damaged()) reader.Next();
  std::vector<KEVec2> places;
  if (reader.Damaged() || !reader.AtEnd() || !ReadRunPath(run, &places)) {
    *problem = "a damaged run: its steps do not add up";
    return false;
  }
  *out = std::move(run);
  return true;
}

bool ReadRunFile(const std::string& path, RecordedRun* run, std::string* problem) {
  std::string bytes;
  mode_t mode = 0;
  switch (ReadSavedFile(path, kRunFileMaxBytes, &bytes, &mode, problem)) {
    case SavedFileRead::kRead:
      break;
    case SavedFileRead::kMissing:
      *problem = "no such file";
      return false;
    case SavedFileRead::kTooBig:
      *problem = "too big for a run";
      return false;
    case SavedFileRead::kUnreadable:
      return false;
  }
  return ReadRun(bytes, run, problem);
}

std::string RunNameOf(const std::string& levelFile) {
  std::string name = levelFile.substr(levelFile.rfind('/') + 1);
  const size_t dot = name.rfind(".txt");
  if (dot != std::string::npos && dot + 4 == name.size()) name.erase(dot);
  return name;
}

std::string RunsFolder() { return UserFilePath("XDG_DATA_HOME", ".local/share", "runs"); }

std::string RunFilePath(const std::string& levelName, const char* which) {
  const std::string folder = RunsFolder();
  return folder.empty() ? "" : folder + "/" + levelName + "-" + which + ".run";
}

std::string RunMismatch(const RecordedRun& run, uint32_t checksum) {
  if (run.checksum != checksum) return "recorded on another version of this level";
  if (run.version != VANTREL_VERSION)
    return "recorded by version " + run.version + " of the game, this is " VANTREL_VERSION;
  return "";
}

namespace {

// The best kept stays unless this run is faster, or the kept one can no longer be played.
bool Beats(const RecordedRun& run, const std::string& bestPath) {
  RecordedRun best;
  std::string problem;
  if (!ReadRunFile(bestPath, &best, &problem)) return true;
  if (!RunMismatch(best, run.checksum).empty()) return true;
  return TimeInTenths(run.seconds) < TimeInTenths(best.seconds);
}

// Under the file's lock, so that two copies of the game winning at once keep the faster.
bool Replace(const std::string& path, const RecordedRun& run, bool onlyFaster) {
  const SavedFileUpdate update(path);
  std::string problem = update.Problem();
  if (update.Ready()) {
    if (onlyFaster && !Beats(run, update.Target())) return true;
    if (WriteReplacing(update.Target(), WriteRun(run), 0, &problem)) return true;
  }
  SayOnce("Cannot keep the run in " + path + ": " + problem);
  return false;
}

}  // namespace

bool KeepWonRun(const std::string& levelName, const RecordedRun& run) {
  const std::string last = RunFilePath(levelName, "last");
  if (last.empty()) {
    SayOnce("Cannot keep runs: neither XDG_DATA_HOME nor HOME names a folder");
    return false;
  }
  const bool lastKept = Replace(last, run, false);
  return Replace(RunFilePath(levelName, "best"), run, true) && lastKept;
}
