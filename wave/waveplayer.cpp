#include "wave/waveplayer.h"

#include <cstring>
#include <string_view>

#include "core/cp932.h"
#include "core/wavesteps.h"

namespace {
// The position and mode texts come in a 50-byte buffer, of which the window
// may fill 49 bytes and the zero.
constexpr int kTextBuffer = 50;
constexpr WPARAM kTextLimit = kTextBuffer - 1;
// MCIWNDM_OPENA's flags as the player passes them.
constexpr WPARAM kOpenFlags = 2;
constexpr LONG kFromCurrentPosition = -1;
static_assert(MCI_MODE_PLAY == 526);

bool Succeeded(LRESULT result) { return result == 0; }
// Pause and play report a refusal as a positive MCI error code.
bool Refused(LRESULT result) { return static_cast<LONG>(result) > 0; }
// A missing name opens nothing rather than reaching the window as a null.
LPARAM FileParam(LPCSTR lpszFile) { return reinterpret_cast<LPARAM>(lpszFile ? lpszFile : ""); }
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
    Send(MCIWNDM_OPENA, kOpenFlags, FileParam(lpszFile));
  } else {
    const BOOL bCreated = Create(hWndParent, dwStyle, lpszFile ? lpszFile : "");
    ::ShowWindow(m_hWnd, SW_HIDE);
    if (!bCreated) return FALSE;
    SetTimeFormat(bFrames);
  }
  m_bOpen = 1;
  return TRUE;
}

BOOL CWavePlayer::PlayFile(HWND hWndParent, LPCSTR lpszFile, LONG lPauseBackStep, LONG lFrom, BOOL bFrames) {
  if (!OpenFile(hWndParent, vtk::kMciStylePlay, lpszFile, bFrames)) return FALSE;
  m_nPauseBackStep = lPauseBackStep;
  const LRESULT result = lFrom == kFromCurrentPosition ? Send(MCI_PLAY) : Send(MCIWNDM_PLAYFROM, 0, lFrom);
  return Succeeded(result);
}

LONG CWavePlayer::GetFileLength(LPCSTR lpszFile) {
  if (!OpenFile(nullptr, vtk::kMciStyleMeasure, lpszFile, FALSE)) return 0;
  const auto length = static_cast<LONG>(Send(MCIWNDM_GETLENGTH));
  CloseDevice();
  return length;
}

int CWavePlayer::PlayFrom(LONG lPos) {
  if (!m_bOpen) return 0;
  return Succeeded(Send(MCIWNDM_PLAYFROM, 0, lPos)) ? 1 : 0;
}

void CWavePlayer::SeekAndPlay(LONG lPos) {
  Send(MCI_SEEK, 0, lPos);
  Send(MCI_PLAY);
}

int CWavePlayer::Rewind(LONG lStep) {
  if (!HasWindow()) return 0;
  Send(MCI_PAUSE);
  SeekAndPlay(vtk::RewindTarget(CurrentPosition(), lStep));
  return 1;
}

int CWavePlayer::FastForward(LONG lStep) {
  if (!HasWindow()) return 0;
  Send(MCI_PAUSE);
  SeekAndPlay(vtk::FastForwardTarget(CurrentPosition(), lStep));
  return 1;
}

int CWavePlayer::PauseOrResume() {
  if (!HasWindow()) return 0;
  if (Mode() == MCI_MODE_PLAY) {
    if (Refused(Send(MCI_PAUSE))) return 0;
    Send(MCI_SEEK, 0, vtk::RewindTarget(CurrentPosition(), m_nPauseBackStep));
    return 1;
  }
  return Refused(Send(MCI_PLAY)) ? 0 : 1;
}

int CWavePlayer::Stop() {
  if (!HasWindow()) return 0;
  Send(MCI_STOP);
  return 1;
}

LONG CWavePlayer::Position(BOOL bFrames) {
  SetTimeFormat(bFrames);
  return CurrentPosition();
}

LONG CWavePlayer::PositionString(char* lpszBuf) {
  char scratch[kTextBuffer] = "";
  const auto position = static_cast<LONG>(Send(MCIWNDM_GETPOSITIONA, kTextLimit, reinterpret_cast<LPARAM>(scratch)));
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

LONG CWavePlayer::Length() { return static_cast<LONG>(Send(MCIWNDM_GETLENGTH)); }

int CWavePlayer::SetVolume(LONG lVolume) {
  if (!HasWindow()) return 0;
  if (Mode() == MCI_MODE_PLAY) Send(MCI_PAUSE);
  const LRESULT result = Send(MCIWNDM_SETVOLUME, 0, lVolume);
  Send(MCI_PLAY);
  return Succeeded(result) ? 1 : 0;
}

int CWavePlayer::SetSpeed(LONG lSpeed) {
  if (!HasWindow()) return 0;
  return Succeeded(Send(MCIWNDM_SETSPEED, 0, lSpeed)) ? 1 : 0;
}

UINT CWavePlayer::DeviceId() { return static_cast<UINT>(Send(MCIWNDM_GETDEVICEID)); }

DWORD CWavePlayer::LastError(char* lpszErr, int cchLen) {
  if (!lpszErr || cchLen <= 0) {
    // No room at all: ask for the code only, and let no text reach the
    // caller's memory whatever the window does with a size of 0.
    char scratch[MAXERRORLENGTH] = "";
    return static_cast<DWORD>(Send(MCIWNDM_GETERRORA, 0, reinterpret_cast<LPARAM>(scratch)));
  }
  // The window writes nothing when there is no error (or no window).
  lpszErr[0] = '\0';
  return static_cast<DWORD>(Send(MCIWNDM_GETERRORA, static_cast<WPARAM>(cchLen), reinterpret_cast<LPARAM>(lpszErr)));
}

void CWavePlayer::SetTimeFormat(BOOL bFrames) {
  Send(MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<LPARAM>(bFrames ? "frames" : "ms"));
}

LONG CWavePlayer::CurrentPosition() { return static_cast<LONG>(Send(MCIWNDM_GETPOSITIONA)); }

LONG CWavePlayer::Mode() {
  char text[kTextBuffer] = "";
  return static_cast<LONG>(Send(MCIWNDM_GETMODEA, kTextLimit, reinterpret_cast<LPARAM>(text)));
}
