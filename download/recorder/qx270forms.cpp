#include "download/recorder/qx270forms.h"

#include "download/shared/paths.h"
#include "download/recorder/qx270optiondlg.h"
#include "framework/modulestate.h"
#include "framework/wnd.h"

bool RunRecorderOptions(RecorderSettings& settings) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  RecorderSettings offered = settings;
  for (std::string* folder : {&offered.strFolderA, &offered.strFolderB})
    if (folder->empty()) *folder = GetCurrentDirectoryFallback();
  CQX270DnLoadOptionDlg dlg(offered);
  if (dlg.DoModal() != IDOK) return false;
  settings = dlg.Settings();
  return true;
}

bool FolderATakesPart(int nFolders) { return nFolders != 2; }
bool FolderBTakesPart(int nFolders) { return nFolders != 1; }

void DisableFolderLeftOut(CWnd& dlg, int nFolders, std::initializer_list<int> controlsA,
                          std::initializer_list<int> controlsB) {
  const struct {
    bool takesPart;
    std::initializer_list<int> controls;
  } folders[] = {{FolderATakesPart(nFolders), controlsA}, {FolderBTakesPart(nFolders), controlsB}};
  for (const auto& folder : folders) {
    if (folder.takesPart) continue;
    for (int id : folder.controls) ::EnableWindow(dlg.GetDlgItem(id), FALSE);
  }
}
