#include "framework/msgbox.h"

#include "framework/handlerfault.h"
#include "framework/platform.h"

namespace vtk {

FrameworkPlatform& TheFrameworkPlatform() {
  static FrameworkPlatform platform;
  return platform;
}

int ShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption, UINT nType) {
  // After a handler fault the call is ending: nothing is asked any more, and
  // 0 (no button) lets no caller go on with what the question was about.
  if (HandlerFaultPending()) return 0;
  return TheFrameworkPlatform().messageBox(hOwner, text.c_str(), caption.c_str(), nType);
}

}  // namespace vtk
