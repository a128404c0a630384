#include "carddrive/cardprobe.h"
#include "frame/callframe.h"
#include "vtksup.h"

// The number of card drives, probed afresh; the first argument is neither
// read nor written. Without a count nothing is probed.
void WINAPI GetMiniCardDrive(void*, int* pnCount) {
  vtk::LibraryCall(0, [&] {
    if (!pnCount) return 0;
    *pnCount = 0;
    *pnCount = ProbeMiniCardDrives().count;
    return 0;
  });
}
