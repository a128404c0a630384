// The drive lists show each drive with the shell's small icon and display
// name. The icons are the lists' to release (the combo box does it when an
// item goes).
#pragma once
#include <windows.h>

#include <string>

struct DriveShellInfo {
  HICON hIcon = nullptr;    // the small icon, or null
  std::string displayName;  // CP932, as the shell names the drive
};

// SHGetFileInfoA with SHGFI_ICON | SHGFI_SMALLICON | SHGFI_DISPLAYNAME |
// SHGFI_SYSICONINDEX for a root such as C:\.
DriveShellInfo GetDriveShellInfo(const char* root);
// Destroys an icon from GetDriveShellInfo; null is ignored.
void ReleaseDriveIcon(HICON hIcon);
