/* VTKSUP.dll: the 24 exports, __stdcall, undecorated names. Every integer is
   32 bits; texts are CP932 in buffers that the caller owns. */
#pragma once
#include <windows.h>

#include "core/funckeyinfo.h"

/* The export table comes from the module-definition file alone, so the
   names carry no stdcall decoration. */
#define VTKSUP_API extern "C"

/* Card download */
VTKSUP_API int WINAPI DnLoadOptions(int* pbDelete, int* pnMethod, int* pnDriveChoice, char* pszFolder,
                                    char* pszDrive);
VTKSUP_API int WINAPI DnLoadCondition(int* pbDelete, int* pnMethod, int* pnDriveChoice, int* pnResult,
                                      char* pszFolder, char* pszNewFolder, char* pszDrive);
VTKSUP_API void WINAPI GetMiniCardDrive(void* pReserved, int* pnCount);
/* Recorder download (folders A and B) */
VTKSUP_API int WINAPI QX270DnLoadOption(int* pbDelete, int* pnMethod, char* pszFolderA, char* pszFolderB);
VTKSUP_API int WINAPI QX270DnLoadCondition(int* pbDelete, int* pnMethod, int nFolders, char* pszFolderA,
                                           char* pszFolderB);
VTKSUP_API int WINAPI GetDnLoadNewFolderPath(int nFolders, char* pszFolderA, char* pszFolderB);
/* Function keys */
VTKSUP_API int WINAPI FuncKeyHook(int nMode, FUNCKEYINFO* pInfo);
VTKSUP_API int WINAPI FuncKeyAssign(FUNCKEYINFO* pInfo);
VTKSUP_API int WINAPI FuncKeyAssignJ(FUNCKEYINFO* pInfo);
/* Sound playback */
VTKSUP_API int WINAPI WavePlayFile(HWND hWndParent, const char* pszFile, LONG lPauseBackStep, LONG lFrom,
                                   BOOL bFrames);
VTKSUP_API int WINAPI WavePlayFrom(LONG lPos);
VTKSUP_API int WINAPI WaveRewind(LONG lStep);
VTKSUP_API int WINAPI WaveFastForward(LONG lStep);
VTKSUP_API int WINAPI WavePause(void);
VTKSUP_API int WINAPI WaveStop(void);
VTKSUP_API LONG WINAPI WavePosition(BOOL bFrames);
VTKSUP_API LONG WINAPI WavePositionString(char* pszBuf);
VTKSUP_API LONG WINAPI WaveGetLength(void);
VTKSUP_API LONG WINAPI WaveGetLengthFile(const char* pszFile);
VTKSUP_API int WINAPI WaveSetVolume(LONG lVolume);
VTKSUP_API int WINAPI WaveSetSpeed(LONG lSpeed);
VTKSUP_API int WINAPI WaveClose(void);
VTKSUP_API UINT WINAPI WaveGetDeviceID(void);
VTKSUP_API DWORD WINAPI WaveGetError(char* pszErr, int cchLen);
