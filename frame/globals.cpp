// Static construction runs in the order of this file: the library's module
// state, the defaults of the hot-key record, then the application object.
#include "frame/globals.h"

#include "frame/vtksupapp.h"
#include "framework/modulestate.h"

namespace {
AFX_MODULE_STATE* const g_pLibraryState = AfxGetStaticModuleState();
}

FUNCKEYINFO g_funcKeyRecord = {0, 0, {0, 0, 0, 0, 0, 0}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};

CVtksupApp theApp;

char g_szCardDrive[kCardDriveSlots][10] = {};
char g_szDeviceInstance[kCardDriveSlots][30] = {};
int g_bRemovableDrive = 0;
RecorderNewFolderState* g_pRecorderNewFolder = nullptr;
