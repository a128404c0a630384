#include "wave/mciwnd.h"

#include "framework/modulestate.h"

namespace vtk {
MciWndCreateFn g_pfnMciWndCreate = &::MCIWndCreateA;
MciSendCommandFn g_pfnMciSendCommand = &::mciSendCommandA;
}  // namespace vtk

BOOL CMciWnd::Create(HWND hWndParent, DWORD dwStyle, LPCSTR lpszFile) {
  if (m_hWnd && !::IsWindow(m_hWnd)) UnsubclassWindow();  // a handle left from a vanished window
  HINSTANCE hInstance = AfxGetStaticModuleState()->m_hCurrentInstanceHandle;
  HWND hWnd = vtk::g_pfnMciWndCreate(hWndParent, hInstance, dwStyle, lpszFile);
  if (!hWnd) return FALSE;
  if (!SubclassWindow(hWnd)) {
    // Without the takeover the object could not see the window's end.
    ::DestroyWindow(hWnd);
    return FALSE;
  }
  return TRUE;
}

DWORD CMciWnd::CloseDevice() {
  const auto id = static_cast<MCIDEVICEID>(SendMessage(MCIWNDM_GETDEVICEID));
  SendMessage(MCI_CLOSE, MCI_WAIT, 0);
  m_bOpen = 0;
  if (id == 0) return 0;
  const MCIERROR result = vtk::g_pfnMciSendCommand(id, MCI_CLOSE, MCI_WAIT, 0);
  // The window's own close normally closes the device already, so its id is
  // gone by now: that is the success this close was backing up, not a fault.
  return result == MCIERR_INVALID_DEVICE_ID ? 0 : result;
}

LRESULT CMciWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // The MCI window may own drawn controls of its own; they belong to its
    // procedure, not to the framework's reflection.
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
      return Default();
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}

BOOL CMciWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  Default();
  if (LOWORD(wParam) == 0) return TRUE;
  // A control's handle in the low word that names no window is a stale or
  // foreign sender: nothing to route.
  const auto hCtl16 = reinterpret_cast<HWND>(static_cast<UINT_PTR>(LOWORD(lParam)));
  if (hCtl16 && !::IsWindow(hCtl16)) return TRUE;
  RouteCommand(wParam, lParam);
  return TRUE;
}

void CMciWnd::RouteCommand(WPARAM wParam, LPARAM lParam) { CWnd::OnCommand(wParam, lParam); }

void CMciWnd::OnDestroy() {
  CloseDevice();
  Default();
}
