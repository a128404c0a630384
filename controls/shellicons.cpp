#include "controls/shellicons.h"

#include <shellapi.h>

namespace {
ShellIconCounts g_counts;
}

DriveShellInfo GetDriveShellInfo(const char* root) {
  SHFILEINFOA info{};
  DriveShellInfo out;
  ::SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX);
  out.hIcon = info.hIcon;
  out.displayName = info.szDisplayName;
  if (out.hIcon) ++g_counts.obtained;
  return out;
}

void ReleaseDriveIcon(HICON hIcon) {
  if (!hIcon) return;
  ::DestroyIcon(hIcon);
  ++g_counts.destroyed;
}

ShellIconCounts GetShellIconCountsForTesting() { return g_counts; }
