// The application object of a module. The library has exactly one, built as
// a static object; the DLL entry point runs InitInstance on load and
// ExitInstance on unload.
#pragma once
#include <windows.h>

class CWinApp {
 public:
  // Registers the object as the application of the library's module state.
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int ExitInstance();

  HINSTANCE m_hInstance = nullptr;
};

// Called by the DLL entry point (and by test programs, which link the same
// objects into an .exe): records the module's instance handle and runs
// InitInstance under the library's module state.
BOOL AfxAttachModule(HINSTANCE hInstance);
// Runs ExitInstance under the library's module state.
void AfxDetachModule();
