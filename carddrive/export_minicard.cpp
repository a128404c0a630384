#include <memory>

#include "carddrive/cardprobe.h"
#include "download/dnloadoptionsdlg.h"
#include "frame/callframe.h"
#include "vtksup.h"

// The number of card drives, probed afresh; the first argument is neither
// read nor written.
void WINAPI GetMiniCardDrive(void*, int* pnCount) {
  vtk::LibraryCall(0, [&] {
    *pnCount = 0;
    // The probe fills members of the options dialog, which is never shown.
    auto probe = std::make_unique<CDnLoadOptionsDlg>();
    ProbeMiniCardDrives(probe.get());
    *pnCount = probe->m_nCardDrives;
    return 0;
  });
}
