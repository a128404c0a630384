#include "framework/dialog.h"

#include "framework/ddx.h"
#include "framework/handlerfault.h"
#include "framework/modulestate.h"

namespace {
thread_local CDialog* t_pActiveModal = nullptr;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog* CDialog::GetActiveModal() { return t_pActiveModal; }

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  // From here on every message of the dialog passes through the object; the
  // dialog's own procedure (and this one) stays underneath as the default.
  auto* pDlg = reinterpret_cast<CDialog*>(lParam);
  pDlg->SubclassWindow(hWnd);
  try {
    return pDlg->OnInitDialog();
  } catch (...) {
    vtk::NoteHandlerFault();
    return FALSE;
  }
}

INT_PTR CDialog::DoModal() {
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDHelp), reinterpret_cast<LPCSTR>(RT_DIALOG));
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
  m_pOuterModal = t_pActiveModal;
  t_pActiveModal = this;
  HWND hWnd = ::CreateDialogIndirectParamA(hInst, pTemplate, hOwner, &CDialog::DialogProc,
                                           reinterpret_cast<LPARAM>(this));
  if (!hWnd) {
    t_pActiveModal = m_pOuterModal;
    return -1;
  }
  if (!m_bEndModal && !vtk::HandlerFaultPending()) {
    if (disableOwner) ::EnableWindow(hOwner, FALSE);
    ::ShowWindow(hWnd, SW_SHOWNORMAL);
    RunModalLoop();
  }
  ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  if (disableOwner) {
    ::EnableWindow(hOwner, TRUE);
    if (::GetActiveWindow() == hWnd) ::SetActiveWindow(hOwner);
  }
  ::DestroyWindow(hWnd);
  t_pActiveModal = m_pOuterModal;
  return vtk::HandlerFaultPending() ? -1 : m_nModalResult;
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
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
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
