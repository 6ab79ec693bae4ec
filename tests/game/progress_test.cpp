#include "Progress.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/vantrel_progress_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home = folder;
    UseDataHome("data");
  }
  void TearDown() override { fs::remove_all(home); }
  // Wins of this run are kept per file, so each case gets a data folder of its own.
  void UseDataHome(const std::string& name) {
    setenv("XDG_DATA_HOME", (home + "/" + name).c_str(), 1);
    fs::create_directories(Folder());
  }
  std::string Folder() const { return fs::path(ProgressFilePath()).parent_path(); }
  std::string File() const { return ProgressFilePath(); }
  void Write(const std::string& text) { std::ofstream(File(), std::ios::binary) << text; }
  static std::string Read(const std::string& file) {
    std::stringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
  }
  std::string Read() const { return Read(File()); }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder()))
      names.insert(entry.path().filename().string());
    return names;
  }
  std::string home;
};

constexpr unsigned Won(std::initializer_list<int> levels) {
  unsigned bits = 0;
  for (int level : levels) bits |= 1u << level;
  return bits;
}

TEST_F(ProgressTest, WhereTheFileLives) {
  EXPECT_EQ(ProgressFilePath(), home + "/data/vantrel/progress.txt");
  const std::string xdg = getenv("XDG_DATA_HOME");
  const char* realHome = getenv("HOME");
  const std::string savedHome = realHome ? realHome : "";
  // A relative folder is not a valid data home.
  setenv("XDG_DATA_HOME", "relative/folder", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(ProgressFilePath(), "/home/someone/.local/share/vantrel/progress.txt");
  setenv("HOME", "someone", 1);
  EXPECT_EQ(ProgressFilePath(), "");
  unsetenv("HOME");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(RecordWonLevel(2));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Cannot keep progress: XDG_DATA_HOME (relative/folder) is not an absolute path and "
            "HOME is not set\n");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(ProgressFilePath(), "");
  setenv("XDG_DATA_HOME", xdg.c_str(), 1);
  if (realHome) setenv("HOME", savedHome.c_str(), 1);
}

// Each file is read, then level 4 is won: every win the file held must survive it, and
// what the game does not understand stays in the file.
TEST_F(ProgressTest, OddFilesKeepEveryWinThroughTheNextWin) {
  const std::string png = "\x89PNG\r\n\x1a\n";
  std::string notes, megabytes;
  for (int i = 0; i < 2000; ++i)
    notes += "note " + std::to_string(i) + ": " + std::string(60, 'n') + "\n";
  for (int i = 0; i < 5000; ++i) megabytes += "won " + std::string(1000, '1') + "\n";
  struct Case {
    const char* name;
    std::string text;
    unsigned won;  // read before the win
    bool kept;     // the win reached the file
    std::string after;
  } cases[] = {
      {"plain", "vantrel progress 1\nwon 1 3 8\n", Won({1, 3, 8}), true,
       "vantrel progress 1\nwon 1 3 4 8\n"},
      {"CRLF, spaces", "vantrel progress 1 \r\n won 1\t3\r\n", Won({1, 3}), true,
       "vantrel progress 1\nwon 1 3 4\n"},
      {"byte-order mark", "\xEF\xBB\xBFvantrel progress 1\nwon 2", Won({2}), true,
       "vantrel progress 1\nwon 2 4\n"},
      {"no such levels", "vantrel progress 1\nwon 0 9 -1 2 999999999999 7\n", Won({2, 7}), true,
       "vantrel progress 1\nwon 2 4 7 0 9 -1 999999999999\n"},
      {"overflow", "vantrel progress 1\nwon 5 99999999999999999999999999\n", Won({5}), true,
       "vantrel progress 1\nwon 4 5 99999999999999999999999999\n"},
      {"text after the wins", "vantrel progress 1\nwon 1 6 banana\nbest 12.5\n\x01\x02\n",
       Won({1, 6}), true, "vantrel progress 1\nwon 1 4 6 banana\nbest 12.5\n\x01\x02\n"},
      {"two won lines", "vantrel progress 1\nname Ada\nwon 1\nwon 7\n", Won({1, 7}), true,
       "vantrel progress 1\nname Ada\nwon 1 4 7\n"},
      {"best times", "vantrel progress 1\nbest 6 83.4\nwon 6\nbest 2 9.0\n", Won({6}), true,
       "vantrel progress 1\nwon 4 6\nbest 2 9.0\nbest 6 83.4\n"},
      {"odd best lines", "vantrel progress 1\nwon 1\nbest 1 -3\nbest 9 10.0\nbest 2 1:10\nbest 1 0.0\n",
       Won({1}), true,
       "vantrel progress 1\nwon 1 4\nbest 1 -3\nbest 9 10.0\nbest 2 1:10\nbest 1 0.0\n"},
      {"no won line", "vantrel progress 1\n", 0, true, "vantrel progress 1\nwon 4\n"},
      {"empty", "", 0, true, "vantrel progress 1\nwon 4\n"},
      {"newer version", "vantrel progress 2\nwon 1\nstars 1:3\n", Won({1}), false,
       "vantrel progress 2\nwon 1\nstars 1:3\n"},
      {"not ours", png, 0, true, "vantrel progress 1\nwon 4\n"},
      {"far too big", std::string(5 << 20, '7'), 0, true, "vantrel progress 1\nwon 4\n"},
      {"long notes", "vantrel progress 1\nwon 2\n" + notes, Won({2}), true,
       "vantrel progress 1\nwon 2 4\n" + notes},
      {"larger than 4 MB", "vantrel progress 1\nwon 2 3\n" + notes + megabytes, Won({2, 3}),
       false, "vantrel progress 1\nwon 2 3\n" + notes + megabytes},
  };
  for (const Case& c : cases) {
    UseDataHome(c.name);
    Write(c.text);
    EXPECT_EQ(LoadWonLevels(), c.won) << c.name;
    EXPECT_EQ(RecordWonLevel(4), c.kept) << c.name;
    EXPECT_EQ(Read(), c.after) << c.name;
    EXPECT_EQ(LoadWonLevels(), c.won | Won({4})) << c.name << ": counted in this run";
    // A file that is not ours is kept aside, not thrown away.
    const bool keptAside = !c.text.empty() && c.text.find("vantrel") == std::string::npos;
    EXPECT_EQ(fs::exists(File() + ".damaged"), keptAside) << c.name;
    if (keptAside) {
      EXPECT_EQ(Read(File() + ".damaged"), c.text) << c.name;
    }
  }
}

