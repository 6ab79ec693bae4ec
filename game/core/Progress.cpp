#include "Progress.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

#include "SavedFile.h"

namespace fs = std::filesystem;

namespace {

const char kHeaderStart[] = "vantrel progress ";
constexpr long kVersion = 1;
constexpr int kLastLevel = 8;  // six story levels, then two trials
// A real file is a few dozen bytes, but a person may keep notes in it: only what lies past
// a size no one writes by hand is left unread.
constexpr off_t kMaxFileSize = 4 * 1024 * 1024;

bool IsLevel(long level) { return level >= 1 && level <= kLastLevel; }

// Best times in tenths of a second by level: a tenth is what the screens show, so a best
// is beaten only by a run that shows a smaller time.
using Tenths = std::map<int, long>;

// Wins and best times of this run by file: shown even when the file could not take them,
// and written with the next win that can be kept.
std::map<std::string, unsigned> gWonThisRun;
std::map<std::string, Tenths> gBestThisRun;

// The player's own levels by name: the best time in tenths, 0 for a win without one.
using NamedTenths = std::map<std::string, long>;
std::map<std::string, NamedTenths> gOwnThisRun;

// The smaller time of each level of both.
Tenths Fastest(Tenths a, const Tenths& b) {
  for (const auto& [level, tenths] : b) {
    auto found = a.find(level);
    if (found == a.end() || tenths < found->second) a[level] = tenths;
  }
  return a;
}

// A win without a time counts, but any time beats it.
NamedTenths Fastest(NamedTenths a, const NamedTenths& b) {
  for (const auto& [name, tenths] : b) {
    auto found = a.find(name);
    if (found == a.end() || (tenths > 0 && (found->second == 0 || tenths < found->second)))
      a[name] = tenths;
  }
  return a;
}

// What reading the file found. `lines` are the lines after the header without the won
// ones and the readable best times, which go back before lines[wonAt]: the won levels
// merged into one line, then one best line per level.
struct ProgressFile {
  enum class State { kMissing, kRead, kDamaged, kUnreadable, kNewer, kTooBig };
  State state = State::kMissing;
  std::string problem;  // why it is damaged or unreadable
  unsigned won = 0;
  Tenths best;
  NamedTenths own;
  std::vector<std::string> lines;
  size_t wonAt = 0;
  std::vector<std::string> oddWords;  // words of the won lines that are no level, in order
  mode_t mode = 0;                    // permissions of the file read, 0 when there was none
};

// Only digits, and few enough that the value cannot overflow.
long WholeNumber(const std::string& word) {
  if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != word.npos)
    return -1;
  return std::stol(word);
}

// "83.4" and the like: up to six digits of seconds and at most one decimal (more are cut,
// as the screens cut them); -1 for anything else, and for no time at all.
long ParseTenths(const std::string& word) {
  const size_t point = word.find('.');
  const std::string whole = word.substr(0, point);
  const std::string fraction = point == word.npos ? "0" : word.substr(point + 1);
  if (whole.size() > 6 || fraction.size() > 3) return -1;
  const long seconds = WholeNumber(whole), decimals = WholeNumber(fraction);
  if (seconds < 0 || decimals < 0) return -1;
  const long tenths = seconds * 10 + fraction[0] - '0';
  return tenths > 0 ? tenths : -1;
}

// "best LEVEL SECONDS"; false, leaving `best` alone, for any other line.
bool ReadBestLine(const std::string& line, Tenths* best) {
  std::istringstream words(line);
  std::string word, level, time, more;
  if (!(words >> word >> level >> time) || word != "best" || (words >> more)) return false;
  const long number = WholeNumber(level), tenths = ParseTenths(time);
  if (!IsLevel(number) || tenths < 0) return false;
  *best = Fastest(*best, {{int(number), tenths}});
  return true;
}

