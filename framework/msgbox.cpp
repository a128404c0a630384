#include "framework/msgbox.h"

#include "framework/handlerfault.h"

namespace vtk {
namespace {
MessageBoxObserver& Observer() {
  static MessageBoxObserver observer;
  return observer;
}
}  // namespace

int ShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption, UINT nType) {
  // After a handler fault the call is ending: nothing is asked any more, and
  // 0 (no button) lets no caller go on with what the question was about.
  if (HandlerFaultPending()) return 0;
  if (Observer()) Observer()(hOwner, text, caption, nType);
  return ::MessageBoxA(hOwner, text.c_str(), caption.c_str(), nType);
}

void SetMessageBoxObserverForTesting(MessageBoxObserver observer) { Observer() = std::move(observer); }

}  // namespace vtk
