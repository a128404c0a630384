#include "download/qx270conditiondlg.h"

#include "download/downloadtexts.h"
#include "download/paths.h"
#include "download/qx270forms.h"
#include "folderui/directorydialog.h"
#include "framework/ddx.h"
#include "res/ids_recorder.h"

CQX270ConditionDlg::CQX270ConditionDlg() : CDialog(IDD_QX270_CONDITION) {}

void CQX270ConditionDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_QX_FOLDER_A, m_edFolderA);
  DDX_Control(pDX, IDC_QX_FOLDER_B, m_edFolderB);
  DDX_Control(pDX, IDC_QX_METHOD_TEXT, m_stMethod);
  DDX_Control(pDX, IDC_QX_DELETE_TEXT, m_stDelete);
  DDX_Control(pDX, IDC_QX_GROUP_A, m_gbFolderA);
  DDX_Control(pDX, IDC_QX_GROUP_B, m_gbFolderB);
  DDX_Control(pDX, IDC_QX_BROWSE_A, m_btnBrowseA);
  DDX_Control(pDX, IDC_QX_BROWSE_B, m_btnBrowseB);
}

BOOL CQX270ConditionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_stDelete.SetWindowText(DeleteText(m_bDelete));
  m_edFolderA.SetWindowText(WithoutLastBackslash(m_strFolderA));
  m_edFolderB.SetWindowText(WithoutLastBackslash(m_strFolderB));
  m_stMethod.SetWindowText(MethodText(m_bNewFolder));
  if (!FolderBTakesPart(m_nFolders)) {
    m_gbFolderB.EnableWindow(FALSE);
    m_btnBrowseB.EnableWindow(FALSE);
    m_edFolderB.EnableWindow(FALSE);
  }
  if (!FolderATakesPart(m_nFolders)) {
    m_gbFolderA.EnableWindow(FALSE);
    m_btnBrowseA.EnableWindow(FALSE);
    m_edFolderA.EnableWindow(FALSE);
  }
  return TRUE;
}

BOOL CQX270ConditionDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CQX270ConditionDlg> commands[] = {
      {BN_CLICKED, IDC_QX_BROWSE_A, &CQX270ConditionDlg::OnBrowseA},
      {BN_CLICKED, IDC_QX_BROWSE_B, &CQX270ConditionDlg::OnBrowseB},
      {BN_CLICKED, IDC_QX_CHANGE, &CQX270ConditionDlg::OnChange},
  };
  return DispatchCommand(this, commands, nID, nCode);
}

void CQX270ConditionDlg::OnBrowseA() { Browse(m_strFolderA, m_edFolderA); }
void CQX270ConditionDlg::OnBrowseB() { Browse(m_strFolderB, m_edFolderB); }

void CQX270ConditionDlg::Browse(std::string& folder, CEdit& edit) {
  if (!RunDirectoryDialog(0, &folder, nullptr)) return;
  edit.SetWindowText(folder);
  UpdateData(FALSE);
}

void CQX270ConditionDlg::OnChange() {
  if (RunRecorderOptions(m_bDelete, m_bNewFolder, m_strFolderA, m_strFolderB)) {
    m_edFolderA.SetWindowText(WithoutLastBackslash(m_strFolderA));
    m_edFolderB.SetWindowText(WithoutLastBackslash(m_strFolderB));
  }
  m_stDelete.SetWindowText(DeleteText(m_bDelete));
  if (m_bNewFolder == 1) EndDialog(kFormSwitch);
}
