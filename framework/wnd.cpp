#include "framework/wnd.h"

#include <vector>

#include "framework/handlerfault.h"
#include "framework/msgbox.h"

namespace {
const char kObjectProp[] = "VTKSUP.CWnd";

// Reading a window property can cost a round trip to the window manager, and
// a dialog's messages go to a handful of windows; the last few lookups of
// this thread are kept. An entry goes when its window is unsubclassed, which
// every attached window is before its handle can be reused.
struct ObjectCacheEntry {
  HWND hWnd;
  CWnd* pWnd;
};
constexpr unsigned kObjectCacheSize = 4;
thread_local ObjectCacheEntry t_objectCache[kObjectCacheSize];
thread_local unsigned t_objectCacheNext;

void ForgetCachedObject(HWND hWnd) {
  for (ObjectCacheEntry& e : t_objectCache)
    if (e.hWnd == hWnd) e = ObjectCacheEntry{nullptr, nullptr};
}

bool IsCtlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

std::string TextOf(HWND hWnd) {
  const int n = ::GetWindowTextLengthA(hWnd);
  std::vector<char> buf(static_cast<std::size_t>(n > 0 ? n : 0) + 2);
  const int got = ::GetWindowTextA(hWnd, buf.data(), static_cast<int>(buf.size()));
  return std::string(buf.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}
}  // namespace

CWnd::~CWnd() {
  if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) UnsubclassWindow();
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (m_hWnd || !hWnd || !::IsWindow(hWnd) || FromHandlePermanent(hWnd)) return FALSE;
  ::SetPropA(hWnd, kObjectProp, this);
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
  m_hWnd = hWnd;
  return TRUE;
}

HWND CWnd::UnsubclassWindow() {
  HWND hWnd = m_hWnd;
  if (!hWnd) return nullptr;
  if (m_pfnSuper) ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  ::RemovePropA(hWnd, kObjectProp);
  ForgetCachedObject(hWnd);
  m_pfnSuper = nullptr;
  m_hWnd = nullptr;
  return hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (!hWnd) return nullptr;
  for (const ObjectCacheEntry& e : t_objectCache)
    if (e.hWnd == hWnd) return e.pWnd;
  auto* pWnd = static_cast<CWnd*>(::GetPropA(hWnd, kObjectProp));
  if (pWnd) t_objectCache[t_objectCacheNext++ % kObjectCacheSize] = ObjectCacheEntry{hWnd, pWnd};
  return pWnd;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = FromHandlePermanent(hWnd);
  if (!pWnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);
  const MSG saved = pWnd->m_currentMsg;
  pWnd->m_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
  LRESULT result;
  try {
    result = pWnd->WindowProc(message, wParam, lParam);
  } catch (...) {
    vtk::NoteHandlerFault();
    result = pWnd->Default();
  }
  pWnd->m_currentMsg = saved;
  if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd) {
    pWnd->UnsubclassWindow();
    pWnd->PostNcDestroy();
  }
  return result;
}

LRESULT CWnd::Default() {
  const MSG& m = m_currentMsg;
  if (!m_pfnSuper) return ::DefWindowProcA(m.hwnd, m.message, m.wParam, m.lParam);
  return ::CallWindowProcA(m_pfnSuper, m.hwnd, m.message, m.wParam, m.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
      if (ReflectToChild(message, wParam, lParam, &result)) return result;
      break;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      if (IsCtlColor(message) && ReflectToChild(message, wParam, lParam, &result)) return result;
      break;
  }
  return Default();
}

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  HWND hChild = nullptr;
  switch (message) {
    case WM_DRAWITEM:
      hChild = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (mis->CtlType != ODT_MENU) hChild = ::GetDlgItem(m_hWnd, static_cast<int>(mis->CtlID));
      break;
    }
    case WM_DELETEITEM:
      hChild = reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_COMPAREITEM:
      hChild = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
      break;
    default:
      if (IsCtlColor(message)) hChild = reinterpret_cast<HWND>(lParam);
      break;
  }
  CWnd* pChild = FromHandlePermanent(hChild);
  return pChild && pChild != this && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* pResult) {
  if (IsCtlColor(message)) {
    HBRUSH brush = CtlColor(reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX);
    if (!brush) return FALSE;
    *pResult = reinterpret_cast<LRESULT>(brush);
    return TRUE;
  }
  return FALSE;
}

HBRUSH CWnd::CtlColor(HDC, UINT) { return nullptr; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }

void CWnd::OnDestroy() { Default(); }

std::string CWnd::GetWindowText() const { return TextOf(m_hWnd); }

std::string CWnd::GetDlgItemText(int nID) const { return TextOf(::GetDlgItem(m_hWnd, nID)); }

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType) {
  return vtk::ShowMessageBox(m_hWnd, text, caption, nType);
}
