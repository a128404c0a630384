#include "frame/callframe.h"
#include "frame/vtksupapp.h"
#include "vtksup.h"

int WINAPI FuncKeyHook(int nMode, FUNCKEYINFO* pInfo) {
  return vtk::LibraryCall(0, [&] { return theApp.HookFunctionKeys(nMode, pInfo); });
}

// The assignment dialog: not built yet; shows nothing and writes nothing.
int WINAPI FuncKeyAssign(FUNCKEYINFO*) {
  return vtk::DialogCall(AfxGetAppModuleState(), 0, [] { return 0; });
}

int WINAPI FuncKeyAssignJ(FUNCKEYINFO*) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 0; });
}
