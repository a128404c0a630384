#include "carddrive/carddriveselectdlg.h"

#include <cstring>

#include "carddrive/cardprobe.h"
#include "framework/ddx.h"
#include "res/ids_carddrive.h"

namespace {
// The list shows one drive per letter at the most.
constexpr int kMaxListed = 26;
}  // namespace

CCardDriveSelectDlg::CCardDriveSelectDlg() : CDialog(IDD_CARDDRIVE_SELECT) {}

void CCardDriveSelectDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_CARD_DRIVE, m_cbDrive); }

BOOL CCardDriveSelectDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_listedRoots.clear();
  for (int i = 0; i < kMaxListed; ++i) {
    const std::string root(g_szCardDrive[i], strnlen(g_szCardDrive[i], sizeof g_szCardDrive[i]));
    if (root.empty()) continue;
    if (AddDriveItem(m_cbDrive, root)) m_listedRoots.push_back(root);
  }
  m_cbDrive.SetCurSel(0);
  UpdateData(FALSE);
  return TRUE;
}

void CCardDriveSelectDlg::OnOK() {
  // An empty list leaves no drive to take: the choice then stays empty and
  // the caller finds no drive.
  const int selection = m_cbDrive.GetCurSel();
  if (selection >= 0 && static_cast<std::size_t>(selection) < m_listedRoots.size()) m_strDrive = m_listedRoots[selection];
  CDialog::OnOK();
}
