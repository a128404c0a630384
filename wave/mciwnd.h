// CMciWnd: the platform's MCI window, created hidden-to-be and taken over by
// subclassing, so that its destruction (with the host window that parents
// it, say) closes the device and clears the open flag.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>

#include "framework/wnd.h"

namespace vtk {

// The platform calls of the player that a test may stand in for, in one
// place; each is the system's own unless a test has put another in.
struct WavePlatform {
  HWND(WINAPIV* mciWndCreate)(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, LPCSTR szFile) = &::MCIWndCreateA;
};
WavePlatform& TheWavePlatform();

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

  // The MCI window's own calls, one message each. Positions and lengths are
  // in the window's time format; the texts are CP932.
  LRESULT Open(LPCSTR lpszFile, WPARAM flags) { return SendMessage(MCIWNDM_OPENA, flags, reinterpret_cast<LPARAM>(lpszFile)); }
  LRESULT Close() { return SendMessage(MCI_CLOSE, MCI_WAIT); }
  LRESULT Play() { return SendMessage(MCI_PLAY); }
  LRESULT PlayFrom(LONG lPos) { return SendMessage(MCIWNDM_PLAYFROM, 0, lPos); }
  LRESULT Seek(LONG lPos) { return SendMessage(MCI_SEEK, 0, lPos); }
  LRESULT Pause() { return SendMessage(MCI_PAUSE); }
  LRESULT Stop() { return SendMessage(MCI_STOP); }
  LRESULT SetVolume(LONG lVolume) { return SendMessage(MCIWNDM_SETVOLUME, 0, lVolume); }
  LRESULT SetSpeed(LONG lSpeed) { return SendMessage(MCIWNDM_SETSPEED, 0, lSpeed); }
  LRESULT SetTimeFormat(LPCSTR lpszFormat) { return SendMessage(MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<LPARAM>(lpszFormat)); }
  LONG GetLength() const { return static_cast<LONG>(SendMessage(MCIWNDM_GETLENGTH)); }
  LONG GetPosition() const { return static_cast<LONG>(SendMessage(MCIWNDM_GETPOSITIONA)); }
  // The position, and its text in `lpszText` (at most `cch` bytes with the zero).
  LONG GetPositionString(char* lpszText, int cch) const {
    return static_cast<LONG>(SendMessage(MCIWNDM_GETPOSITIONA, static_cast<WPARAM>(cch), reinterpret_cast<LPARAM>(lpszText)));
  }
  LONG GetMode(char* lpszText, int cch) const {
    return static_cast<LONG>(SendMessage(MCIWNDM_GETMODEA, static_cast<WPARAM>(cch), reinterpret_cast<LPARAM>(lpszText)));
  }
  DWORD GetError(char* lpszText, int cch) const {
    return static_cast<DWORD>(SendMessage(MCIWNDM_GETERRORA, static_cast<WPARAM>(cch), reinterpret_cast<LPARAM>(lpszText)));
  }
  UINT GetDeviceID() const { return static_cast<UINT>(SendMessage(MCIWNDM_GETDEVICEID)); }

  int m_bOpen = 0;  // nonzero while a file is open in the window

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnDestroy() override;
};
