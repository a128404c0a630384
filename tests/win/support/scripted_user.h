// A scripted user for the library's modal dialogs and message boxes. A thread
// timer, dispatched by whichever modal loop is running, looks at the topmost
// enabled dialog of the test's thread and runs the next step on it once its
// caption is the one the step waits for. Actions are sent, not posted, so a
// step's effect has happened when it returns; a dialog that the action opens
// is handled by the later steps from within it. A step that waits too long,
// or a dialog that no step expects, is recorded as a failure and cancelled,
// so that a test never hangs; the user fails the test when it goes (or at
// Verify) unless every step ran and nothing unexpected came.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/text.h"

namespace test {

// A dialog or message box as the user sees it. Texts are CP932.
struct Window {
  HWND hwnd = nullptr;

  HWND Item(int id) const { return GetDlgItem(hwnd, id); }
  // One message to control `id` (LB_GETCOUNT, BM_GETCHECK, BM_CLICK ...).
  LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  std::string Caption() const;
  std::string ItemText(int id) const;  // a message box shows its text in item 0xFFFF
  bool ItemEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  // The command a click makes (WM_COMMAND, BN_CLICKED), sent to the dialog.
  void Click(int id) const;
  void SetItemText(int id, const std::string& cp932) const;
  // Selects item `index` of a list or combo box and tells the dialog with
  // `code` (LBN_SELCHANGE, LBN_DBLCLK, CBN_SELENDOK).
  void Pick(int id, int index, UINT code) const;
  // Posts a key release (WM_KEYUP, or WM_SYSKEYUP when `system`) to the
  // control with the focus, as the keyboard would.
  void PostKeyUp(UINT vk, bool system = false) const;
};

// A check made inside a step: the texts of controls.
void ExpectTexts(const Window& w, const std::vector<std::pair<int, std::string>>& texts);

using Act = std::function<void(Window&)>;

class ScriptedUser {
 public:
  ScriptedUser();
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // Waits for the window whose caption is `caption` (CP932; any when empty)
  // and, when given, until `ready` holds for it; then runs `act` on it.
  ScriptedUser& On(const std::string& caption, Act act, std::function<bool(Window&)> ready = nullptr);
  // Answers the message box of that caption with `button` (IDOK, IDCANCEL,
  // IDRETRY ...), after checking its text when `text` is given.
  ScriptedUser& Answer(const std::string& caption, int button, const std::string& text = {});
  // Fails the test unless every step ran and nothing unexpected came, and
  // starts afresh.
  void Verify();

 private:
  struct Step {
    std::string caption;
    std::function<bool(Window&)> ready;
    Act act;
  };
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  std::deque<Step> m_steps;
  std::vector<std::string> m_failures;
  UINT_PTR m_timer = 0;
  ULONGLONG m_waitingSince = 0;
  HWND m_waitingOn = nullptr;
};

// The caption of dialog template `idd` of the current resource module, CP932.
std::string Caption(UINT idd);
// The topmost visible, enabled dialog or message box of the calling thread.
HWND TopDialog();

}  // namespace test
