#include "wave/mciwnd.h"

#include "framework/modulestate.h"

namespace vtk {
WavePlatform& TheWavePlatform() {
  static WavePlatform platform;
  return platform;
}
}  // namespace vtk

BOOL CMciWnd::Create(HWND hWndParent, DWORD dwStyle, LPCSTR lpszFile) {
  if (m_hWnd && !::IsWindow(m_hWnd)) UnsubclassWindow();  // a handle left from a vanished window
  HINSTANCE hInstance = AfxGetStaticModuleState()->m_hCurrentInstanceHandle;
  HWND hWnd = vtk::TheWavePlatform().mciWndCreate(hWndParent, hInstance, dwStyle, lpszFile);
  if (!hWnd) return FALSE;
  if (!SubclassWindow(hWnd)) {
    // Without the takeover the object could not see the window's end.
    ::DestroyWindow(hWnd);
    return FALSE;
  }
  return TRUE;
}

DWORD CMciWnd::CloseDevice() {
  const MCIDEVICEID id = GetDeviceID();
  Close();
  m_bOpen = 0;
  if (id == 0) return 0;
  const MCIERROR result = ::mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0);
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

BOOL CMciWnd::OnCommand(WPARAM, LPARAM) {
  // The commands of the window's own controls are its procedure's; the
  // window is answered 0 as the framework answers a handled command.
  Default();
  return TRUE;
}

void CMciWnd::OnDestroy() {
  CloseDevice();
  Default();
}
