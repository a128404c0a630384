// Where winding and pausing move the playback position. Positions and steps
// are 32-bit numbers in the player's time format; the arithmetic saturates so
// that a huge step from the host can never wrap around to the other end.
#pragma once
#include <cstdint>

namespace vtk {

// Back by `step`, never before the start.
std::int32_t RewindTarget(std::int32_t position, std::int32_t step);
// On by `step`; not bounded by the length (the device decides what a seek
// past the end does).
std::int32_t FastForwardTarget(std::int32_t position, std::int32_t step);

}  // namespace vtk
