#include "download/dnloadnewfolderconditiondlg.h"

#include <direct.h>

#include "download/paths.h"
#include "folderui/directorydialog.h"
#include "res/ids_download.h"

CDnLoadNewFolderConditionDlg::CDnLoadNewFolderConditionDlg() : CCardConditionDlg(IDD_DNLOAD_NEWFOLDER_CONDITION) {}

void CDnLoadNewFolderConditionDlg::ProposeNewFolder() {
  std::string name;
  GetNewFolderName(m_strFolder, name);
  m_strNewFolderName = name;
  m_strSubFolder = name + "\\";
  SetDlgItemText(IDC_DN_NEWNAME, name);
}

BOOL CDnLoadNewFolderConditionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bStart = 0;
  ProposeNewFolder();
  ShowFolder();
  ShowDeleteText();
  ShowMethodText();
  return TRUE;
}

void CDnLoadNewFolderConditionDlg::OnOptionsAccepted() { ProposeNewFolder(); }

void CDnLoadNewFolderConditionDlg::OnBrowse() {
  // The chooser names the new folder itself: the name comes back in the path
  // and the parent folder in the name.
  std::string newName = m_strFolder;
  std::string parent = m_strSubFolder;
  if (!RunDirectoryDialog(kDirCreateMode, &newName, &parent)) return;
  SetDlgItemText(IDC_DN_NEWNAME, newName);
  SetDlgItemText(IDC_DN_FOLDER, parent);
  m_strNewFolderName = newName;
  m_strFolder = parent;
  m_strSubFolder = newName;
}

bool CDnLoadNewFolderConditionDlg::FinishStart() {
  AddLastBackslash(m_strFolder);
  AddLastBackslash(m_strSubFolder);
  // A folder that exists already is a failure too: nothing is copied into
  // a folder that this download did not make.
  if (_mkdir((m_strFolder + m_strSubFolder).c_str()) != 0) {
    FailStart(IDS_MKDIR_FAILED);
    return false;
  }
  return true;
}
