// CWnd: a C++ object attached to a window by subclassing. The object is found
// from its window through a window property, and messages reach the virtual
// WindowProc; what it does not handle goes on to the window's own procedure.
// Owner-draw and control-colour messages that a parent receives are reflected
// to the object of the control they concern.
#pragma once
#include <windows.h>

#include <string>

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }

  // Attaches the object to an existing window by replacing its window
  // procedure. Fails when the object or the window is attached already.
  BOOL SubclassWindow(HWND hWnd);
  HWND UnsubclassWindow();
  // The object attached to a window, or null.
  static CWnd* FromHandlePermanent(HWND hWnd);

  // Message handling. Default() passes the message being handled to the
  // window's previous procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // WM_COMMAND: returns TRUE when handled.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // A message that the parent reflected to this control: WM_DRAWITEM,
  // WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM, WM_CTLCOLOR*. Returns TRUE
  // with *pResult set when the control handled it.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Reflected WM_CTLCOLOR*: a brush to paint the control with, or null to
  // leave the message to the parent's default.
  virtual HBRUSH CtlColor(HDC hDC, UINT nCtlColor);
  virtual void OnDestroy();
  // After WM_NCDESTROY, when the object is no longer attached.
  virtual void PostNcDestroy() {}

  // Thin wrappers, one call each.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
  std::string GetWindowText() const;
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
  void SetDlgItemText(int nID, const std::string& text) { ::SetDlgItemTextA(m_hWnd, nID, text.c_str()); }
  std::string GetDlgItemText(int nID) const;
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
  void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, static_cast<WPARAM>(bRedraw)); }
  BOOL DestroyWindow() { return ::DestroyWindow(m_hWnd); }
  // A message box owned by this window.
  int MessageBox(const std::string& text, const std::string& caption, UINT nType = MB_OK);

 protected:
  static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Offers a notification to the object of the control that it concerns.
  BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

  WNDPROC m_pfnSuper = nullptr;
  MSG m_currentMsg{};
};
