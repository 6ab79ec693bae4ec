#include <gtest/gtest.h>

#include "KEFrameRateController.h"
#include "test_input.h"

namespace {

class FrameRateTest : public ::testing::Test {
 protected:
  void SetUp() override { test_input::Install(); }
  void TearDown() override { test_input::Uninstall(); }

  // One frame whose own work takes `work` seconds.
  double Frame(double work) {
    KEFrameRateControllerStart();
    test_input::AdvanceClock(work);
    KEFrameRateControllerEnd();
    return KEFrameRateControllerGetFrameTime();
  }
};

TEST_F(FrameRateTest, ShortFramesAreHeldToExactlyOneSixtieth) {
  KEFrameRateControllerInit(60);
  EXPECT_EQ(KEFrameRateControllerGetFrameTime(), 1.0 / 60);
  for (double work : {0.0, 0.001, 0.016}) {
    const uint64_t before = test_input::Now();
    EXPECT_EQ(Frame(work), 1.0 / 60) << "work " << work;
    EXPECT_NEAR(KEFrameRateControllerGetWorkTime(), work, 1.0 / test_input::kFrequency);
    EXPECT_EQ(test_input::Now() - before, test_input::kFrequency / 60);
  }
  EXPECT_EQ(KEFrameRateControllerGetFrameCount(), 3u);
}

TEST_F(FrameRateTest, LongFramesAreNeitherClampedNorMadeUpFor) {
  KEFrameRateControllerInit(60);
  EXPECT_DOUBLE_EQ(Frame(0.1), 0.1);
  EXPECT_DOUBLE_EQ(KEFrameRateControllerGetWorkTime(), 0.1);
  EXPECT_EQ(Frame(0.0), 1.0 / 60);
}

TEST_F(FrameRateTest, RateZeroNeverWaits) {
  KEFrameRateControllerInit(0);
  EXPECT_EQ(KEFrameRateControllerGetFrameTime(), 0.0);
  EXPECT_EQ(Frame(0.0), 0.0);
  EXPECT_DOUBLE_EQ(Frame(0.25), 0.25);
  KEFrameRateControllerReset();
  EXPECT_EQ(KEFrameRateControllerGetFrameTime(), 0.0);
}

TEST_F(FrameRateTest, ResetRestartsTheCountAndTheFrameTime) {
  KEFrameRateControllerInit(60);
  Frame(0.1);
  Frame(0.1);
  KEFrameRateControllerReset();
  EXPECT_EQ(KEFrameRateControllerGetFrameCount(), 0u);
  EXPECT_EQ(KEFrameRateControllerGetFrameTime(), 1.0 / 60);
}

TEST(FrameRateMachineClock, PacedFramesLastAtLeastTheMinimum) {
  test_input::Uninstall();
  KEFrameRateControllerInit(60);
  for (int i = 0; i < 3; ++i) {
    KEFrameRateControllerStart();
    KEFrameRateControllerEnd();
    EXPECT_GE(KEFrameRateControllerGetFrameTime(), 1.0 / 60);
    EXPECT_LT(KEFrameRateControllerGetFrameTime(), 1.0 / 60 + 0.05);
  }
}

}  // namespace
