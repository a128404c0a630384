#include "framework/dialog.h"

#include <algorithm>

#include "framework/ddx.h"
#include "framework/handlerfault.h"
#include "framework/modulestate.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  // From here on every message of the dialog passes through the object; the
  // dialog's own procedure (and this one) stays underneath as the default.
  auto* pDlg = reinterpret_cast<CDialog*>(lParam);
  pDlg->SubclassWindow(hWnd);
  RECT before;
  ::GetWindowRect(hWnd, &before);
  BOOL focus = FALSE;
  try {
    focus = pDlg->OnInitDialog();
  } catch (...) {
    vtk::NoteHandlerFault();
    return FALSE;
  }
  RECT after;
  ::GetWindowRect(hWnd, &after);
  if (::IsWindow(hWnd) && after.left == before.left && after.top == before.top &&
      !(::GetWindowLongA(hWnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD)))
    pDlg->CenterWindow();
  return focus;
}

void CDialog::CenterWindow() {
  RECT dlg;
  ::GetWindowRect(m_hWnd, &dlg);
  HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
  const LONG ownerStyle = hOwner ? ::GetWindowLongA(hOwner, GWL_STYLE) : 0;
  if (!(ownerStyle & WS_VISIBLE) || (ownerStyle & WS_MINIMIZE)) hOwner = nullptr;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromWindow(hOwner ? hOwner : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  RECT around = work;
  if (hOwner) ::GetWindowRect(hOwner, &around);
  const LONG width = dlg.right - dlg.left, height = dlg.bottom - dlg.top;
  LONG x = (around.left + around.right) / 2 - width / 2;
  LONG y = (around.top + around.bottom) / 2 - height / 2;
  x = std::max(work.left, std::min(x, work.right - width));
  y = std::max(work.top, std::min(y, work.bottom - height));
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CDialog::DoModal() {
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), reinterpret_cast<LPCSTR>(RT_DIALOG));
  HGLOBAL hTemplate = hRes ? ::LoadResource(hInst, hRes) : nullptr;
  auto* pTemplate = hTemplate ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)) : nullptr;
  if (!pTemplate || vtk::HandlerFaultPending()) return -1;

  // Without a parent the dialog is owned by the thread's active window (the
  // host's, or the library dialog that opened this one), which stays
  // disabled while the dialog runs.
  HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
  const bool disableOwner = hOwner && ::IsWindowEnabled(hOwner);

  m_nModalResult = -1;
  m_bEndModal = false;
  m_bModal = true;
  HWND hWnd = ::CreateDialogIndirectParamA(hInst, pTemplate, hOwner, &CDialog::DialogProc,
                                           reinterpret_cast<LPARAM>(this));
  if (hWnd && !m_bEndModal && !vtk::HandlerFaultPending()) {
    if (disableOwner) ::EnableWindow(hOwner, FALSE);
    ::ShowWindow(hWnd, SW_SHOWNORMAL);
    RunModalLoop();
  }
  if (hWnd && ::IsWindow(hWnd)) {
    const bool wasActive = ::GetActiveWindow() == hWnd;
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    ::DestroyWindow(hWnd);
    if (disableOwner) ::EnableWindow(hOwner, TRUE);
    if (disableOwner && wasActive) ::SetActiveWindow(hOwner);
  } else if (disableOwner) {
    ::EnableWindow(hOwner, TRUE);
  }
  m_bModal = false;
  return hWnd && !vtk::HandlerFaultPending() ? m_nModalResult : -1;
}

void CDialog::PostNcDestroy() {
  // Destroyed from outside while the loop runs (with its owner, say): the
  // loop must not wait for a window that is gone.
  if (m_bModal && !m_bEndModal) {
    m_nModalResult = IDCANCEL;
    m_bEndModal = true;
  }
}

void CDialog::RunModalLoop() {
  MSG msg;
  while (!m_bEndModal) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // Leave WM_QUIT for the host's own loop.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_nModalResult = IDCANCEL;
      m_bEndModal = true;
      break;
    }
    try {
      if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    } catch (...) {
      vtk::NoteHandlerFault();
    }
    if (vtk::HandlerFaultPending()) break;
  }
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  m_bEndModal = true;
  if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return m_hWnd && ::IsDialogMessageA(m_hWnd, pMsg); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
}

BOOL CDialog::OnCmdMsg(UINT, UINT) { return FALSE; }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
  const UINT nID = LOWORD(wParam);
  const UINT nCode = HIWORD(wParam);
  if (OnCmdMsg(nID, nCode)) return TRUE;
  if (nCode == BN_CLICKED && nID == IDOK) {
    OnOK();
    return TRUE;
  }
  if (nCode == BN_CLICKED && nID == IDCANCEL) {
    OnCancel();
    return TRUE;
  }
  return FALSE;
}
