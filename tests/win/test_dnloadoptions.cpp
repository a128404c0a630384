// The card download options through the DnLoadOptions export, on both
// platform families (the platform identifier is set by the test), with the
// prefix's removable drives E: and F: (and A:, which is never listed).
#include <gtest/gtest.h>

#include <vector>

#include "download/platformid.h"
#include "folderui/shellicons.h"
#include "res/ids_download.h"
#include "support/card_registry.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;

namespace {

const test::U8 kOptions = u8"ﾐﾆﾁｭｱ ｶｰﾄﾞのﾀﾞｳﾝﾛｰﾄﾞｵﾌﾟｼｮﾝ";
const std::string kStatus = Sjis(
    u8"ﾐﾆﾁｭｱ ｶｰﾄﾞのﾄﾞﾗｲﾌﾞが見つかりません。ﾐﾆﾁｭｱ ｶｰﾄﾞが正しくｾｯﾄされているかﾄﾞﾗｲﾊﾞｰがｲﾝｽﾄｰﾙされているかを確認して下さい。");

void Press(test::Window& w, int id) { SendMessageA(w.Item(id), BM_CLICK, 0, 0); }

struct HostCall {
  int bDelete = 0;
  int nMethod = 0;
  int nDriveChoice = 0;
  std::vector<char> folder, drive;
  HostCall(const std::string& f, const std::string& d) : folder(Buffer(f)), drive(Buffer(d)) {}
  static std::vector<char> Buffer(const std::string& s) {
    std::vector<char> b(1024, '\0');
    std::copy(s.begin(), s.end(), b.begin());
    return b;
  }
  int Run() { return DnLoadOptions(&bDelete, &nMethod, &nDriveChoice, folder.data(), drive.data()); }
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
  test::ScriptedUser user;
  user.On(kOptions, [&](test::Window& w) {
    listEnabled = w.ItemEnabled(IDC_OPT_DRIVE);
    autoEnabled = w.ItemEnabled(IDC_OPT_AUTO_DRIVE);
    listed = w.ComboCount(IDC_OPT_DRIVE);
    status = w.ItemText(IDC_OPT_STATUS);
    shownFolder = w.ItemText(IDC_OPT_FOLDER);
    w.Click(IDOK);
  });
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_FALSE(listEnabled);
  EXPECT_TRUE(autoEnabled);
  EXPECT_EQ(listed, 0);
  EXPECT_EQ(status, kStatus);
  EXPECT_EQ(shownFolder, "D:\\Dictation");
  EXPECT_EQ(host.nDriveChoice, 0);
  EXPECT_EQ(host.Drive(), "F:\\");
  EXPECT_EQ(host.Folder(), "D:\\Dictation\\");
}

TEST_F(DnLoadOptions_, Win9xSwitchingToTheUsersOwnDriveListsRemovableDrivesButNotA) {
  Platform(1);
  registry.Name(0, "0000", "E");
  for (const char* stored : {"", "E:\\", "F:\\"}) {
    SCOPED_TRACE(stored);
    HostCall host("E:\\", stored);
    std::string statusAuto, statusManual, shownFolder, texts;
    int listed = 0, selected = -1;
    test::ScriptedUser user;
    user.On(kOptions, [&](test::Window& w) {
      statusAuto = w.ItemText(IDC_OPT_STATUS);
      shownFolder = w.ItemText(IDC_OPT_FOLDER);
      Press(w, IDC_OPT_MANUAL_DRIVE);
      statusManual = w.ItemText(IDC_OPT_STATUS);
      listed = w.ComboCount(IDC_OPT_DRIVE);
      selected = w.ComboSelection(IDC_OPT_DRIVE);
      w.SelectComboItem(IDC_OPT_DRIVE, 1);
      w.Click(IDOK);
    });
    EXPECT_EQ(host.Run(), 1);
    EXPECT_TRUE(user.Clean()) << user.Report();
    EXPECT_EQ(statusAuto, "");
    EXPECT_EQ(statusManual, "");
    EXPECT_EQ(shownFolder, "E:\\");
    EXPECT_EQ(listed, 2) << "E: and F:, never A:";
    EXPECT_EQ(selected, std::string(stored) == "F:\\" ? 1 : 0);
    EXPECT_EQ(host.Drive(), "F:\\");
    EXPECT_EQ(host.nDriveChoice, 1);
  }
}

TEST_F(DnLoadOptions_, NtFamilyForcesTheUsersOwnDrive) {
  Platform(2);
  registry.Name(0, "0000", "E");
  HostCall host("D:\\Dictation", "");
  bool autoEnabled = true, listEnabled = false;
  int manualChecked = 0;
  test::ScriptedUser user;
  user.On(kOptions, [&](test::Window& w) {
    autoEnabled = w.ItemEnabled(IDC_OPT_AUTO_DRIVE);
    listEnabled = w.ItemEnabled(IDC_OPT_DRIVE);
    manualChecked = w.CheckState(IDC_OPT_MANUAL_DRIVE);
    w.Click(IDOK);
  });
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_FALSE(autoEnabled);
  EXPECT_TRUE(listEnabled);
  EXPECT_EQ(manualChecked, BST_CHECKED);
  EXPECT_EQ(host.nDriveChoice, 1);
  EXPECT_EQ(host.Drive(), "E:\\");
}

TEST_F(DnLoadOptions_, AnotherPlatformLeavesTheDriveGroupAsTheStateHasIt) {
  Platform(0);
  HostCall host("D:\\Dictation", "F:\\");
  int autoChecked = 0, listed = -1;
  test::ScriptedUser user;
  user.On(kOptions, [&](test::Window& w) {
    autoChecked = w.CheckState(IDC_OPT_AUTO_DRIVE);
    listed = w.ComboCount(IDC_OPT_DRIVE);
    w.Click(IDOK);
  });
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(autoChecked, BST_CHECKED);
  EXPECT_EQ(listed, 0);
  EXPECT_EQ(host.nDriveChoice, 0);
  EXPECT_EQ(host.Drive(), "F:\\");
}

TEST_F(DnLoadOptions_, BrowsingChangesOnlyTheFolderAndStoresItWithABackslash) {
  Platform(2);
  test::MakeDir("D:\\Work");
  HostCall host("D:\\Dictation", "E:\\");
  std::string shown;
  test::ScriptedUser user;
  user.On(kOptions, [](test::Window& w) {
        Press(w, IDC_OPT_NEW_FOLDER);
        Press(w, IDC_OPT_DELETE);
        w.Click(IDC_OPT_BROWSE);
      })
      .On(u8"", [](test::Window& w) {  // the directory chooser
        w.SetItemText(1033, "D:\\Work");
        w.Click(IDOK);
      })
      .On(kOptions, [&](test::Window& w) {
        shown = w.ItemText(IDC_OPT_FOLDER);
        w.Click(IDOK);
      });
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(shown, "D:\\Work");
  EXPECT_EQ(host.Folder(), "D:\\Work\\");
  EXPECT_EQ(host.nMethod, 1);
  EXPECT_EQ(host.bDelete, 1);
}

TEST_F(DnLoadOptions_, CancelLeavesEverythingAndAnEmptyFolderBecomesTheCurrentDirectory) {
  Platform(2);
  HostCall host("", "F:\\");
  host.nMethod = 1;
  host.bDelete = 1;
  test::ScriptedUser user;
  user.On(kOptions, [](test::Window& w) {
    w.SelectComboItem(IDC_OPT_DRIVE, 0);
    w.Click(IDCANCEL);
  });
  EXPECT_EQ(host.Run(), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(host.Folder(), "");
  EXPECT_EQ(host.Drive(), "F:\\");
  EXPECT_EQ(host.nDriveChoice, 0);
  EXPECT_EQ(host.nMethod, 1);

  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Dictation"));
  test::ScriptedUser ok;
  ok.On(kOptions, [](test::Window& w) { w.Click(IDOK); });
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(ok.Clean()) << ok.Report();
  EXPECT_EQ(host.Folder(), "D:\\Dictation");
}

TEST_F(DnLoadOptions_, TheDriveListsReleaseTheirIcons) {
  Platform(1);
  const ShellIconCounts before = GetShellIconCountsForTesting();
  HostCall host("D:\\Dictation", "");
  test::ScriptedUser user;
  user.On(kOptions, [](test::Window& w) {
    Press(w, IDC_OPT_MANUAL_DRIVE);
    Press(w, IDC_OPT_AUTO_DRIVE);
    Press(w, IDC_OPT_MANUAL_DRIVE);
    Press(w, IDC_OPT_MANUAL_DRIVE);
    w.Click(IDCANCEL);
  });
  EXPECT_EQ(host.Run(), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
  const ShellIconCounts after = GetShellIconCountsForTesting();
  EXPECT_GE(after.obtained - before.obtained, 6);
  EXPECT_EQ(after.obtained - before.obtained, after.destroyed - before.destroyed);
}
