#include "download/cardconditiondlg.h"

#include <direct.h>

#include "carddrive/carddriveselectdlg.h"
#include "carddrive/cardprobe.h"
#include "download/dnloadoptionsdlg.h"
#include "download/downloadtexts.h"
#include "download/paths.h"
#include "framework/ddx.h"
#include "framework/modulestate.h"
#include "res/ids_download.h"

CCardConditionDlg::CCardConditionDlg(UINT nIDTemplate)
    : CDialog(nIDTemplate), m_transfer(m_strDrive, m_strFolder, m_strSubFolder, m_nResult) {}

void CCardConditionDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_DN_FOLDER, m_edFolder);
  DDX_Control(pDX, IDC_DN_METHOD_TEXT, m_stMethod);
  DDX_Control(pDX, IDC_DN_DELETE_TEXT, m_stDelete);
}

BOOL CCardConditionDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CCardConditionDlg> kCommands[] = {
      {BN_CLICKED, IDC_DN_BROWSE, &CCardConditionDlg::OnBrowse},
      {BN_CLICKED, IDC_DN_CHANGE, &CCardConditionDlg::OnChange},
  };
  return DispatchCommand(this, kCommands, nID, nCode);
}

void CCardConditionDlg::ShowFolder() { m_edFolder.SetWindowText(WithoutLastBackslash(m_strFolder)); }

void CCardConditionDlg::ShowMethodText() { m_stMethod.SetWindowText(MethodText(m_nNewFolder)); }

void CCardConditionDlg::ShowDeleteText() { m_stDelete.SetWindowText(DeleteText(m_bDelete)); }

void CCardConditionDlg::OnChange() {
  CDnLoadOptionsDlg options;
  options.m_strDrive = m_strDrive;
  options.m_bDelete = m_bDelete;
  options.m_nSaveToFolder = m_nNewFolder == 0 ? 1 : 0;
  options.m_nNewFolder = m_nNewFolder == 0 ? 0 : 1;
  options.m_nAutoDrive = m_nManualDrive == 0 ? 1 : 0;
  options.m_nManualDrive = m_nManualDrive == 0 ? 0 : 1;
  if (!m_strFolder.empty()) {
    m_strFolder = m_edFolder.GetWindowText();
    options.m_strFolder = m_strFolder;
  } else {
    options.m_strFolder = GetCurrentDirectoryFallback();
  }
  if (options.DoModal() == IDOK) {
    m_bDelete = options.m_bDelete;
    m_strFolder = options.m_strFolder;
    ShowFolder();
    m_strDrive = options.m_strDrive;
    m_nNewFolder = (options.m_nSaveToFolder == 1 && options.m_nNewFolder == 0) ? 0 : 1;
    m_nManualDrive = (options.m_nAutoDrive == 1 && options.m_nManualDrive == 0) ? 0 : 1;
    OnOptionsAccepted();
  }
  ShowDeleteText();
  // A change of method is shown by the other form.
  if ((m_nNewFolder != 0) != IsNewFolderForm()) EndDialog(kFormSwitch);
}

void CCardConditionDlg::FailStart(UINT idMessage) {
  if (idMessage != 0) MessageBox(LoadResString(idMessage), LoadResString(IDS_DNLOAD_CAPTION), MB_OK | MB_ICONEXCLAMATION);
  m_nResult = -1;
  EndDialog(IDOK);
}

bool CCardConditionDlg::FindCardDrive() {
  if (m_nManualDrive != 0) {
    if (!m_strDrive.empty()) return true;
    FailStart(IDS_CARD_NOT_FOUND);
    return false;
  }
  const int found = FindMiniCardDrive(m_strDrive);
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
    m_strDrive = select.m_strDrive;
  }
  return true;
}

void CCardConditionDlg::OnOK() {
  if (!FindCardDrive()) return;
  // Entering the folders is the readiness test; the current directory is
  // left at the download folder on purpose.
  if (_chdir(m_strDrive.c_str()) != 0) return FailStart(IDS_CARD_NOT_READY);
  if (_chdir(m_strFolder.c_str()) != 0) return FailStart(IDS_TARGET_NOT_READY);
  // The files are listed under the drive's root: E: alone would name the
  // drive's current directory instead.
  AddLastBackslash(m_strDrive);
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
  m_transfer.Run(m_hWnd);
  ReportDnLoad(m_hWnd, m_nResult, m_bDelete, m_transfer.m_strSourceList);
}
