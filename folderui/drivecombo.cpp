#include "folderui/drivecombo.h"

#include "folderui/foldertree.h"
#include "folderui/shellicons.h"

int CDriveComboBox::AddDriveItem(HICON hIcon) {
  const int index = AddString(nullptr);
  if (index < 0 || SetItemData(index, reinterpret_cast<DWORD_PTR>(hIcon)) == CB_ERR) {
    if (index >= 0) DeleteString(index);
    ReleaseDriveIcon(hIcon);
    return CB_ERR;
  }
  return index;
}

void CDriveComboBox::ReleaseItemIcons() {
  const int n = GetCount();
  for (int i = 0; i < n; ++i) {
    ReleaseDriveIcon(reinterpret_cast<HICON>(GetItemData(i)));
    SetItemData(i, 0);
  }
}

void CDriveComboBox::RemoveAllDrives() {
  ReleaseItemIcons();
  ResetContent();
}

void CDriveComboBox::OnDestroy() {
  ReleaseItemIcons();
  CComboBox::OnDestroy();
}

void CDriveComboBox::MeasureItem(LPMEASUREITEMSTRUCT pMIS) { pMIS->itemHeight = 16; }

const char* CDriveComboBox::ItemText(int index) const {
  if (index < 0 || index >= kEntries) return "";
  if (m_pFolderTree) return m_pFolderTree->szDriveText[index];
  return m_szEntry[index];
}

void CDriveComboBox::DrawItem(LPDRAWITEMSTRUCT pDIS) {
  HDC hdc = pDIS->hDC;
  RECT r = pDIS->rcItem;
  COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
  COLORREF back = ::GetSysColor(COLOR_WINDOW);
  if (pDIS->itemState & ODS_SELECTED) {
    text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    back = ::GetSysColor(COLOR_HIGHLIGHT);
  }
  if (pDIS->itemState & ODS_DISABLED) {
    text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    back = RGB(192, 192, 192);
  }
  HBRUSH brush = ::CreateSolidBrush(back);
  ::FillRect(hdc, &r, brush);
  ::DeleteObject(brush);
  if (pDIS->itemState & ODS_FOCUS) ::DrawFocusRect(hdc, &r);

  if (pDIS->itemID != static_cast<UINT>(-1)) {
    const int index = static_cast<int>(pDIS->itemID);
    const char* label = ItemText(index);
    if (*label) {
      const COLORREF oldText = ::SetTextColor(hdc, text);
      const COLORREF oldBack = ::SetBkColor(hdc, back);
      ::TextOutA(hdc, r.left + 17, r.top + 1, label, lstrlenA(label));
      ::SetTextColor(hdc, oldText);
      ::SetBkColor(hdc, oldBack);
    }
    HICON icon = reinterpret_cast<HICON>(GetItemData(index));
    if (icon && icon != reinterpret_cast<HICON>(CB_ERR)) ::DrawIconEx(hdc, r.left, r.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
  }
  ::RedrawWindow(m_hWnd, &r, nullptr, RDW_VALIDATE | RDW_ERASENOW);
}
