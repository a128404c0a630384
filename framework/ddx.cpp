#include "framework/ddx.h"

#include "framework/wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC); }

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (!rControl.m_hWnd) rControl.SubclassWindow(pDX->PrepareCtrl(nIDC));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageA(hCtrl, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessageA(hCtrl, BM_SETCHECK, (value >= 0 && value <= 2) ? value : 0, 0);
  }
}
