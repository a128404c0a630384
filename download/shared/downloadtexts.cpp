#include "download/shared/downloadtexts.h"

#include "framework/modulestate.h"
#include "framework/wnd.h"
#include "res/ids_download.h"
#include "res/ids_folderui.h"

std::string MethodText(int nNewFolder) { return LoadResString(nNewFolder == 0 ? IDS_METHOD_SAVE : IDS_METHOD_NEWFOLDER); }

std::string DeleteText(int bDelete) { return LoadResString(bDelete != 0 ? IDS_DELETE_YES : IDS_DELETE_NO); }

void WarnNoNewFolderNameFits(CWnd& dlg) {
  dlg.MessageBox(LoadResString(IDS_DIR_NAME_TOO_LONG), LoadResString(IDS_DNLOAD_CAPTION), MB_OK | MB_ICONEXCLAMATION);
}
