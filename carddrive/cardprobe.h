// Card-drive detection: the drive letters that the device registry holds for
// the card devices, kept when their drive is present and removable, and the
// list of removable drives for the user's own choice. The card-drive tables
// and the removable-drive flag are the library's, for the life of the
// process; every probe rebuilds them from nothing.
#pragma once
#include <string>
#include <vector>

#include "core/carddrive_tables.h"

class CDriveComboBox;

extern vtk::CardDriveTable g_szCardDrive;
extern vtk::DeviceInstanceTable g_szDeviceInstance;
// 1 when the last listing of removable drives listed at least one.
extern int g_bRemovableDrive;

// The roots of the removable drives listed for the user, by list index.
using DriveRootTable = vtk::CardDriveTable;

// The device keys under HKEY_LOCAL_MACHINE, in the order they are read.
extern const char* const kCardDeviceKeys[2];

// Fills g_szDeviceInstance with the sub-key names of `deviceKey`.
void EnumDeviceInstances(const char* deviceKey);
// Fills g_szCardDrive with the distinct drive letters of both device keys,
// sorted.
void ReadCardDriveLetters();
// The card drives found (how many, and their letters); g_szCardDrive is
// left as roots.
vtk::CardDriveCount ProbeMiniCardDrives();
// The number of card drives (g_szCardDrive packed, as roots) with the root of
// the highest one in `root`, or -1 with `root` unchanged. Never 0.
int FindMiniCardDrive(std::string& root);
// Lists the removable drives other than A: and B: in `combo` (emptied first)
// and their roots in `roots`, by list index; sets g_bRemovableDrive.
void FillRemovableDrives(CDriveComboBox& combo, DriveRootTable& roots);

// The roots of the system's drives, upper case.
std::vector<std::string> GetLogicalDriveRoots();
// Appends the drive of `root` to a drive combo box, shown with the shell's
// small icon and display name. False when the item cannot be added.
bool AddDriveItem(CDriveComboBox& combo, const std::string& root);
