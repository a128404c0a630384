// Card-drive detection against the test prefix's registry and drives
// (A: E: F: removable, D: fixed, G: CD-ROM), the selection among several card
// drives, and the GetMiniCardDrive export.
#include <gtest/gtest.h>

#include <cstring>

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

}  // namespace

TEST(CardDrive, WithoutDeviceKeysNothingIsFound) {
  test::CardRegistry registry;
  EXPECT_EQ(RunProbe().count, 0);
  std::string root = "keep";
  EXPECT_EQ(FindMiniCardDrive(root), -1);
  EXPECT_EQ(root, "keep");
  EXPECT_EQ(CardEntry(0), "");

  char untouched[4] = "abc";
  int count = 55;
  GetMiniCardDrive(untouched, &count);
  EXPECT_EQ(count, 0);
  EXPECT_STREQ(untouched, "abc");
}

TEST(CardDrive, ALetterUnderBothKeysIsOneDrive) {
  test::CardRegistry registry;
  registry.Name(0, "0000", "E");
  registry.Name(1, "0001", "E");
  const Probe p = RunProbe();
  EXPECT_EQ(p.count, 1);
  EXPECT_EQ(p.letters, "E");
  std::string root;
  EXPECT_EQ(FindMiniCardDrive(root), 1);
  EXPECT_EQ(root, "E:\\");
  EXPECT_EQ(CardEntry(0), "E:\\");
  EXPECT_EQ(CardEntry(1), "");
}

TEST(CardDrive, LettersOfBothKeysAreSortedAndTheHighestIsTheRoot) {
  test::CardRegistry registry;
  registry.Name(0, "0000", "F");
  registry.Name(1, "0000", "E");
  ReadCardDriveLetters();
  EXPECT_EQ(CardEntry(0), "E");
  EXPECT_EQ(CardEntry(1), "F");
  EXPECT_EQ(RunProbe().letters, "EF");
  std::string root;
  EXPECT_EQ(FindMiniCardDrive(root), 2);
  EXPECT_EQ(root, "F:\\");

  int count = 0;
  GetMiniCardDrive(nullptr, &count);
  EXPECT_EQ(count, 2);
}

TEST(CardDrive, OnlyPresentRemovableDrivesNamedInUpperCaseCount) {
  test::CardRegistry registry;
  registry.Name(0, "0000", "G");   // CD-ROM
  registry.Name(0, "0001", "D");   // fixed disk
  registry.Name(0, "0002", "Q");   // absent
  registry.Name(0, "0003", "e");   // lower case
  registry.Name(1, "0000", "EF");  // two letters
  registry.Name(1, "0001", nullptr);
  std::string root = "keep";
  EXPECT_EQ(FindMiniCardDrive(root), -1);
  EXPECT_EQ(root, "keep");
  EXPECT_EQ(RunProbe().count, 0);

  registry.Name(1, "0002", "A");  // a removable A: is a card drive here
  EXPECT_EQ(FindMiniCardDrive(root), 1);
  EXPECT_EQ(root, "A:\\");
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
  user.On(u8"ﾐﾆﾁｭｱ ｶｰﾄﾞ ﾄﾞﾗｲﾌﾞの選択", [&](test::Window& w) {
    count = w.ComboCount(IDC_CARD_DRIVE);
    selection = w.ComboSelection(IDC_CARD_DRIVE);
    w.SelectComboItem(IDC_CARD_DRIVE, 1);
    w.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(count, 2);
  EXPECT_EQ(selection, 0);
  EXPECT_EQ(dlg.m_strDrive, "F:\\");
  EXPECT_EQ(dlg.m_cbDrive.m_szEntry[0][0], ' ');
  EXPECT_NE(std::string(dlg.m_cbDrive.m_szEntry[0]).find("E:"), std::string::npos) << dlg.m_cbDrive.m_szEntry[0];
  const ShellIconCounts after = GetShellIconCountsForTesting();
  EXPECT_EQ(after.obtained - before.obtained, 2);
  EXPECT_EQ(after.destroyed - before.destroyed, 2) << "the list's icons go with its window";
}

TEST(CardDrive, TheSelectionTemplateCarriesItsTexts) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  std::memset(g_szCardDrive, 0, sizeof g_szCardDrive);
  CCardDriveSelectDlg dlg;
  test::ScriptedUser user;
  std::vector<std::string> texts;
  user.On(u8"ﾐﾆﾁｭｱ ｶｰﾄﾞ ﾄﾞﾗｲﾌﾞの選択", [&](test::Window& w) {
    for (HWND child = GetWindow(w.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char text[512] = {};
      GetWindowTextA(child, text, sizeof text);
      texts.emplace_back(text);
    }
    w.Click(IDOK);  // an empty list: nothing to take
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(dlg.m_strDrive, "");
  const std::string explanation =
      Sjis(u8"複数のﾐﾆﾁｭｱｶｰﾄﾞﾄﾞﾗｲﾌﾞが検出されました。ﾀﾞｳﾝﾛｰﾄﾞするﾐﾆﾁｭｱ ｶｰﾄﾞ　ﾄﾞﾗｲﾌﾞを選択して下さい。");
  EXPECT_NE(explanation.find("\x81\x40"), std::string::npos) << "the ideographic space in CP932";
  EXPECT_NE(std::find(texts.begin(), texts.end(), explanation), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), Sjis(u8"ﾐﾆﾁｭｱｶｰﾄﾞ ﾄﾞﾗｲﾌﾞ(&D):")), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), Sjis(u8"ｷｬﾝｾﾙ")), texts.end());
}
