#include "folderui/directorydialog.h"

#include <direct.h>
#include <winnetwk.h>

#include <utility>
#include <vector>

#include "controls/shellicons.h"
#include "core/cp932.h"
#include "core/pathrules.h"
#include "framework/ddx.h"
#include "framework/modulestate.h"
#include "res/ids_folderui.h"

namespace {

// The drive list shows one drive per letter at the most.
constexpr std::size_t kMaxDrives = 26;

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool ChangeDirectory(const std::string& path) { return _chdir(path.c_str()) == 0; }

// Many list items change at once: the list paints once afterwards.
class RedrawPause {
 public:
  explicit RedrawPause(CWnd& wnd) : m_wnd(wnd) { m_wnd.SetRedraw(FALSE); }
  ~RedrawPause() {
    m_wnd.SetRedraw(TRUE);
    m_wnd.Invalidate();
  }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  CWnd& m_wnd;
};

}  // namespace

CDirectoryDialog::CDirectoryDialog(DirectoryMode mode, std::string initialPath, std::string initialName,
                                   NewFolderProposer propose)
    : CDialog(IDD_DIRECTORY),
      m_mode(mode),
      m_strInitialPath(std::move(initialPath)),
      m_strInitialName(std::move(initialName)),
      m_propose(std::move(propose)) {}

void CDirectoryDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_DIR_DRIVES, m_cbDrive);
  DDX_Control(pDX, IDC_DIR_FOLDERS, m_lbFolders);
  DDX_Control(pDX, IDC_DIR_PATH, m_edPath);
}

BOOL CDirectoryDialog::OnCmdMsg(UINT nID, UINT nCode) {
  static constexpr CommandEntry<CDirectoryDialog> kCommands[] = {
      {CBN_SELENDOK, IDC_DIR_DRIVES, &CDirectoryDialog::OnDriveChange},
      {BN_CLICKED, IDC_DIR_NETWORK, &CDirectoryDialog::OnNetwork},
      {LBN_DBLCLK, IDC_DIR_FOLDERS, &CDirectoryDialog::OnFolderDoubleClick},
  };
  return DispatchCommand(this, kCommands, nID, nCode);
}

LRESULT CDirectoryDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE: {
      const LRESULT result = Default();
      FillDriveCombo(std::string());
      return result;
    }
    case WM_MEASUREITEM: {
      // The folder list's items are measured here directly rather than
      // through the general reflection, which looks the control up anew for
      // each of possibly thousands of inserted items.
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (mis->CtlType == ODT_LISTBOX && mis->CtlID == IDC_DIR_FOLDERS && m_lbFolders.m_hWnd) {
        m_lbFolders.MeasureItem(mis);
        return TRUE;
      }
      return CDialog::WindowProc(message, wParam, lParam);
    }
    case WM_DESTROY: {
      const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
      m_tree.RemoveAllNodes();
      return result;
    }
    default:
      return CDialog::WindowProc(message, wParam, lParam);
  }
}

std::string CDirectoryDialog::ProposeNewFolderName(const std::string& parent) const {
  return m_propose ? m_propose(parent) : std::string();
}

void CDirectoryDialog::FillListFromTree(UINT rootBitmap) {
  RedrawPause pause(m_lbFolders);
  int i = 0;
  for (FOLDERNODE* node = m_tree.pHead; node; node = node->pNext, ++i)
    m_lbFolders.AddFolder(node->szName, i == 0 ? rootBitmap : kClosedFolderBitmap, node->nLevel);
}

BOOL CDirectoryDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  std::string path = m_strInitialPath;
  SetWindowText(LoadResString(IsCreateMode() ? IDS_DIR_CAPTION_CREATE : IDS_DIR_CAPTION_SELECT));
  m_lbFolders.ResetContent();
  m_cbDrive.RemoveAllDrives();

  m_tree.BuildFromPath(path);
  if (path.size() > 3) m_tree.InsertSubFolders(m_tree.nCurrent);
  {
    RedrawPause pause(m_lbFolders);
    int i = 0;
    for (FOLDERNODE* node = m_tree.pHead; node; node = node->pNext, ++i) {
      node->bOpen = i <= m_tree.nCurrent ? 1 : 0;
      m_lbFolders.AddFolder(node->szName, node->bOpen ? kOpenFolderBitmap : kClosedFolderBitmap, node->nLevel);
    }
  }
  m_lbFolders.SetCurSel(m_tree.nCurrent);

  if (!IsCreateMode()) {
    SetDlgItemText(IDC_DIR_PATH, vtk::WithoutLastBackslash(path));
  } else if (m_strInitialName.empty()) {
    m_strNewName = ProposeNewFolderName(path);
    SetDlgItemText(IDC_DIR_PATH, m_strNewName);
  } else {
    std::string shown = m_strInitialName;
    if (shown.size() != 3 && vtk::EndsWithBackslash(shown)) shown.pop_back();
    SetDlgItemText(IDC_DIR_PATH, shown);
  }
  // Even under a drive root a longer name could not make a path that the
  // host can take back.
  if (IsCreateMode()) m_edPath.LimitText(static_cast<int>(vtk::kMaxPath - 3));
  FillDriveCombo(path);
  return TRUE;
}

