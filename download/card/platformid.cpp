#include "download/card/platformid.h"

#include <windows.h>

namespace {
bool g_bFixed = false;
int g_nFixed = 0;
}  // namespace

int GetPlatformId() {
  if (g_bFixed) return g_nFixed;
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExA(&info)) return 0;
#pragma GCC diagnostic pop
  return static_cast<int>(info.dwPlatformId);
}

void SetPlatformIdForTesting(const int* platformId) {
  g_bFixed = platformId != nullptr;
  g_nFixed = platformId ? *platformId : 0;
}
