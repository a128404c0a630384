#include <windows.h>

#include "frame/vtksupapp.h"
#include "framework/modulestate.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  switch (dwReason) {
    case DLL_PROCESS_ATTACH:
      ::DisableThreadLibraryCalls(hInstance);
      // The application object registered itself when it was built.
      if (AfxGetStaticModuleState()->m_pCurrentWinApp != &theApp) return FALSE;
      return AfxAttachModule(hInstance);
    case DLL_PROCESS_DETACH:
      AfxDetachModule();
      return TRUE;
    default:
      return TRUE;
  }
}
