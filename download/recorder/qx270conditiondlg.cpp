#include "download/recorder/qx270conditiondlg.h"

#include "download/shared/downloadtexts.h"
#include "download/recorder/qx270forms.h"
#include "folderui/folderfield.h"
#include "res/ids_recorder.h"

CQX270ConditionDlg::CQX270ConditionDlg(const RecorderSettings& settings, int nFolders)
    : CDialog(IDD_QX270_CONDITION), m_settings(settings), m_nFolders(nFolders) {}

BOOL CQX270ConditionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_QX_DELETE_TEXT, DeleteText(m_settings.bDelete));
  ShowFolders();
  SetDlgItemText(IDC_QX_METHOD_TEXT, MethodText(m_settings.nMethod));
  DisableFolderLeftOut(*this, m_nFolders, {IDC_QX_GROUP_A, IDC_QX_BROWSE_A, IDC_QX_FOLDER_A},
                       {IDC_QX_GROUP_B, IDC_QX_BROWSE_B, IDC_QX_FOLDER_B});
  return TRUE;
}

BOOL CQX270ConditionDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CQX270ConditionDlg> kCommands[] = {
      {BN_CLICKED, IDC_QX_BROWSE_A, &CQX270ConditionDlg::OnBrowseA},
      {BN_CLICKED, IDC_QX_BROWSE_B, &CQX270ConditionDlg::OnBrowseB},
      {BN_CLICKED, IDC_QX_CHANGE, &CQX270ConditionDlg::OnChange},
  };
  return DispatchCommand(this, kCommands, nID, nCode);
}

void CQX270ConditionDlg::OnBrowseA() { BrowseIntoField(*this, IDC_QX_FOLDER_A, m_settings.strFolderA); }
void CQX270ConditionDlg::OnBrowseB() { BrowseIntoField(*this, IDC_QX_FOLDER_B, m_settings.strFolderB); }

void CQX270ConditionDlg::ShowFolders() {
  ShowFolderInField(*this, IDC_QX_FOLDER_A, m_settings.strFolderA);
  ShowFolderInField(*this, IDC_QX_FOLDER_B, m_settings.strFolderB);
}

void CQX270ConditionDlg::OnChange() {
  if (RunRecorderOptions(m_settings)) ShowFolders();
  SetDlgItemText(IDC_QX_DELETE_TEXT, DeleteText(m_settings.bDelete));
  if (m_settings.nMethod == 1) EndDialog(kFormSwitch);
}
