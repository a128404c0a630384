#include "download/recorder/qx270forms.h"

#include "download/shared/paths.h"
#include "download/recorder/qx270optiondlg.h"
#include "framework/modulestate.h"
#include "framework/wnd.h"

bool RunRecorderOptions(int& bDelete, int& bNewFolder, std::string& folderA, std::string& folderB) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CQX270DnLoadOptionDlg dlg;
  dlg.m_bDelete = bDelete;
  dlg.SetNewFolderFlag(bNewFolder);
  dlg.m_strFolderA = folderA.empty() ? GetCurrentDirectoryFallback() : folderA;
  dlg.m_strFolderB = folderB.empty() ? GetCurrentDirectoryFallback() : folderB;
  if (dlg.DoModal() != IDOK) return false;
  bDelete = dlg.m_bDelete;
  folderA = dlg.m_strFolderA;
  folderB = dlg.m_strFolderB;
  bNewFolder = dlg.NewFolderFlag();
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
