#include "framework/ddx.h"

#include "framework/wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC); }

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (!rControl.m_hWnd) rControl.SubclassWindow(pDX->PrepareCtrl(nIDC));
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
  HWND hCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = pDX->m_pDlgWnd->GetDlgItemText(nIDC);
  } else {
    ::SetWindowTextA(hCtrl, value.c_str());
  }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageA(hCtrl, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessageA(hCtrl, BM_SETCHECK, (value >= 0 && value <= 2) ? value : 0, 0);
  }
}

namespace {
bool IsRadioButton(HWND hCtrl) {
  if (::SendMessageA(hCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) return true;
  const LONG_PTR type = ::GetWindowLongPtrA(hCtrl, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
}  // namespace

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND hCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  do {
    if (IsRadioButton(hCtrl)) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hCtrl, BM_GETCHECK, 0, 0) != 0) value = index;
      } else {
        ::SendMessageA(hCtrl, BM_SETCHECK, index == value, 0);
      }
      ++index;
    }
    hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT);
  } while (hCtrl && !(::GetWindowLongPtrA(hCtrl, GWL_STYLE) & WS_GROUP));
}
