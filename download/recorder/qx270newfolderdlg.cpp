#include "download/recorder/qx270newfolderdlg.h"

#include "download/shared/downloadtexts.h"
#include "download/shared/paths.h"
#include "download/recorder/qx270forms.h"
#include "folderui/directorydialog.h"
#include "folderui/folderfield.h"
#include "res/ids_recorder.h"

CQX270NewFolderConditionDlg::CQX270NewFolderConditionDlg(const RecorderSettings& settings, int nFolders)
    : CDialog(IDD_QX270_NEWFOLDER_CONDITION), m_settings(settings), m_nFolders(nFolders) {}

CQX270NewFolderConditionDlg::Folder CQX270NewFolderConditionDlg::FolderOf(int nWhich) {
  if (nWhich == 0) return {m_settings.strFolderA, m_strNewNameA, IDC_QX_FOLDER_A, IDC_QX_NEWNAME_A};
  return {m_settings.strFolderB, m_strNewNameB, IDC_QX_FOLDER_B, IDC_QX_NEWNAME_B};
}

vtk::RecorderFolderPair CQX270NewFolderConditionDlg::Pair() const {
  return {m_nFolders, m_settings.strFolderA, m_settings.strFolderB, m_strNewNameA, m_strNewNameB};
}

BOOL CQX270NewFolderConditionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ProposeNames();
  SetDlgItemText(IDC_QX_DELETE_TEXT, DeleteText(m_settings.bDelete));
  SetDlgItemText(IDC_QX_METHOD_TEXT, MethodText(m_settings.nMethod));
  DisableFolderLeftOut(*this, m_nFolders,
                       {IDC_QX_FOLDER_A, IDC_QX_NEWNAME_A, IDC_QX_GROUP_NEW_A, IDC_QX_LABEL_NEW_A, IDC_QX_BROWSE_A},
                       {IDC_QX_FOLDER_B, IDC_QX_NEWNAME_B, IDC_QX_GROUP_NEW_B, IDC_QX_LABEL_NEW_B, IDC_QX_BROWSE_B});
  return TRUE;
}

BOOL CQX270NewFolderConditionDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CQX270NewFolderConditionDlg> kCommands[] = {
      {BN_CLICKED, IDC_QX_BROWSE_A, &CQX270NewFolderConditionDlg::OnBrowseA},
      {BN_CLICKED, IDC_QX_BROWSE_B, &CQX270NewFolderConditionDlg::OnBrowseB},
      {BN_CLICKED, IDC_QX_CHANGE, &CQX270NewFolderConditionDlg::OnChange},
  };
  return DispatchCommand(this, kCommands, nID, nCode);
}

void CQX270NewFolderConditionDlg::OnOK() {
  // Both paths go back as new folders, whatever the selector: a folder
  // without a name would hand back its parent instead.
  if (m_strNewNameA.empty() || m_strNewNameB.empty()) return WarnNoNewFolderNameFits(*this);
  CDialog::OnOK();
}

void CQX270NewFolderConditionDlg::OnBrowseA() { Browse(0); }
void CQX270NewFolderConditionDlg::OnBrowseB() { Browse(1); }

void CQX270NewFolderConditionDlg::Browse(int nWhich) {
  const Folder folder = FolderOf(nWhich);
  // The chooser proposes with the paired generator, so that a name it
  // offers for one folder is never the other folder's.
  const auto propose = [this, nWhich](const std::string& parent) {
    return ProposePairedFolderName(Pair(), nWhich, parent);
  };
  const auto chosen = RunDirectoryDialog(DirectoryMode::kCreate, folder.parent, folder.name, propose);
  if (!chosen) return;
  folder.parent = chosen->parent;
  folder.name = chosen->name;
  SetDlgItemText(folder.nIDName, folder.name);
  SetDlgItemText(folder.nIDParent, folder.parent);
}

void CQX270NewFolderConditionDlg::OnChange() {
  if (RunRecorderOptions(m_settings)) ProposeNames();
  SetDlgItemText(IDC_QX_DELETE_TEXT, DeleteText(m_settings.bDelete));
  if (m_settings.nMethod == 0) EndDialog(kFormSwitch);
}

void CQX270NewFolderConditionDlg::ProposeNames() {
  // Both names are proposed whatever the selector says. The paired generator
  // keeps them apart on a shared parent (A takes the lowest free serial, B
  // the next), so both start empty; names are kept without a backslash so
  // that it can compare them with its proposals.
  m_strNewNameA.clear();
  m_strNewNameB.clear();
  for (int which = 0; which < 2; ++which) {
    const Folder folder = FolderOf(which);
    folder.name = ProposePairedFolderName(Pair(), which, folder.parent);
    SetDlgItemText(folder.nIDName, folder.name);
    ShowFolderInField(*this, folder.nIDParent, folder.parent);
  }
}
