// CWavePlayer: the one player behind the playback exports. It opens a file
// in its hidden MCI window and plays it, measures files, and steps back by
// m_nPauseBackStep when playback is paused. Everything else (device,
// position, mode, time format, volume, speed) lives in the MCI window.
#pragma once
#include <windows.h>

#include "wave/mciwnd.h"

class CWavePlayer : public CMciWnd {
 public:
  CWavePlayer() = default;
  // Closes an open device and gives the window back to its own procedure;
  // the window itself is left alone.
  ~CWavePlayer() override;

  // Opens `lpszFile` and plays it from `lFrom` (-1: from the current
  // position). A window made here gets `hWndParent` as parent and the time
  // format "frames" or "ms" after `bFrames`; an existing window is reused
  // with its format. TRUE when playback started.
  BOOL PlayFile(HWND hWndParent, LPCSTR lpszFile, LONG lPauseBackStep, LONG lFrom, BOOL bFrames);
  // The length of `lpszFile`, 0 when no window can be made; ends any
  // playback and leaves the file closed.
  LONG GetFileLength(LPCSTR lpszFile);

  // Playback control. The ones that test for the window return 0 (and send
  // nothing) without one.
  int PlayFrom(LONG lPos);
  int Rewind(LONG lStep);
  int FastForward(LONG lStep);
  int PauseOrResume();
  int Stop();
  LONG Position(BOOL bFrames);
  // Writes the position's text (at most 49 characters and the zero) into a
  // buffer of at least 50 bytes.
  LONG PositionString(char* lpszBuf);
  LONG Length();
  int SetVolume(LONG lVolume);
  int SetSpeed(LONG lSpeed);
  UINT DeviceId();
  DWORD LastError(char* lpszErr, int cchLen);

  LONG m_nPauseBackStep = 0;  // how far a pause steps back, in the current time format

 private:
  // Closes what is open, then opens `lpszFile` in the window, or makes the
  // window with it (hidden, in "frames" or "ms"). FALSE when no window could
  // be made.
  BOOL OpenFile(HWND hWndParent, DWORD dwStyle, LPCSTR lpszFile, BOOL bFrames);
  // Sets the window's time format: "frames" or "ms".
  void UseTimeFormat(BOOL bFrames);
  // The mode number; the text form that comes with it is not used.
  LONG Mode();
  // Pauses, seeks to `lPos` and plays: how both winding directions end.
  void SeekAndPlay(LONG lPos);
};

// The one player of the playback exports, for the life of the process. It
// is made at the first call that needs it and destroyed when the library is
// unloaded.
CWavePlayer& ThePlayer();
