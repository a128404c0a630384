#include "funckeys/funckeyassigndlg.h"

#include "core/funckeys.h"
#include "framework/ddx.h"
#include "framework/modulestate.h"
#include "funckeys/funckeystore.h"
#include "res/ids_funckeys.h"

namespace {
constexpr WPARAM kCaptionDragCommand = SC_MOVE | HTCAPTION;  // 0xF012
}

CFuncKeyAssignDlg::CFuncKeyAssignDlg(FUNCKEYINFO* pInfo) : CDialog(IDD_FUNCKEY_ASSIGN), m_pInfo(pInfo) {}

CFuncKeyAssignDlg::~CFuncKeyAssignDlg() = default;

void CFuncKeyAssignDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_FK_CAPTURE, m_edCapture);
  DDX_Control(pDX, IDC_FK_LIST, m_lbFunctions);
}

BOOL CFuncKeyAssignDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  vtk::DetectHostEdition();
  const vtk::FuncKeyDialogTextIds ids = vtk::DialogTextIds(vtk::GetDialogLanguage());

  SetWindowText(LoadResString(ids.caption));
  const struct {
    int control;
    UINT text;
  } texts[] = {
      {IDOK, IDS_FK_OK},
      {IDC_FK_ASSIGN, ids.assignButton},
      {IDC_FK_DELETE, ids.deleteButton},
      {IDC_FK_CURRENT_LABEL, ids.currentLabel},
      {IDC_FK_LIST_LABEL, ids.listLabel},
      {IDC_FK_CAPTURE_LABEL, ids.captureLabel},
  };
  for (const auto& t : texts) SetDlgItemText(t.control, LoadResString(t.text));

  FillList();
  SetDlgItemText(IDC_FK_CURRENT, vtk::KeyName(m_pInfo->wKey[0]));
  m_edCapture.SetReadOnly(TRUE);
  return TRUE;
}

void CFuncKeyAssignDlg::FillList() {
  for (const vtk::FuncSlot& slot : vtk::kFuncSlotTable) {
    std::string text = LoadResString(slot.listTextId);
    if (slot.listTextId2 != 0) text += " / " + LoadResString(slot.listTextId2);
    m_lbFunctions.AddString(text.c_str());
  }
  m_lbFunctions.SetCurSel(0);
}

BOOL CFuncKeyAssignDlg::PreTranslateMessage(MSG* pMsg) {
  // Keys are taken on release, wherever the focus is inside the dialog; F10
  // arrives as a system key. The press itself goes its usual way.
  const bool keyUp = pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP;
  const bool inDialog = pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd);
  if (keyUp && inDialog && vtk::IsAssignableKey(static_cast<std::uint32_t>(pMsg->wParam))) {
    PostMessage(WM_FUNCKEY_CAPTURED, pMsg->wParam, pMsg->lParam);
    return TRUE;
  }
  return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CFuncKeyAssignDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_FUNCKEY_CAPTURED:
      return OnFuncKeyCaptured(wParam, lParam);
    case WM_SYSCOMMAND:
      OnSysCommand(wParam, lParam);
      return 0;
    default:
      return CDialog::WindowProc(message, wParam, lParam);
  }
}

BOOL CFuncKeyAssignDlg::OnCmdMsg(UINT nID, UINT nCode) { return DispatchCommand(this, kCommands, nID, nCode); }

int CFuncKeyAssignDlg::SelectedSlot() const { return m_lbFunctions.GetCurSel(); }

void CFuncKeyAssignDlg::SetCaptureText(const std::string& text) {
  m_edCapture.SetWindowText(text);
  ::InvalidateRect(m_edCapture, nullptr, TRUE);
  ::UpdateWindow(m_edCapture);
}

LRESULT CFuncKeyAssignDlg::OnFuncKeyCaptured(WPARAM wParam, LPARAM) {
  const auto code = static_cast<std::uint32_t>(wParam);
  if (!vtk::IsAssignableKey(code)) return 0;
  const std::string name = vtk::KeyName(code);
  const std::string current = GetDlgItemText(IDC_FK_CURRENT);
  m_edCapture.m_crText = vtk::CapturedKeyConflicts(*m_pInfo, name, current) ? RGB(255, 0, 0) : RGB(0, 0, 0);
  SetCaptureText(name);
  return 0;
}

void CFuncKeyAssignDlg::OnSelChangeList() {
  const int slot = SelectedSlot();
  const bool valid = slot >= 0 && slot < kFuncSlots;
  SetDlgItemText(IDC_FK_CURRENT, valid ? vtk::KeyName(m_pInfo->wKey[slot]) : std::string());
  SetCaptureText("");
}

void CFuncKeyAssignDlg::OnAssign() {
  const std::optional<std::uint16_t> code = vtk::KeyCodeFromName(m_edCapture.GetWindowText());
  const int slot = SelectedSlot();
  if (!code || slot < 0 || slot >= kFuncSlots) {
    m_edCapture.SetWindowText("");
    return;
  }
  const int former = vtk::ReleaseKeyFromSlots(*m_pInfo, *code);
  if (former >= 0) {
    // Nothing registers hot keys on this dialog, so this releases nothing:
    // the host's hot keys stay as FuncKeyHook registered them until the host
    // hooks again with the changed record. Kept because hosts are built
    // around that: they release and re-register after the dialog returns.
    ::UnregisterHotKey(m_hWnd, static_cast<int>(vtk::kFuncSlotTable[former].hotKeyId));
    vtk::SaveFunctionKey(*m_pInfo, former);
  }
  SetDlgItemText(IDC_FK_CURRENT, vtk::KeyName(*code));
  m_pInfo->wKey[slot] = *code;
  vtk::SaveFunctionKey(*m_pInfo, slot);
  m_edCapture.SetWindowText("");
}

void CFuncKeyAssignDlg::OnDelete() {
  const int slot = SelectedSlot();
  if (slot < 0 || slot >= kFuncSlots) return;
  m_pInfo->wKey[slot] = NO_KEY;
  vtk::SaveFunctionKey(*m_pInfo, slot);
  SetDlgItemText(IDC_FK_CURRENT, "");
}

void CFuncKeyAssignDlg::OnSysCommand(WPARAM nID, LPARAM lParam) {
  // The close box, the system menu's close entry and Alt+F4 count as OK.
  if ((nID & 0xFFF0) == SC_CLOSE) {
    OnOK();
  } else if (nID == kCaptionDragCommand) {
    // F10 toggled on while a caption drag starts: take it as a captured F10,
    // since the system key may have been eaten by the drag.
    BYTE keys[256] = {};
    if (::GetKeyboardState(keys) && (keys[VK_F10] & 1)) PostMessage(WM_FUNCKEY_CAPTURED, VK_F10, lParam);
  }
  Default();
}

int RunFuncKeyAssignDialog(FUNCKEYINFO* pInfo) {
  if (!pInfo) return 0;
  CFuncKeyAssignDlg dlg(pInfo);
  return dlg.DoModal() == IDOK ? 1 : 0;
}
