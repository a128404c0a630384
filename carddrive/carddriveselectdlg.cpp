#include "carddrive/carddriveselectdlg.h"

#include "carddrive/cardprobe.h"
#include "frame/globals.h"
#include "framework/ddx.h"
#include "res/ids_carddrive.h"

CCardDriveSelectDlg::CCardDriveSelectDlg() : CDialog(IDD_CARDDRIVE_SELECT) {}

void CCardDriveSelectDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_CARD_DRIVE, m_cbDrive); }

BOOL CCardDriveSelectDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_cbDrive.m_bUseFolderTree = 0;
  int k = 0;
  for (int i = 0; i < CDriveComboBox::kEntries; ++i) {
    if (g_szCardDrive[i][0] == '\0') continue;
    if (InsertDriveItem(m_cbDrive, k, g_szCardDrive[i])) ++k;
  }
  m_cbDrive.SetCurSel(0);
  UpdateData(FALSE);
  return TRUE;
}

void CCardDriveSelectDlg::OnOK() {
  // An empty list, or an item that could not be added, leaves no drive to
  // take: the choice then stays empty and the caller finds no drive.
  const int selection = m_cbDrive.GetCurSel();
  if (selection >= 0 && selection < kCardDriveSlots) m_strDrive = g_szCardDrive[selection];
  CDialog::OnOK();
}
