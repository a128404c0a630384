// The recorder download exports, driven by the scripted user on real folders.
#include <gtest/gtest.h>

#include <functional>

#include "download/paths.h"
#include "res/ids_folderui.h"
#include "res/ids_recorder.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;
using test::Window;

namespace {
const char8_t kConfirm[] = u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認";
const char8_t kOptions[] = u8"ﾀﾞｳﾝﾛｰﾄﾞのｵﾌﾟｼｮﾝ";
const char8_t kChooseDir[] = u8"ﾃﾞｨﾚｸﾄﾘｰの選択";
const char8_t kCreateDir[] = u8"ﾃﾞｨﾚｸﾄﾘｰの作成";
constexpr int kChooserEdit = IDC_DIR_PATH;

// Every path under a folder, so a test can tell that nothing on disk changed.
std::vector<std::string> Snapshot(const std::string& folder) {
  std::vector<std::string> all;
  for (const std::string& name : test::ListDir(folder)) {
    all.push_back(folder + "\\" + name);
    for (const std::string& below : Snapshot(folder + "\\" + name)) all.push_back(below);
  }
  return all;
}

struct Call {
  int bDelete = 0;
  int nMethod = 0;
  char folderA[1024] = {};
  char folderB[1024] = {};
  Call(int del, int method, const std::string& a, const std::string& b) : bDelete(del), nMethod(method) {
    lstrcpyA(folderA, a.c_str());
    lstrcpyA(folderB, b.c_str());
  }
  int Condition(int nFolders) { return QX270DnLoadCondition(&bDelete, &nMethod, nFolders, folderA, folderB); }
  int Option() { return QX270DnLoadOption(&bDelete, &nMethod, folderA, folderB); }
};

class Recorder : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('D');
    test::MakeDir("D:\\Rec\\A");
    test::MakeDir("D:\\Work");
    SetCurrentDirectoryA("D:\\Work");
    SetLocalDateForTesting(&kDate);
    m_before = Snapshot("D:");
  }
  void TearDown() override {
    SetLocalDateForTesting(nullptr);
  }
  void ExpectDiskUnchanged() { EXPECT_EQ(Snapshot("D:"), m_before); }
  static constexpr vtk::LocalDate kDate{2006, 3, 5};
  test::CurrentDirectoryKeeper m_cwd;
  std::vector<std::string> m_before;
};
}  // namespace

