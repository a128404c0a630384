#include "frame/callframe.h"
#include "funckeys/funckeyassigndlg.h"
#include "funckeys/hotkeys.h"
#include "vtksup.h"

int WINAPI FuncKeyHook(int nMode, FUNCKEYINFO* pInfo) {
  return vtk::LibraryCall(0, [&] { return HookFunctionKeys(nMode, pInfo); });
}

// The host's own template 130 and strings: it carries both text sets.
int WINAPI FuncKeyAssign(FUNCKEYINFO* pInfo) {
  if (!pInfo) return 0;
  return vtk::DialogCall(AfxGetAppModuleState(), 0, [&] { return RunFuncKeyAssignDialog(pInfo); });
}

// The library's own template and its Japanese texts.
int WINAPI FuncKeyAssignJ(FUNCKEYINFO* pInfo) {
  if (!pInfo) return 0;
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] { return RunFuncKeyAssignDialog(pInfo); });
}