std::string TimeWord(long tenths) {
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string BestLine(int level, long tenths) {
  return "best " + std::to_string(level) + " " + TimeWord(tenths);
}

// A name as one word a person can still read: bytes outside printable ASCII, spaces and '%'
// become %XX.
std::string EscapedName(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string word;
  for (const unsigned char byte : name) {
    if (byte > ' ' && byte < 0x7f && byte != '%') {
      word += char(byte);
    } else {
      word += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  return word;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// False for an empty name or a '%' without two hex digits.
bool UnescapedName(const std::string& word, std::string* name) {
  name->clear();
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '%') {
      *name += word[i];
      continue;
    }
    const int high = i + 2 < word.size() ? HexDigit(word[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(word[i + 2]) : -1;
    if (low < 0) return false;
    *name += char(high * 16 + low);
    i += 2;
  }
  return !name->empty();
}

// "own NAME SECONDS", "-" for a win without a time; false, leaving `own` alone, for any other
// line. Older copies of the game read no such line and keep it as it is.
bool ReadOwnLine(const std::string& line, NamedTenths* own) {
  std::istringstream words(line);
  std::string word, escaped, time, more, name;
  if (!(words >> word >> escaped >> time) || word != "own" || (words >> more)) return false;
  const long tenths = time == "-" ? 0 : ParseTenths(time);
  if (tenths < 0 || !UnescapedName(escaped, &name)) return false;
  *own = Fastest(*own, {{name, tenths}});
  return true;
}

std::string OwnLine(const std::string& name, long tenths) {
  return "own " + EscapedName(name) + " " + (tenths > 0 ? TimeWord(tenths) : "-");
}

void Parse(const std::string& text, ProgressFile* file) {
  std::vector<std::string> lines = SplitLines(text);
  file->state = ProgressFile::State::kRead;
  if (lines.empty()) return;
  std::string header = lines[0];
  header.erase(header.find_last_not_of(" \t") + 1);
  const long version = header.compare(0, sizeof kHeaderStart - 1, kHeaderStart) == 0
                           ? WholeNumber(header.substr(sizeof kHeaderStart - 1))
                           : -1;
  if (version < 1) {
    file->state = ProgressFile::State::kDamaged;
    file->problem = "it does not begin with \"vantrel progress\"";
    return;
  }
  if (version > kVersion) file->state = ProgressFile::State::kNewer;
  bool wonSeen = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    if (ReadBestLine(lines[i], &file->best) || ReadOwnLine(lines[i], &file->own)) continue;
    std::istringstream words(lines[i]);
    std::string word;
    if (!(words >> word) || word != "won") {
      file->lines.push_back(lines[i]);
      continue;
    }
    if (!wonSeen) file->wonAt = file->lines.size();
    wonSeen = true;
    while (words >> word) {
      const long level = WholeNumber(word);
      if (IsLevel(level)) {
        file->won |= 1u << level;
      } else {
        file->oddWords.push_back(word);
      }
    }
  }
  if (!wonSeen) file->wonAt = file->lines.size();
}

std::string Format(const ProgressFile& file, unsigned won, const Tenths& best,
                   const NamedTenths& own) {
  std::string wonLine = "won";
  for (int level = 1; level <= kLastLevel; ++level) {
    if (won & (1u << level)) wonLine += " " + std::to_string(level);
  }
  for (const std::string& word : file.oddWords) wonLine += " " + word;
  for (const auto& [level, tenths] : best) wonLine += "\n" + BestLine(level, tenths);
  for (const auto& [name, tenths] : own) wonLine += "\n" + OwnLine(name, tenths);
  std::string text = std::string(kHeaderStart) + std::to_string(kVersion) + "\n";
  for (size_t i = 0; i <= file.lines.size(); ++i) {
    if (i == file.wonAt) text += wonLine + "\n";
    if (i < file.lines.size()) text += file.lines[i] + "\n";
  }
  return text;
}

ProgressFile ReadProgress(const std::string& path) {
  ProgressFile file;
  std::string text;
  switch (ReadSavedFile(path, kMaxFileSize, &text, &file.mode, &file.problem)) {
    case SavedFileRead::kMissing:
      return file;
    case SavedFileRead::kUnreadable:
      file.state = ProgressFile::State::kUnreadable;
      return file;
    case SavedFileRead::kTooBig:
      // The wins in the whole lines read still count; the rest is never written over.
      if (const size_t end = text.rfind('\n', kMaxFileSize - 1); end != text.npos)
        text.erase(end + 1);
      Parse(text, &file);
      if (file.state != ProgressFile::State::kDamaged) file.state = ProgressFile::State::kTooBig;
      return file;
    case SavedFileRead::kRead:
      break;
  }
  Parse(text, &file);
  return file;
}

// Says once what is wrong with the file, if anything.
void Describe(const std::string& path, const ProgressFile& file) {
  using State = ProgressFile::State;
  switch (file.state) {
    case State::kUnreadable:
      SayOnce("Cannot read progress in " + path + ": " + file.problem);
      return;
    case State::kDamaged:
      SayOnce("Progress file " + path + " is damaged (" + file.problem +
              "): no level in it counts as won; the next win keeps it aside as " + path +
              ".damaged");
      return;
    case State::kNewer:
      SayOnce("Progress file " + path +
              " comes from a newer version of the game: its wins count, but it is not "
              "written over");
      return;
    case State::kTooBig:
      SayOnce("Progress file " + path + " is larger than " + std::to_string(kMaxFileSize >> 20) +
              " MB: the wins in its first " + std::to_string(kMaxFileSize >> 20) +
              " MB count, but it is not written over");
      return;
    default:
      break;
  }
  std::vector<std::string> skipped;
  for (const std::string& word : file.oddWords) skipped.push_back(Quoted(word));
  for (const std::string& line : file.lines) {
    if (line.find_first_not_of(" \t") != line.npos) skipped.push_back(Quoted(line));
  }
  if (skipped.empty()) return;
  std::string list;
  for (size_t i = 0; i < skipped.size() && i < 3; ++i) list += (i ? ", " : "") + skipped[i];
  if (skipped.size() > 3) list += " and " + std::to_string(skipped.size() - 3) + " more";
  SayOnce("Progress file " + path +
          ": kept, but skipped what is neither a won level nor a best time: " + list);
}

// Keeps a damaged file under a name of its own before a new one takes its place.
bool KeepAside(const std::string& path, std::string* problem) {
  for (int n = 1; n < 100; ++n) {
    const std::string aside = path + ".damaged" + (n > 1 ? std::to_string(n) : "");
    if (link(path.c_str(), aside.c_str()) == 0) return true;
    if (errno != EEXIST) break;
  }
  *problem = std::string("it is damaged and could not be kept aside: ") + std::strerror(errno);
  return false;
}

std::string NoFolderLine() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] != '\0')
    return std::string("Cannot keep progress: XDG_DATA_HOME (") + data +
           ") is not an absolute path and HOME is not set";
  return "Cannot keep progress: neither XDG_DATA_HOME nor HOME is set";
}

}  // namespace

