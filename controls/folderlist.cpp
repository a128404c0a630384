#include "controls/folderlist.h"

#include "controls/platform.h"
#include "controls/transparentbitmap.h"
#include "framework/modulestate.h"

CFolderListBox::~CFolderListBox() {
  for (Picture& picture : m_pictures)
    if (picture.hBitmap) vtk::TheControlsPlatform().deleteBitmap(picture.hBitmap);
}

const CFolderListBox::Picture* CFolderListBox::LoadPicture(UINT nBitmapID) {
  for (Picture& picture : m_pictures) {
    if (picture.nBitmapID != nBitmapID) continue;
    if (!picture.hBitmap) {
      picture.hBitmap = vtk::TheControlsPlatform().loadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID));
      if (!picture.hBitmap) return nullptr;
      BITMAP bm{};
      ::GetObjectA(picture.hBitmap, sizeof bm, &bm);
      picture.nWidth = bm.bmWidth;
      picture.nHeight = bm.bmHeight;
    }
    return &picture;
  }
  return nullptr;
}

int CFolderListBox::AddFolder(const std::string& text, UINT nBitmapID, int level) {
  auto* item = new CFolderItem(level, text, nBitmapID);
  // The list stores no strings: the item is the data of the list's item.
  const int index = AddString(reinterpret_cast<const char*>(item));
  if (index == LB_ERR || index == LB_ERRSPACE) {
    delete item;
    return LB_ERR;
  }
  return index;
}

int CFolderListBox::InsertFolder(const std::string& text, UINT nBitmapID, int level, int index) {
  auto* item = new CFolderItem(level, text, nBitmapID);
  const int at = InsertString(index, reinterpret_cast<const char*>(item));
  if (at == LB_ERR || at == LB_ERRSPACE) {
    delete item;
    return LB_ERR;
  }
  return at;
}

CFolderItem* CFolderListBox::GetFolderItem(int index) const {
  const DWORD_PTR data = GetItemData(index);
  return data == static_cast<DWORD_PTR>(LB_ERR) ? nullptr : reinterpret_cast<CFolderItem*>(data);
}

void CFolderListBox::MeasureItem(LPMEASUREITEMSTRUCT pMIS) { pMIS->itemHeight = pMIS->itemData ? kItemHeight : 15; }

void CFolderListBox::DeleteItem(LPDELETEITEMSTRUCT pDIS) { delete reinterpret_cast<CFolderItem*>(pDIS->itemData); }

RECT CFolderListBox::TextRect(HDC hdc, const CFolderItem& item, const RECT& r) const {
  RECT text{r.left + item.nWidth - 3, r.top + 2, r.right, r.bottom};
  RECT calc = text;
  ::DrawTextA(hdc, item.strText.c_str(), static_cast<int>(item.strText.size()), &calc,
              DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  // DT_VCENTER centres the line in [top, bottom]; the frame follows it.
  const int height = calc.bottom - calc.top;
  const int top = text.top + (text.bottom - text.top - height) / 2;
  RECT frame{calc.left - 1, top, calc.right + 1, top + height};
  if (frame.top < r.top) frame.top = r.top;
  if (frame.bottom > r.bottom) frame.bottom = r.bottom;
  if (frame.right > r.right) frame.right = r.right;
  return frame;
}

void CFolderListBox::DrawBody(HDC hdc, CFolderItem& item, RECT r, bool selected) {
  const Picture* picture = LoadPicture(item.nBitmapID);
  if (picture) {
    item.nWidth = picture->nWidth;
    item.nHeight = picture->nHeight;
  }
  const COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  const COLORREF text = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  // The whole row, indentation included, takes the background.
  ::SetBkColor(hdc, back);
  const RECT row{0, r.top, r.right, r.bottom};
  ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
  if (picture)
    DrawTransparentBitmap(hdc, picture->hBitmap, static_cast<short>(r.left), static_cast<short>(r.top - 4), RGB(255, 255, 255));
  RECT textRect{r.left + item.nWidth - 3, r.top + 2, r.right, r.bottom};
  ::SetBkColor(hdc, back);
  const COLORREF oldText = ::SetTextColor(hdc, text);
  ::DrawTextA(hdc, item.strText.c_str(), static_cast<int>(item.strText.size()), &textRect, DT_SINGLELINE | DT_VCENTER);
  ::SetTextColor(hdc, oldText);
}

void CFolderListBox::DrawItem(LPDRAWITEMSTRUCT pDIS) {
  if (m_bSuspendDraw == 1) return;
  if (pDIS->itemID == static_cast<UINT>(-1)) return;
  auto* item = reinterpret_cast<CFolderItem*>(pDIS->itemData);
  if (!item) return;
  RECT r = pDIS->rcItem;
  r.left += item->nLevel * kIndent;
  const bool focused = (pDIS->itemState & ODS_FOCUS) != 0;
  if (pDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
    DrawBody(pDIS->hDC, *item, r, (pDIS->itemState & ODS_SELECTED) != 0);
    // The body painted over any earlier frame: draw it anew for the item
    // that has the focus.
    if (focused) {
      const RECT frame = TextRect(pDIS->hDC, *item, r);
      ::DrawFocusRect(pDIS->hDC, &frame);
    }
  } else if (pDIS->itemAction & ODA_FOCUS) {
    // DrawFocusRect inverts, so the same call shows and hides the frame.
    const RECT frame = TextRect(pDIS->hDC, *item, r);
    ::DrawFocusRect(pDIS->hDC, &frame);
  }
}
