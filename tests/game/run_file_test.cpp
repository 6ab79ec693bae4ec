// Runs as the recorder writes them and the reader takes them back: every step as it was,
// speed changes included; files that are cut, damaged, huge or newer refused with a line;
// the best run on disk replaced only by a faster one.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RunFile.h"

namespace {

namespace fs = std::filesystem;

// A run of `steps` steps with a bit of everything: key and stick walks, a facing turning
// through east both ways, photos and looks, and the game speed changed halfway.
RecordedRun MakeRun(uint32_t steps, double seconds, uint32_t checksum = 0x1234abcd) {
  RunRecorder recorder;
  recorder.Start(checksum, 100, {-425, -325});
  for (uint32_t i = 0; i < steps; ++i) {
    PlayerControls controls;
    controls.walk = i % 50 < 20   ? KEVec2{1, 1}
                    : i % 50 < 35 ? QuantizedWalk({0.3f, -0.8f})
                                  : KEVec2{0, 0};
    controls.facing = QuantizedFacing(float(int(i % 200) - 100) * 0.01f);
    controls.photograph = i % 97 == 0;
    controls.disguise = i % 300 > 280;
    controls.endDisguise = i % 500 == 499;
    recorder.Step(controls, i < steps / 2 ? 100 : 70);
    recorder.Place({float(i) * 1.5f - 425, -325});
  }
  RecordedRun run = recorder.Finish(seconds);
  run.level = 1;
  return run;
}

TEST(RunFileTest, EveryStepReadsBackAsRecordedWithItsSpeed) {
  const RecordedRun run = MakeRun(1000, 14.2);
  RecordedRun back;
  std::string problem;
  ASSERT_TRUE(ReadRun(WriteRun(run), &back, &problem)) << problem;
  EXPECT_EQ(back.steps, 1000u);
  EXPECT_EQ(back.seconds, 14.2);
  RunReader reader(back);
  for (uint32_t i = 0; i < 1000; ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    const PlayerControls controls = reader.Next();
    const bool stick = i % 50 >= 20 && i % 50 < 35;
    EXPECT_EQ(controls.walk.x, i % 50 < 20 ? 1.0f : stick ? QuantizedWalk({0.3f, -0.8f}).x : 0.0f);
    EXPECT_EQ(controls.facing, QuantizedFacing(float(int(i % 200) - 100) * 0.01f));
    EXPECT_EQ(controls.photograph, i % 97 == 0);
    EXPECT_EQ(controls.disguise, i % 300 > 280);
    EXPECT_EQ(controls.endDisguise, i % 500 == 499);
    // The speed read holds for the step after.
    EXPECT_EQ(reader.Speed(), i + 1 < 500 ? 100 : 70);
  }
  EXPECT_TRUE(reader.Done());
  EXPECT_TRUE(reader.AtEnd());
  std::vector<KEVec2> places;
  ASSERT_TRUE(ReadRunPath(back, &places));
  ASSERT_EQ(places.size(), 1000u / kPathEvery + 1);
  EXPECT_EQ(places[0].x, -425);
  EXPECT_EQ(places[10].x, 39 * 1.5f - 425);
}

// The walk keys' directions stay exactly as the keys give them, so that keyboard play is as it
// was; a stick's goes on the grid.
TEST(RunFileTest, KeyDirectionsStayExact) {
  for (const KEVec2 key : {KEVec2{1, 0}, KEVec2{-1, 1}, KEVec2{0, -1}, KEVec2{1, -1}})
    EXPECT_TRUE(QuantizedWalk(key).x == key.x && QuantizedWalk(key).y == key.y);
  const KEVec2 stick = QuantizedWalk({0.2f, 0.9f});
  EXPECT_NEAR(std::atan2(stick.y, stick.x), std::atan2(0.9f, 0.2f), 6.3 / kTurnSteps);
}

// Nothing in a file makes the reader crash, hang or take much memory: each of these is
// refused with its line, and so is every cut of a good file short of its end.
TEST(RunFileTest, DamagedCutAndNewerFilesAreRefusedWithALine) {
  const RecordedRun sound = MakeRun(300, 5);
  const std::string good = WriteRun(sound);
  // Records that hold more steps than the run has: one too long, one after the last step.
  RecordedRun tooLong = sound, oneMore = sound;
  tooLong.inputs = {0x90, 0x03, 0x01, 0x00};
  oneMore.inputs.insert(oneMore.inputs.end(), {0x01, 0x01, 0x00});
  const std::string header = good.substr(0, good.find("inputs"));
  struct Case {
    const char* name;
    std::string bytes;
    const char* line;
  } cases[] = {
      {"empty", "", "not a run file"},
      {"a progress file", "vantrel progress 1\nwon 1\n", "not a run file"},
      {"newer", "vantrel run 2\nwhatever comes next\n", "a run from a newer version"},
      {"a line without end", "vantrel run 1\nlevel " + std::string(100000, '7'), "cut short"},
      {"a steps count too large",
       "vantrel run 1\nlevel 1\nchecksum 00000000\nversion 1.0\n"
       "speed 100\nsteps 99999999999\n",
       "its steps"},
      {"a speed of 0", "vantrel run 1\nlevel 1\nchecksum 00000000\nversion 1.0\nspeed 0\n",
       "its speed"},
      {"no bytes after the header", header + "inputs 5\npath 2\n", "cut short"},
      {"bytes after its end", good + "x", "bytes after its end"},
      {"records short of the steps",
       header + "inputs 3\npath 2\n" + std::string("\x7f\x01\0\0\0", 5), "do not add up"},
      {"a record of no steps", header + "inputs 3\npath 2\n" + std::string("\0\x01\0\0\0", 5),
       "do not add up"},
      {"a record longer than the run", WriteRun(tooLong), "do not add up"},
      {"a record after the last step", WriteRun(oneMore), "do not add up"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordedRun run;
    std::string problem;
    EXPECT_FALSE(ReadRun(c.bytes, &run, &problem));
    EXPECT_NE(problem.find(c.line), std::string::npos) << problem;
  }
  for (size_t cut = 0; cut < good.size(); ++cut) {
    RecordedRun run;
    std::string problem;
    ASSERT_FALSE(ReadRun(good.substr(0, cut), &run, &problem)) << "cut at " << cut;
    ASSERT_FALSE(problem.empty());
  }
}

class RunKeepingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/vantrel_runs_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home = folder;
    setenv("XDG_DATA_HOME", home.c_str(), 1);
  }
  void TearDown() override { fs::remove_all(home); }
  double Kept(const char* which) {
    RecordedRun run;
    std::string problem;
    return ReadRunFile(RunFilePath("Level1", which), &run, &problem) ? run.seconds : -1;
  }
  std::string home;
};