void CDirectoryDialog::FillDriveCombo(const std::string& path) {
  m_cbDrive.RemoveAllDrives();
  m_driveRoots.clear();
  std::vector<char> list(1024, '\0');
  const DWORD n = ::GetLogicalDriveStringsA(static_cast<DWORD>(list.size() - 1), list.data());
  for (const char* root = list.data(); n > 0 && n < list.size() && *root && m_driveRoots.size() < kMaxDrives;
       root += lstrlenA(root) + 1) {
    const DriveShellInfo info = GetDriveShellInfo(root);
    m_cbDrive.AddDrive(info.displayName, info.hIcon);
    m_driveRoots.push_back(std::string(1, UpperAscii(root[0])) + (root + 1));
  }

  char wanted = 0;
  if (!IsCreateMode()) {
    const std::string text = GetDlgItemText(IDC_DIR_PATH);
    wanted = text.empty() ? 0 : text[0];
  } else if (path.empty()) {
    wanted = m_chLastDrive;
  } else {
    wanted = m_chLastDrive = path[0];
  }
  const int found = FindDriveItem(wanted);
  if (found >= 0 && !path.empty()) m_chCurrentDrive = UpperAscii(wanted);
  m_cbDrive.SetCurSel(found);
}

int CDirectoryDialog::FindDriveItem(char letter) const {
  letter = UpperAscii(letter);
  for (std::size_t i = 0; letter && i < m_driveRoots.size(); ++i)
    if (m_driveRoots[i][0] == letter) return static_cast<int>(i);
  return -1;
}

void CDirectoryDialog::OnDriveChange() {
  const int i = m_cbDrive.GetCurSel();
  if (i < 0 || static_cast<std::size_t>(i) >= m_driveRoots.size()) return;
  const std::string root = m_driveRoots[static_cast<std::size_t>(i)];
  while (!ChangeDirectory(root)) {
    const int answer = MessageBox(LoadResString(IDS_DIR_DRIVE_NOT_READY), LoadResString(IDS_DIR_DRIVE_CAPTION),
                                  MB_RETRYCANCEL | MB_ICONHAND);
    if (answer != IDRETRY) {
      m_cbDrive.SetCurSel(FindDriveItem(m_chCurrentDrive));
      return;
    }
  }
  m_cbDrive.SetCurSel(i);
  m_tree.RemoveAllNodes();
  m_tree.BuildFromRoot(root);
  m_chCurrentDrive = root[0];
  // The combo box is refilled on every activation from the last drive it
  // was given in create mode; keep that the drive now shown.
  if (IsCreateMode()) m_chLastDrive = root[0];
  m_tree.nCurrent = 0;
  m_lbFolders.ResetContent();
  FillListFromTree(kClosedFolderBitmap);
  m_lbFolders.SetCurSel(0);
  ShowNodeInEdit(0);
}

void CDirectoryDialog::OnNetwork() {
  if (::WNetConnectionDialog(m_hWnd, RESOURCETYPE_DISK) == NO_ERROR) FillDriveCombo(std::string());
}

void CDirectoryDialog::ShowNodeInEdit(int index) {
  FOLDERNODE* node = m_tree.GetNodeAt(index);
  if (!node) return;
  SetDlgItemText(IDC_DIR_PATH, IsCreateMode() ? ProposeNewFolderName(node->szPath)
                                              : vtk::WithoutLastBackslash(node->szPath));
}

void CDirectoryDialog::ReplaceItemPicture(int index, UINT nBitmapID) {
  FOLDERNODE* node = m_tree.GetNodeAt(index);
  m_lbFolders.DeleteString(index);
  m_lbFolders.InsertFolder(node->szName, nBitmapID, node->nLevel, index);
}

