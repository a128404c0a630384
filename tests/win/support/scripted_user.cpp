#include "support/scripted_user.h"

#include <gtest/gtest.h>

#include <vector>

namespace test {

namespace {
ScriptedUser* g_pActiveUser = nullptr;
constexpr ULONGLONG kStepTimeoutMs = 20000;

std::string TextOf(HWND hwnd) {
  std::vector<char> buf(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 2);
  const int got = GetWindowTextA(hwnd, buf.data(), static_cast<int>(buf.size()));
  return std::string(buf.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

BOOL CALLBACK FindTop(HWND hwnd, LPARAM lParam) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || lstrcmpA(name, "#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hwnd;
  return FALSE;
}
}  // namespace

HWND TopDialog() {
  HWND top = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTop, reinterpret_cast<LPARAM>(&top));
  return top;
}

// A DIALOGEX template: a fixed header of 26 bytes, then the menu and the
// class (each 0, or 0xFFFF and a number, or a string), then the caption.
std::string Caption(UINT idd) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(idd), reinterpret_cast<LPCSTR>(RT_DIALOG));
  const auto* p = res ? reinterpret_cast<const WCHAR*>(static_cast<const char*>(LockResource(LoadResource(module, res))) + 26)
                      : nullptr;
  if (!p) return "<no template>";
  for (int field = 0; field < 2; ++field) p += *p == 0xFFFF ? 2 : *p == 0 ? 1 : lstrlenW(p) + 1;
  char text[256] = {};
  WideCharToMultiByte(932, 0, p, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

LRESULT Window::Send(int id, UINT msg, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(Item(id), msg, wParam, lParam);
}
std::string Window::Caption() const { return TextOf(hwnd); }
std::string Window::ItemText(int id) const { return TextOf(Item(id)); }
void Window::Click(int id) const { Pick(id, -2, BN_CLICKED); }
void Window::SetItemText(int id, const std::string& cp932) const {
  Send(id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cp932.c_str()));
}

void Window::Pick(int id, int index, UINT code) const {
  if (code == CBN_SELENDOK) Send(id, CB_SETCURSEL, static_cast<WPARAM>(index));
  if (code == LBN_SELCHANGE || code == LBN_DBLCLK) Send(id, LB_SETCURSEL, static_cast<WPARAM>(index));
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

void Window::PostKeyUp(UINT vk, bool system) const {
  HWND target = GetFocus();
  if (!target || (target != hwnd && !IsChild(hwnd, target))) target = hwnd;
  const LPARAM lParam = static_cast<LPARAM>(0xC0000001u | (MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16));
  PostMessageA(target, system ? WM_SYSKEYUP : WM_KEYUP, vk, lParam);
}

void ExpectTexts(const Window& w, const std::vector<std::pair<int, std::string>>& texts) {
  for (const auto& [id, text] : texts) EXPECT_EQ(Utf8(w.ItemText(id)), Utf8(text)) << "item " << id;
}

ScriptedUser::ScriptedUser() {
  g_pActiveUser = this;
  m_timer = SetTimer(nullptr, 0, 20, &ScriptedUser::OnTimer);
}

ScriptedUser::~ScriptedUser() {
  KillTimer(nullptr, m_timer);
  if (g_pActiveUser == this) g_pActiveUser = nullptr;
  Verify();
}

ScriptedUser& ScriptedUser::On(const std::string& caption, Act act, std::function<bool(Window&)> ready) {
  m_steps.push_back(Step{caption, std::move(ready), std::move(act)});
  return *this;
}

ScriptedUser& ScriptedUser::Answer(const std::string& caption, int button, const std::string& text) {
  return On(caption, [button, text](Window& w) {
    if (!text.empty()) {
      EXPECT_EQ(Utf8(w.ItemText(0xFFFF)), Utf8(text));
    }
    w.Click(button);
  });
}

void ScriptedUser::Verify() {
  for (const std::string& f : m_failures) ADD_FAILURE() << f;
  if (!m_steps.empty()) ADD_FAILURE() << m_steps.size() << " step(s) not run, the next waits for \"" << Utf8(m_steps.front().caption) << "\"";
  m_failures.clear();
  m_steps.clear();
}

void CALLBACK ScriptedUser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_pActiveUser) g_pActiveUser->Tick();
}

void ScriptedUser::Tick() {
  Window w{TopDialog()};
  if (w.hwnd != m_waitingOn) m_waitingSince = GetTickCount64();
  m_waitingOn = w.hwnd;
  if (!w.hwnd) return;
  if (!m_steps.empty()) {
    Step& next = m_steps.front();
    if ((next.caption.empty() || w.Caption() == next.caption) && (!next.ready || next.ready(w))) {
      // The step leaves the queue before it acts: its action may open a
      // dialog whose steps run from within it.
      Step step = std::move(next);
      m_steps.pop_front();
      m_waitingOn = nullptr;
      step.act(w);
      return;
    }
  }
  if (GetTickCount64() - m_waitingSince < kStepTimeoutMs) return;
  m_failures.push_back("gave up on \"" + Utf8(w.Caption()) + "\" (\"" + Utf8(w.ItemText(0xFFFF)) + "\")");
  m_steps.clear();
  m_waitingOn = nullptr;
  PostMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(w.Item(IDCANCEL) ? IDCANCEL : IDOK, BN_CLICKED), 0);
}

}  // namespace test
