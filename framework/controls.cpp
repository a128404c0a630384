#include "framework/controls.h"

BOOL COwnerDrawCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      *pResult = TRUE;
      return TRUE;
    case WM_MEASUREITEM:
      MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      *pResult = TRUE;
      return TRUE;
    case WM_COMPAREITEM:
      *pResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      return TRUE;
    case WM_DELETEITEM:
      DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      *pResult = TRUE;
      return TRUE;
    default:
      return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  }
}
