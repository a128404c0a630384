// The fifteen playback exports: each drives the library's one player.
#include "frame/callframe.h"
#include "frame/vtksupapp.h"
#include "vtksup.h"

namespace {
CWavePlayer& Player() { return theApp.m_player; }
}  // namespace

// The public header passes the window as void*, so that it needs no
// <windows.h>.
int WINAPI WavePlayFile(void* hWndParent, const char* pszFile, LONG lPauseBackStep, LONG lFrom, BOOL bFrames) {
  return vtk::LibraryCall(int(0), [&] {
    return Player().PlayFile(static_cast<HWND>(hWndParent), pszFile, lPauseBackStep, lFrom, bFrames) ? 1 : 0;
  });
}

int WINAPI WavePlayFrom(LONG lPos) {
  return vtk::LibraryCall(int(0), [&] { return Player().PlayFrom(lPos); });
}

int WINAPI WaveRewind(LONG lStep) {
  return vtk::LibraryCall(int(0), [&] { return Player().Rewind(lStep); });
}

int WINAPI WaveFastForward(LONG lStep) {
  return vtk::LibraryCall(int(0), [&] { return Player().FastForward(lStep); });
}

int WINAPI WavePause(void) {
  return vtk::LibraryCall(int(0), [] { return Player().PauseOrResume(); });
}

int WINAPI WaveStop(void) {
  return vtk::LibraryCall(int(0), [] { return Player().Stop(); });
}

LONG WINAPI WavePosition(BOOL bFrames) {
  return vtk::LibraryCall(LONG(0), [&] { return Player().Position(bFrames); });
}

LONG WINAPI WavePositionString(char* pszBuf) {
  return vtk::LibraryCall(LONG(0), [&] { return Player().PositionString(pszBuf); });
}

LONG WINAPI WaveGetLength(void) {
  return vtk::LibraryCall(LONG(0), [] { return Player().Length(); });
}

LONG WINAPI WaveGetLengthFile(const char* pszFile) {
  return vtk::LibraryCall(LONG(0), [&] { return Player().GetFileLength(pszFile); });
}

int WINAPI WaveSetVolume(LONG lVolume) {
  return vtk::LibraryCall(int(0), [&] { return Player().SetVolume(lVolume); });
}

int WINAPI WaveSetSpeed(LONG lSpeed) {
  return vtk::LibraryCall(int(0), [&] { return Player().SetSpeed(lSpeed); });
}

int WINAPI WaveClose(void) {
  return vtk::LibraryCall(int(0), [] { return Player().CloseDevice() == 0 ? 1 : 0; });
}

UINT WINAPI WaveGetDeviceID(void) {
  return vtk::LibraryCall(UINT(0), [] { return Player().DeviceId(); });
}

DWORD WINAPI WaveGetError(char* pszErr, int cchLen) {
  return vtk::LibraryCall(DWORD(0), [&] { return Player().LastError(pszErr, cchLen); });
}
