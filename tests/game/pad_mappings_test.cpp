#include "PadMappings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> gHanded;

// Stands in for the engine: "other" lines are for another system, "bad" ones refused.
int Take(const char* line) {
  gHanded.push_back(line);
  const std::string text = line;
  return text.compare(0, 5, "other") == 0 ? 0 : text.compare(0, 3, "bad") == 0 ? -1 : 1;
}

// Runs `work` in a child process and says whether it ended within `seconds`; one that does
// not is killed, so that a freeze fails the test instead of hanging it.
bool FinishesWithin(double seconds, void (*work)(const std::string&), const std::string& path) {
  const pid_t child = fork();
  if (child == 0) {
    work(path);
    _exit(0);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void AddFrom(const std::string& path) { AddPadMappings(path, Take); }

class PadMappingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/vantrel_pads_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home = folder;
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    fs::create_directories(home + "/vantrel");
    path = PadMappingsFilePath();
    gHanded.clear();
  }
  void TearDown() override {
    fs::remove_all(home);
    unsetenv("XDG_CONFIG_HOME");
  }
  // What adding the file says, and how many mappings it took; quick or a failure.
  std::string Add(int* taken = nullptr) {
    const bool quick = FinishesWithin(1.0, AddFrom, path);
    EXPECT_TRUE(quick) << "froze or took over a second";
    if (!quick) return "";
    gHanded.clear();
    testing::internal::CaptureStderr();
    const int count = AddPadMappings(path, Take);
    if (taken) *taken = count;
    return testing::internal::GetCapturedStderr();
  }
  std::string home, path;
};

TEST_F(PadMappingsTest, EachMappingLineIsHandedOnAndRefusedOnesAreToldOnce) {
  EXPECT_EQ(PadMappingsFilePath(), home + "/vantrel/gamecontrollerdb.txt");
  int taken = -1;
  EXPECT_EQ(Add(&taken), "") << "no file is no news";
  EXPECT_EQ(taken, 0);
  std::ofstream(path) << "# Game controller mappings\r\n\r\n"
                         "one,platform:Linux,\r\n  # indented comment\n"
                         "other,platform:Windows,\nbad line\n\t\nbad again\ntwo\n";
  EXPECT_EQ(Add(&taken), "Pad mappings in " + path +
                             ": 2 lines are not a mapping and skipped, the first line 6: "
                             "\"bad line\"\n");
  EXPECT_EQ(taken, 2);
  EXPECT_EQ(gHanded, (std::vector<std::string>{"one,platform:Linux,", "other,platform:Windows,",
                                               "bad line", "bad again", "two"}));
}

// Nothing a player can put in the file's place holds up the start for long.
TEST_F(PadMappingsTest, AnyFileIsReadQuicklyAndWithinBounds) {
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(Add(), "Cannot read pad mappings in " + path + ": it is not a regular file\n");
  EXPECT_TRUE(gHanded.empty());
  fs::remove(path);

  // Far more mappings than are taken, each for another system but one in three.
  std::string many;
  for (int i = 0; i < 3 * kPadMappingsMaxTaken + 30; ++i)
    many += (i % 3 ? "other " : "mapping ") + std::to_string(i) + "\n";
  std::ofstream(path) << many;
  int taken = 0;
  EXPECT_EQ(Add(&taken), "Pad mappings in " + path + ": only the first " +
                             std::to_string(kPadMappingsMaxTaken) +
                             " mappings for this system are used\n");
  EXPECT_EQ(taken, kPadMappingsMaxTaken);
  EXPECT_EQ(gHanded.back(), "mapping " + std::to_string(3 * kPadMappingsMaxTaken - 3));

  // 100 MB with a few mappings first: only the first 2 MB are read, whole lines of it.
  std::ofstream(path) << "one\ntwo\n" << std::string(kPadMappingsMaxBytes - 10, '#') << "\nthree\n";
  fs::resize_file(path, 100 << 20);
  EXPECT_EQ(Add(&taken), "Pad mappings in " + path +
                             ": the file is larger than 2 MB; only the mappings in its first 2 "
                             "MB are used\n");
  EXPECT_EQ(gHanded, (std::vector<std::string>{"one", "two"}));
}

}  // namespace