// Whatever sits in the file's place that cannot be read stays as it is, without freezing
// the game; the win counts for this run.
TEST_F(ProgressTest, WhatCannotBeReadIsNeverWrittenOver) {
  struct Case {
    const char* name;
    void (*make)(const std::string& file);
  } cases[] = {
      {"pipe", [](const std::string& file) { ASSERT_EQ(mkfifo(file.c_str(), 0644), 0); }},
      {"folder", [](const std::string& file) { fs::create_directories(file + "/inside"); }},
      {"unreadable",
       [](const std::string& file) {
         std::ofstream(file) << "vantrel progress 1\nwon 1\n";
         chmod(file.c_str(), 0);
       }},
  };
  for (const Case& c : cases) {
    // Permissions do not stop the superuser.
    if (std::string(c.name) == "unreadable" && geteuid() == 0) continue;
    UseDataHome(c.name);
    c.make(File());
    const auto type = fs::symlink_status(File()).type();
    EXPECT_EQ(LoadWonLevels(), 0u) << c.name;
    EXPECT_FALSE(RecordWonLevel(3)) << c.name;
    EXPECT_EQ(LoadWonLevels(), Won({3})) << c.name;
    EXPECT_EQ(fs::symlink_status(File()).type(), type) << c.name;
  }
}

