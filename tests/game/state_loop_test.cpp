#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameOverlay.h"
#include "GameStateLoop.h"
#include "KEFrameRateController.h"
#include "KEInput.h"
#include "KESystem.h"
#include "StateRequests.h"
#include "idle_state.h"
#include "platform/KEPlatform.h"
#include "test_input.h"

namespace {

std::vector<std::string> gLog;
// Every frame's screen time and world step, whichever state ran it.
std::vector<double> gScreenTimes, gSteps;

// Logs its life cycle and asks for `request` during the Update of frame `requestFrame`.
class LoggingState : public GameState {
 public:
  LoggingState(std::string name, int requestFrame, GameState* request)
      : name_(std::move(name)), requestFrame_(requestFrame), request_(request) {}
  ~LoggingState() override { gLog.push_back(name_ + ".destroy"); }
  void Load() override { gLog.push_back(name_ + ".Load"); }
  void Initialize() override {
    frame_ = 0;
    gLog.push_back(name_ + ".Initialize");
  }
  void Update() override {
    gLog.push_back(name_ + ".Update");
    test_input::AdvanceClock(work);
    spaceTriggered.push_back(KEInputCheckTriggered(VK_SPACE));
    frameCounts.push_back(KEFrameRateControllerGetFrameCount());
    gScreenTimes.push_back(GameStateManager.screenSeconds);
    gSteps.push_back(GameStateManager.stepSeconds);
    if (++frame_ == requestFrame_) {
      GameStateManager.next = request_;
      requestFrame_ = -1;  // a restart asks only once
    }
  }
  void Draw() override { gLog.push_back(name_ + ".Draw"); }
  void Free() override { gLog.push_back(name_ + ".Free"); }
  void Unload() override { gLog.push_back(name_ + ".Unload"); }

  std::vector<bool> spaceTriggered;
  std::vector<unsigned> frameCounts;
  double work = 0;  // seconds each Update takes

 private:
  std::string name_;
  int requestFrame_;
  GameState* request_;
  int frame_ = 0;
};

class StateLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog.clear();
    gScreenTimes.clear();
    gSteps.clear();
    test_input::Install();
    KESysReset();
  }
  void TearDown() override { test_input::Uninstall(); }

  void RunToEnd(GameState* first, int maxFrames = 100) {
    GameStateLoopBegin(first);
    for (int i = 0; i < maxFrames && GameStateLoopStep(); ++i) {
    }
  }
};

using Log = std::vector<std::string>;

TEST_F(StateLoopTest, ChangeRunsTheOldDrawThenLeavesBeforeEntering) {
  GameState* b = new LoggingState("B", 1, nullptr);
  RunToEnd(new LoggingState("A", 2, b));
  EXPECT_EQ(gLog, (Log{"A.Load", "A.Initialize", "A.Update", "A.Draw", "A.Update", "A.Draw",
                       "A.Free", "A.Unload", "A.destroy", "B.Load", "B.Initialize", "B.Update",
                       "B.Draw", "B.Free", "B.Unload", "B.destroy"}));
  EXPECT_EQ(GameStateManager.current, nullptr);
  EXPECT_EQ(GameStateManager.level, -1);
}

TEST_F(StateLoopTest, RestartKeepsTheObjectAndStartsTimingAndKeysAfresh) {
  auto* a = new LoggingState("A", 3, KE_STATE_RESTART);
  test_input::Press(VK_SPACE);
  GameStateLoopBegin(a);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(GameStateLoopStep());
  EXPECT_EQ(gLog, (Log{"A.Load", "A.Initialize", "A.Update", "A.Draw", "A.Update", "A.Draw",
                       "A.Update", "A.Draw", "A.Free", "A.Initialize", "A.Update", "A.Draw",
                       "A.Update", "A.Draw"}));
  EXPECT_EQ(GameStateManager.current, a);
  EXPECT_EQ(GameStateManager.previous, a);
  // Space held all along: triggered on the first frame of each run only.
  EXPECT_EQ(a->spaceTriggered, (std::vector<bool>{true, false, false, true, false}));
  EXPECT_EQ(a->frameCounts, (std::vector<unsigned>{0, 1, 2, 0, 1}));

  GameStateManager.next = nullptr;
  EXPECT_FALSE(GameStateLoopStep());
}

// A state's screen time starts from nothing, and its first frame counts only the wait after
// its picture went up; a slow frame counts as measured. The world's step stays 1/60 s.
TEST_F(StateLoopTest, ScreenTimeStartsAfreshInEachStateAndTheStepIgnoresTheMachine) {
  auto* b = new LoggingState("B", 2, nullptr);
  auto* a = new LoggingState("A", 3, b);
  a->work = 0.05;  // slower than the frame rate: no wait after the picture
  b->work = 0.01;  // faster: the frame waits for the rest of 1/60 s
  GameStateLoopBegin(a);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(GameStateLoopStep());
  EXPECT_FALSE(GameStateLoopStep());
  ASSERT_EQ(gScreenTimes.size(), 5u);
  // A's three frames, then B's two: A's slow last frame is not B's.
  EXPECT_EQ(std::vector<double>(gScreenTimes.begin(), gScreenTimes.begin() + 4),
            (std::vector<double>{0, 0, 0.05, 0}));
  EXPECT_NEAR(gScreenTimes[4], 1.0 / 60 - 0.01, 1e-4);
  EXPECT_EQ(gSteps, std::vector<double>(5, 1.0 / 60));
}

