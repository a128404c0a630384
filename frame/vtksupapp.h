// The library's application object: one per process, built when the library
// is loaded and destroyed when it is unloaded.
#pragma once
#include "core/funckeyinfo.h"
#include "framework/winapp.h"
#include "wave/waveplayer.h"

class CVtksupApp : public CWinApp {
 public:
  CVtksupApp();
  ~CVtksupApp() override;

  // Makes the library's own instance the resource module of its state, so
  // that its templates, strings and bitmaps are found in its own resources.
  BOOL InitInstance() override;

  // FuncKeyHook: mode 1 registers the hot keys of the record, any other
  // mode releases those registered.
  int HookFunctionKeys(int nMode, FUNCKEYINFO* pInfo);

  // The one player of the playback exports; it owns the MCI window.
  CWavePlayer m_player;
};

extern CVtksupApp theApp;
