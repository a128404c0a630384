#include "folderui/folderfield.h"

#include <optional>

#include "core/pathrules.h"
#include "folderui/directorydialog.h"
#include "framework/wnd.h"

void ShowFolderInField(CWnd& dlg, int nIDEdit, const std::string& folder) {
  dlg.SetDlgItemText(nIDEdit, vtk::WithoutLastBackslash(folder));
}

bool BrowseIntoField(CWnd& dlg, int nIDEdit, std::string& folder) {
  const std::optional<ChosenFolder> chosen = RunDirectoryDialog(DirectoryMode::kSelect, folder);
  if (!chosen) return false;
  folder = chosen->parent;
  dlg.SetDlgItemText(nIDEdit, folder);
  return true;
}
