#include "download/qx270optiondlg.h"

#include "download/paths.h"
#include "folderui/directorydialog.h"
#include "framework/ddx.h"
#include "framework/modulestate.h"
#include "res/ids_download.h"
#include "res/ids_recorder.h"

CQX270DnLoadOptionDlg::CQX270DnLoadOptionDlg(CWnd* pParent) : CDialog(IDD_QX270_OPTION, pParent) {}

void CQX270DnLoadOptionDlg::SetNewFolderFlag(int bNewFolder) {
  m_nSaveToFolder = bNewFolder == 0 ? 1 : 0;
  m_nNewFolder = bNewFolder == 0 ? 0 : 1;
}

int CQX270DnLoadOptionDlg::NewFolderFlag() const { return (m_nSaveToFolder == 1 && m_nNewFolder == 0) ? 0 : 1; }

void CQX270DnLoadOptionDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Check(pDX, IDC_QXO_DELETE, m_bDelete);
  DDX_Check(pDX, IDC_QXO_NEWFOLDER, m_nNewFolder);
  DDX_Check(pDX, IDC_QXO_SAVE, m_nSaveToFolder);
  DDX_Control(pDX, IDC_QXO_FOLDER_A, m_edFolderA);
  DDX_Control(pDX, IDC_QXO_FOLDER_B, m_edFolderB);
  DDX_Control(pDX, IDC_QXO_SAVE_HINT, m_stSaveHint);
  DDX_Control(pDX, IDC_QXO_NEWFOLDER_HINT, m_stNewFolderHint);
}

BOOL CQX270DnLoadOptionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_edFolderA.SetWindowText(WithoutLastBackslash(m_strFolderA));
  m_edFolderB.SetWindowText(WithoutLastBackslash(m_strFolderB));
  m_stSaveHint.SetWindowText(LoadResString(IDS_HINT_SAME_NAME));
  m_stNewFolderHint.SetWindowText(LoadResString(IDS_HINT_NEW_FOLDER));
  return TRUE;
}

BOOL CQX270DnLoadOptionDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CQX270DnLoadOptionDlg> commands[] = {
      {BN_CLICKED, IDC_QXO_BROWSE_A, &CQX270DnLoadOptionDlg::OnBrowseA},
      {BN_CLICKED, IDC_QXO_BROWSE_B, &CQX270DnLoadOptionDlg::OnBrowseB},
      {BN_CLICKED, IDC_QXO_SAVE, &CQX270DnLoadOptionDlg::OnStateClicked},
      {BN_CLICKED, IDC_QXO_NEWFOLDER, &CQX270DnLoadOptionDlg::OnStateClicked},
      {BN_CLICKED, IDC_QXO_DELETE, &CQX270DnLoadOptionDlg::OnStateClicked},
  };
  return DispatchCommand(this, commands, nID, nCode);
}

void CQX270DnLoadOptionDlg::OnBrowseA() { Browse(m_strFolderA, m_edFolderA); }
void CQX270DnLoadOptionDlg::OnBrowseB() { Browse(m_strFolderB, m_edFolderB); }

void CQX270DnLoadOptionDlg::Browse(std::string& folder, CEdit& edit) {
  if (!RunDirectoryDialog(0, &folder, nullptr)) return;
  edit.SetWindowText(folder);
  UpdateData(FALSE);
}

void CQX270DnLoadOptionDlg::OnStateClicked() { UpdateData(TRUE); }
