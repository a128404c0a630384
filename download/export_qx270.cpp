#include "frame/callframe.h"
#include "vtksup.h"

// Recorder download dialogs: not built yet; they show nothing and write nothing.
int WINAPI QX270DnLoadOption(int*, int*, char*, char*) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 0; });
}

int WINAPI QX270DnLoadCondition(int*, int*, int, char*, char*) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 0; });
}
