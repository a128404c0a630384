// The card download options through the DnLoadOptions export, on both
// platform families (the platform identifier is set by the test), with the
// prefix's removable drives E: and F: (and A:, which is never listed).
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "download/platformid.h"
#include "folderui/shellicons.h"
#include "res/ids_download.h"
#include "res/ids_folderui.h"
#include "support/card_registry.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;
using Act = std::function<void(test::Window&)>;

namespace {

const test::U8 kOptions = u8"ﾐﾆﾁｭｱ ｶｰﾄﾞのﾀﾞｳﾝﾛｰﾄﾞｵﾌﾟｼｮﾝ";

void Press(test::Window& w, int id) { SendMessageA(w.Item(id), BM_CLICK, 0, 0); }

struct HostCall {
  int bDelete = 0, nMethod = 0, nDriveChoice = 0;
  std::vector<char> folder, drive;
  HostCall(std::string f, std::string d) : folder(Buffer(f)), drive(Buffer(d)) {}
  static std::vector<char> Buffer(std::string s) {
    s.resize(1024);
    return {s.begin(), s.end()};
  }
  int Run(test::ScriptedUser& user) {
    const int rc = DnLoadOptions(&bDelete, &nMethod, &nDriveChoice, folder.data(), drive.data());
    EXPECT_TRUE(user.Clean()) << user.Report();
    return rc;
  }
  // One call in which the user does `act` in the options dialog.
  int Run(const Act& act) {
    test::ScriptedUser user;
    return Run(user.On(kOptions, act));
  }
  std::string Folder() const { return folder.data(); }
  std::string Drive() const { return drive.data(); }
};

class DnLoadOptions_ : public testing::Test {
 protected:
  void SetUp() override { test::MakeDir("D:\\Dictation"); }
  void TearDown() override { SetPlatformIdForTesting(nullptr); }
  void Platform(int id) { SetPlatformIdForTesting(&id); }
  test::CardRegistry registry;
  test::CurrentDirectoryKeeper keeper;
};

}  // namespace

TEST_F(DnLoadOptions_, Win9xAutomaticWithoutACardShowsTheStatusAndKeepsTheDrive) {
  Platform(1);
  HostCall host("D:\\Dictation\\", "F:\\");
  bool listEnabled = true, autoEnabled = false;
  int listed = -1;
  std::string status, shownFolder;
  EXPECT_EQ(host.Run([&](test::Window& w) {
    listEnabled = w.ItemEnabled(IDC_OPT_DRIVE);
    autoEnabled = w.ItemEnabled(IDC_OPT_AUTO_DRIVE);
    listed = w.ComboCount(IDC_OPT_DRIVE);
    status = w.ItemText(IDC_OPT_STATUS);
    shownFolder = w.ItemText(IDC_OPT_FOLDER);
    w.Click(IDOK);
  }), 1);
  EXPECT_FALSE(listEnabled);
  EXPECT_TRUE(autoEnabled);
  EXPECT_EQ(listed, 0);
  EXPECT_EQ(status, Sjis(u8"ﾐﾆﾁｭｱ ｶｰﾄﾞのﾄﾞﾗｲﾌﾞが見つかりません。ﾐﾆﾁｭｱ ｶｰﾄﾞが正しくｾｯﾄされているかﾄﾞﾗｲﾊﾞｰがｲﾝｽﾄｰﾙされているかを確認して下さい。"));
  EXPECT_EQ(shownFolder, "D:\\Dictation");
  EXPECT_EQ(host.nDriveChoice, 0);
  EXPECT_EQ(host.Drive() + " " + host.Folder(), "F:\\ D:\\Dictation\\");
}

TEST_F(DnLoadOptions_, Win9xSwitchingToTheUsersOwnDriveListsRemovableDrivesButNotA) {
  Platform(1);
  registry.Name(0, "0000", "E");
  for (const char* stored : {"", "E:\\", "F:\\"}) {
    SCOPED_TRACE(stored);
    HostCall host("E:\\", stored);
    std::string statusAuto = "?", statusManual = "?", shownFolder;
    int listed = 0, selected = -1;
    EXPECT_EQ(host.Run([&](test::Window& w) {
      statusAuto = w.ItemText(IDC_OPT_STATUS);
      shownFolder = w.ItemText(IDC_OPT_FOLDER);
      Press(w, IDC_OPT_MANUAL_DRIVE);
      statusManual = w.ItemText(IDC_OPT_STATUS);
      listed = w.ComboCount(IDC_OPT_DRIVE);
      selected = w.ComboSelection(IDC_OPT_DRIVE);
      w.SelectComboItem(IDC_OPT_DRIVE, 1);
      w.Click(IDOK);
    }), 1);
    EXPECT_EQ(statusAuto + statusManual, "");
    EXPECT_EQ(shownFolder, "E:\\");
    EXPECT_EQ(listed, 2) << "E: and F:, never A:";
    EXPECT_EQ(selected, std::string(stored) == "F:\\" ? 1 : 0);
    EXPECT_EQ(host.Drive(), "F:\\");
    EXPECT_EQ(host.nDriveChoice, 1);
  }
}

