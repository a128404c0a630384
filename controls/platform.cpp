#include "controls/platform.h"

namespace vtk {

ControlsPlatform& TheControlsPlatform() {
  static ControlsPlatform platform;
  return platform;
}

}  // namespace vtk
