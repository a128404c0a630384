#include "download/card/dnloadnewfolderconditiondlg.h"

#include <direct.h>

#include "download/shared/downloadtexts.h"
#include "download/shared/paths.h"
#include "folderui/directorydialog.h"
#include "res/ids_download.h"

CDnLoadNewFolderConditionDlg::CDnLoadNewFolderConditionDlg(const DownloadSettings& settings)
    : CCardConditionDlg(IDD_DNLOAD_NEWFOLDER_CONDITION, settings) {}

void CDnLoadNewFolderConditionDlg::ProposeNewFolder() {
  std::string name;
  GetNewFolderName(m_settings.strFolder, name);
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
  const auto chosen =
      RunDirectoryDialog(DirectoryMode::kCreate, m_settings.strFolder, m_strSubFolder, ProposeDatedFolderName);
  if (!chosen) return;
  SetDlgItemText(IDC_DN_NEWNAME, chosen->name);
  SetDlgItemText(IDC_DN_FOLDER, chosen->parent);
  m_strNewFolderName = chosen->name;
  m_settings.strFolder = chosen->parent;
  m_strSubFolder = chosen->name;
}

void CDnLoadNewFolderConditionDlg::OnOK() {
  // Without a name the download would go into the parent itself.
  if (m_strNewFolderName.empty()) return WarnNoNewFolderNameFits(*this);
  CCardConditionDlg::OnOK();
}

bool CDnLoadNewFolderConditionDlg::FinishStart() {
  AddLastBackslash(m_settings.strFolder);
  AddLastBackslash(m_strSubFolder);
  // A folder that exists already is a failure too: nothing is copied into
  // a folder that this download did not make.
  if (_mkdir((m_settings.strFolder + m_strSubFolder).c_str()) != 0) {
    FailStart(IDS_MKDIR_FAILED);
    return false;
  }
  return true;
}
