// The hidden MCI window behind the playback exports, and the one player.
#pragma once
#include <windows.h>

#include "framework/wnd.h"

class CMciWnd : public CWnd {
 public:
  int m_bOpen = 0;  // nonzero while a file is open in the window
};

class CWavePlayer : public CMciWnd {
 public:
  LONG m_nPauseBackStep = 0;  // how far a pause steps back, in the current time format
};
