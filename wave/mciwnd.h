// CMciWnd: the platform's MCI window, created hidden-to-be and taken over by
// subclassing, so that its destruction (with the host window that parents
// it, say) closes the device and clears the open flag.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>

#include "framework/wnd.h"

namespace vtk {

// The two platform calls that open and close MCI devices outside window
// messages. Tests put a window of their own in place of the MCI window and a
// recorder in place of the direct close.
using MciWndCreateFn = HWND(WINAPIV*)(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, LPCSTR szFile);
using MciSendCommandFn = MCIERROR(WINAPI*)(MCIDEVICEID id, UINT uMsg, DWORD_PTR dwParam1, DWORD_PTR dwParam2);
extern MciWndCreateFn g_pfnMciWndCreate;
extern MciSendCommandFn g_pfnMciSendCommand;

// Window styles of the player: MCI window flags only, so the platform's own
// defaults for a window with or without a parent apply.
constexpr DWORD kMciStylePlay = MCIWNDF_NOOPEN | MCIWNDF_NOERRORDLG | MCIWNDF_NOTIFYPOS | MCIWNDF_NOMENU;
constexpr DWORD kMciStyleMeasure = kMciStylePlay | MCIWNDF_NOAUTOSIZEMOVIE | MCIWNDF_NOAUTOSIZEWINDOW;
static_assert(kMciStylePlay == 0xC208 && kMciStyleMeasure == 0xC20D);

}  // namespace vtk

class CMciWnd : public CWnd {
 public:
  CMciWnd() = default;
  ~CMciWnd() override = default;

  // Creates the MCI window with the library's instance, opening `lpszFile`
  // at creation, and takes it over. A null parent gives a window without
  // parent. FALSE when the platform gives no window.
  BOOL Create(HWND hWndParent, DWORD dwStyle, LPCSTR lpszFile);
  // Closes the device through the window and then directly by its id; both
  // are always attempted. Returns the direct close's result: 0 when the
  // window had no device, or when the device was closed already (the id is
  // no longer valid), else an MCI error code.
  DWORD CloseDevice();
  bool HasWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }

  int m_bOpen = 0;  // nonzero while a file is open in the window

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnDestroy() override;
  // The framework's routing of a command that the MCI window has seen.
  virtual void RouteCommand(WPARAM wParam, LPARAM lParam);
};
