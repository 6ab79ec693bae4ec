#include "SavedFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "KEReport.h"

namespace fs = std::filesystem;

namespace {

// Another copy of the game holds the lock only while it reads and renames.
constexpr int kLockWaitMs = 3000;

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string TemporaryPrefix(const std::string& path) {
  return fs::path(path).filename().string() + ".tmp";
}

}  // namespace

void SayOnce(const std::string& line) {
  static std::set<std::string> said;
  if (said.insert(line).second) KEReport("%s", line.c_str());
}

std::string Quoted(const std::string& text) {
  std::string shown = "\"";
  for (size_t i = 0; i < text.size() && i < 24; ++i)
    shown += (text[i] >= 32 && text[i] < 127) ? text[i] : '?';
  return shown + (text.size() > 24 ? "...\"" : "\"");
}

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

SavedFileRead ReadSavedFile(const std::string& path, off_t maxSize, std::string* text, mode_t* mode,
                            std::string* problem) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return SavedFileRead::kMissing;
    *problem = std::strerror(errno);
    return SavedFileRead::kUnreadable;
  }
  const char* notRegular = "it is not a regular file";
  // Never blocking: a pipe put in the file's place between the two looks cannot freeze us.
  const int fd = S_ISREG(info.st_mode) ? open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
  if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    *problem = fd < 0 && S_ISREG(info.st_mode) ? std::strerror(errno) : notRegular;
    if (fd >= 0) close(fd);
    return SavedFileRead::kUnreadable;
  }
  // One byte past the limit tells a file that is too big; a small file costs a small buffer.
  const size_t limit = size_t(maxSize) + 1;
  text->assign(std::min(limit, size_t(std::max<off_t>(info.st_size, 0)) + 1), '\0');
  size_t size = 0;
  for (;;) {
    if (size == text->size() && size < limit) text->resize(std::min(limit, 2 * size));
    if (size == text->size()) break;
    const ssize_t got = read(fd, &(*text)[size], text->size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      *problem = std::strerror(errno);
      close(fd);
      return SavedFileRead::kUnreadable;
    }
    if (got == 0) break;
    size += size_t(got);
  }
  close(fd);
  text->resize(size);
  *mode = info.st_mode & 07777;
  return off_t(size) > maxSize ? SavedFileRead::kTooBig : SavedFileRead::kRead;
}

std::string UserFilePath(const char* variable, const char* homeFolder, const char* name) {
  const char* folder = std::getenv(variable);
  if (folder && folder[0] == '/') return std::string(folder) + "/vantrel/" + name;
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/" + homeFolder + "/vantrel/" + name;
  return "";
}

SavedFileUpdate::SavedFileUpdate(const std::string& path) {
  std::error_code error;
  // Link by link, since a link whose file does not exist yet names where to create it.
  target_ = path;
  for (int links = 0;; ++links) {
    const fs::path resolved = fs::weakly_canonical(target_, error);
    if (!error) target_ = resolved.string();
    if (!fs::is_symlink(fs::symlink_status(target_, error))) break;
    const fs::path next = fs::read_symlink(target_, error);
    if (error || links == 40) {
      problem_ = error ? error.message() : std::strerror(ELOOP);
      return;
    }
    target_ = (fs::path(target_).parent_path() / next).string();
  }
  fs::create_directories(fs::path(target_).parent_path(), error);
  if (error) {
    problem_ = "no folder for it (" + error.message() + ")";
    return;
  }
  fd_ = open((target_ + ".lock").c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    problem_ = std::strerror(errno);
    return;
  }
  for (int waited = 0; flock(fd_, LOCK_EX | LOCK_NB) != 0; waited += 10) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= kLockWaitMs) {
      problem_ =
          errno == EWOULDBLOCK ? "another copy of the game keeps it locked" : std::strerror(errno);
      close(fd_);
      fd_ = -1;
      return;
    }
    usleep(10000);
  }
  // Under the lock no other save is writing a new copy: every one there is stale.
  const std::string prefix = TemporaryPrefix(target_);
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::path(target_).parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, prefix.size(), prefix) == 0 && AllDigits(name.substr(prefix.size())))
      fs::remove(entry.path(), error);
  }
}

SavedFileUpdate::~SavedFileUpdate() {
  if (fd_ >= 0) close(fd_);
}

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
