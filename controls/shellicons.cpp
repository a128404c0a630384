#include "controls/shellicons.h"

#include "controls/platform.h"

DriveShellInfo GetDriveShellInfo(const char* root) {
  SHFILEINFOA info{};
  vtk::TheControlsPlatform().getFileInfo(root, 0, &info, sizeof info,
                                         SHGFI_ICON | SHGFI_SMALLICON | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX);
  DriveShellInfo out;
  out.hIcon = info.hIcon;
  out.displayName = info.szDisplayName;
  return out;
}

void ReleaseDriveIcon(HICON hIcon) {
  if (hIcon) vtk::TheControlsPlatform().destroyIcon(hIcon);
}
