#include "download/copycheck.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace vtk {

namespace {

constexpr std::size_t kBlock = 1 << 20;

}  // namespace

bool CopyCheck::IsExactCopy(const ReadOnlyFile& heldSource, const std::string& source, const std::string& target) {
  ReadOnlyFile reopened;
  if (!heldSource.IsOpen()) reopened = ReadOnlyFile(source);
  const ReadOnlyFile& from = heldSource.IsOpen() ? heldSource : reopened;
  const ReadOnlyFile to(target);
  long long left = 0, targetSize = 0;
  if (!from.Size(left) || !to.Size(targetSize) || left != targetSize || !from.Rewind()) return false;
  m_source.resize(kBlock);
  m_target.resize(kBlock);
  while (left > 0) {
    const std::size_t n = left < static_cast<long long>(kBlock) ? static_cast<std::size_t>(left) : kBlock;
    if (from.Read(m_source.data(), n) != n || to.Read(m_target.data(), n) != n) return false;
    if (std::memcmp(m_source.data(), m_target.data(), n) != 0) return false;
    left -= n;
  }
  return true;
}

namespace {

// Pairs [first, last) walked in order until one is no exact copy, or until
// `stop` says that an earlier pair already failed.
struct Walk {
  const std::vector<std::string>& sources;
  const std::vector<std::string>& targets;
  const std::vector<ReadOnlyFile>& heldSources;
  std::size_t first, last;
  const std::atomic<bool>& stop;
  std::size_t failed = last;  // the first pair that is no copy; `last` when none
  bool finished = false;      // every pair looked at, or a failure found

  void Run() {
    CopyCheck check;
    const ReadOnlyFile notHeld;
    for (std::size_t i = first; i < last; ++i) {
      if (stop.load(std::memory_order_relaxed)) return;
      if (!check.IsExactCopy(i < heldSources.size() ? heldSources[i] : notHeld, sources[i], targets[i])) {
        failed = i;
        break;
      }
    }
    finished = true;
  }
  static DWORD WINAPI OnThread(LPVOID self) {
    try {
      static_cast<Walk*>(self)->Run();
    } catch (...) {
      // Left unfinished, so that none of these pairs counts as a copy; an
      // exception must not end the host's process from this thread.
    }
    return 0;
  }
};

}  // namespace

std::size_t FirstInexactCopy(const std::vector<std::string>& sources, const std::vector<std::string>& targets,
                             const std::vector<ReadOnlyFile>& heldSources) {
  const std::size_t count = std::min(sources.size(), targets.size()), half = count / 2;
  std::atomic<bool> stop{false};
  Walk later{sources, targets, heldSources, half, count, stop};
  // The second thread reads `later` and the lists: it is stopped and joined
  // on every way out, an exception from this thread's walk included.
  struct Joined {
    HANDLE thread;
    std::atomic<bool>& stop;
    ~Joined() {
      if (!thread) return;
      stop.store(true, std::memory_order_relaxed);
      ::WaitForSingleObject(thread, INFINITE);
      ::CloseHandle(thread);
    }
  } second{half > 0 ? ::CreateThread(nullptr, 0, &Walk::OnThread, &later, 0, nullptr) : nullptr, stop};
  Walk earlier{sources, targets, heldSources, 0, second.thread ? half : count, stop};
  earlier.Run();
  if (earlier.failed < earlier.last || !second.thread) return earlier.failed;
  // Every pair of the first half is a copy: the answer is the second's, and
  // pairs that the second thread could not look at are not confirmed.
  ::WaitForSingleObject(second.thread, INFINITE);
  return later.finished ? later.failed : half;
}

}  // namespace vtk
