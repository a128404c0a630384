#include "download/card/dnloadconditiondlg.h"

#include "download/shared/paths.h"
#include "folderui/folderfield.h"
#include "res/ids_download.h"

CDnLoadConditionDlg::CDnLoadConditionDlg(const DownloadSettings& settings)
    : CCardConditionDlg(IDD_DNLOAD_CONDITION, settings) {}

BOOL CDnLoadConditionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bStart = 0;
  ShowFolder();
  ShowMethodText();
  ShowDeleteText();
  return TRUE;
}

void CDnLoadConditionDlg::OnBrowse() { BrowseIntoField(*this, IDC_DN_FOLDER, m_settings.strFolder); }

bool CDnLoadConditionDlg::FinishStart() { return true; }
