// State that the library keeps for the life of the process.
#pragma once
#include "core/funckeyinfo.h"
#include "core/foldername.h"

// The library's copy of the host's function-key record, for the hot keys.
extern FUNCKEYINFO g_funcKeyRecord;

// Card-drive tables, rebuilt from nothing by every probe.
constexpr int kCardDriveSlots = 27;
extern char g_szCardDrive[kCardDriveSlots][10];
extern char g_szDeviceInstance[kCardDriveSlots][30];
// 1 when the last listing of removable drives listed at least one.
extern int g_bRemovableDrive;

// The recorder's new-folder confirmation while it is open: its folder pair
// and which of the two folders the directory chooser is naming (0 = A).
struct RecorderNewFolderState {
  vtk::RecorderFolderPair pair;
  int nWhichFolder = 0;
};
extern RecorderNewFolderState* g_pRecorderNewFolder;
