// Work on many files that is bound by the file system's round trips and the
// disk cache rather than by one processor: the later half of the items is
// done on a second thread while this one does the first.
#pragma once
#include <cstddef>
#include <functional>

namespace vtk {

// Calls walk(0, count / 2) on this thread and walk(count / 2, count) on a
// second one, which is joined before this returns, on every way out. When the
// second thread cannot start, this thread does both halves. Returns false
// when the second half threw: what it produced must not be used. An
// exception from this thread's half is passed on after the join.
bool InTwoHalves(std::size_t count, const std::function<void(std::size_t first, std::size_t last)>& walk);

}  // namespace vtk