TEST_F(Recorder, TwoFolderFormShowsSettingsDisablesFolderBAndHandsBack) {
  Call call(1, 0, "D:\\Rec\\A\\", "");
  std::string shownA, shownB, method, del;
  bool bEnabled = true, groupBEnabled = true, browseBEnabled = true, aEnabled = false;
  test::ScriptedUser user;
  user.On(kConfirm, [&](Window& w) {
    shownA = w.ItemText(IDC_QX_FOLDER_A);
    shownB = w.ItemText(IDC_QX_FOLDER_B);
    method = w.ItemText(IDC_QX_METHOD_TEXT);
    del = w.ItemText(IDC_QX_DELETE_TEXT);
    bEnabled = w.ItemEnabled(IDC_QX_FOLDER_B);
    groupBEnabled = w.ItemEnabled(IDC_QX_GROUP_B);
    browseBEnabled = w.ItemEnabled(IDC_QX_BROWSE_B);
    aEnabled = w.ItemEnabled(IDC_QX_FOLDER_A) && w.ItemEnabled(IDC_QX_BROWSE_A);
    w.Click(IDOK);
  });
  EXPECT_EQ(call.Condition(1), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(shownA, "D:\\Rec\\A");
  EXPECT_EQ(shownB, "D:\\Work");
  EXPECT_EQ(method, Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞ先ﾌｫﾙﾀﾞｰに保存"));
  EXPECT_EQ(del, Sjis(u8"削除する"));
  EXPECT_FALSE(bEnabled || groupBEnabled || browseBEnabled);
  EXPECT_TRUE(aEnabled);
  EXPECT_STREQ(call.folderA, "D:\\Rec\\A");
  EXPECT_STREQ(call.folderB, "D:\\Work");
  EXPECT_EQ(call.bDelete, 1);
  EXPECT_EQ(call.nMethod, 0);
  ExpectDiskUnchanged();
}

TEST_F(Recorder, NewFolderFormPairsNamesOnASharedParentAndCreatesNothing) {
  Call call(0, 1, "D:\\Rec", "D:\\Rec\\");
  std::string nameA, nameB, parentA, method;
  test::ScriptedUser user;
  user.On(kConfirm, [&](Window& w) {
    nameA = w.ItemText(IDC_QX_NEWNAME_A);
    nameB = w.ItemText(IDC_QX_NEWNAME_B);
    parentA = w.ItemText(IDC_QX_FOLDER_A);
    method = w.ItemText(IDC_QX_METHOD_TEXT);
    w.Click(IDOK);
  });
  EXPECT_EQ(call.Condition(0), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(nameA, "2006.3.5-1");
  EXPECT_EQ(nameB, "2006.3.5-2");
  EXPECT_EQ(parentA, "D:\\Rec");
  EXPECT_EQ(method, Sjis(u8"新しくﾌｫﾙﾀﾞｰを作成して保存"));
  EXPECT_STREQ(call.folderA, "D:\\Rec\\2006.3.5-1");
  EXPECT_STREQ(call.folderB, "D:\\Rec\\2006.3.5-2");
  ExpectDiskUnchanged();
}

TEST_F(Recorder, NewFolderOnARootAndSelectorTwoDisablesFolderA) {
  Call call(0, 1, "E:\\", "D:\\Rec");
  std::vector<int> enabledA;
  test::ScriptedUser user;
  user.On(kConfirm, [&](Window& w) {
    for (int id : {IDC_QX_FOLDER_A, IDC_QX_NEWNAME_A, IDC_QX_GROUP_NEW_A, IDC_QX_LABEL_NEW_A, IDC_QX_BROWSE_A})
      enabledA.push_back(w.ItemEnabled(id));
    w.Click(IDOK);
  });
  EXPECT_EQ(call.Condition(2), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(enabledA, std::vector<int>(5, 0));
  EXPECT_STREQ(call.folderA, "E:\\2006.3.5-1");  // handed back although switched off
  EXPECT_STREQ(call.folderB, "D:\\Rec\\2006.3.5-1");
}

TEST_F(Recorder, SwitchToNewFoldersThenCancelKeepsTheSwitchedSettings) {
  Call call(0, 0, "D:\\Rec\\", "D:\\Rec\\A");
  std::string nameA;
  test::ScriptedUser user;
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) {
        // The buttons themselves are clicked, as the mouse would.
        SendMessageA(w.Item(IDC_QXO_NEWFOLDER), BM_CLICK, 0, 0);
        SendMessageA(w.Item(IDC_QXO_DELETE), BM_CLICK, 0, 0);
        w.Click(IDOK);
      })
      .When(kConfirm, [](Window& w) { return w.Item(IDC_QX_NEWNAME_A) != nullptr; },
            [&](Window& w) {
              nameA = w.ItemText(IDC_QX_NEWNAME_A);
              w.Click(IDCANCEL);
            });
  EXPECT_EQ(call.Condition(0), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(nameA, "2006.3.5-1");
  EXPECT_EQ(call.nMethod, 1);
  EXPECT_EQ(call.bDelete, 1);
  EXPECT_STREQ(call.folderA, "D:\\Rec");
  EXPECT_STREQ(call.folderB, "D:\\Rec\\A");
  ExpectDiskUnchanged();
}

TEST_F(Recorder, SwitchBackHandsParentsWithoutNames) {
  Call call(0, 1, "D:\\Rec", "D:\\Work");
  bool twoFolderForm = false;
  test::ScriptedUser user;
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) {
        SendMessageA(w.Item(IDC_QXO_SAVE), BM_CLICK, 0, 0);
        w.Click(IDOK);
      })
      .When(kConfirm, [](Window& w) { return w.Item(IDC_QX_NEWNAME_A) == nullptr; },
            [&](Window& w) {
              twoFolderForm = w.Item(IDC_QX_GROUP_A) != nullptr;
              w.Click(IDOK);
            });
  EXPECT_EQ(call.Condition(0), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_TRUE(twoFolderForm);
  EXPECT_EQ(call.nMethod, 0);
  EXPECT_STREQ(call.folderA, "D:\\Rec");
  EXPECT_STREQ(call.folderB, "D:\\Work");
}

// The names made after "変更(&M)" stay apart on a shared parent, and the
// chooser's proposal for B sees A's name.
TEST_F(Recorder, ChangeConfirmedWithoutChangeKeepsTheTwoNamesApart) {
  Call call(0, 1, "D:\\Rec", "D:\\Rec");
  std::string nameA, nameB, proposedB;
  test::ScriptedUser user;
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) { w.Click(IDOK); })
      .On(kConfirm, [&](Window& w) {
        nameA = w.ItemText(IDC_QX_NEWNAME_A);
        nameB = w.ItemText(IDC_QX_NEWNAME_B);
        w.Click(IDC_QX_BROWSE_B);
      })
      .On(kCreateDir, [&](Window& w) { proposedB = w.ItemText(kChooserEdit); w.Click(IDCANCEL); })
      .On(kConfirm, [](Window& w) { w.Click(IDOK); });
  EXPECT_EQ(call.Condition(0), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(nameA + " " + nameB + " " + proposedB, "2006.3.5-1 2006.3.5-2 2006.3.5-2");
  EXPECT_STREQ(call.folderA, "D:\\Rec\\2006.3.5-1");
  EXPECT_STREQ(call.folderB, "D:\\Rec\\2006.3.5-2");
}

TEST_F(Recorder, BrowseInNewFolderFormProposesThePairedNameAndSwapsBack) {
  Call call(0, 1, "D:\\Rec", "D:\\Rec");
  std::string proposed, nameShown, parentShown;
  test::ScriptedUser user;
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_BROWSE_A); })
      .On(kCreateDir, [&](Window& w) {
        proposed = w.ItemText(kChooserEdit);
        w.SetItemText(kChooserEdit, Sjis(u8"表の録音"));
        w.Click(IDOK);
      })
      .On(kConfirm, [&](Window& w) {
        nameShown = w.ItemText(IDC_QX_NEWNAME_A);
        parentShown = w.ItemText(IDC_QX_FOLDER_A);
        w.Click(IDOK);
      });
  EXPECT_EQ(call.Condition(0), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(proposed, "2006.3.5-1");  // B holds -2 on the same parent
  EXPECT_EQ(nameShown, Sjis(u8"表の録音"));
  EXPECT_EQ(parentShown, "D:\\Rec");
  EXPECT_EQ(std::string(call.folderA), Sjis(u8"D:\\Rec\\表の録音"));
  EXPECT_STREQ(call.folderB, "D:\\Rec\\2006.3.5-2");
  EXPECT_FALSE(test::Exists(call.folderA));
}

