/* VTKSUP.dll: the interface for a host application.

   24 functions, __stdcall, exported under undecorated names. A host either
   loads the library by name and binds each function with GetProcAddress
   through the PFN_ types below, or links an import library: libVTKSUP.dll.a
   (mingw) or VTKSUP.lib (Microsoft linker).

   Every integer is 32 bits. Texts are CP932 in buffers that the caller owns;
   a path buffer holds VTKSUP_MAX_PATH bytes. Call every function from the
   thread that loaded the library. docs/exports.md describes each function.

   The header needs nothing but the C library: it compiles as C (C99 or
   later) and as C++, for 32-bit and 64-bit Windows. A window handle is
   passed as void* (any HWND converts to it). */
#ifndef VTKSUP_H
#define VTKSUP_H

#include <stddef.h>
#include <stdint.h>

/* Size of every path buffer, in bytes, the terminating NUL included. */
#define VTKSUP_MAX_PATH 260
/* Size of the buffer of WavePositionString, in bytes. */
#define VTKSUP_POSITION_TEXT 50

/* The host's function-key record. It crosses the library boundary, so its
   layout is fixed: 48 bytes, little-endian, the window handle 32 bits wide at
   offset 0 in 32-bit and 64-bit processes alike (window handles fit in 32
   bits on 64-bit Windows). */
#define VTKSUP_FUNC_SLOTS 6 /* REW, FF, PLAY_STOP, VOLUME, SPEED, DISABLE */
#define VTKSUP_NO_KEY 0xFFFF /* written into a slot that loses its key */

typedef struct FUNCKEYINFO {
  uint32_t hWnd;                         /* receives WM_HOTKEY; 0 = none */
  int32_t bAlt;                          /* nonzero: hot keys with MOD_ALT */
  uint16_t wKey[VTKSUP_FUNC_SLOTS];      /* virtual-key code of each slot */
  uint32_t idHotKey[VTKSUP_FUNC_SLOTS];  /* hot-key id of each slot */
  uint32_t dwReserved;                   /* copied, never read */
} FUNCKEYINFO;

#if defined(__cplusplus)
#define VTKSUP_LAYOUT(cond) static_assert(cond, "FUNCKEYINFO layout: " #cond)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define VTKSUP_LAYOUT(cond) _Static_assert(cond, "FUNCKEYINFO layout: " #cond)
#else /* before C11: an array of negative size stops the build */
#define VTKSUP_LAYOUT_NAME2(line) vtksup_layout_##line
#define VTKSUP_LAYOUT_NAME(line) VTKSUP_LAYOUT_NAME2(line)
#define VTKSUP_LAYOUT(cond) typedef char VTKSUP_LAYOUT_NAME(__LINE__)[(cond) ? 1 : -1]
#endif
VTKSUP_LAYOUT(sizeof(FUNCKEYINFO) == 48);
VTKSUP_LAYOUT(offsetof(FUNCKEYINFO, hWnd) == 0);
VTKSUP_LAYOUT(offsetof(FUNCKEYINFO, bAlt) == 4);
VTKSUP_LAYOUT(offsetof(FUNCKEYINFO, wKey) == 8);
VTKSUP_LAYOUT(offsetof(FUNCKEYINFO, idHotKey) == 20);
VTKSUP_LAYOUT(offsetof(FUNCKEYINFO, dwReserved) == 44);
#undef VTKSUP_LAYOUT
#undef VTKSUP_LAYOUT_NAME
#undef VTKSUP_LAYOUT_NAME2

#if defined(_WIN32)
#define VTKSUP_CALL __stdcall
#else
#define VTKSUP_CALL /* off Windows only the record is used */
#endif

/* Declares function `name` and its pointer type PFN_name. */
#define VTKSUP_FUNCTION(result, name, params) \
  typedef result(VTKSUP_CALL* PFN_##name) params; \
  result VTKSUP_CALL name params

#ifdef __cplusplus
extern "C" {
#endif

/* Card download */
VTKSUP_FUNCTION(int, DnLoadOptions, (int* pbDelete, int* pnMethod, int* pnDriveChoice, char* pszFolder,
                                     char* pszDrive));
VTKSUP_FUNCTION(int, DnLoadCondition, (int* pbDelete, int* pnMethod, int* pnDriveChoice, int* pnResult,
                                       char* pszFolder, char* pszNewFolder, char* pszDrive));
VTKSUP_FUNCTION(void, GetMiniCardDrive, (void* pReserved, int* pnCount));
/* Recorder download (folders A and B) */
VTKSUP_FUNCTION(int, QX270DnLoadOption, (int* pbDelete, int* pnMethod, char* pszFolderA, char* pszFolderB));
VTKSUP_FUNCTION(int, QX270DnLoadCondition, (int* pbDelete, int* pnMethod, int nFolders, char* pszFolderA,
                                            char* pszFolderB));
VTKSUP_FUNCTION(int, GetDnLoadNewFolderPath, (int nFolders, char* pszFolderA, char* pszFolderB));
/* Function keys */
VTKSUP_FUNCTION(int, FuncKeyHook, (int nMode, FUNCKEYINFO* pInfo));
VTKSUP_FUNCTION(int, FuncKeyAssign, (FUNCKEYINFO* pInfo));
VTKSUP_FUNCTION(int, FuncKeyAssignJ, (FUNCKEYINFO* pInfo));
/* Sound playback */
VTKSUP_FUNCTION(int, WavePlayFile, (void* hWndParent, const char* pszFile, long lPauseBackStep, long lFrom,
                                    int bFrames));
VTKSUP_FUNCTION(int, WavePlayFrom, (long lPos));
VTKSUP_FUNCTION(int, WaveRewind, (long lStep));
VTKSUP_FUNCTION(int, WaveFastForward, (long lStep));
VTKSUP_FUNCTION(int, WavePause, (void));
VTKSUP_FUNCTION(int, WaveStop, (void));
VTKSUP_FUNCTION(long, WavePosition, (int bFrames));
VTKSUP_FUNCTION(long, WavePositionString, (char* pszBuf));
VTKSUP_FUNCTION(long, WaveGetLength, (void));
VTKSUP_FUNCTION(long, WaveGetLengthFile, (const char* pszFile));
VTKSUP_FUNCTION(int, WaveSetVolume, (long lVolume));
VTKSUP_FUNCTION(int, WaveSetSpeed, (long lSpeed));
VTKSUP_FUNCTION(int, WaveClose, (void));
VTKSUP_FUNCTION(unsigned int, WaveGetDeviceID, (void));
VTKSUP_FUNCTION(unsigned long, WaveGetError, (char* pszErr, int cchLen));

#ifdef __cplusplus
}
#endif

#undef VTKSUP_FUNCTION

#endif /* VTKSUP_H */