TEST_F(ProgressTest, TheSaveKeepsLinksModesAndAFolderWithoutLeftovers) {
  // A link stays a link, and its target gets the win.
  fs::create_directories(home + "/elsewhere");
  std::ofstream(home + "/elsewhere/mine.txt") << "vantrel progress 1\nwon 1\n";
  fs::create_symlink(home + "/elsewhere/mine.txt", File());
  EXPECT_TRUE(RecordWonLevel(2));
  EXPECT_TRUE(fs::is_symlink(File()));
  EXPECT_EQ(Read(home + "/elsewhere/mine.txt"), "vantrel progress 1\nwon 1 2\n");

  // A link to a file not made yet, in a folder not made yet, or relative to the link's own
  // folder: the win goes to the file it names.
  for (const std::string& target : {home + "/synced/new/progress.txt", std::string("../../mine")}) {
    UseDataHome("dangling " + std::to_string(target.size()));
    fs::create_symlink(target, File());
    EXPECT_TRUE(RecordWonLevel(7)) << target;
    EXPECT_TRUE(fs::is_symlink(File())) << target;
    EXPECT_EQ(Read(File()), "vantrel progress 1\nwon 7\n") << target;
  }
  EXPECT_EQ(Read(home + "/mine"), "vantrel progress 1\nwon 7\n");
  // Two links naming each other lead nowhere: nothing is written over.
  UseDataHome("loop");
  fs::create_symlink(Folder() + "/other", File());
  fs::create_symlink(File(), Folder() + "/other");
  EXPECT_FALSE(RecordWonLevel(7));
  EXPECT_TRUE(fs::is_symlink(File()));

  // A read-only file stays read-only.
  UseDataHome("read-only");
  Write("vantrel progress 1\nwon 1\n");
  chmod(File().c_str(), 0444);
  EXPECT_TRUE(RecordWonLevel(5));
  EXPECT_EQ(fs::status(File()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(Read(), "vantrel progress 1\nwon 1 5\n");

  // New copies left by saves that were killed go at the next save; other files stay.
  UseDataHome("leftovers");
  for (const char* name : {"progress.txt.tmp123", "progress.txt.tmp99999", "notes.tmp1"})
    std::ofstream(Folder() + "/" + name) << "vantrel progress 1\nwon 8\n";
  EXPECT_TRUE(RecordWonLevel(6));
  EXPECT_TRUE(RecordWonLevel(6));
  EXPECT_EQ(Names(), (std::set<std::string>{"progress.txt", "progress.txt.lock", "notes.tmp1"}));
  EXPECT_EQ(Read(), "vantrel progress 1\nwon 6\n");
}

// A disk that fills up during the save (here a file size limit of a few bytes) leaves the
// old file as it was and no new copy behind.
TEST_F(ProgressTest, AFullDiskLeavesTheOldFile) {
  Write("vantrel progress 1\nwon 1\n");
  const pid_t copy = fork();
  ASSERT_GE(copy, 0);
  if (copy == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {10, 10};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(RecordWonLevel(2) ? 1 : 0);
  }
  int status = 0;
  waitpid(copy, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save claimed success";
  EXPECT_EQ(Read(), "vantrel progress 1\nwon 1\n");
  EXPECT_EQ(Names(), (std::set<std::string>{"progress.txt", "progress.txt.lock"}));
}

// A win with its time: the file keeps the faster of the two, to the tenth the screens show.
TEST_F(ProgressTest, ABetterRunReplacesTheBestTimeAndAWorseOneDoesNot) {
  struct Case {
    const char* name;
    std::string text;
    double seconds;  // level 2 won in
    double best;     // read back after the win
    std::string after;
  } cases[] = {
      {"first time", "vantrel progress 1\nwon 1\n", 71.35, 71.3,
       "vantrel progress 1\nwon 1 2\nbest 2 71.3\n"},
      {"better", "vantrel progress 1\nwon 2\nbest 2 80.0\n", 71.35, 71.3,
       "vantrel progress 1\nwon 2\nbest 2 71.3\n"},
      {"worse", "vantrel progress 1\nwon 2\nbest 2 60.0\n", 71.35, 60.0,
       "vantrel progress 1\nwon 2\nbest 2 60.0\n"},
      {"the same tenth", "vantrel progress 1\nwon 2\nbest 2 71.3\n", 71.39, 71.3,
       "vantrel progress 1\nwon 2\nbest 2 71.3\n"},
      {"two lines for a level", "vantrel progress 1\nwon 2\nbest 2 90.0\nbest 2 80.55\n", 85.0,
       80.5, "vantrel progress 1\nwon 2\nbest 2 90.0\nbest 2 80.55\n"},
      {"odd value kept", "vantrel progress 1\nwon 2\nbest 2 fast\n", 71.35, 71.3,
       "vantrel progress 1\nwon 2\nbest 2 71.3\nbest 2 fast\n"},
      {"too short to show", "vantrel progress 1\n", 0.04, 0.1,
       "vantrel progress 1\nwon 2\nbest 2 0.1\n"},
  };
  for (const Case& c : cases) {
    UseDataHome(c.name);
    Write(c.text);
    EXPECT_TRUE(RecordWonLevel(2, c.seconds)) << c.name;
    EXPECT_EQ(Read(), c.after) << c.name;
    BestTimes best;
    LoadWonLevels(&best);
    EXPECT_DOUBLE_EQ(best.seconds[2], c.best) << c.name;
  }
}

// A player's own level is kept under its name, whatever bytes the name holds, and read back
// by a later run (another data home with the same file, since this run remembers its wins).
TEST_F(ProgressTest, OwnLevelsAreKeptUnderTheirNamesWhateverTheBytes) {
  const std::vector<std::pair<std::string, double>> wins = {
      {"My first level", 71.35}, {"100% sneaky", 9.0},  {"3", 12.0},  {"tab\there", 0},
      {"\x01\xff%41\n", 5.55},   {"caf\xc3\xa9", 40.0}, {"own", 1.0}, {"-", 2.0}};
  Write("vantrel progress 1\nwon 2\n");
  for (const auto& [name, seconds] : wins) EXPECT_TRUE(RecordWonNamedLevel(name, seconds)) << name;
  EXPECT_FALSE(RecordWonNamedLevel("", 3.0));
  const std::string written = Read();
  EXPECT_NE(written.find("\nown My%20first%20level 71.3\n"), std::string::npos) << written;
  EXPECT_NE(written.find("\nown tab%09here -\n"), std::string::npos) << written;
  UseDataHome("later run");
  Write(written);
  const NamedBestTimes read = LoadWonNamedLevels();
  EXPECT_EQ(read.size(), wins.size());
  for (const auto& [name, seconds] : wins) {
    ASSERT_EQ(read.count(name), 1u) << name;
    EXPECT_DOUBLE_EQ(read.at(name), double(TimeInTenths(seconds)) / 10) << name;
  }
  // A level named "3" is not level 3.
  EXPECT_EQ(LoadWonLevels(), Won({2}));
}

// Older copies keep lines they do not know as they are and count only numbered wins, so the
// own lines must read as neither; damaged own lines are skipped and kept, and a faster run
// under a name beats a slower one or a win without a time.
TEST_F(ProgressTest, OwnLevelLinesLiveBesideTheNumberedWins) {
  struct Case {
    const char* name;
    std::string text;
    double seconds;  // "Maze" won in
    double best;     // read back after the win
    std::string after;
  } cases[] = {
      {"old file", "vantrel progress 1\nname Ada\nwon 1 6\nbest 6 83.4\n", 30.0, 30.0,
       "vantrel progress 1\nname Ada\nwon 1 6\nbest 6 83.4\nown Maze 30.0\n"},
      {"faster", "vantrel progress 1\nown Maze 40.0\n", 30.0, 30.0,
       "vantrel progress 1\nwon\nown Maze 30.0\n"},
      {"slower", "vantrel progress 1\nwon 3\nown Maze 20.0\n", 30.0, 20.0,
       "vantrel progress 1\nwon 3\nown Maze 20.0\n"},
      {"timeless win beaten", "vantrel progress 1\nown Maze -\n", 30.0, 30.0,
       "vantrel progress 1\nwon\nown Maze 30.0\n"},
      {"no time keeps the best", "vantrel progress 1\nown Maze 20.0\n", 0, 20.0,
       "vantrel progress 1\nown Maze 20.0\n"},
      {"damaged lines",
       "vantrel progress 1\nown\nown Maze\nown %zz 1.0\nown Maze 1.0 more\nown Maze -3\n", 30.0,
       30.0,
       "vantrel progress 1\nown\nown Maze\nown %zz 1.0\nown Maze 1.0 more\nown Maze -3\nwon\nown "
       "Maze 30.0\n"},
  };
  for (const Case& c : cases) {
    UseDataHome(c.name);
    Write(c.text);
    const unsigned numbered = LoadWonLevels();
    EXPECT_TRUE(RecordWonNamedLevel("Maze", c.seconds)) << c.name;
    EXPECT_EQ(Read(), c.after) << c.name;
    EXPECT_DOUBLE_EQ(LoadWonNamedLevels()["Maze"], c.best) << c.name;
    EXPECT_EQ(LoadWonLevels(), numbered) << c.name;
    // A numbered win rewrites the file and keeps the own lines.
    EXPECT_TRUE(RecordWonLevel(5)) << c.name;
    EXPECT_NE(Read().find("own Maze " + std::string(c.best == 20 ? "20.0" : "30.0")),
              std::string::npos)
        << c.name;
  }
}

TEST_F(ProgressTest, AProblemIsToldOncePerRun) {
  Write("vantrel progress 1\nwon 2 x\n");
  testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) LoadWonLevels();
  RecordWonLevel(3);
  RecordWonLevel(4);
  LoadWonLevels();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Progress file " + File() +
                ": kept, but skipped what is neither a won level nor a best time: \"x\"\n");
}

// Two copies of the game winning at the same moment both keep their win and its time.
TEST_F(ProgressTest, TwoCopiesSavingAtOnceLoseNoWin) {
  int lost = 0;
  for (int round = 0; round < 300; ++round) {
    Write("vantrel progress 1\nwon\n");
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    pid_t copies[2];
    for (int copy = 0; copy < 2; ++copy) {
      copies[copy] = fork();
      ASSERT_GE(copies[copy], 0);
      if (copies[copy] == 0) {
        close(gate[1]);
        char byte;
        (void)!read(gate[0], &byte, 1);  // both start when the gate closes
        _exit(RecordWonLevel(1 + copy, 10.0 + copy) ? 0 : 1);
      }
    }
    close(gate[0]);
    close(gate[1]);
    for (pid_t copy : copies) {
      int status = 0;
      waitpid(copy, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    BestTimes best;
    if (LoadWonLevels(&best) != Won({1, 2}) || best.seconds[1] != 10.0 || best.seconds[2] != 11.0)
      ++lost;
  }
  EXPECT_EQ(lost, 0) << "rounds out of 300 that lost a win";
}

}  // namespace
