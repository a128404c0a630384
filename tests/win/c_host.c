/* A host written in C against the public header alone. It binds the
   functions that open no dialog, by name through LoadLibrary/GetProcAddress
   or, built with VTK_IMPORT_LIBRARY, through an import library, and calls
   them. Built with VTK_VERSION it also reads the DLL's version resource back.
   Built with VTK_NO_CRT it uses no C runtime (the Microsoft-ABI build links
   nothing but VTKSUP.lib). The exit code has the bit of each failed check. */
#include "vtksup.h"

#ifndef VTK_IMPORT_LIBRARY
#include <windows.h>
#endif
#ifndef VTK_NO_CRT
#include <stdio.h>
#endif

#define VTK_BOUND(X) X(GetDnLoadNewFolderPath) X(GetMiniCardDrive) X(FuncKeyHook) X(FuncKeyAssign) \
  X(WaveGetLength) X(WaveGetDeviceID) X(WaveClose)
#define VTK_POINTER(name) static PFN_##name p##name;
VTK_BOUND(VTK_POINTER)

static int Bind(void) {
#ifdef VTK_IMPORT_LIBRARY
#define VTK_BIND(name) p##name = name;
#else
  HMODULE dll = LoadLibraryA("VTKSUP.dll");
  if (!dll) return 0;
#define VTK_BIND(name) \
  if (!(p##name = (PFN_##name)(void (*)(void))GetProcAddress(dll, #name))) return 0;
#endif
  VTK_BOUND(VTK_BIND)
  return 1;
}

static int Same(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

static void Copy(char* to, const char* from) {
  while ((*to++ = *from++) != 0) {
  }
}

#ifdef VTK_VERSION
/* The version resource: fixed numbers, both language blocks and the
   translation list, as a host's installer or Explorer's Details page read
   them. */
static unsigned CheckVersion(void) {
  static const char* const blocks[] = {"041103a4", "040904b0"};
  static const WORD translations[] = {0x0411, 932, 0x0409, 1200};
  static char data[8192];
  char query[64], text[64];
  char* value;
  VS_FIXEDFILEINFO* fixed;
  WORD* pairs;
  UINT size;
  int i;
  if (!GetFileVersionInfoA("VTKSUP.dll", 0, sizeof data, data)) return 0x100;
  if (!VerQueryValueA(data, "\\", (void**)&fixed, &size) || fixed->dwFileType != VFT_DLL) return 0x100;
  wsprintfA(text, "%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
            HIWORD(fixed->dwFileVersionLS));
  if (!Same(text, VTK_VERSION) || fixed->dwProductVersionMS != fixed->dwFileVersionMS) return 0x200;
  if (!VerQueryValueA(data, "\\VarFileInfo\\Translation", (void**)&pairs, &size) || size != sizeof translations)
    return 0x400;
  for (i = 0; i < 4; ++i)
    if (pairs[i] != translations[i]) return 0x400;
  for (i = 0; i < 2; ++i) {
    wsprintfA(query, "\\StringFileInfo\\%s\\FileVersion", blocks[i]);
    if (!VerQueryValueA(data, query, (void**)&value, &size) || !Same(value, VTK_VERSION)) return 0x800;
    /* The Japanese block must come back as CP932 text, not as '?'. */
    wsprintfA(query, "\\StringFileInfo\\%s\\CompanyName", blocks[i]);
    if (!VerQueryValueA(data, query, (void**)&value, &size) || size < 2) return 0x1000;
    if ((i == 0) != ((unsigned char)value[7] >= 0x81) || value[7] == '?') return 0x1000;
  }
  return 0;
}
#endif

static unsigned Check(void) {
  static char a[VTKSUP_MAX_PATH], b[VTKSUP_MAX_PATH];
  static FUNCKEYINFO keys;
  unsigned failed = 0;
  int count = -1;
  if (!Bind()) return 1;
  /* Selector 0 names no new folder: both parents come back, a trailing
     backslash removed except from a drive root. */
  Copy(a, "X:\\Dictation\\");
  Copy(b, "E:\\");
  if (pGetDnLoadNewFolderPath(0, a, b) != 1 || !Same(a, "X:\\Dictation") || !Same(b, "E:\\")) failed |= 2;
  pGetMiniCardDrive(0, &count);
  if (count < 0) failed |= 4;
  /* No record, or a record without a window: nothing is registered. */
  if (pFuncKeyHook(1, 0) != 0 || pFuncKeyHook(1, &keys) != 0 || pFuncKeyAssign(0) != 0) failed |= 8;
  /* Before any file the player has no window. */
  if (pWaveGetLength() != 0 || pWaveGetDeviceID() != 0 || pWaveClose() != 1) failed |= 16;
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
