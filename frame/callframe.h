// The frame that every export runs in: the library's module state is current
// for the length of the call and the previous one comes back on every way
// out. Nothing is thrown across the boundary; a fault ends the call with the
// export's failure result.
#pragma once
#include <atomic>
#include <utility>

#include "framework/handlerfault.h"
#include "framework/modulestate.h"

namespace vtk {

// How deep the calling thread is in export frames: an export may run inside
// another one (a host handler called while a library dialog is open).
class FrameDepth {
 public:
  FrameDepth() { ++t_depth; }
  ~FrameDepth() { --t_depth; }
  FrameDepth(const FrameDepth&) = delete;
  FrameDepth& operator=(const FrameDepth&) = delete;
  bool Outermost() const { return t_depth == 1; }

 private:
  static inline thread_local int t_depth = 0;
};

template <class R, class Body>
R RunInFrame(AFX_MODULE_STATE* state, R onFault, Body&& body) {
  AFX_MAINTAIN_STATE2 frame(state);
  FrameDepth depth;
  // A fault that a message of the host's own loop left is not this call's.
  if (depth.Outermost()) TakeHandlerFault();
  try {
    R result = std::forward<Body>(body)();
    if (!HandlerFaultPending()) return result;
  } catch (...) {
  }
  if (depth.Outermost()) TakeHandlerFault();
  return onFault;
}

template <class R, class Body>
R LibraryCall(R onFault, Body&& body) {
  return RunInFrame(AfxGetStaticModuleState(), onFault, std::forward<Body>(body));
}

// The dialog exports share process-wide state that their dialogs change
// while they run: the card-drive tables and the removable-drive flag that
// the drive probes rebuild, the host-edition flags of the function-key
// dialog, and the process's current directory, which every folder check
// moves and every empty folder argument reads. So a dialog export that
// arrives while another one is still open in the process (from a message
// handler of the host, say, or from another thread) is refused with
// `onBusy` and shows nothing.
class DialogCallScope {
 public:
  DialogCallScope() : m_bEntered(!s_busy.exchange(true)) {}
  ~DialogCallScope() {
    if (m_bEntered) s_busy = false;
  }
  DialogCallScope(const DialogCallScope&) = delete;
  DialogCallScope& operator=(const DialogCallScope&) = delete;
  bool Entered() const { return m_bEntered; }

 private:
  static inline std::atomic<bool> s_busy{false};
  bool m_bEntered;
};

template <class R, class Body>
R DialogCall(AFX_MODULE_STATE* state, R onBusy, Body&& body) {
  DialogCallScope scope;
  if (!scope.Entered()) return onBusy;
  return RunInFrame(state, onBusy, std::forward<Body>(body));
}

}  // namespace vtk
