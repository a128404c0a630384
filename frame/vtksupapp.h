// The library's application object: one per process, built when the library
// is loaded and destroyed when it is unloaded.
#pragma once
#include "framework/winapp.h"

class CVtksupApp : public CWinApp {
 public:
  CVtksupApp();
  ~CVtksupApp() override;

  // Makes the library's own instance the resource module of its state, so
  // that its templates, strings and bitmaps are found in its own resources.
  BOOL InitInstance() override;
};

extern CVtksupApp theApp;
