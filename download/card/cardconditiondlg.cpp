#include "download/card/cardconditiondlg.h"

#include <direct.h>

#include "carddrive/carddriveselectdlg.h"
#include "carddrive/cardprobe.h"
#include "download/card/dnloadoptionsdlg.h"
#include "download/card/dnloadreport.h"
#include "download/engine/transfer.h"
#include "download/shared/downloadtexts.h"
#include "download/shared/paths.h"
#include "folderui/folderfield.h"
#include "framework/modulestate.h"
#include "res/ids_download.h"

CCardConditionDlg::CCardConditionDlg(UINT nIDTemplate, const DownloadSettings& settings)
    : CDialog(nIDTemplate), m_settings(settings) {}

BOOL CCardConditionDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CCardConditionDlg> kCommands[] = {
      {BN_CLICKED, IDC_DN_BROWSE, &CCardConditionDlg::OnBrowse},
      {BN_CLICKED, IDC_DN_CHANGE, &CCardConditionDlg::OnChange},
  };
  return DispatchCommand(this, kCommands, nID, nCode);
}

void CCardConditionDlg::ShowFolder() { ShowFolderInField(*this, IDC_DN_FOLDER, m_settings.strFolder); }

void CCardConditionDlg::ShowMethodText() { SetDlgItemText(IDC_DN_METHOD_TEXT, MethodText(m_settings.nMethod)); }

void CCardConditionDlg::ShowDeleteText() { SetDlgItemText(IDC_DN_DELETE_TEXT, DeleteText(m_settings.bDelete)); }

void CCardConditionDlg::OnChange() {
  DownloadSettings offered = m_settings;
  if (!m_settings.strFolder.empty()) {
    m_settings.strFolder = GetDlgItemText(IDC_DN_FOLDER);
    offered.strFolder = m_settings.strFolder;
  } else {
    offered.strFolder = GetCurrentDirectoryFallback();
  }
  CDnLoadOptionsDlg options(offered);
  if (options.DoModal() == IDOK) {
    m_settings = options.Settings();
    ShowFolder();
    OnOptionsAccepted();
  }
  ShowDeleteText();
  // A change of method is shown by the other form.
  if ((m_settings.nMethod != 0) != IsNewFolderForm()) EndDialog(kFormSwitch);
}

void CCardConditionDlg::FailStart(UINT idMessage) {
  if (idMessage != 0) MessageBox(LoadResString(idMessage), LoadResString(IDS_DNLOAD_CAPTION), MB_OK | MB_ICONEXCLAMATION);
  m_nResult = -1;
  EndDialog(IDOK);
}

bool CCardConditionDlg::FindCardDrive() {
  if (m_settings.nManualDrive != 0) {
    if (!m_settings.strDrive.empty()) return true;
    FailStart(IDS_CARD_NOT_FOUND);
    return false;
  }
  const int found = FindMiniCardDrive(m_settings.strDrive);
  if (found == -1) {
    FailStart(IDS_CARD_NOT_FOUND);
    return false;
  }
  if (found >= 2) {
    CCardDriveSelectDlg select;
    if (select.DoModal() != IDOK) {
      FailStart(0);
      return false;
    }
    m_settings.strDrive = select.m_strDrive;
  }
  return true;
}

void CCardConditionDlg::OnOK() {
  if (!FindCardDrive()) return;
  // Entering the folders is the readiness test; the current directory is
  // left at the download folder on purpose.
  if (_chdir(m_settings.strDrive.c_str()) != 0) return FailStart(IDS_CARD_NOT_READY);
  if (_chdir(m_settings.strFolder.c_str()) != 0) return FailStart(IDS_TARGET_NOT_READY);
  // From here the drive is its root, and goes back to the host so: E: alone
  // would name the drive's current directory.
  AddLastBackslash(m_settings.strDrive);
  if (!FinishStart()) return;
  m_bStart = 1;
  EndDialog(IDOK);
}

void CCardConditionDlg::OnCancel() {
  m_bStart = 0;
  EndDialog(IDCANCEL);
}

void CCardConditionDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (m_bStart != 1) return;
  const std::string target = m_strNewFolderName.empty() ? m_settings.strFolder
                                                       : vtk::JoinPath(m_settings.strFolder, m_strNewFolderName);
  const TransferResult result = CDnLoadTransfer(m_settings.strDrive, target).Run(m_hWnd);
  m_nResult = static_cast<int>(result.confirmed.size());
  ReportDnLoad(m_hWnd, result, m_settings.bDelete);
}
