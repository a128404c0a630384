#include "frame/callframe.h"
#include "vtksup.h"

// Playback exports: not built yet; they send nothing and return 0.
int WINAPI WavePlayFile(HWND, const char*, LONG, LONG, BOOL) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
int WINAPI WavePlayFrom(LONG) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
int WINAPI WaveRewind(LONG) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
int WINAPI WaveFastForward(LONG) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
int WINAPI WavePause(void) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
int WINAPI WaveStop(void) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
LONG WINAPI WavePosition(BOOL) { return vtk::LibraryCall(LONG(0), [] { return LONG(0); }); }
LONG WINAPI WavePositionString(char*) { return vtk::LibraryCall(LONG(0), [] { return LONG(0); }); }
LONG WINAPI WaveGetLength(void) { return vtk::LibraryCall(LONG(0), [] { return LONG(0); }); }
LONG WINAPI WaveGetLengthFile(const char*) { return vtk::LibraryCall(LONG(0), [] { return LONG(0); }); }
int WINAPI WaveSetVolume(LONG) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
int WINAPI WaveSetSpeed(LONG) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
int WINAPI WaveClose(void) { return vtk::LibraryCall(int(0), [] { return int(0); }); }
UINT WINAPI WaveGetDeviceID(void) { return vtk::LibraryCall(UINT(0), [] { return UINT(0); }); }
DWORD WINAPI WaveGetError(char*, int) { return vtk::LibraryCall(DWORD(0), [] { return DWORD(0); }); }