// Reaching the exit and pressing restart in one frame asks twice; the first screen asked
// for is never entered and must not be leaked.
TEST_F(StateLoopTest, ASecondRequestInOneFrameDeletesTheFirst) {
  SetLoadingScreenFactory([](unsigned target) -> GameState* {
    return new LoggingState("L" + std::to_string(target), 1, nullptr);
  });
  class TwoRequests : public LoggingState {
   public:
    TwoRequests() : LoggingState("A", -1, nullptr) {}
    void Update() override {
      RequestLoadingScreen(1);
      RequestLoadingScreen(2);
    }
  };
  RunToEnd(new TwoRequests);
  SetLoadingScreenFactory(nullptr);
  EXPECT_EQ(gLog, (Log{"A.Load", "A.Initialize", "L1.destroy", "A.Draw", "A.Free", "A.Unload",
                       "A.destroy", "L2.Load", "L2.Initialize", "L2.Update", "L2.Draw",
                       "L2.Free", "L2.Unload", "L2.destroy"}));
}

TEST(FrameTimeStats, SummarisesEachSecondOnItsOwn) {
  FrameTimeStats stats;
  EXPECT_EQ(FrameOverlayLines(stats), (std::vector<std::string>{"F3 frame times: measuring"}));
  // update, draw, work, frame: four frames of a quarter second close each second.
  const double seconds[8][4] = {
      {0.001, 0.002, 0.010, 0.25}, {0.003, 0.002, 0.010, 0.25}, {0.001, 0.004, 0.020, 0.25},
      {0.001, 0.002, 0.010, 0.25}, {0.001, 0.001, 0.002, 0.25}, {0.001, 0.001, 0.002, 0.25},
      {0.001, 0.001, 0.002, 0.25}, {0.001, 0.001, 0.002, 0.50},
  };
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(stats.HasSummary(), i > 0 && i % 4 == 0);
    stats.Add(seconds[i][0], seconds[i][1], seconds[i][2], seconds[i][3]);
  }
  EXPECT_EQ(
      FrameOverlayLines(stats),
      (std::vector<std::string>{
          "4.0 fps", "frame    250.00 ms mean 250.00 worst", "update     1.50 ms mean   3.00 worst",
          "draw       2.50 ms mean   4.00 worst", "gl+swap    8.50 ms mean  15.00 worst"}));
  // The next second does not inherit the first one's worst frames.
  for (int i = 4; i < 7; ++i) stats.Add(seconds[i][0], seconds[i][1], seconds[i][2], seconds[i][3]);
  EXPECT_EQ(FrameOverlayLines(stats)[0], "4.0 fps") << "the first second stays until the next ends";
  stats.Add(seconds[7][0], seconds[7][1], seconds[7][2], seconds[7][3]);
  EXPECT_EQ(
      FrameOverlayLines(stats),
      (std::vector<std::string>{
          "3.2 fps", "frame    312.50 ms mean 500.00 worst", "update     1.00 ms mean   1.00 worst",
          "draw       1.00 ms mean   1.00 worst", "gl+swap    0.00 ms mean   0.00 worst"}));
}

// Yellow pixels of the overlay in the top-left corner of the picture last shown (Mesa on
// Xvfb keeps the back buffer through a swap).
int OverlayPixelsShown() {
  std::vector<unsigned char> pixels(400 * 100 * 4);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 500, 400, 100, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  int count = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) {
    count += pixels[i] > 200 && pixels[i + 1] > 200 && pixels[i + 2] < 150;
  }
  return count;
}

TEST_F(StateLoopTest, F3ShowsTheFrameTimesOverAnyStateAndF3AgainHides) {
  GameStateLoopBegin(new IdleState);
  std::vector<bool> shown;
  std::vector<bool> drawn;
  for (bool f3 : {true, true, false, true, false}) {
    f3 ? test_input::Press(VK_F3) : test_input::Release(VK_F3);
    ASSERT_TRUE(GameStateLoopStep());
    shown.push_back(FrameOverlayIsShown());
    drawn.push_back(OverlayPixelsShown() > 50);
  }
  EXPECT_EQ(shown, (std::vector<bool>{true, true, true, false, false}));
  EXPECT_EQ(drawn, shown);
  test_input::Press(VK_F3);
  ASSERT_TRUE(GameStateLoopStep());
  GameStateManager.next = nullptr;
  EXPECT_FALSE(GameStateLoopStep());
  EXPECT_FALSE(FrameOverlayIsShown()) << "the next loop starts without it";
}

// Runs last in this file: it closes the shared window and opens a fresh one.
TEST_F(StateLoopTest, ClosingTheWindowLeavesTheStateAndEndsTheLoop) {
  RunToEnd(new LoggingState("A", -1, nullptr), 2);
  gLog.clear();
  KEPlatformRequestClose();
  EXPECT_FALSE(GameStateLoopStep());
  EXPECT_EQ(gLog, (Log{"A.Update", "A.Draw", "A.Free", "A.Unload", "A.destroy"}));
  EXPECT_EQ(KESysDoesWindowExist(), 0);

  KESysExit();
  ASSERT_EQ(KESysInit(nullptr, 1, 800, 600, 0, 60, nullptr), 1);
  EXPECT_EQ(KESysDoesWindowExist(), 1);
}

}  // namespace
