#include "core/wavesteps.h"

#include <algorithm>
#include <limits>

namespace vtk {

namespace {
std::int32_t Saturate(std::int64_t value) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(value, lo, hi));
}
}  // namespace

std::int32_t RewindTarget(std::int32_t position, std::int32_t step) {
  const std::int64_t target = std::int64_t{position} - step;
  return target < 0 ? 0 : Saturate(target);
}

std::int32_t FastForwardTarget(std::int32_t position, std::int32_t step) {
  return Saturate(std::int64_t{position} + step);
}

}  // namespace vtk
