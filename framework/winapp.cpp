#include "framework/winapp.h"

#include "framework/modulestate.h"

CWinApp::CWinApp() {
  AfxGetStaticModuleState()->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp() {
  AFX_MODULE_STATE* state = AfxGetStaticModuleState();
  if (state->m_pCurrentWinApp == this) state->m_pCurrentWinApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

BOOL AfxAttachModule(HINSTANCE hInstance) {
  AFX_MODULE_STATE* state = AfxGetStaticModuleState();
  state->m_hCurrentInstanceHandle = hInstance;
  AFX_MAINTAIN_STATE2 frame(state);
  CWinApp* app = state->m_pCurrentWinApp;
  if (!app) return FALSE;
  app->m_hInstance = hInstance;
  return app->InitInstance();
}

void AfxDetachModule() {
  AFX_MODULE_STATE* state = AfxGetStaticModuleState();
  AFX_MAINTAIN_STATE2 frame(state);
  if (state->m_pCurrentWinApp) state->m_pCurrentWinApp->ExitInstance();
}
