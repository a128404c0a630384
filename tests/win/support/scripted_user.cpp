#include "support/scripted_user.h"

#include <vector>

#include "support/text.h"

namespace test {

namespace {
ScriptedUser* g_pActiveUser = nullptr;
constexpr ULONGLONG kStepTimeoutMs = 20000;

std::string TextOf(HWND hwnd) {
  const int n = GetWindowTextLengthA(hwnd);
  std::vector<char> buf(static_cast<std::size_t>(n > 0 ? n : 0) + 2);
  const int got = GetWindowTextA(hwnd, buf.data(), static_cast<int>(buf.size()));
  return std::string(buf.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

bool IsDialogClass(HWND hwnd) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

BOOL CALLBACK FindTop(HWND hwnd, LPARAM lParam) {
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && IsDialogClass(hwnd)) {
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void SendCommand(HWND dlg, int id, UINT code) {
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}
}  // namespace

HWND TopDialog() {
  HWND top = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTop, reinterpret_cast<LPARAM>(&top));
  return top;
}

std::string Window::Caption() const { return TextOf(hwnd); }
std::string Window::ItemText(int id) const { return TextOf(Item(id)); }
bool Window::ItemEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
bool Window::ItemVisible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
int Window::CheckState(int id) const { return static_cast<int>(SendMessageA(Item(id), BM_GETCHECK, 0, 0)); }
// A message box shows its text in a static control of id 0xFFFF.
bool Window::IsMessageBox() const { return Item(0xFFFF) != nullptr; }
std::string Window::MessageText() const { return ItemText(0xFFFF); }

void Window::Click(int id) const { SendCommand(hwnd, id, BN_CLICKED); }

void Window::SetItemText(int id, const std::string& cp932) const {
  SendMessageA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cp932.c_str()));
}

void Window::SelectListItem(int id, int index) const {
  SendMessageA(Item(id), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendCommand(hwnd, id, LBN_SELCHANGE);
}

void Window::DoubleClickListItem(int id, int index) const {
  SendMessageA(Item(id), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendCommand(hwnd, id, LBN_DBLCLK);
}

void Window::SelectComboItem(int id, int index) const {
  SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendCommand(hwnd, id, CBN_SELENDOK);
}

int Window::ListCount(int id) const { return static_cast<int>(SendMessageA(Item(id), LB_GETCOUNT, 0, 0)); }
int Window::ListSelection(int id) const { return static_cast<int>(SendMessageA(Item(id), LB_GETCURSEL, 0, 0)); }
std::string Window::ListItemText(int id, int index) const {
  const LRESULT n = SendMessageA(Item(id), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR) return std::string();
  std::string text(static_cast<std::size_t>(n) + 1, '\0');
  SendMessageA(Item(id), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return text;
}
int Window::ComboCount(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCOUNT, 0, 0)); }
int Window::ComboSelection(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }

void Window::PostKeyUp(UINT vk, bool system) const {
  HWND target = GetFocus();
  if (!target || (target != hwnd && !IsChild(hwnd, target))) target = hwnd;
  const LPARAM lParam = static_cast<LPARAM>(0xC0000001u | (MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16));
  PostMessageA(target, system ? WM_SYSKEYUP : WM_KEYUP, vk, lParam);
}

ScriptedUser::ScriptedUser() {
  g_pActiveUser = this;
  m_timer = SetTimer(nullptr, 0, 20, &ScriptedUser::OnTimer);
}

ScriptedUser::~ScriptedUser() {
  KillTimer(nullptr, m_timer);
  if (g_pActiveUser == this) g_pActiveUser = nullptr;
}

ScriptedUser& ScriptedUser::On(const U8& captionUtf8, std::function<void(Window&)> act) {
  return When(captionUtf8, nullptr, std::move(act));
}

ScriptedUser& ScriptedUser::When(const U8& captionUtf8, std::function<bool(Window&)> ready,
                                 std::function<void(Window&)> act) {
  m_steps.push_back(Step{Sjis(captionUtf8.s), std::move(ready), std::move(act)});
  return *this;
}

ScriptedUser& ScriptedUser::Answer(const U8& captionUtf8, int button, std::string* text) {
  return On(captionUtf8, [button, text](Window& w) {
    if (text) *text = w.MessageText();
    SendMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(w.Item(button)));
  });
}

std::string ScriptedUser::Report() const {
  std::string out;
  for (const std::string& f : m_failures) out += f + "\n";
  if (!m_steps.empty()) out += std::to_string(m_steps.size()) + " step(s) not run\n";
  return out;
}

void CALLBACK ScriptedUser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_pActiveUser) g_pActiveUser->Tick();
}

void ScriptedUser::Tick() {
  Window w{TopDialog()};
  if (!w.hwnd) {
    m_waitingOn = nullptr;
    return;
  }
  if (w.hwnd != m_waitingOn) {
    m_waitingOn = w.hwnd;
    m_waitingSince = GetTickCount64();
  }
  if (!m_steps.empty()) {
    Step& next = m_steps.front();
    const bool captionOk = next.caption.empty() || w.Caption() == next.caption;
    if (captionOk && (!next.ready || next.ready(w))) {
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
  m_failures.push_back("gave up on \"" + Utf8(w.Caption()) + "\"" + (w.IsMessageBox() ? " (\"" + Utf8(w.MessageText()) + "\")" : "") +
                       (m_steps.empty() ? ": no step expected it" : ": the next step waits for \"" + Utf8(m_steps.front().caption) + "\""));
  m_steps.clear();
  m_waitingOn = nullptr;
  PostMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(w.Item(IDCANCEL) ? IDCANCEL : IDOK, BN_CLICKED), 0);
}

}  // namespace test
