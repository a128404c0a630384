#include "controls/drivecombo.h"

#include "controls/shellicons.h"

int CDriveComboBox::AddDrive(const std::string& name, HICON hIcon) {
  // The list has no strings of its own: the item's data is the icon.
  const int index = AddString(nullptr);
  if (index < 0 || SetItemData(index, reinterpret_cast<DWORD_PTR>(hIcon)) == CB_ERR) {
    if (index >= 0) DeleteString(index);
    ReleaseDriveIcon(hIcon);
    return CB_ERR;
  }
  m_texts.resize(static_cast<std::size_t>(index));
  m_texts.push_back(" " + name);
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
  m_texts.clear();
}

void CDriveComboBox::OnDestroy() {
  ReleaseItemIcons();
  CComboBox::OnDestroy();
}

void CDriveComboBox::MeasureItem(LPMEASUREITEMSTRUCT pMIS) { pMIS->itemHeight = 16; }

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
    const char* label = static_cast<std::size_t>(index) < m_texts.size() ? m_texts[index].c_str() : "";
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
