// The platform calls of the download forms that a test may stand in for, in
// one place; each is the system's own unless replaced. The runtime the tests
// run on reports one day and one platform family, and the forms behave by
// both.
#pragma once
#include <windows.h>

namespace vtk {

struct DownloadPlatform {
  void(WINAPI* getLocalTime)(LPSYSTEMTIME) = &::GetLocalTime;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  BOOL(WINAPI* getVersionEx)(LPOSVERSIONINFOA) = &::GetVersionExA;
#pragma GCC diagnostic pop
};
DownloadPlatform& TheDownloadPlatform();

}  // namespace vtk
