#include <windows.h>

#include "framework/winapp.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  switch (dwReason) {
    case DLL_PROCESS_ATTACH:
      ::DisableThreadLibraryCalls(hInstance);
      return AfxAttachModule(hInstance);
    case DLL_PROCESS_DETACH:
      AfxDetachModule();
      return TRUE;
    default:
      return TRUE;
  }
}
