#include "frame/vtksupapp.h"

#include "framework/modulestate.h"

CVtksupApp::CVtksupApp() = default;

CVtksupApp::~CVtksupApp() = default;

BOOL CVtksupApp::InitInstance() {
  AfxGetStaticModuleState()->m_hCurrentResourceHandle = m_hInstance;
  return CWinApp::InitInstance();
}
