#include "download/recorder/qx270optiondlg.h"

#include "folderui/folderfield.h"
#include "framework/ddx.h"
#include "framework/modulestate.h"
#include "res/ids_download.h"
#include "res/ids_recorder.h"

CQX270DnLoadOptionDlg::CQX270DnLoadOptionDlg(const RecorderSettings& settings)
    : CDialog(IDD_QX270_OPTION),
      m_method(vtk::RadioPairOf(settings.nMethod)),
      m_bDelete(settings.bDelete),
      m_strFolderA(settings.strFolderA),
      m_strFolderB(settings.strFolderB) {}

RecorderSettings CQX270DnLoadOptionDlg::Settings() const {
  return {m_bDelete, vtk::FlagOf(m_method), m_strFolderA, m_strFolderB};
}

void CQX270DnLoadOptionDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Check(pDX, IDC_QXO_DELETE, m_bDelete);
  DDX_Check(pDX, IDC_QXO_NEWFOLDER, m_method.second);
  DDX_Check(pDX, IDC_QXO_SAVE, m_method.first);
}

BOOL CQX270DnLoadOptionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowFolderInField(*this, IDC_QXO_FOLDER_A, m_strFolderA);
  ShowFolderInField(*this, IDC_QXO_FOLDER_B, m_strFolderB);
  SetDlgItemText(IDC_QXO_SAVE_HINT, LoadResString(IDS_HINT_SAME_NAME));
  SetDlgItemText(IDC_QXO_NEWFOLDER_HINT, LoadResString(IDS_HINT_NEW_FOLDER));
  return TRUE;
}

BOOL CQX270DnLoadOptionDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CQX270DnLoadOptionDlg> kCommands[] = {
      {BN_CLICKED, IDC_QXO_BROWSE_A, &CQX270DnLoadOptionDlg::OnBrowseA},
      {BN_CLICKED, IDC_QXO_BROWSE_B, &CQX270DnLoadOptionDlg::OnBrowseB},
      {BN_CLICKED, IDC_QXO_SAVE, &CQX270DnLoadOptionDlg::OnStateClicked},
      {BN_CLICKED, IDC_QXO_NEWFOLDER, &CQX270DnLoadOptionDlg::OnStateClicked},
      {BN_CLICKED, IDC_QXO_DELETE, &CQX270DnLoadOptionDlg::OnStateClicked},
  };
  return DispatchCommand(this, kCommands, nID, nCode);
}

void CQX270DnLoadOptionDlg::OnBrowseA() { Browse(IDC_QXO_FOLDER_A, m_strFolderA); }
void CQX270DnLoadOptionDlg::OnBrowseB() { Browse(IDC_QXO_FOLDER_B, m_strFolderB); }

void CQX270DnLoadOptionDlg::Browse(int nIDEdit, std::string& folder) {
  if (BrowseIntoField(*this, nIDEdit, folder)) UpdateData(FALSE);
}

void CQX270DnLoadOptionDlg::OnStateClicked() { UpdateData(TRUE); }
