#include "frame/vtksupapp.h"

#include "framework/modulestate.h"

// The module state is made on first use, so it exists before this object
// registers itself with it.
CVtksupApp theApp;

CVtksupApp::CVtksupApp() = default;

CVtksupApp::~CVtksupApp() = default;

BOOL CVtksupApp::InitInstance() {
  AfxGetStaticModuleState()->m_hCurrentResourceHandle = m_hInstance;
  return CWinApp::InitInstance();
}
