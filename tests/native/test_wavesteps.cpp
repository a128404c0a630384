#include <gtest/gtest.h>

#include <limits>

#include "core/wavesteps.h"

using namespace vtk;

// Rewinding stops at the start, winding on is not bounded by the length, and
// extreme steps saturate instead of wrapping.
TEST(WaveSteps, TargetsStayInRange) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max(), kMin = -kMax - 1;
  const struct { std::int32_t (*target)(std::int32_t, std::int32_t); std::int32_t position, step, expected; } cases[] = {
      {RewindTarget, 10000, 500, 9500}, {RewindTarget, 2000, 3000, 0},        {RewindTarget, 0, kMin, kMax},
      {RewindTarget, kMin, 1, 0},       {FastForwardTarget, kMax, kMax, kMax}, {FastForwardTarget, kMin, kMin, kMin}};
  for (const auto& c : cases) EXPECT_EQ(c.target(c.position, c.step), c.expected) << c.position << " " << c.step;
}
