// CDialog: a modal dialog from a template of the current resource module,
// run by the library's own modal loop. Every message of the loop is offered
// to PreTranslateMessage (the base hands it to IsDialogMessage) before it is
// dispatched, so a dialog can catch keys anywhere in itself.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

#include "framework/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

  // Creates the dialog, runs it and destroys it. Returns the code given to
  // EndDialog; IDCANCEL when the thread is asked to quit (the quit message is
  // posted again for the caller's loop) or when the window is destroyed from
  // outside, with its owner say; -1 when the template cannot be found, the
  // dialog cannot be created or one of its message handlers threw (see
  // framework/handlerfault.h). The owner stays disabled until the window is
  // gone, so that what the dialog does while it is destroyed is modal too.
  virtual INT_PTR DoModal();
  // Ends the modal loop with any code (IDOK, IDCANCEL, or one of the
  // dialog's own such as 1038). The window is destroyed by DoModal.
  void EndDialog(int nResult);

  // A dialog that places itself here keeps its place; any other is centred
  // afterwards (see CenterWindow).
  virtual BOOL OnInitDialog();
  // Centres the window over its owner, or over the work area of the screen
  // when it has none or the owner is hidden or minimised, and keeps it inside
  // the work area.
  void CenterWindow();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* pDX);
  // Moves data between members and controls: towards the members when
  // bSaveAndValidate is TRUE, towards the controls when it is FALSE. No
  // exchange of ours can refuse a value, so there is no failure to report.
  void UpdateData(BOOL bSaveAndValidate = TRUE);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // A command from a control: (notification code, control id). Dialogs route
  // it through their table (see DispatchCommand); TRUE when handled.
  virtual BOOL OnCmdMsg(UINT nID, UINT nCode);

  UINT m_nIDTemplate;  // the dialog's template in the current resource module
  CWnd* m_pParentWnd;

 protected:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  void RunModalLoop();
  void PostNcDestroy() override;

  INT_PTR m_nModalResult = -1;
  bool m_bEndModal = false;
  bool m_bModal = false;  // DoModal owns the window
};

// A row of a dialog's command table: the notification code, the control id
// and the handler.
template <class T>
struct CommandEntry {
  UINT nCode;
  UINT nID;
  void (T::*pfn)();
};

template <class T, std::size_t N>
BOOL DispatchCommand(T* self, const CommandEntry<T> (&table)[N], UINT nID, UINT nCode) {
  for (const CommandEntry<T>& e : table) {
    if (e.nID == nID && e.nCode == nCode) {
      (self->*e.pfn)();
      return TRUE;
    }
  }
  return FALSE;
}
