// A scripted user for the library's modal dialogs and message boxes. A thread
// timer, dispatched by whichever modal loop is running, looks at the topmost
// enabled dialog of the test's thread and runs the next step on it once its
// caption is the one the step waits for. Actions are sent, not posted, so a
// step's effect has happened when it returns; a dialog that the action opens
// is handled by the later steps from within it. A step that waits too long,
// or a dialog that no step expects, is recorded as a failure and cancelled,
// so that a test never hangs.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "support/text.h"

namespace test {

// A dialog or message box as the user sees it. Texts are CP932.
struct Window {
  HWND hwnd = nullptr;

  HWND Item(int id) const { return GetDlgItem(hwnd, id); }
  std::string Caption() const;
  std::string ItemText(int id) const;
  bool ItemEnabled(int id) const;
  bool ItemVisible(int id) const;
  int CheckState(int id) const;
  bool IsMessageBox() const;
  std::string MessageText() const;

  void Click(int id) const;
  void SetItemText(int id, const std::string& cp932) const;
  void SelectListItem(int id, int index) const;
  void DoubleClickListItem(int id, int index) const;
  void SelectComboItem(int id, int index) const;
  int ListCount(int id) const;
  int ListSelection(int id) const;
  std::string ListItemText(int id, int index) const;
  int ComboCount(int id) const;
  int ComboSelection(int id) const;
  // Posts a key release (WM_KEYUP, or WM_SYSKEYUP when `system`) to the
  // control with the focus, as the keyboard would.
  void PostKeyUp(UINT vk, bool system = false) const;
};

class ScriptedUser {
 public:
  ScriptedUser();
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // Waits for the dialog whose caption is `captionUtf8` (any caption when
  // empty) and runs `act` on it.
  ScriptedUser& On(const U8& captionUtf8, std::function<void(Window&)> act);
  // Waits until `ready` holds for the dialog of that caption, then runs `act`.
  ScriptedUser& When(const U8& captionUtf8, std::function<bool(Window&)> ready,
                     std::function<void(Window&)> act);
  // Answers the message box of that caption with `button` (IDOK, IDCANCEL,
  // IDRETRY ...) and keeps its text.
  ScriptedUser& Answer(const U8& captionUtf8, int button, std::string* text = nullptr);

  bool AllStepsRun() const { return m_steps.empty(); }
  const std::vector<std::string>& Failures() const { return m_failures; }
  // For EXPECT_...: every step run and nothing unexpected.
  bool Clean() const { return AllStepsRun() && m_failures.empty(); }
  std::string Report() const;

 private:
  struct Step {
    std::string caption;  // CP932
    std::function<bool(Window&)> ready;
    std::function<void(Window&)> act;
  };
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  std::deque<Step> m_steps;
  std::vector<std::string> m_failures;
  UINT_PTR m_timer = 0;
  ULONGLONG m_waitingSince = 0;
  HWND m_waitingOn = nullptr;
};

// The topmost visible, enabled dialog or message box of the calling thread.
HWND TopDialog();

}  // namespace test
