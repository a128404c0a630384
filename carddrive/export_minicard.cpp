#include "carddrive/cardprobe.h"
#include "frame/callframe.h"
#include "vtksup.h"

// The number of card drives, probed afresh; the first argument is neither
// read nor written.
void WINAPI GetMiniCardDrive(void*, int* pnCount) {
  vtk::LibraryCall(0, [&] {
    *pnCount = 0;
    *pnCount = ProbeMiniCardDrives().count;
    return 0;
  });
}
