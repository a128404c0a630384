// The card download options through the DnLoadOptions export, on both
// platform families (set by the test), with the prefix's removable drives E:
// and F: (and A:, which is never listed).
#include <gtest/gtest.h>

#include "download/platformid.h"
#include "res/ids_download.h"
#include "support/card_registry.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "vtksup.h"

namespace {
struct Options : testing::Test {
  void SetUp() override { test::MakeDir("D:\\Dictation"); }
  void TearDown() override { SetPlatformIdForTesting(nullptr); }
  // One call on `platform` with the host's buffers holding `f` and `d`, in
  // which the user does `act` in the options dialog, and `then` queues more.
  int Run(int id, const char* f, const char* d, test::Act act, void (*then)(test::ScriptedUser&) = nullptr) {
    SetPlatformIdForTesting(&(platform = id));
    lstrcpyA(folder, f);
    lstrcpyA(drive, d);
    test::ScriptedUser user;
    user.On(test::Caption(IDD_DNLOAD_OPTIONS), std::move(act));
    if (then) then(user);
    return DnLoadOptions(&bDelete, &nMethod, &nDriveChoice, folder, drive);
  }
  int platform = 0, bDelete = 0, nMethod = 0, nDriveChoice = 0;
  char folder[260], drive[260];
  test::CardRegistry registry;
  test::CurrentDirectoryKeeper keeper;
};
}  // namespace

TEST_F(Options, AutomaticWithoutACardShowsTheStatusAndKeepsTheHostsDrive) {
  EXPECT_EQ(Run(1, "D:\\Dictation\\", "F:\\", [](test::Window& w) {
    test::ExpectEnabled(w, {IDC_OPT_DRIVE}, false);
    test::ExpectTexts(w, {{IDC_OPT_STATUS, test::Res(IDS_CARD_STATUS_NOT_FOUND)}, {IDC_OPT_FOLDER, "D:\\Dictation"}});
    EXPECT_EQ(w.Send(IDC_OPT_DRIVE, CB_GETCOUNT), 0);
    w.Click(IDOK);
  }), 1);
  EXPECT_EQ(std::string(drive) + " " + folder + std::to_string(nDriveChoice), "F:\\ D:\\Dictation\\0");
}

// The user's own drive lists the removable drives but not A:, selects the
// stored one and hands back the one picked.
TEST_F(Options, TheUsersOwnDriveListsRemovableDrivesButNotA) {
  registry.Name(0, "0000", "E");
  for (const char* stored : {"", "E:\\", "F:\\"}) {
    SCOPED_TRACE(stored);
    EXPECT_EQ(Run(1, "E:\\", stored, [&](test::Window& w) {
      test::ExpectTexts(w, {{IDC_OPT_STATUS, ""}, {IDC_OPT_FOLDER, "E:\\"}});
      w.Send(IDC_OPT_MANUAL_DRIVE, BM_CLICK);
      test::ExpectTexts(w, {{IDC_OPT_STATUS, ""}});
      EXPECT_EQ(w.Send(IDC_OPT_DRIVE, CB_GETCOUNT), 2);
      EXPECT_EQ(w.Send(IDC_OPT_DRIVE, CB_GETCURSEL), stored[0] == 'F' ? 1 : 0);
      w.Pick(IDC_OPT_DRIVE, 1, CBN_SELENDOK);
      w.Click(IDOK);
    }), 1);
    EXPECT_EQ(std::string(drive) + " " + std::to_string(nDriveChoice), "F:\\ 1");
  }
}

// The NT family forces the user's own drive; another platform leaves the
// group as stored.
TEST_F(Options, ThePlatformDecidesTheDriveGroup) {
  EXPECT_EQ(Run(0, "D:\\Dictation", "F:\\", [](test::Window& w) {
    EXPECT_EQ(w.Send(IDC_OPT_AUTO_DRIVE, BM_GETCHECK), BST_CHECKED);
    w.Click(IDOK);
  }), 1);
  EXPECT_EQ(std::string(drive) + " " + std::to_string(nDriveChoice), "F:\\ 0");
  registry.Name(0, "0000", "E");
  EXPECT_EQ(Run(2, "D:\\Dictation", "", [](test::Window& w) {
    test::ExpectEnabled(w, {IDC_OPT_AUTO_DRIVE}, false);
    EXPECT_EQ(w.Send(IDC_OPT_MANUAL_DRIVE, BM_GETCHECK), BST_CHECKED);
    w.Click(IDOK);
  }), 1);
  EXPECT_EQ(std::string(drive) + " " + std::to_string(nDriveChoice), "E:\\ 1");
}

TEST_F(Options, BrowsingChangesOnlyTheFolderAndStoresItWithABackslash) {
  test::MakeDir("D:\\Work");
  EXPECT_EQ(Run(2, "D:\\Dictation", "", [](test::Window& w) {
    w.Send(IDC_OPT_NEW_FOLDER, BM_CLICK);
    w.Send(IDC_OPT_DELETE, BM_CLICK);
    w.Click(IDC_OPT_BROWSE);
  }, [](test::ScriptedUser& user) {
    user.On("", [](test::Window& w) { w.SetItemText(1033, "D:\\Work"); w.Click(IDOK); })  // the chooser
        .On(test::Caption(IDD_DNLOAD_OPTIONS), [](test::Window& w) {
          test::ExpectTexts(w, {{IDC_OPT_FOLDER, "D:\\Work"}});
          w.Click(IDOK);
        });
  }), 1);
  EXPECT_EQ(std::string(folder) + " " + std::to_string(nMethod) + std::to_string(bDelete), "D:\\Work\\ 11");
}

TEST_F(Options, CancelLeavesEverythingAndAnEmptyFolderIsTheCurrentDirectory) {
  nMethod = bDelete = 1;
  EXPECT_EQ(Run(2, "", "F:\\", [](test::Window& w) { w.Pick(IDC_OPT_DRIVE, 0, CBN_SELENDOK); w.Click(IDCANCEL); }), 0);
  EXPECT_EQ(std::string(folder) + "|" + drive + std::to_string(nDriveChoice) + std::to_string(nMethod), "|F:\\01");
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Dictation"));
  EXPECT_EQ(Run(2, "", "F:\\", [](test::Window& w) { w.Click(IDOK); }), 1);
  EXPECT_STREQ(folder, "D:\\Dictation");
}
