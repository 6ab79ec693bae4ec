#include "Progress.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char kHeader[] = "vantrel progress 1";
constexpr int kLastLevel = 8;  // six story levels, then two trials
// A real file is a few dozen bytes; anything much bigger is not ours.
constexpr long kMaxFileSize = 1024;

bool IsLevel(long level) { return level >= 1 && level <= kLastLevel; }

// "vantrel progress 1", then "won" and the won level numbers; nothing else.
bool Parse(const std::string& text, unsigned* won) {
  std::istringstream in(text);
  std::string header, word;
  if (!std::getline(in, header) || header != kHeader) return false;
  if (!(in >> word) || word != "won") return false;
  *won = 0;
  for (long level; in >> level;) {
    if (!IsLevel(level)) return false;
    *won |= 1u << level;
  }
  // Stopped by something that is not a number rather than by the end of the file.
  return in.eof();
}

std::string Format(unsigned won) {
  std::string text = std::string(kHeader) + "\nwon";
  for (int level = 1; level <= kLastLevel; ++level) {
    if (won & (1u << level)) text += " " + std::to_string(level);
  }
  return text + "\n";
}

bool WriteWhole(const std::string& path, const std::string& text) {
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  if (error) {
    std::printf("Cannot keep progress: no folder for %s (%s)\n", path.c_str(),
                error.message().c_str());
    return false;
  }
  const std::string temporary = path + ".tmp" + std::to_string(getpid());
  FILE* file = std::fopen(temporary.c_str(), "w");
  bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                 std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  if (file && std::fclose(file) != 0) written = false;
  if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::printf("Cannot keep progress in %s: %s\n", path.c_str(), std::strerror(errno));
  std::remove(temporary.c_str());
  return false;
}

}  // namespace

std::string ProgressFilePath() {
  // A relative XDG_DATA_HOME is invalid and is ignored.
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::string(data) + "/vantrel/progress.txt";
  const char* home = std::getenv("HOME");
  if (home && home[0] != '\0') return std::string(home) + "/.local/share/vantrel/progress.txt";
  return "";
}

unsigned LoadWonLevels() {
  const std::string path = ProgressFilePath();
  if (path.empty()) return 0;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    if (errno != ENOENT)
      std::printf("Cannot read progress in %s: %s\n", path.c_str(), std::strerror(errno));
    return 0;
  }
  std::string text(kMaxFileSize + 1, '\0');
  text.resize(std::fread(&text[0], 1, text.size(), file));
  std::fclose(file);
  unsigned won = 0;
  if (long(text.size()) > kMaxFileSize || !Parse(text, &won)) {
    std::printf("Progress file %s is damaged: counting no level as won\n", path.c_str());
    return 0;
  }
  return won;
}

bool RecordWonLevel(int level) {
  if (!IsLevel(level)) return false;
  const std::string path = ProgressFilePath();
  if (path.empty()) {
    std::printf("Cannot keep progress: neither XDG_DATA_HOME nor HOME is set\n");
    return false;
  }
  const unsigned won = LoadWonLevels();
  if (won & (1u << level)) return true;
  return WriteWhole(path, Format(won | (1u << level)));
}
