#include "download/shared/platform.h"

namespace vtk {

DownloadPlatform& TheDownloadPlatform() {
  static DownloadPlatform platform;
  return platform;
}

}  // namespace vtk
