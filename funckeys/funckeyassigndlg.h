// The function-key assignment dialog (template 130): choose a function in
// the list, press a function key, assign it. Every change goes into the
// caller's record and, at once, into the registry. Its template and texts
// come from whichever module state is current when it runs: the host's for
// FuncKeyAssign, the library's for FuncKeyAssignJ.
#pragma once
#include <windows.h>

#include <string>

#include "core/funckeyinfo.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "funckeys/funckeyedit.h"
#include "res/ids_funckeys.h"

// Posted by the dialog to itself: wParam = the released key's code, lParam =
// the key message's lParam.
constexpr UINT WM_FUNCKEY_CAPTURED = 0x0464;

class CFuncKeyAssignDlg : public CDialog {
 public:
  explicit CFuncKeyAssignDlg(FUNCKEYINFO* pInfo);
  ~CFuncKeyAssignDlg() override;

  CFuncKeyEdit m_edCapture;
  CListBox m_lbFunctions;  // one line per slot, in slot order
  FUNCKEYINFO* m_pInfo;

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

 private:
  void OnSelChangeList();
  void OnAssign();
  void OnDelete();
  LRESULT OnFuncKeyCaptured(WPARAM wParam, LPARAM lParam);
  void OnSysCommand(WPARAM nID, LPARAM lParam);

  int SelectedSlot() const;
  void SetCaptureText(const std::string& text);
  void FillList();

  static constexpr CommandEntry<CFuncKeyAssignDlg> kCommands[] = {
      {LBN_SELCHANGE, IDC_FK_LIST, &CFuncKeyAssignDlg::OnSelChangeList},
      {BN_CLICKED, IDC_FK_ASSIGN, &CFuncKeyAssignDlg::OnAssign},
      {BN_CLICKED, IDC_FK_DELETE, &CFuncKeyAssignDlg::OnDelete},
  };
};

// Runs the dialog on `pInfo` with the current module state's resources;
// 1 when it ended with OK (or its close box), else 0.
int RunFuncKeyAssignDialog(FUNCKEYINFO* pInfo);
