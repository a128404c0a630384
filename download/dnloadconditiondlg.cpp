#include "download/dnloadconditiondlg.h"

#include "download/paths.h"
#include "folderui/directorydialog.h"
#include "res/ids_download.h"

CDnLoadConditionDlg::CDnLoadConditionDlg() : CCardConditionDlg(IDD_DNLOAD_CONDITION) {}

BOOL CDnLoadConditionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bStart = 0;
  ShowFolder();
  ShowMethodText();
  ShowDeleteText();
  return TRUE;
}

void CDnLoadConditionDlg::OnBrowse() {
  std::string chosen = m_strFolder;
  if (!RunDirectoryDialog(kDirSelectMode, &chosen, nullptr)) return;
  m_strFolder = chosen;
  m_edFolder.SetWindowText(m_strFolder);
}

bool CDnLoadConditionDlg::FinishStart() {
  AddLastBackslash(m_strFolder);
  m_strSubFolder.clear();
  return true;
}
