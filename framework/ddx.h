// Dialog data exchange: members to controls (m_bSaveAndValidate FALSE) and
// back (TRUE). Control objects are bound once, by subclassing.
#pragma once
#include <windows.h>

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
  HWND PrepareCtrl(int nIDC) const;

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// A check box or a single radio button: 0, 1 (or 2 for a third state).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