TEST_F(RunKeepingTest, TheLastWinIsAlwaysKeptTheBestOnlyWhenFaster) {
  EXPECT_EQ(RunFilePath("Level1", "best"), home + "/vantrel/runs/Level1-best.run");
  struct Win {
    double seconds;
    uint32_t checksum;
    double best;
  } wins[] = {
      {30.0, 1, 30.0},   // the first
      {35.0, 1, 30.0},   // slower
      {30.04, 1, 30.0},  // the same to the tenth
      {25.0, 1, 25.0},   // faster
      {40.0, 2, 40.0},   // slower, but the best kept was made on another version of the level
  };
  for (const Win& win : wins) {
    SCOPED_TRACE(win.seconds);
    EXPECT_TRUE(KeepWonRun("Level1", MakeRun(40, win.seconds, win.checksum)));
    EXPECT_EQ(Kept("last"), win.seconds);
    EXPECT_EQ(Kept("best"), win.best);
  }
  // A damaged best is replaced rather than kept for ever.
  std::ofstream(RunFilePath("Level1", "best")) << "vantrel run 1\nlevel x\n";
  EXPECT_TRUE(KeepWonRun("Level1", MakeRun(40, 50, 2)));
  EXPECT_EQ(Kept("best"), 50);
}

// A 100 MB file is refused after reading a little past the limit, quickly.
TEST_F(RunKeepingTest, AHugeFileIsRefusedQuickly) {
  const std::string path = home + "/huge.run";
  std::ofstream(path) << WriteRun(MakeRun(40, 1));
  fs::resize_file(path, 100l << 20);
  const auto start = std::chrono::steady_clock::now();
  RecordedRun run;
  std::string problem;
  EXPECT_FALSE(ReadRunFile(path, &run, &problem));
  EXPECT_EQ(problem, "too big for a run");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
