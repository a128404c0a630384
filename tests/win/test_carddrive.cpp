// Card-drive detection against the test prefix's registry and drives
// (A: E: F: removable, D: fixed, G: CD-ROM), the selection among several card
// drives, and the GetMiniCardDrive export.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

#include "carddrive/carddriveselectdlg.h"
#include "carddrive/cardprobe.h"
#include "download/dnloadoptionsdlg.h"
#include "folderui/shellicons.h"
#include "frame/globals.h"
#include "framework/modulestate.h"
#include "res/ids_carddrive.h"
#include "support/card_registry.h"
#include "support/scripted_user.h"
#include "vtksup.h"

using test::Sjis;

namespace {

const test::U8 kSelect = u8"ﾐﾆﾁｭｱ ｶｰﾄﾞ ﾄﾞﾗｲﾌﾞの選択";

std::string CardEntry(int i) { return std::string(g_szCardDrive[i], strnlen(g_szCardDrive[i], 10)); }

struct Probe {
  int count;
  std::string letters;
};
Probe RunProbe() {
  CDnLoadOptionsDlg dlg;
  ProbeMiniCardDrives(&dlg);
  return {dlg.m_nCardDrives, dlg.m_strCardDrives};
}

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

// Each registry leads to the drives found, the packed table with the highest
// letter as the root (-1 and the root untouched when none), and the count.
TEST(CardDrive, DetectionFollowsTheRegistryAndTheDrives) {
  using Keys = std::vector<std::tuple<int, std::string, const char*>>;  // device key, instance, letter
  const Keys junk = {{0, "0000", "G"},  {0, "0001", "D"},  {0, "0002", "Q"},  // CD-ROM, fixed, absent
                     {0, "0003", "e"},  {1, "0000", "EF"}, {1, "0001", nullptr}};  // lower case, two letters, none
  Keys junkAndA = junk;
  junkAndA.emplace_back(1, "0002", "A");  // a removable A: is a card drive here
  struct Case {
    const char* what;
    Keys keys;
    const char* sorted;  // the letters as read, when checked
    int found;
    std::string root, letters;
  };
  const Case cases[] = {
      {"no device keys", {}, "", -1, "keep", ""},
      {"one letter under both keys", {{0, "0000", "E"}, {1, "0001", "E"}}, "E", 1, "E:\\", "E"},
      {"letters of both keys sorted", {{0, "0000", "F"}, {1, "0000", "E"}}, "EF", 2, "F:\\", "EF"},
      {"only present removable drives in upper case", junk, nullptr, -1, "keep", ""},
      {"a removable A:", junkAndA, nullptr, 1, "A:\\", "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::CardRegistry registry;
    for (const auto& [device, name, letter] : c.keys) registry.Name(device, name, letter);
    ReadCardDriveLetters();
    if (c.sorted) {
      std::string sorted;
      for (int i = 0; i < 3; ++i) sorted += CardEntry(i);
      EXPECT_EQ(sorted, c.sorted);
    }
    const Probe p = RunProbe();
    EXPECT_EQ(p.letters, c.letters);
    EXPECT_EQ(p.count, int(c.letters.size()));
    std::string root = "keep";
    EXPECT_EQ(FindMiniCardDrive(root), c.found);
    EXPECT_EQ(root, c.root);
    for (std::size_t i = 0; i < 3; ++i)
      EXPECT_EQ(CardEntry(int(i)), i < c.letters.size() ? c.letters.substr(i, 1) + ":\\" : "") << i;
    char untouched[4] = "abc";
    int count = 55;
    GetMiniCardDrive(untouched, &count);
    EXPECT_EQ(count, p.count);
    EXPECT_STREQ(untouched, "abc");
    GetMiniCardDrive(nullptr, &count);
    EXPECT_EQ(count, p.count);
  }
}

TEST(CardDrive, OversizedRegistryEntriesStayInsideTheTables) {
  test::CardRegistry registry;
  // 30 instances: only the first 27 are read, so F (the 28th) is never seen.
  for (int i = 0; i < 30; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "K%02d", i);
    registry.Name(0, name, i == 27 ? "F" : "");
  }
  registry.Name(1, "L" + std::string(40, 'x'), "E");  // name cut: no such key
  registry.Name(1, "M", "EEEEEEEEEEEEEEEE");          // value cut: no such drive
  std::memset(g_szDeviceInstance, 0x55, sizeof g_szDeviceInstance);
  std::string root = "keep";
  EXPECT_EQ(FindMiniCardDrive(root), -1);
  EnumDeviceInstances(test::CardRegistry::kKeys[0]);
  EXPECT_STREQ(g_szDeviceInstance[26], "K26");
  EnumDeviceInstances(test::CardRegistry::kKeys[1]);
  EXPECT_EQ(std::string(g_szDeviceInstance[0]), "L" + std::string(28, 'x'));
  EXPECT_STREQ(g_szDeviceInstance[1], "M");
  EXPECT_STREQ(g_szDeviceInstance[2], "");
  ReadCardDriveLetters();
  EXPECT_EQ(CardEntry(0), "EEEEEEEEE");
}

TEST(CardDrive, TheSelectionListsTheCardDrivesInTableOrder) {
  test::CardRegistry registry;
  registry.Name(0, "0000", "F");
  registry.Name(1, "0000", "E");
  std::string root;
  ASSERT_EQ(FindMiniCardDrive(root), 2);
  const ShellIconCounts before = GetShellIconCountsForTesting();
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CCardDriveSelectDlg dlg;
  test::ScriptedUser user;
  int count = 0, selection = -1;
  std::set<std::string> texts;
  user.On(kSelect, [&](test::Window& w) {
    for (HWND child = GetWindow(w.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char text[512] = {};
      GetWindowTextA(child, text, sizeof text);
      texts.insert(text);
    }
    count = w.Send(IDC_CARD_DRIVE, CB_GETCOUNT);
    selection = w.Send(IDC_CARD_DRIVE, CB_GETCURSEL);
    w.Pick(IDC_CARD_DRIVE, 1, CBN_SELENDOK);
    w.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  user.Verify();
  EXPECT_EQ(std::make_pair(count, selection), std::make_pair(2, 0));
  EXPECT_EQ(dlg.m_strDrive, "F:\\");
  EXPECT_EQ(dlg.m_cbDrive.m_szEntry[0][0], ' ');
  EXPECT_NE(std::string(dlg.m_cbDrive.m_szEntry[0]).find("E:"), std::string::npos) << dlg.m_cbDrive.m_szEntry[0];
  const ShellIconCounts after = GetShellIconCountsForTesting();
  EXPECT_EQ(after.obtained - before.obtained, 2);
  EXPECT_EQ(after.destroyed - before.destroyed, 2) << "the list's icons go with its window";
  // The template's texts, the ideographic space (0x81 0x40 in CP932) included.
  for (const char8_t* text : {u8"複数のﾐﾆﾁｭｱｶｰﾄﾞﾄﾞﾗｲﾌﾞが検出されました。ﾀﾞｳﾝﾛｰﾄﾞするﾐﾆﾁｭｱ ｶｰﾄﾞ\u3000ﾄﾞﾗｲﾌﾞを選択して下さい。",
                              u8"ﾐﾆﾁｭｱｶｰﾄﾞ ﾄﾞﾗｲﾌﾞ(&D):", u8"ｷｬﾝｾﾙ"})
    EXPECT_EQ(texts.count(Sjis(text)), 1u) << Sjis(text);

  // An empty list: OK takes nothing.
  std::memset(g_szCardDrive, 0, sizeof g_szCardDrive);
  CCardDriveSelectDlg empty;
  test::ScriptedUser again;
  again.On(kSelect, [](test::Window& w) { w.Click(IDOK); });
  EXPECT_EQ(empty.DoModal(), IDOK);
  again.Verify();
  EXPECT_EQ(empty.m_strDrive, "");
}

// The dialog takes the drive it showed: a probe while it is open, or an item
// that could not be added, shifts nothing.
TEST(CardDrive, TheSelectionTakesTheDriveItShowed) {
  struct Case {
    const char* what;
    int failInserts;
    bool probeWhileOpen;
    int listed;
    std::string chosen;
  };
  for (const Case& c : {Case{"a probe while open", 0, true, 2, "E:\\"}, Case{"E: not added", 1, false, 1, "F:\\"}}) {
    SCOPED_TRACE(c.what);
    std::optional<test::CardRegistry> registry(std::in_place);
    registry->Name(0, "0000", "F");
    registry->Name(1, "0000", "E");
    std::string root;
    ASSERT_EQ(FindMiniCardDrive(root), 2);
    g_failInserts = c.failInserts;
    HHOOK hook = SetWindowsHookExA(WH_CBT, &OnCreate, nullptr, GetCurrentThreadId());
    AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
    CCardDriveSelectDlg dlg;
    test::ScriptedUser user;
    int listed = 0, probed = 0;
    user.On(kSelect, [&](test::Window& w) {
      if (c.probeWhileOpen) {
        registry.emplace();
        registry->Name(0, "0000", "F");
        GetMiniCardDrive(nullptr, &probed);
      }
      listed = w.Send(IDC_CARD_DRIVE, CB_GETCOUNT);
      w.Pick(IDC_CARD_DRIVE, 0, CBN_SELENDOK);
      w.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    UnhookWindowsHookEx(hook);
    user.Verify();
    EXPECT_EQ(std::make_tuple(listed, probed, dlg.m_strDrive), std::make_tuple(c.listed, c.probeWhileOpen ? 1 : 0, c.chosen));
  }
}