// The nudge keeps a tenth read back from the file (83.4 held as 83.39999...) on itself.
long TimeInTenths(double seconds) { return seconds > 0 ? long(seconds * 10 + 1e-6) : 0; }

std::string ProgressFilePath() {
  return UserFilePath("XDG_DATA_HOME", ".local/share", "progress.txt");
}

std::string UserLevelsFolder() { return UserFilePath("XDG_DATA_HOME", ".local/share", "levels"); }

unsigned LoadWonLevels(BestTimes* best) {
  if (best) *best = BestTimes();
  const std::string path = ProgressFilePath();
  if (path.empty()) return 0;
  const ProgressFile file = ReadProgress(path);
  Describe(path, file);
  if (best) {
    for (const auto& [level, tenths] : Fastest(file.best, gBestThisRun[path]))
      best->seconds[level] = double(tenths) / 10;
  }
  return file.won | gWonThisRun[path];
}

namespace {

// Rewrites the file with the wins and times of this run merged in.
bool KeepThisRun(const std::string& path) {
  const std::string kept = "; this run still counts the win";
  const SavedFileUpdate update(path);
  if (!update.Ready()) {
    SayOnce("Cannot keep progress in " + path + ": " + update.Problem() + kept);
    return false;
  }
  const std::string& target = update.Target();
  ProgressFile file = ReadProgress(target);
  Describe(path, file);
  std::string problem;
  switch (file.state) {
    case ProgressFile::State::kUnreadable:
      problem = "it could not be read, so it is not written over";
      break;
    case ProgressFile::State::kNewer:
      problem = "it comes from a newer version of the game, so it is not written over";
      break;
    case ProgressFile::State::kTooBig:
      problem = "it is too big to read whole, so it is not written over";
      break;
    case ProgressFile::State::kDamaged:
      if (KeepAside(target, &problem)) file = ProgressFile();
      break;
    default:
      break;
  }
  if (problem.empty()) {
    const unsigned won = file.won | gWonThisRun[path];
    const Tenths best = Fastest(file.best, gBestThisRun[path]);
    const NamedTenths own = Fastest(file.own, gOwnThisRun[path]);
    if (file.state == ProgressFile::State::kRead && won == file.won && best == file.best &&
        own == file.own)
      return true;
    if (WriteReplacing(target, Format(file, won, best, own), file.mode, &problem)) return true;
  }
  SayOnce("Cannot keep progress in " + path + ": " + problem + kept);
  return false;
}

// A run too short to show any time counts as a tenth: no best is ever zero.
long RunTenths(double seconds) { return seconds > 0 ? std::max(1L, TimeInTenths(seconds)) : 0; }

}  // namespace

bool RecordWonLevel(int level, double seconds) {
  if (!IsLevel(level)) return false;
  const std::string path = ProgressFilePath();
  if (path.empty()) {
    SayOnce(NoFolderLine());
    return false;
  }
  gWonThisRun[path] |= 1u << level;
  if (seconds > 0) gBestThisRun[path] = Fastest(gBestThisRun[path], {{level, RunTenths(seconds)}});
  return KeepThisRun(path);
}

NamedBestTimes LoadWonNamedLevels() {
  NamedBestTimes won;
  const std::string path = ProgressFilePath();
  if (path.empty()) return won;
  const ProgressFile file = ReadProgress(path);
  Describe(path, file);
  for (const auto& [name, tenths] : Fastest(file.own, gOwnThisRun[path]))
    won[name] = double(tenths) / 10;
  return won;
}

bool RecordWonNamedLevel(const std::string& name, double seconds) {
  if (name.empty()) return false;
  const std::string path = ProgressFilePath();
  if (path.empty()) {
    SayOnce(NoFolderLine());
    return false;
  }
  gOwnThisRun[path] = Fastest(gOwnThisRun[path], {{name, RunTenths(seconds)}});
  return KeepThisRun(path);
}