void CDirectoryDialog::OpenRoot() {
  const std::string root = std::string(1, m_tree.pHead->szPath[0]) + ":\\";
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((root + "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  ::FindClose(h);
  m_tree.RemoveAllNodes();
  m_tree.BuildFromRoot(root);
  m_lbFolders.m_bSuspendDraw = 1;
  m_lbFolders.ResetContent();
  m_lbFolders.m_bSuspendDraw = 0;
  const UINT rootBitmap = m_bRootOpen ? kClosedFolderBitmap : kOpenFolderBitmap;
  m_bRootOpen = m_bRootOpen ? 0 : 1;
  FillListFromTree(rootBitmap);
}

void CDirectoryDialog::ExpandNode(int index) {
  const int added = m_tree.InsertSubFolders(index);
  RedrawPause pause(m_lbFolders);
  ReplaceItemPicture(index, kOpenFolderBitmap);
  FOLDERNODE* node = m_tree.GetNodeAt(index);
  node->bOpen = 1;
  for (int j = 1; j <= added; ++j) {
    node = node->pNext;
    m_lbFolders.InsertFolder(node->szName, kClosedFolderBitmap, node->nLevel, index + j);
  }
}

void CDirectoryDialog::CollapseNode(int index) {
  const int removed = m_tree.RemoveDescendants(index);
  RedrawPause pause(m_lbFolders);
  // From the last one up: the list box moves fewer items that way.
  for (int j = index + removed; j > index; --j) m_lbFolders.DeleteString(j);
  ReplaceItemPicture(index, kClosedFolderBitmap);
  m_tree.GetNodeAt(index)->bOpen = 0;
}

void CDirectoryDialog::OnFolderDoubleClick() {
  const int s = m_lbFolders.GetCurSel();
  FOLDERNODE* node = s >= 0 ? m_tree.GetNodeAt(s) : nullptr;
  if (!node) return;
  if (s == 0)
    OpenRoot();
  else if (!node->bOpen)
    ExpandNode(s);
  else
    CollapseNode(s);
  ShowNodeInEdit(s);
  m_tree.nCurrent = s;
  m_lbFolders.SetCurSel(s);
}

void CDirectoryDialog::OnOK() {
  if (IsCreateMode())
    OnOKCreate();
  else
    OnOKSelect();
}

void CDirectoryDialog::OnOKSelect() {
  m_strChosen = GetDlgItemText(IDC_DIR_PATH);
  // A longer path could not be handed back to the host whole.
  if (m_strChosen.size() > vtk::kMaxPath || !ChangeDirectory(m_strChosen)) {
    MessageBox(LoadResString(IDS_DIR_CANNOT_ENTER), LoadResString(IDS_DIR_CAPTION_SELECT), MB_ICONEXCLAMATION | MB_OK);
    FOLDERNODE* node = m_tree.GetNodeAt(m_lbFolders.GetCurSel());
    SetDlgItemText(IDC_DIR_PATH, node ? node->szPath : "");
    return;
  }
  m_strChosen = GetDlgItemText(IDC_DIR_PATH);
  if (m_strChosen.size() != 3 && vtk::EndsWithBackslash(m_strChosen)) m_strChosen.pop_back();
  EndDialog(IDOK);
}

void CDirectoryDialog::OnOKCreate() {
  m_strNewName = GetDlgItemText(IDC_DIR_PATH);
  if (m_strNewName.empty()) {
    MessageBox(LoadResString(IDS_DIR_ENTER_NEW_NAME), LoadResString(IDS_DIR_ENTER_NEW_NAME_CAPTION), MB_ICONEXCLAMATION | MB_OK);
    return;
  }
  FOLDERNODE* current = m_tree.GetNodeAt(m_tree.nCurrent);
  m_strChosen = current ? current->szPath : "";
  std::string full = m_strChosen;
  if (full.size() != 3 && !vtk::EndsWithBackslash(full)) full += '\\';
  full += m_strNewName;
  static constexpr struct {
    vtk::NewFolderNameFault fault;
    UINT idText;
  } kRefusals[] = {{vtk::NewFolderNameFault::kTooLong, IDS_DIR_NAME_TOO_LONG},
                   {vtk::NewFolderNameFault::kBadCharacter, IDS_DIR_NAME_BAD_CHARACTER}};
  const vtk::NewFolderNameFault fault = vtk::CheckNewFolderName(m_strChosen, m_strNewName);
  for (const auto& refusal : kRefusals) {
    if (refusal.fault != fault) continue;
    MessageBox(LoadResString(refusal.idText), LoadResString(IDS_DIR_CAPTION_CREATE), MB_ICONEXCLAMATION | MB_OK);
    return;
  }
  if (ChangeDirectory(full)) {
    MessageBox(LoadResString(IDS_DIR_FOLDER_EXISTS), LoadResString(IDS_DIR_CAPTION_CREATE), MB_ICONEXCLAMATION | MB_OK);
    return;
  }
  EndDialog(IDOK);
}

std::optional<ChosenFolder> RunDirectoryDialog(DirectoryMode mode, const std::string& start,
                                               const std::string& initialName, const NewFolderProposer& propose) {
  // One chooser at a time on a thread: a chooser opened from inside another
  // one has always been refused, and callers rely on that.
  static thread_local bool t_open = false;
  if (t_open) return std::nullopt;
  t_open = true;
  struct Reset {
    ~Reset() { t_open = false; }
  } reset;
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CDirectoryDialog dlg(mode, start, initialName, propose);
  if (dlg.DoModal() != IDOK) return std::nullopt;
  return dlg.Chosen();
}
