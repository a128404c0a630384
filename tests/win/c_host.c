/* A host written in C against the public header alone. It binds exports of
   every argument size by name (LoadLibrary/GetProcAddress) or, built with
   VTK_IMPORT_LIBRARY, through an import library, and calls them. Built with
   VTK_VERSION it also reads the DLL's version resource back; with VTK_NO_CRT
   it uses no C runtime (the Microsoft-ABI build links nothing but
   VTKSUP.lib). The exit code has the bit of each failed check. */
#include "vtksup.h"

#ifndef VTK_IMPORT_LIBRARY
#include <windows.h>
#endif

#define VTK_BOUND(X) X(GetDnLoadNewFolderPath) X(FuncKeyHook) X(FuncKeyAssign) X(FuncKeyAssignJ) X(WaveClose)
#define VTK_POINTER(name) static PFN_##name p##name;
VTK_BOUND(VTK_POINTER)

static int Bind(void) {
#ifdef VTK_IMPORT_LIBRARY
#define VTK_BIND(name) p##name = name;
#else
  HMODULE dll = LoadLibraryA("VTKSUP.dll");
#define VTK_BIND(name) \
  if (!dll || !(p##name = (PFN_##name)(void (*)(void))GetProcAddress(dll, #name))) return 0;
#endif
  VTK_BOUND(VTK_BIND)
  return 1;
}

static int Same(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

static unsigned Check(void) {
  /* Selector 0 names no new folder: both parents come back, a trailing
     backslash removed except from a drive root. */
  static char a[VTKSUP_MAX_PATH] = "X:\\Dictation\\", b[VTKSUP_MAX_PATH] = "E:\\";
  unsigned failed = 0;
  if (!Bind()) return 1;
  if (pGetDnLoadNewFolderPath(0, a, b) != 1 || !Same(a, "X:\\Dictation") || !Same(b, "E:\\")) failed |= 2;
  /* No record: nothing registered, no dialog. */
  if (pFuncKeyHook(1, 0) != 0 || pFuncKeyAssign(0) != 0 || pFuncKeyAssignJ(0) != 0) failed |= 4;
  if (pWaveClose() != 1) failed |= 8;
#ifdef VTK_VERSION
  {
    /* The file version, and the Japanese block's company name as CP932
       text (not as '?'), as an installer or Explorer reads them. */
    static char data[8192];
    VS_FIXEDFILEINFO* fixed;
    char text[32], *value;
    UINT size;
    if (!GetFileVersionInfoA("VTKSUP.dll", 0, sizeof data, data) || !VerQueryValueA(data, "\\", (void**)&fixed, &size))
      return failed | 16;
    wsprintfA(text, "%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
              HIWORD(fixed->dwFileVersionLS));
    if (!Same(text, VTK_VERSION) ||
        !VerQueryValueA(data, "\\StringFileInfo\\041103a4\\CompanyName", (void**)&value, &size) || size < 8 ||
        (unsigned char)value[7] < 0x81)
      failed |= 32;
  }
#endif
  return failed;
}

#ifdef VTK_NO_CRT
unsigned long __stdcall VtkEntry(void* peb) {
  (void)peb;
  return Check();
}
#else
int main(void) { return (int)Check(); }
#endif
