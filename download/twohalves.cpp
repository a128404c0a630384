#include "download/twohalves.h"

#include <windows.h>

namespace vtk {

namespace {

struct LaterHalf {
  const std::function<void(std::size_t, std::size_t)>& walk;
  std::size_t first, last;
  bool done = false;

  static DWORD WINAPI Run(LPVOID self) {
    LaterHalf& half = *static_cast<LaterHalf*>(self);
    try {
      half.walk(half.first, half.last);
      half.done = true;
    } catch (...) {
      // Reported through `done`: an exception must not end the host's
      // process from this thread.
    }
    return 0;
  }
};

}  // namespace

bool InTwoHalves(std::size_t count, const std::function<void(std::size_t, std::size_t)>& walk) {
  const std::size_t half = count / 2;
  LaterHalf later{walk, half, count};
  struct Joined {
    HANDLE thread;
    ~Joined() {
      if (!thread) return;
      ::WaitForSingleObject(thread, INFINITE);
      ::CloseHandle(thread);
    }
  } second{half > 0 ? ::CreateThread(nullptr, 0, &LaterHalf::Run, &later, 0, nullptr) : nullptr};
  walk(0, second.thread ? half : count);
  if (!second.thread) return true;
  ::WaitForSingleObject(second.thread, INFINITE);
  return later.done;
}

}  // namespace vtk
