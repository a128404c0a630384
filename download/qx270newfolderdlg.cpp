#include "download/qx270newfolderdlg.h"

#include <utility>

#include "download/downloadtexts.h"
#include "download/paths.h"
#include "download/qx270conditiondlg.h"
#include "download/qx270forms.h"
#include "folderui/directorydialog.h"
#include "framework/ddx.h"
#include "res/ids_recorder.h"

CQX270NewFolderConditionDlg::CQX270NewFolderConditionDlg() : CDialog(IDD_QX270_NEWFOLDER_CONDITION) {
  g_pRecorderNewFolder = &m_state;
}

CQX270NewFolderConditionDlg::~CQX270NewFolderConditionDlg() {
  if (g_pRecorderNewFolder == &m_state) g_pRecorderNewFolder = nullptr;
}

void CQX270NewFolderConditionDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_QX_FOLDER_A, m_edFolderA);
  DDX_Control(pDX, IDC_QX_FOLDER_B, m_edFolderB);
  DDX_Control(pDX, IDC_QX_NEWNAME_A, m_edNewNameA);
  DDX_Control(pDX, IDC_QX_NEWNAME_B, m_edNewNameB);
  DDX_Control(pDX, IDC_QX_METHOD_TEXT, m_stMethod);
  DDX_Control(pDX, IDC_QX_DELETE_TEXT, m_stDelete);
  DDX_Control(pDX, IDC_QX_GROUP_NEW_A, m_gbFolderA);
  DDX_Control(pDX, IDC_QX_GROUP_NEW_B, m_gbFolderB);
  DDX_Control(pDX, IDC_QX_LABEL_NEW_A, m_stNewNameA);
  DDX_Control(pDX, IDC_QX_LABEL_NEW_B, m_stNewNameB);
  DDX_Control(pDX, IDC_QX_BROWSE_A, m_btnBrowseA);
  DDX_Control(pDX, IDC_QX_BROWSE_B, m_btnBrowseB);
}

BOOL CQX270NewFolderConditionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ProposeNames();
  m_stDelete.SetWindowText(DeleteText(m_bDelete));
  m_stMethod.SetWindowText(MethodText(m_bNewFolder));
  struct FolderControls {
    bool takesPart;
    CWnd* controls[5];
  };
  const FolderControls folders[] = {
      {FolderATakesPart(m_nFolders), {&m_edFolderA, &m_edNewNameA, &m_gbFolderA, &m_stNewNameA, &m_btnBrowseA}},
      {FolderBTakesPart(m_nFolders), {&m_edFolderB, &m_edNewNameB, &m_gbFolderB, &m_stNewNameB, &m_btnBrowseB}},
  };
  for (const FolderControls& folder : folders) {
    if (folder.takesPart) continue;
    for (CWnd* control : folder.controls) control->EnableWindow(FALSE);
  }
  return TRUE;
}

BOOL CQX270NewFolderConditionDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CQX270NewFolderConditionDlg> commands[] = {
      {BN_CLICKED, IDC_QX_BROWSE_A, &CQX270NewFolderConditionDlg::OnBrowseA},
      {BN_CLICKED, IDC_QX_BROWSE_B, &CQX270NewFolderConditionDlg::OnBrowseB},
      {BN_CLICKED, IDC_QX_CHANGE, &CQX270NewFolderConditionDlg::OnChange},
  };
  return DispatchCommand(this, commands, nID, nCode);
}

void CQX270NewFolderConditionDlg::OnBrowseA() { Browse(0, m_strFolderA, m_strNewNameA, m_edFolderA, m_edNewNameA); }
void CQX270NewFolderConditionDlg::OnBrowseB() { Browse(1, m_strFolderB, m_strNewNameB, m_edFolderB, m_edNewNameB); }

void CQX270NewFolderConditionDlg::Browse(int nWhich, std::string& parent, std::string& name, CEdit& parentEdit,
                                         CEdit& nameEdit) {
  m_nWhichFolder = nWhich;
  // The chooser starts in the parent with the current name; on OK it hands
  // back the typed name in the path argument and the parent in the name one.
  if (RunDirectoryDialog(1, &parent, &name)) {
    nameEdit.SetWindowText(parent);
    parentEdit.SetWindowText(name);
    std::swap(parent, name);
  }
  UpdateData(FALSE);
}

void CQX270NewFolderConditionDlg::OnChange() {
  std::string folderA = m_strFolderA, folderB = m_strFolderB;
  if (RunRecorderOptions(m_bDelete, m_bNewFolder, folderA, folderB)) {
    m_strFolderA = folderA;
    m_strFolderB = folderB;
    ProposeNames();
  }
  m_stDelete.SetWindowText(DeleteText(m_bDelete));
  if (m_bNewFolder == 0) EndDialog(kFormSwitch);
}

void CQX270NewFolderConditionDlg::ProposeNames() {
  // Both names are proposed whatever the selector says. The paired generator
  // keeps them apart on a shared parent (A takes the lowest free serial, B
  // the next), so both start empty; names are kept without a backslash so
  // that it can compare them with its proposals.
  m_strNewNameA.clear();
  m_strNewNameB.clear();
  const struct {
    std::string& parent;
    std::string& name;
    CEdit& parentEdit;
    CEdit& nameEdit;
  } folders[] = {{m_strFolderA, m_strNewNameA, m_edFolderA, m_edNewNameA},
                 {m_strFolderB, m_strNewNameB, m_edFolderB, m_edNewNameB}};
  int which = 0;
  for (const auto& folder : folders) {
    GetPairedNewFolderName(m_state.pair, which++, folder.parent, folder.name);
    folder.nameEdit.SetWindowText(folder.name);
    folder.parentEdit.SetWindowText(WithoutLastBackslash(folder.parent));
  }
}
