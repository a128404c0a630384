#include "framework/msgbox.h"

namespace vtk {
namespace {
MessageBoxObserver& Observer() {
  static MessageBoxObserver observer;
  return observer;
}
}  // namespace

int ShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption, UINT nType) {
  if (Observer()) Observer()(hOwner, text, caption, nType);
  return ::MessageBoxA(hOwner, text.c_str(), caption.c_str(), nType);
}

void SetMessageBoxObserverForTesting(MessageBoxObserver observer) { Observer() = std::move(observer); }

}  // namespace vtk
