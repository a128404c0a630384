#include "frame/callframe.h"
#include "vtksup.h"

// Card download dialogs: not built yet; they show nothing and write nothing.
int WINAPI DnLoadOptions(int*, int*, int*, char*, char*) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 0; });
}

int WINAPI DnLoadCondition(int*, int*, int*, int*, char*, char*, char*) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 0; });
}
