#include "download/card/dnloadoptionsdlg.h"

#include "download/shared/paths.h"
#include "download/card/platformid.h"
#include "folderui/folderfield.h"
#include "framework/ddx.h"
#include "framework/modulestate.h"
#include "res/ids_download.h"

namespace {
constexpr int kPlatformWin9x = 1;
constexpr int kPlatformNT = 2;
}  // namespace

CDnLoadOptionsDlg::CDnLoadOptionsDlg(const DownloadSettings& settings)
    : CDialog(IDD_DNLOAD_OPTIONS),
      m_bDelete(settings.bDelete),
      m_drive(vtk::RadioPairOf(settings.nManualDrive)),
      m_method(vtk::RadioPairOf(settings.nMethod)),
      m_strDrive(settings.strDrive),
      m_strFolder(settings.strFolder) {}

DownloadSettings CDnLoadOptionsDlg::Settings() const {
  return {m_bDelete, vtk::FlagOf(m_method), vtk::FlagOf(m_drive), m_strFolder, m_strDrive};
}

void CDnLoadOptionsDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Check(pDX, IDC_OPT_DELETE, m_bDelete);
  DDX_Check(pDX, IDC_OPT_AUTO_DRIVE, m_drive.first);
  DDX_Check(pDX, IDC_OPT_MANUAL_DRIVE, m_drive.second);
  DDX_Check(pDX, IDC_OPT_SAVE_TO_FOLDER, m_method.first);
  DDX_Check(pDX, IDC_OPT_NEW_FOLDER, m_method.second);
  DDX_Control(pDX, IDC_OPT_DRIVE, m_cbDrive);
}

BOOL CDnLoadOptionsDlg::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CDnLoadOptionsDlg> kCommands[] = {
      {BN_CLICKED, IDC_OPT_AUTO_DRIVE, &CDnLoadOptionsDlg::OnAutoDrive},
      {BN_CLICKED, IDC_OPT_MANUAL_DRIVE, &CDnLoadOptionsDlg::OnManualDrive},
      {BN_CLICKED, IDC_OPT_BROWSE, &CDnLoadOptionsDlg::OnBrowse},
      {BN_CLICKED, IDC_OPT_DELETE, &CDnLoadOptionsDlg::OnTakeValues},
      {BN_CLICKED, IDC_OPT_SAVE_TO_FOLDER, &CDnLoadOptionsDlg::OnTakeValues},
      {BN_CLICKED, IDC_OPT_NEW_FOLDER, &CDnLoadOptionsDlg::OnTakeValues},
  };
  return DispatchCommand(this, kCommands, nID, nCode);
}

BOOL CDnLoadOptionsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND hAutoDrive = GetDlgItem(IDC_OPT_AUTO_DRIVE);
  switch (GetPlatformId()) {
    case kPlatformWin9x:
      ::EnableWindow(hAutoDrive, TRUE);
      if (vtk::FlagOf(m_drive) == 0) {
        ShowAutomaticState();
      } else {
        ShowManualState();
      }
      break;
    case kPlatformNT:
      // The card devices are never in this platform's registry: only the
      // user's own drive can be chosen.
      ::EnableWindow(hAutoDrive, FALSE);
      m_drive = vtk::RadioPairOf(1);
      ShowManualState();
      break;
    default:
      break;
  }
  SetDlgItemText(IDC_OPT_SAVE_HINT, LoadResString(IDS_HINT_SAME_NAME));
  SetDlgItemText(IDC_OPT_NEW_FOLDER_HINT, LoadResString(IDS_HINT_NEW_FOLDER));
  ShowFolderInField(*this, IDC_OPT_FOLDER, m_strFolder);
  UpdateData(FALSE);
  return TRUE;
}

void CDnLoadOptionsDlg::ShowStatus(bool found) {
  SetDlgItemText(IDC_OPT_STATUS, found ? std::string() : LoadResString(IDS_CARD_STATUS_NOT_FOUND));
}

void CDnLoadOptionsDlg::ShowAutomaticState() {
  m_cbDrive.RemoveAllDrives();
  m_cbDrive.EnableWindow(FALSE);
  ShowStatus(ProbeMiniCardDrives().count > 0);
}

void CDnLoadOptionsDlg::ShowManualState() {
  m_cbDrive.EnableWindow(TRUE);
  FillRemovableDrives(m_cbDrive, m_szDriveRoot);
  SelectStoredDrive();
  ShowStatus(g_bRemovableDrive == 1);
}

void CDnLoadOptionsDlg::SelectStoredDrive() {
  int selection = 0;
  if (!m_strDrive.empty()) {
    for (int i = 0; i < vtk::kCardDriveEntries && m_szDriveRoot[i][0] != '\0'; ++i) {
      if (m_strDrive == m_szDriveRoot[i]) {
        selection = i;
        break;
      }
    }
  }
  m_cbDrive.SetCurSel(selection);
}

void CDnLoadOptionsDlg::OnAutoDrive() {
  ShowAutomaticState();
  m_drive = vtk::RadioPairOf(0);
}

void CDnLoadOptionsDlg::OnManualDrive() {
  ShowManualState();
  m_drive = vtk::RadioPairOf(1);
}

void CDnLoadOptionsDlg::OnTakeValues() { UpdateData(TRUE); }

void CDnLoadOptionsDlg::OnBrowse() {
  if (!BrowseIntoField(*this, IDC_OPT_FOLDER, m_strFolder)) return;
  AddLastBackslash(m_strFolder);
  UpdateData(FALSE);
}

void CDnLoadOptionsDlg::OnOK() {
  CDialog::OnOK();
  if (m_drive.second != 1) return;
  // Without a selection (no removable drive listed) the stored drive stays.
  const int selection = m_cbDrive.GetCurSel();
  if (selection >= 0 && selection < vtk::kCardDriveEntries && m_szDriveRoot[selection][0] != '\0') {
    m_strDrive = m_szDriveRoot[selection];
  }
}