// Platform 2 forces the user's own drive; another leaves the group as the
// stored state has it.
TEST_F(DnLoadOptions_, ThePlatformDecidesTheDriveGroup) {
  Platform(0);
  HostCall other("D:\\Dictation", "F:\\");
  std::vector<int> seen;
  EXPECT_EQ(other.Run([&](test::Window& w) {
    seen = {w.CheckState(IDC_OPT_AUTO_DRIVE), w.ComboCount(IDC_OPT_DRIVE)};
    w.Click(IDOK);
  }), 1);
  EXPECT_EQ(seen, (std::vector<int>{BST_CHECKED, 0}));
  EXPECT_EQ(other.nDriveChoice, 0);
  EXPECT_EQ(other.Drive(), "F:\\");

  Platform(2);
  registry.Name(0, "0000", "E");
  HostCall nt("D:\\Dictation", "");
  EXPECT_EQ(nt.Run([&](test::Window& w) {
    seen = {w.ItemEnabled(IDC_OPT_AUTO_DRIVE), w.ItemEnabled(IDC_OPT_DRIVE), w.CheckState(IDC_OPT_MANUAL_DRIVE)};
    w.Click(IDOK);
  }), 1);
  EXPECT_EQ(seen, (std::vector<int>{false, true, BST_CHECKED}));
  EXPECT_EQ(nt.nDriveChoice, 1);
  EXPECT_EQ(nt.Drive(), "E:\\");
}

TEST_F(DnLoadOptions_, BrowsingChangesOnlyTheFolderAndStoresItWithABackslash) {
  Platform(2);
  test::MakeDir("D:\\Work");
  HostCall host("D:\\Dictation", "E:\\");
  std::string shown;
  test::ScriptedUser user;
  user.On(kOptions, [](test::Window& w) { Press(w, IDC_OPT_NEW_FOLDER); Press(w, IDC_OPT_DELETE); w.Click(IDC_OPT_BROWSE); })
      .On(u8"", [](test::Window& w) { w.SetItemText(IDC_DIR_PATH, "D:\\Work"); w.Click(IDOK); })  // the chooser
      .On(kOptions, [&](test::Window& w) { shown = w.ItemText(IDC_OPT_FOLDER); w.Click(IDOK); });
  EXPECT_EQ(host.Run(user), 1);
  EXPECT_EQ(shown, "D:\\Work");
  EXPECT_EQ(host.Folder(), "D:\\Work\\");
  EXPECT_EQ(std::make_pair(host.nMethod, host.bDelete), std::make_pair(1, 1));
}

TEST_F(DnLoadOptions_, CancelLeavesEverythingAndAnEmptyFolderBecomesTheCurrentDirectory) {
  Platform(2);
  HostCall host("", "F:\\");
  host.nMethod = host.bDelete = 1;
  EXPECT_EQ(host.Run([](test::Window& w) { w.SelectComboItem(IDC_OPT_DRIVE, 0); w.Click(IDCANCEL); }), 0);
  EXPECT_EQ(host.Folder() + "|" + host.Drive(), "|F:\\");
  EXPECT_EQ(host.nDriveChoice, 0);
  EXPECT_EQ(host.nMethod, 1);

  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Dictation"));
  EXPECT_EQ(host.Run([](test::Window& w) { w.Click(IDOK); }), 1);
  EXPECT_EQ(host.Folder(), "D:\\Dictation");
}

TEST_F(DnLoadOptions_, TheDriveListsReleaseTheirIcons) {
  Platform(1);
  const ShellIconCounts before = GetShellIconCountsForTesting();
  HostCall host("D:\\Dictation", "");
  EXPECT_EQ(host.Run([](test::Window& w) {
    for (int id : {IDC_OPT_MANUAL_DRIVE, IDC_OPT_AUTO_DRIVE, IDC_OPT_MANUAL_DRIVE, IDC_OPT_MANUAL_DRIVE}) Press(w, id);
    w.Click(IDCANCEL);
  }), 0);
  const ShellIconCounts after = GetShellIconCountsForTesting();
  EXPECT_GE(after.obtained - before.obtained, 6);
  EXPECT_EQ(after.obtained - before.obtained, after.destroyed - before.destroyed);
}
