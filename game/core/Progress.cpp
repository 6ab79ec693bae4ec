#include "Progress.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char kHeaderStart[] = "vantrel progress ";
constexpr long kVersion = 1;
constexpr int kLastLevel = 8;  // six story levels, then two trials
// A real file is a few dozen bytes; one far bigger is not ours.
constexpr off_t kMaxFileSize = 64 * 1024;
// Another copy of the game holds the lock only while it reads and renames.
constexpr int kLockWaitMs = 3000;

bool IsLevel(long level) { return level >= 1 && level <= kLastLevel; }

// Wins of this run by file: shown even when the file could not take them, and written
// with the next win that can be kept.
std::map<std::string, unsigned> gWonThisRun;

// Each problem is told once per run, however often the file is read.
void SayOnce(const std::string& line) {
  static std::set<std::string> said;
  if (said.insert(line).second) std::printf("%s\n", line.c_str());
}

// What reading the file found. `lines` are the lines after the header without the won
// ones, which are merged into one that goes back before lines[wonAt].
struct ProgressFile {
  enum class State { kMissing, kRead, kDamaged, kUnreadable, kNewer };
  State state = State::kMissing;
  std::string problem;  // why it is damaged or unreadable
  unsigned won = 0;
  std::vector<std::string> lines;
  size_t wonAt = 0;
  std::vector<std::string> oddWords;  // words of the won lines that are no level, in order
  mode_t mode = 0;                    // permissions of the file read, 0 when there was none
};

std::vector<std::string> SplitLines(std::string text) {
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Only digits, and few enough that the value cannot overflow.
long WholeNumber(const std::string& word) {
  if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != word.npos)
    return -1;
  return std::stol(word);
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

std::string Format(const ProgressFile& file, unsigned won) {
  std::string wonLine = "won";
  for (int level = 1; level <= kLastLevel; ++level) {
    if (won & (1u << level)) wonLine += " " + std::to_string(level);
  }
  for (const std::string& word : file.oddWords) wonLine += " " + word;
  std::string text = std::string(kHeaderStart) + std::to_string(kVersion) + "\n";
  for (size_t i = 0; i <= file.lines.size(); ++i) {
    if (i == file.wonAt) text += wonLine + "\n";
    if (i < file.lines.size()) text += file.lines[i] + "\n";
  }
  return text;
}

ProgressFile Unreadable(const std::string& problem) {
  ProgressFile file;
  file.state = ProgressFile::State::kUnreadable;
  file.problem = problem;
  return file;
}

ProgressFile ReadProgress(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    return errno == ENOENT ? ProgressFile() : Unreadable(std::strerror(errno));
  }
  const char* notRegular = "it is not a regular file";
  if (!S_ISREG(info.st_mode)) return Unreadable(notRegular);
  // Never blocking: a pipe put in the file's place between the two looks cannot freeze us.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Unreadable(std::strerror(errno));
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return Unreadable(notRegular);
  }
  std::string text(size_t(kMaxFileSize) + 1, '\0');
  size_t size = 0;
  while (size < text.size()) {
    const ssize_t got = read(fd, &text[size], text.size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const std::string problem = std::strerror(errno);
      close(fd);
      return Unreadable(problem);
    }
    if (got == 0) break;
    size += size_t(got);
  }
  close(fd);
  text.resize(size);
  ProgressFile file;
  file.mode = info.st_mode & 07777;
  if (off_t(size) > kMaxFileSize) {
    file.state = ProgressFile::State::kDamaged;
    file.problem = "it is far too big";
    return file;
  }
  Parse(text, &file);
  return file;
}

// Something the player could make sense of, however odd the bytes.
std::string Quoted(const std::string& text) {
  std::string shown = "\"";
  for (size_t i = 0; i < text.size() && i < 24; ++i)
    shown += (text[i] >= 32 && text[i] < 127) ? text[i] : '?';
  return shown + (text.size() > 24 ? "...\"" : "\"");
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
  SayOnce("Progress file " + path + ": kept, but skipped what is not a won level: " + list);
}

