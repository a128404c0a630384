#include "download/card/dnloadnewfolderconditiondlg.h"

#include <direct.h>

#include "download/shared/downloadtexts.h"
#include "download/shared/paths.h"
#include "folderui/directorydialog.h"
#include "res/ids_download.h"

CDnLoadNewFolderConditionDlg::CDnLoadNewFolderConditionDlg(const DownloadSettings& settings)
    : CCardConditionDlg(IDD_DNLOAD_NEWFOLDER_CONDITION, settings) {}

void CDnLoadNewFolderConditionDlg::ProposeNewFolder() {
  m_strNewFolderName = ProposeDatedFolderName(m_settings.strFolder);
  SetDlgItemText(IDC_DN_NEWNAME, m_strNewFolderName);
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
      RunDirectoryDialog(DirectoryMode::kCreate, m_settings.strFolder, m_strNewFolderName, ProposeDatedFolderName);
  if (!chosen) return;
  SetDlgItemText(IDC_DN_NEWNAME, chosen->name);
  SetDlgItemText(IDC_DN_FOLDER, chosen->parent);
  m_strNewFolderName = chosen->name;
  m_settings.strFolder = chosen->parent;
}

void CDnLoadNewFolderConditionDlg::OnOK() {
  // Without a name the download would go into the parent itself.
  if (m_strNewFolderName.empty()) return WarnNoNewFolderNameFits(*this);
  CCardConditionDlg::OnOK();
}

bool CDnLoadNewFolderConditionDlg::FinishStart() {
  // A folder that exists already is a failure too: nothing is copied into
  // a folder that this download did not make.
  if (_mkdir(vtk::JoinPath(m_settings.strFolder, m_strNewFolderName).c_str()) != 0) {
    FailStart(IDS_MKDIR_FAILED);
    return false;
  }
  return true;
}
