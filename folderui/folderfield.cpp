#include "folderui/folderfield.h"

#include "core/pathrules.h"
#include "folderui/directorydialog.h"
#include "framework/wnd.h"

void ShowFolderInField(CWnd& dlg, int nIDEdit, const std::string& folder) {
  std::string shown = folder;
  vtk::RemoveLastBackslash(shown);
  dlg.SetDlgItemText(nIDEdit, shown);
}

bool BrowseIntoField(CWnd& dlg, int nIDEdit, std::string& folder) {
  if (!RunDirectoryDialog(kDirSelectMode, &folder, nullptr)) return false;
  dlg.SetDlgItemText(nIDEdit, folder);
  return true;
}