// Held while the file is read, merged and renamed, so that two copies of the game never
// lose each other's wins. A lock file beside it, since the file itself is replaced.
class ProgressLock {
 public:
  explicit ProgressLock(const std::string& path) {
    fd_ = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      problem_ = std::strerror(errno);
      return;
    }
    for (int waited = 0; flock(fd_, LOCK_EX | LOCK_NB) != 0; waited += 10) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= kLockWaitMs) {
        problem_ = errno == EWOULDBLOCK ? "another copy of the game keeps it locked"
                                        : std::strerror(errno);
        close(fd_);
        fd_ = -1;
        return;
      }
      usleep(10000);
    }
  }
  ~ProgressLock() {
    if (fd_ >= 0) close(fd_);
  }
  ProgressLock(const ProgressLock&) = delete;
  ProgressLock& operator=(const ProgressLock&) = delete;
  bool Held() const { return fd_ >= 0; }
  const std::string& Problem() const { return problem_; }

 private:
  int fd_ = -1;
  std::string problem_;
};

std::string TemporaryPrefix(const std::string& path) {
  return fs::path(path).filename().string() + ".tmp";
}

// A save killed before its rename leaves its new copy behind; under the lock no other save
// is writing one, so every copy there is stale.
void ClearStaleCopies(const std::string& path) {
  const std::string prefix = TemporaryPrefix(path);
  std::error_code error;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::path(path).parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, prefix.size(), prefix) == 0 && WholeNumber(name.substr(prefix.size())) >= 0)
      fs::remove(entry.path(), error);
  }
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

// A new copy, synced, renamed over the old file, and the folder synced, so that a crash
// at any moment leaves either the old file or the new one.
bool WriteReplacing(const std::string& path, const std::string& text, mode_t mode,
                    std::string* problem) {
  const fs::path folder = fs::path(path).parent_path();
  const std::string temporary =
      (folder / (TemporaryPrefix(path) + std::to_string(getpid()))).string();
  int failure = 0;
  const int fd =
      open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) failure = errno;
  for (size_t done = 0; !failure && done < text.size();) {
    const ssize_t put = write(fd, text.data() + done, text.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) failure = put < 0 ? errno : EIO;
    if (put > 0) done += size_t(put);
  }
  // A read-only file stays read-only.
  if (!failure && mode != 0 && fchmod(fd, mode) != 0) failure = errno;
  if (!failure && fsync(fd) != 0) failure = errno;
  if (fd >= 0 && close(fd) != 0 && !failure) failure = errno;
  if (!failure && rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
  if (failure) {
    *problem = std::strerror(failure);
    unlink(temporary.c_str());
    return false;
  }
  const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    fsync(folderFd);
    close(folderFd);
  }
  return true;
}

std::string NoFolderLine() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] != '\0')
    return std::string("Cannot keep progress: XDG_DATA_HOME (") + data +
           ") is not an absolute path and HOME is not set";
  return "Cannot keep progress: neither XDG_DATA_HOME nor HOME is set";
}

}  // namespace

std::string ProgressFilePath() {
  // A relative XDG_DATA_HOME is invalid and is ignored; so is a relative HOME.
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::string(data) + "/vantrel/progress.txt";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share/vantrel/progress.txt";
  return "";
}

unsigned LoadWonLevels() {
  const std::string path = ProgressFilePath();
  if (path.empty()) return 0;
  const ProgressFile file = ReadProgress(path);
  Describe(path, file);
  return file.won | gWonThisRun[path];
}

bool RecordWonLevel(int level) {
  if (!IsLevel(level)) return false;
  const std::string path = ProgressFilePath();
  if (path.empty()) {
    SayOnce(NoFolderLine());
    return false;
  }
  unsigned& wonThisRun = gWonThisRun[path];
  wonThisRun |= 1u << level;
  const std::string kept = "; this run still counts the win";
  std::error_code error;
  // Through a symbolic link to the file it names, so that the link stays a link.
  std::string target = fs::weakly_canonical(path, error).string();
  if (error) target = path;
  fs::create_directories(fs::path(target).parent_path(), error);
  if (error) {
    SayOnce("Cannot keep progress: no folder for " + path + " (" + error.message() + ")" + kept);
    return false;
  }
  const ProgressLock lock(target);
  if (!lock.Held()) {
    SayOnce("Cannot keep progress in " + path + ": " + lock.Problem() + kept);
    return false;
  }
  ClearStaleCopies(target);
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
    case ProgressFile::State::kDamaged:
      if (KeepAside(target, &problem)) file = ProgressFile();
      break;
    default:
      break;
  }
  if (problem.empty()) {
    const unsigned won = file.won | wonThisRun;
    if (file.state == ProgressFile::State::kRead && won == file.won) return true;
    if (WriteReplacing(target, Format(file, won), file.mode, &problem)) return true;
  }
  SayOnce("Cannot keep progress in " + path + ": " + problem + kept);
  return false;
}
