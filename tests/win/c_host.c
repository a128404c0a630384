/* A host written in C against the public header alone. It binds functions
   that open no dialog by name through LoadLibrary/GetProcAddress or, built
   with VTK_IMPORT_LIBRARY, through an import library, and calls them. Built
   with VTK_VERSION it also reads the DLL's version resource back. Built with
   VTK_NO_CRT it uses no C runtime (the Microsoft-ABI build links nothing but
   VTKSUP.lib). The exit code has the bit of each failed check. */
#include "vtksup.h"

#ifndef VTK_IMPORT_LIBRARY
#include <windows.h>
#endif
#ifndef VTK_NO_CRT
#include <stdio.h>
#endif

#define VTK_BOUND(X) X(GetDnLoadNewFolderPath) X(GetMiniCardDrive) X(FuncKeyHook) X(FuncKeyAssign) \
  X(FuncKeyAssignJ) X(WaveGetLength) X(WaveClose)
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

#ifdef VTK_VERSION
/* The version resource as a host's installer or Explorer's Details page read
   it: fixed numbers, the translation list, both language blocks. */
static unsigned CheckVersion(void) {
  static const char* const blocks[] = {"041103a4", "040904b0"};
  static char data[8192];
  char query[64], text[64], *value;
  VS_FIXEDFILEINFO* fixed;
  DWORD* pairs;
  UINT size;
  int i;
  if (!GetFileVersionInfoA("VTKSUP.dll", 0, sizeof data, data) || !VerQueryValueA(data, "\\", (void**)&fixed, &size) ||
      fixed->dwFileType != VFT_DLL)
    return 0x100;
  wsprintfA(text, "%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
            HIWORD(fixed->dwFileVersionLS));
  if (!Same(text, VTK_VERSION) || fixed->dwProductVersionMS != fixed->dwFileVersionMS) return 0x200;
  if (!VerQueryValueA(data, "\\VarFileInfo\\Translation", (void**)&pairs, &size) || size != 8 ||
      pairs[0] != (DWORD)MAKELONG(0x0411, 932) || pairs[1] != (DWORD)MAKELONG(0x0409, 1200))
    return 0x400;
  for (i = 0; i < 2; ++i) {
    wsprintfA(query, "\\StringFileInfo\\%s\\FileVersion", blocks[i]);
    if (!VerQueryValueA(data, query, (void**)&value, &size) || !Same(value, VTK_VERSION)) return 0x800;
    /* The Japanese block must come back as CP932 text, not as '?'. */
    wsprintfA(query, "\\StringFileInfo\\%s\\CompanyName", blocks[i]);
    if (!VerQueryValueA(data, query, (void**)&value, &size) || size < 8 || value[7] == '?' ||
        (i == 0) != ((unsigned char)value[7] >= 0x81))
      return 0x1000;
  }
  return 0;
}
#endif

static unsigned Check(void) {
  /* Selector 0 names no new folder: both parents come back, a trailing
     backslash removed except from a drive root. */
  static char a[VTKSUP_MAX_PATH] = "X:\\Dictation\\", b[VTKSUP_MAX_PATH] = "E:\\";
  static FUNCKEYINFO windowless;
  unsigned failed = 0;
  int count = -1;
  if (!Bind()) return 1;
  if (pGetDnLoadNewFolderPath(0, a, b) != 1 || !Same(a, "X:\\Dictation") || !Same(b, "E:\\")) failed |= 2;
  pGetMiniCardDrive(0, &count);
  if (count < 0) failed |= 4;
  /* No record, or a record without a window: nothing registered, no dialog. */
  if (pFuncKeyHook(1, 0) != 0 || pFuncKeyHook(1, &windowless) != 0 || pFuncKeyAssign(0) != 0 || pFuncKeyAssignJ(0) != 0)
    failed |= 8;
  /* Before any file the player has no window. */
  if (pWaveGetLength() != 0 || pWaveClose() != 1) failed |= 16;
#ifdef VTK_VERSION
  failed |= CheckVersion();
#endif
  return failed;
}

#ifdef VTK_NO_CRT
unsigned long __stdcall VtkEntry(void* peb) {
  (void)peb;
  return Check();
}
#else
int main(void) {
  unsigned failed = Check();
  printf("%s: failed checks 0x%x\n", failed ? "FAIL" : "ok", failed);
  return (int)failed;
}
#endif
