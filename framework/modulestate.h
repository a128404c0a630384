// Per-module state: which module's resources the framework uses. Every export
// makes the library's own state current for the length of the call (the
// calling application's for the one export that shows the host's dialog), and
// dialog templates, strings and bitmaps are looked up in the current state's
// resource module.
#pragma once
#include <windows.h>

#include <string>

class CWinApp;

struct AFX_MODULE_STATE {
  HINSTANCE m_hCurrentInstanceHandle = nullptr;
  HINSTANCE m_hCurrentResourceHandle = nullptr;
  CWinApp* m_pCurrentWinApp = nullptr;
};

// The library's own state (its instance, its resources, its application).
AFX_MODULE_STATE* AfxGetStaticModuleState();
// The state of the application that loaded the library (the .exe module).
AFX_MODULE_STATE* AfxGetAppModuleState();
// The state current on the calling thread; the application's when no call
// frame has set one.
AFX_MODULE_STATE* AfxGetModuleState();
// Makes `state` current on the calling thread and returns the previous one.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state);

HINSTANCE AfxGetResourceHandle();

// Makes a module state current for the lifetime of the guard and restores the
// previous one on every way out, exceptions included.
class AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state) : m_pPrevious(AfxSetModuleState(state)) {}
  ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevious); }
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

 private:
  AFX_MODULE_STATE* m_pPrevious;
};

// A string of the current resource module, as CP932 bytes; empty when the
// module has no string of that id.
std::string LoadResString(UINT id);
