#include "frame/callframe.h"
#include "vtksup.h"

// Card-drive count: not built yet; writes nothing.
void WINAPI GetMiniCardDrive(void*, int*) {
  vtk::LibraryCall(0, [] { return 0; });
}
