#include "download/card/platformid.h"

#include "download/shared/platform.h"

int GetPlatformId() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!vtk::TheDownloadPlatform().getVersionEx(&info)) return 0;
  return static_cast<int>(info.dwPlatformId);
}
