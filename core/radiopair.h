// A flag that a dialog shows as a pair of buttons (two radio buttons, or two
// check boxes standing for them): the first button stands for 0, the second
// for any other value.
#pragma once

namespace vtk {

struct RadioPair {
  int first = 1;
  int second = 0;
};

constexpr RadioPair RadioPairOf(int flag) { return flag == 0 ? RadioPair{1, 0} : RadioPair{0, 1}; }

// 0 only when the first button alone is checked; any other state (both,
// neither, the second) reads as 1.
constexpr int FlagOf(const RadioPair& pair) { return (pair.first == 1 && pair.second == 0) ? 0 : 1; }

}  // namespace vtk
