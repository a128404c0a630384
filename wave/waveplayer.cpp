#include "wave/waveplayer.h"

#include <cstring>
#include <string_view>

#include "core/cp932.h"
#include "core/wavesteps.h"

namespace {
// The position and mode texts come in a 50-byte buffer, of which the window
// may fill 49 bytes and the zero.
constexpr int kTextBuffer = 50;
constexpr int kTextLimit = kTextBuffer - 1;
// MCIWNDM_OPENA's flags as the player passes them.
constexpr WPARAM kOpenFlags = 2;
constexpr LONG kFromCurrentPosition = -1;
static_assert(MCI_MODE_PLAY == 526);

bool Succeeded(LRESULT result) { return result == 0; }
// Pause and play report a refusal as a positive MCI error code.
bool Refused(LRESULT result) { return static_cast<LONG>(result) > 0; }
// A missing name opens nothing rather than reaching the window as a null.
LPCSTR FileName(LPCSTR lpszFile) { return lpszFile ? lpszFile : ""; }
}  // namespace

CWavePlayer& ThePlayer() {
  static CWavePlayer player;
  return player;
}

CWavePlayer::~CWavePlayer() {
  // This runs while the library is being unloaded, under the loader lock.
  // Stopping or closing a device that still plays waits for its playback
  // thread, which cannot move while that lock is held: such a device is left
  // to the MCI window, which closes it when it is destroyed.
  if (m_bOpen && Mode() != MCI_MODE_PLAY) CloseDevice();
  // The library's code may be unloaded next: the window must not keep a
  // procedure that points into it.
  UnsubclassWindow();
}

BOOL CWavePlayer::OpenFile(HWND hWndParent, DWORD dwStyle, LPCSTR lpszFile, BOOL bFrames) {
  if (m_bOpen) CloseDevice();
  if (HasWindow()) {
    // An open failure here shows only in later results and in the last error.
    Open(FileName(lpszFile), kOpenFlags);
  } else {
    const BOOL bCreated = Create(hWndParent, dwStyle, FileName(lpszFile));
    ::ShowWindow(m_hWnd, SW_HIDE);
    if (!bCreated) return FALSE;
    UseTimeFormat(bFrames);
  }
  m_bOpen = 1;
  return TRUE;
}

BOOL CWavePlayer::PlayFile(HWND hWndParent, LPCSTR lpszFile, LONG lPauseBackStep, LONG lFrom, BOOL bFrames) {
  if (!OpenFile(hWndParent, vtk::kMciStylePlay, lpszFile, bFrames)) return FALSE;
  m_nPauseBackStep = lPauseBackStep;
  const LRESULT result = lFrom == kFromCurrentPosition ? Play() : CMciWnd::PlayFrom(lFrom);
  return Succeeded(result);
}

LONG CWavePlayer::GetFileLength(LPCSTR lpszFile) {
  if (!OpenFile(nullptr, vtk::kMciStyleMeasure, lpszFile, FALSE)) return 0;
  const LONG length = GetLength();
  CloseDevice();
  return length;
}

int CWavePlayer::PlayFrom(LONG lPos) {
  if (!m_bOpen) return 0;
  return Succeeded(CMciWnd::PlayFrom(lPos)) ? 1 : 0;
}

void CWavePlayer::SeekAndPlay(LONG lPos) {
  Seek(lPos);
  Play();
}

int CWavePlayer::Rewind(LONG lStep) {
  if (!HasWindow()) return 0;
  Pause();
  SeekAndPlay(vtk::RewindTarget(GetPosition(), lStep));
  return 1;
}

int CWavePlayer::FastForward(LONG lStep) {
  if (!HasWindow()) return 0;
  Pause();
  SeekAndPlay(vtk::FastForwardTarget(GetPosition(), lStep));
  return 1;
}

int CWavePlayer::PauseOrResume() {
  if (!HasWindow()) return 0;
  if (Mode() == MCI_MODE_PLAY) {
    if (Refused(Pause())) return 0;
    Seek(vtk::RewindTarget(GetPosition(), m_nPauseBackStep));
    return 1;
  }
  return Refused(Play()) ? 0 : 1;
}

int CWavePlayer::Stop() {
  if (!HasWindow()) return 0;
  CMciWnd::Stop();
  return 1;
}

LONG CWavePlayer::Position(BOOL bFrames) {
  UseTimeFormat(bFrames);
  return GetPosition();
}

LONG CWavePlayer::PositionString(char* lpszBuf) {
  char scratch[kTextBuffer] = "";
  const LONG position = GetPositionString(scratch, kTextLimit);
  // Whatever the window wrote, the caller gets at most 49 bytes and the zero,
  // cut between characters: the cut looks at the byte after the 49th, so a
  // lead byte there is not mistaken for a character that ends the text.
  const std::string_view text(scratch, ::strnlen(scratch, kTextBuffer));
  const std::size_t n = vtk::ClampToCharBoundary(text, kTextLimit);
  if (lpszBuf) {
    std::memcpy(lpszBuf, text.data(), n);
    lpszBuf[n] = '\0';
  }
  return position;
}

LONG CWavePlayer::Length() { return GetLength(); }

int CWavePlayer::SetVolume(LONG lVolume) {
  if (!HasWindow()) return 0;
  if (Mode() == MCI_MODE_PLAY) Pause();
  const LRESULT result = CMciWnd::SetVolume(lVolume);
  Play();
  return Succeeded(result) ? 1 : 0;
}

int CWavePlayer::SetSpeed(LONG lSpeed) {
  if (!HasWindow()) return 0;
  return Succeeded(CMciWnd::SetSpeed(lSpeed)) ? 1 : 0;
}

UINT CWavePlayer::DeviceId() { return GetDeviceID(); }

DWORD CWavePlayer::LastError(char* lpszErr, int cchLen) {
  if (!lpszErr || cchLen <= 0) {
    // No room at all: ask for the code only, and let no text reach the
    // caller's memory whatever the window does with a size of 0.
    char scratch[MAXERRORLENGTH] = "";
    return GetError(scratch, 0);
  }
  // The window writes nothing when there is no error (or no window).
  lpszErr[0] = '\0';
  return GetError(lpszErr, cchLen);
}

void CWavePlayer::UseTimeFormat(BOOL bFrames) { SetTimeFormat(bFrames ? "frames" : "ms"); }

LONG CWavePlayer::Mode() {
  char text[kTextBuffer] = "";
  return GetMode(text, kTextLimit);
}
