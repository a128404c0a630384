// Card-drive detection against the test prefix's registry and drives
// (A: E: F: removable, D: fixed, G: CD-ROM), the selection among several card
// drives, and the GetMiniCardDrive export. The table rules are the core's.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <tuple>
#include <vector>

#include "carddrive/carddriveselectdlg.h"
#include "carddrive/cardprobe.h"
#include "framework/modulestate.h"
#include "res/ids_carddrive.h"
#include "support/card_registry.h"
#include "support/scripted_user.h"
#include "vtksup.h"

// Each registry leads to the drives found, the highest letter as the root
// (-1 and the root untouched when none), and the count the export gives.
TEST(CardDrive, DetectionFollowsTheRegistryAndTheDrives) {
  using Keys = std::vector<std::tuple<int, std::string, const char*>>;  // device key, instance, letter
  const Keys junk = {{0, "0000", "G"}, {0, "0001", "D"}, {0, "0002", "Q"},      // CD-ROM, fixed, absent
                     {0, "0003", "e"}, {1, "0000", "EF"}, {1, "0001", nullptr},  // lower case, two letters, none
                     {1, "L" + std::string(40, 'x'), "E"},                       // name cut: no such key
                     {1, "M", "EEEEEEEEEEEEEEEE"}};                              // value cut: no such drive
  Keys junkAndA = junk;
  junkAndA.emplace_back(1, "0002", "A");  // a removable A: is a card drive here
  const struct { const char* what; Keys keys; int found; std::string root, letters; } cases[] = {
      {"no device keys", {}, -1, "keep", ""},
      {"one letter under both keys", {{0, "0000", "E"}, {1, "0001", "E"}}, 1, "E:\\", "E"},
      {"letters of both keys", {{0, "0000", "F"}, {1, "0000", "E"}}, 2, "F:\\", "EF"},
      {"only present removable drives in upper case", junk, -1, "keep", ""},
      {"a removable A:", junkAndA, 1, "A:\\", "A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::CardRegistry registry;
    for (const auto& [device, name, letter] : c.keys) registry.Name(device, name, letter);
    const int n = int(c.letters.size());
    const vtk::CardDriveCount probed = ProbeMiniCardDrives();
    EXPECT_EQ(std::pair(probed.letters, probed.count), std::pair(c.letters, n));
    std::string root = "keep";
    const int found = FindMiniCardDrive(root);
    EXPECT_EQ(std::pair(found, root), std::pair(c.found, c.root));
    char untouched[4] = "abc";
    int count = 55, countWithoutBuffer = 55;
    GetMiniCardDrive(untouched, &count);
    GetMiniCardDrive(nullptr, &countWithoutBuffer);
    EXPECT_EQ(std::tuple(std::string(untouched), count, countWithoutBuffer), std::tuple("abc", n, n));
  }
}

namespace {
// Combo boxes made while the hook is set refuse their first g_failInserts insertions.
int g_failInserts = 0;
WNDPROC g_comboProc = nullptr;
LRESULT CALLBACK RefusingCombo(HWND h, UINT message, WPARAM w, LPARAM l) {
  if (message == CB_INSERTSTRING && g_failInserts > 0) {
    --g_failInserts;
    return CB_ERR;
  }
  return CallWindowProcA(g_comboProc, h, message, w, l);
}
LRESULT CALLBACK OnCreate(int code, WPARAM w, LPARAM l) {
  char cls[32] = {};
  if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(w), cls, sizeof cls) && lstrcmpiA(cls, "ComboBox") == 0)
    g_comboProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(reinterpret_cast<HWND>(w), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingCombo)));
  return CallNextHookEx(nullptr, code, w, l);
}
}  // namespace

// The dialog lists the card drives in table order (an entry is " " and the
// drive's display name) and takes the drive it showed: a probe while it is
// open, or an item that could not be added, shifts nothing.
TEST(CardDrive, TheSelectionTakesTheDriveItShowed) {
  const struct { const char* what; int failInserts; bool probeWhileOpen, emptyTable; int pick; std::string shown; } cases[] = {
      {"table order", 0, false, false, 1, "2 0 0 F:\\"},
      {"an empty table", 0, false, true, -1, "0 -1 0 "},
      {"a probe while open", 0, true, false, 0, "2 0 1 E:\\"},
      {"E: not added", 1, false, false, 0, "1 0 0 F:\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<test::CardRegistry> registry(std::in_place);
    registry->Name(0, "0000", "F");
    registry->Name(1, "0000", "E");
    std::string root, shown;
    ASSERT_EQ(FindMiniCardDrive(root), 2);
    if (c.emptyTable) std::memset(g_szCardDrive, 0, sizeof g_szCardDrive);
    g_failInserts = c.failInserts;
    HHOOK hook = SetWindowsHookExA(WH_CBT, &OnCreate, nullptr, GetCurrentThreadId());
    AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
    CCardDriveSelectDlg dlg;
    test::ScriptedUser user;
    int probed = 0;
    user.On("", [&](test::Window& w) {
      if (c.probeWhileOpen) {
        registry.emplace();
        registry->Name(0, "0000", "F");
        GetMiniCardDrive(nullptr, &probed);
      }
      shown = std::to_string(w.Send(IDC_CARD_DRIVE, CB_GETCOUNT)) + " " + std::to_string(w.Send(IDC_CARD_DRIVE, CB_GETCURSEL));
      if (c.pick >= 0) w.Pick(IDC_CARD_DRIVE, c.pick, CBN_SELENDOK);
      w.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    UnhookWindowsHookEx(hook);
    user.Verify();
    EXPECT_EQ(shown + " " + std::to_string(probed) + " " + dlg.m_strDrive, c.shown);
    const std::string first = dlg.m_cbDrive.m_szEntry[0];
    EXPECT_TRUE(c.pick != 1 || (first[0] == ' ' && first.find("E:") != std::string::npos)) << first;
  }
}
