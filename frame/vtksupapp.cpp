#include "frame/vtksupapp.h"

#include "framework/modulestate.h"

CVtksupApp::CVtksupApp() : CWinApp(nullptr) {}

CVtksupApp::~CVtksupApp() = default;

BOOL CVtksupApp::InitInstance() {
  AfxGetStaticModuleState()->m_hCurrentResourceHandle = m_hInstance;
  return CWinApp::InitInstance();
}

int CVtksupApp::ExitInstance() { return CWinApp::ExitInstance(); }
