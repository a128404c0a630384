// Card-drive detection against the test prefix's registry and drives
// (A: E: F: removable, D: fixed, G: CD-ROM), the selection among several card
// drives, and the GetMiniCardDrive export. The table rules are the core's.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "carddrive/carddriveselectdlg.h"
#include "carddrive/cardprobe.h"
#include "download/dnloadoptionsdlg.h"
#include "frame/globals.h"
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
    CDnLoadOptionsDlg dlg;
    ProbeMiniCardDrives(&dlg);
    EXPECT_EQ(std::pair(dlg.m_strCardDrives, dlg.m_nCardDrives), std::pair(c.letters, n));
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

TEST(CardDrive, TheSelectionListsTheCardDrivesInTableOrder) {
  test::CardRegistry registry;
  registry.Name(0, "0000", "F");
  registry.Name(1, "0000", "E");
  std::string root;
  ASSERT_EQ(FindMiniCardDrive(root), 2);
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  for (bool empty : {false, true}) {
    if (empty) std::memset(g_szCardDrive, 0, sizeof g_szCardDrive);
    CCardDriveSelectDlg dlg;
    test::ScriptedUser user;
    user.On("", [&](test::Window& w) {
      EXPECT_EQ(std::pair(w.ComboCount(IDC_CARD_DRIVE), w.ComboSelection(IDC_CARD_DRIVE)), empty ? std::pair(0, -1) : std::pair(2, 0));
      if (!empty) w.SelectComboItem(IDC_CARD_DRIVE, 1);
      w.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(user.Clean()) << user.Report();
    EXPECT_EQ(dlg.m_strDrive, empty ? "" : "F:\\") << empty;
    // An entry is " " and the drive's display name.
    const std::string first = dlg.m_cbDrive.m_szEntry[0];
    EXPECT_TRUE(empty || (first[0] == ' ' && first.find("E:") != std::string::npos)) << first;
  }
}
