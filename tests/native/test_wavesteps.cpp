#include <gtest/gtest.h>

#include <limits>

#include "core/wavesteps.h"

using namespace vtk;

namespace {
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
}  // namespace

TEST(WaveSteps, RewindStopsAtTheStart) {
  EXPECT_EQ(RewindTarget(10000, 500), 9500);
  EXPECT_EQ(RewindTarget(2000, 3000), 0);
  EXPECT_EQ(RewindTarget(2000, 2000), 0);
  EXPECT_EQ(RewindTarget(2000, 0), 2000);
}

TEST(WaveSteps, FastForwardIsNotBoundedByTheLength) {
  EXPECT_EQ(FastForwardTarget(2000, 3000), 5000);
  EXPECT_EQ(FastForwardTarget(0, 0), 0);
}

TEST(WaveSteps, ExtremeStepsSaturateInsteadOfWrapping) {
  EXPECT_EQ(RewindTarget(0, kMin), kMax);
  EXPECT_EQ(RewindTarget(kMax, -1), kMax);
  EXPECT_EQ(RewindTarget(kMin, 1), 0);
  EXPECT_EQ(FastForwardTarget(kMax, kMax), kMax);
  EXPECT_EQ(FastForwardTarget(kMin, kMin), kMin);
  EXPECT_EQ(FastForwardTarget(100, -300), -200);
}