TEST_F(Recorder, CancelAndCancelledChangeHandNothingBack) {
  Call call(1, 0, "", "D:\\Rec\\");
  std::string delAfter;
  test::ScriptedUser user;
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) {
        SendMessageA(w.Item(IDC_QXO_DELETE), BM_CLICK, 0, 0);
        w.Click(IDCANCEL);
      })
      .On(kConfirm, [&](Window& w) {
        delAfter = w.ItemText(IDC_QX_DELETE_TEXT);
        w.Click(IDCANCEL);
      });
  EXPECT_EQ(call.Condition(0), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(delAfter, Sjis(u8"削除する"));
  EXPECT_EQ(call.bDelete, 1);
  EXPECT_STREQ(call.folderA, "");
  EXPECT_STREQ(call.folderB, "D:\\Rec\\");
}

TEST_F(Recorder, OptionsShowFoldersWithoutBackslashAndHandThemBackWithOne) {
  Call call(0, 0, "D:\\Rec\\", "E:\\");
  std::string shownA, shownB, hint;
  test::ScriptedUser user;
  user.On(kOptions, [&](Window& w) {
    shownA = w.ItemText(IDC_QXO_FOLDER_A);
    shownB = w.ItemText(IDC_QXO_FOLDER_B);
    hint = w.ItemText(IDC_QXO_NEWFOLDER_HINT);
    w.Click(IDOK);
  });
  EXPECT_EQ(call.Option(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(shownA, "D:\\Rec");
  EXPECT_EQ(shownB, "E:\\");
  EXPECT_EQ(hint, Sjis(u8"自動的に新しいﾌｫﾙﾀﾞｰが作成され、同じﾌｧｲﾙ名で保存されます。"));
  EXPECT_STREQ(call.folderA, "D:\\Rec\\");
  EXPECT_STREQ(call.folderB, "E:\\");

  Call shortPath(0, 0, "E:x", "");
  test::ScriptedUser user2;
  user2.On(kOptions, [](Window& w) { w.Click(IDOK); });
  EXPECT_EQ(shortPath.Option(), 1);
  EXPECT_STREQ(shortPath.folderA, "E:x");
  EXPECT_STREQ(shortPath.folderB, "D:\\Work\\");
}

TEST_F(Recorder, OptionsKeepTheUsersClicksAcrossABrowseAndCancelWritesNothing) {
  Call call(0, 0, "D:\\Work", "");
  test::ScriptedUser user;
  user.On(kOptions, [](Window& w) {
        SendMessageA(w.Item(IDC_QXO_NEWFOLDER), BM_CLICK, 0, 0);
        SendMessageA(w.Item(IDC_QXO_DELETE), BM_CLICK, 0, 0);
        w.Click(IDC_QXO_BROWSE_A);
      })
      .On(kChooseDir, [](Window& w) {
        w.SetItemText(kChooserEdit, "D:\\Rec\\A");
        w.Click(IDOK);
      })
      .On(kOptions, [](Window& w) { w.Click(IDOK); });
  EXPECT_EQ(call.Option(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(call.nMethod, 1);
  EXPECT_EQ(call.bDelete, 1);
  EXPECT_STREQ(call.folderA, "D:\\Rec\\A\\");

  Call cancelled(1, 1, "", "");
  test::ScriptedUser user2;
  user2.On(kOptions, [](Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(cancelled.Option(), 0);
  EXPECT_TRUE(user2.Clean()) << user2.Report();
  EXPECT_EQ(cancelled.bDelete, 1);
  EXPECT_EQ(cancelled.nMethod, 1);
  EXPECT_STREQ(cancelled.folderA, "");
  EXPECT_STREQ(cancelled.folderB, "");
}
