// A stand-in for the platform's MCI window: a window class of the tests that
// answers the player's messages with scripted results and records what it
// received, put in place of MCIWndCreateA (and of the direct device close)
// for as long as a FakeMciWindow lives.
#pragma once
#include <windows.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "wave/mciwnd.h"

namespace test {

// One message as the fake saw it. A text lParam (file name, time format) is
// kept as its text; a buffer lParam is kept as kBuffer with the text that the
// buffer held on arrival.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::string text;
  bool operator==(const Received&) const = default;
};
constexpr LPARAM kBuffer = 0xB0FF;
void PrintTo(const Received& r, std::ostream* os);

inline Received Msg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return {message, wParam, lParam, ""}; }
inline Received Text(UINT message, WPARAM wParam, const std::string& text) { return {message, wParam, 0, text}; }
inline Received Buffer(UINT message, WPARAM wParam, const std::string& initial = "") {
  return {message, wParam, kBuffer, initial};
}

// A host window that can parent the player's window.
struct HostWindow {
  HWND h = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ~HostWindow() {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};

struct CreateCall {
  HWND hWndParent;
  HINSTANCE hInstance;
  DWORD dwStyle;
  std::string file;
};

struct DirectClose {
  MCIDEVICEID id;
  UINT message;
  DWORD_PTR flags;
  DWORD_PTR params;
  bool operator==(const DirectClose&) const = default;
};

class FakeMciWindow {
 public:
  FakeMciWindow();
  ~FakeMciWindow();
  FakeMciWindow(const FakeMciWindow&) = delete;
  FakeMciWindow& operator=(const FakeMciWindow&) = delete;

  // Script. A message without a scripted result answers 0.
  std::map<UINT, LRESULT> results;
  bool failCreate = false;
  // The platform shows the window it makes; off by default because hiding a
  // shown window costs the X11 driver seconds without a window manager.
  bool createVisible = false;
  MCIDEVICEID nextDeviceId = 7;  // given by every open, at creation too
  LONG position = 0;
  LONG length = 0;
  LONG mode = MCI_MODE_STOP;
  std::string positionText;      // written within the given size
  bool overfillPosition = false; // writes 50 bytes without a zero, whatever the size
  DWORD lastError = 0;
  std::string errorText;         // written as lstrcpyn would, within the given size
  MCIERROR directCloseResult = 0;

  // What happened.
  std::vector<Received> received;
  std::vector<CreateCall> creates;
  std::vector<DirectClose> directCloses;
  MCIDEVICEID deviceId = 0;  // the device open in the window now
  HWND lastWindow = nullptr;

  void Clear() {
    received.clear();
    creates.clear();
    directCloses.clear();
  }

 private:
  static HWND WINAPIV Create(HWND hWndParent, HINSTANCE hInstance, DWORD dwStyle, LPCSTR szFile);
  static MCIERROR WINAPI SendCommand(MCIDEVICEID id, UINT uMsg, DWORD_PTR dwParam1, DWORD_PTR dwParam2);
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Answer(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Scripted(UINT message) const;

  vtk::MciWndCreateFn m_savedCreate;
  vtk::MciSendCommandFn m_savedSend;
  FakeMciWindow* m_savedCurrent;  // fakes may nest
  static FakeMciWindow* s_current;
};

}  // namespace test
