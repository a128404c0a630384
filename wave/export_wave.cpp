// The fifteen playback exports: each drives the library's one player. A file
// name is taken only when it is a whole path (vtk::ReadHostPath), and a null
// text buffer gets 0, the answer without a file, before anything is sent.
#include "core/pathrules.h"
#include "frame/callframe.h"
#include "vtksup.h"
#include "wave/waveplayer.h"

// The public header passes the window as void*, so that it needs no
// <windows.h>.
int WINAPI WavePlayFile(void* hWndParent, const char* pszFile, LONG lPauseBackStep, LONG lFrom, BOOL bFrames) {
  return vtk::LibraryCall(int(0), [&] {
    const std::optional<std::string> file = vtk::ReadHostPath(pszFile);
    if (!file) return 0;
    return ThePlayer().PlayFile(static_cast<HWND>(hWndParent), file->c_str(), lPauseBackStep, lFrom, bFrames) ? 1 : 0;
  });
}

int WINAPI WavePlayFrom(LONG lPos) {
  return vtk::LibraryCall(int(0), [&] { return ThePlayer().PlayFrom(lPos); });
}

int WINAPI WaveRewind(LONG lStep) {
  return vtk::LibraryCall(int(0), [&] { return ThePlayer().Rewind(lStep); });
}

int WINAPI WaveFastForward(LONG lStep) {
  return vtk::LibraryCall(int(0), [&] { return ThePlayer().FastForward(lStep); });
}

int WINAPI WavePause(void) {
  return vtk::LibraryCall(int(0), [] { return ThePlayer().PauseOrResume(); });
}

int WINAPI WaveStop(void) {
  return vtk::LibraryCall(int(0), [] { return ThePlayer().Stop(); });
}

LONG WINAPI WavePosition(BOOL bFrames) {
  return vtk::LibraryCall(LONG(0), [&] { return ThePlayer().Position(bFrames); });
}

LONG WINAPI WavePositionString(char* pszBuf) {
  return vtk::LibraryCall(LONG(0), [&] { return pszBuf ? ThePlayer().PositionString(pszBuf) : 0; });
}

LONG WINAPI WaveGetLength(void) {
  return vtk::LibraryCall(LONG(0), [] { return ThePlayer().Length(); });
}

LONG WINAPI WaveGetLengthFile(const char* pszFile) {
  return vtk::LibraryCall(LONG(0), [&] {
    const std::optional<std::string> file = vtk::ReadHostPath(pszFile);
    return file ? ThePlayer().GetFileLength(file->c_str()) : 0;
  });
}

int WINAPI WaveSetVolume(LONG lVolume) {
  return vtk::LibraryCall(int(0), [&] { return ThePlayer().SetVolume(lVolume); });
}

int WINAPI WaveSetSpeed(LONG lSpeed) {
  return vtk::LibraryCall(int(0), [&] { return ThePlayer().SetSpeed(lSpeed); });
}

int WINAPI WaveClose(void) {
  return vtk::LibraryCall(int(0), [] { return ThePlayer().CloseDevice() == 0 ? 1 : 0; });
}

UINT WINAPI WaveGetDeviceID(void) {
  return vtk::LibraryCall(UINT(0), [] { return ThePlayer().DeviceId(); });
}

DWORD WINAPI WaveGetError(char* pszErr, int cchLen) {
  return vtk::LibraryCall(DWORD(0), [&] { return pszErr ? ThePlayer().LastError(pszErr, cchLen) : 0; });
}
