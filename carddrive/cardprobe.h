// Card-drive detection: the drive letters that the device registry holds for
// the card devices, kept when their drive is present and removable, and the
// list of removable drives for the user's own choice. Results go to the
// library's card-drive tables (frame/globals.h) and to the options dialog.
#pragma once
#include <string>
#include <vector>

class CDnLoadOptionsDlg;
class CDriveComboBox;

// The device keys under HKEY_LOCAL_MACHINE, in the order they are read.
extern const char* const kCardDeviceKeys[2];

// Fills g_szDeviceInstance with the sub-key names of `deviceKey`.
void EnumDeviceInstances(const char* deviceKey);
// Fills g_szCardDrive with the distinct drive letters of both device keys,
// sorted.
void ReadCardDriveLetters();
// Counts the card drives into the dialog's m_nCardDrives and m_strCardDrives;
// g_szCardDrive is left as roots.
void ProbeMiniCardDrives(CDnLoadOptionsDlg* pDlg);
// The number of card drives (g_szCardDrive packed, as roots) with the root of
// the highest one in `root`, or -1 with `root` unchanged. Never 0.
int FindMiniCardDrive(std::string& root);
// Lists the removable drives other than A: and B: in the dialog's drive combo
// box and m_szDriveRoot; sets g_bRemovableDrive.
void FillRemovableDrives(CDnLoadOptionsDlg* pDlg);

// The roots of the system's drives, upper case.
std::vector<std::string> GetLogicalDriveRoots();
// Item `index` of a drive combo box for `root`: the shell's display name after
// a blank in the combo box's text table, the shell's small icon as the item's
// data (the combo box releases it). False when the item cannot be added.
bool InsertDriveItem(CDriveComboBox& combo, int index, const char* root);
