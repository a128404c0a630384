// The recorder download exports, driven by the scripted user on real folders.
// The confirmation writes nothing to disk: the host creates the folders.
#include <gtest/gtest.h>

#include <functional>

#include "download/paths.h"
#include "res/ids_download.h"
#include "res/ids_folderui.h"
#include "res/ids_recorder.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Res;
using test::Window;

namespace {
const std::string kConfirm = test::Caption(IDD_QX270_CONDITION), kOptions = test::Caption(IDD_QX270_OPTION);
constexpr int kChooserEdit = 1033;

bool NewFolderForm(Window& w) { return w.Item(IDC_QX_NEWNAME_A) != nullptr; }

class Recorder : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('D');
    test::MakeDir("D:\\Rec\\A");
    test::MakeDir("D:\\Work");
    SetCurrentDirectoryA("D:\\Work");
    SetLocalDateForTesting(&kDate);
  }
  void TearDown() override {
    SetLocalDateForTesting(nullptr);
    EXPECT_EQ(test::ListDir("D:\\Rec"), std::vector<std::string>{"A"});
  }
  // QX270DnLoadCondition (nFolders >= 0) or QX270DnLoadOption (nFolders < 0)
  // on the host's settings, run through the steps queued on `user`; the
  // outcome and what the host gets back.
  std::string Call(int nFolders, int del, int method, const char* a, const char* b) {
    bDelete = del;
    nMethod = method;
    lstrcpyA(folderA, a);
    lstrcpyA(folderB, b);
    const int rc = nFolders < 0 ? QX270DnLoadOption(&bDelete, &nMethod, folderA, folderB)
                                : QX270DnLoadCondition(&bDelete, &nMethod, nFolders, folderA, folderB);
    user.Verify();
    return std::to_string(rc) + " " + std::to_string(bDelete) + std::to_string(nMethod) + " " + folderA + "|" + folderB;
  }
  static constexpr vtk::LocalDate kDate{2006, 3, 5};
  test::CurrentDirectoryKeeper m_cwd;
  test::ScriptedUser user;
  int bDelete = 0, nMethod = 0;
  char folderA[1024] = {}, folderB[1024] = {};
};
}  // namespace

// One folder: B is switched off and shows the current directory.
TEST_F(Recorder, TwoFolderFormShowsTheSettingsAndHandsThemBack) {
  user.On(kConfirm, [](Window& w) {
    test::ExpectTexts(w, {{IDC_QX_FOLDER_A, "D:\\Rec\\A"}, {IDC_QX_FOLDER_B, "D:\\Work"},
                          {IDC_QX_METHOD_TEXT, Res(IDS_METHOD_SAVE)}, {IDC_QX_DELETE_TEXT, Res(IDS_DELETE_YES)}});
    test::ExpectEnabled(w, {IDC_QX_FOLDER_B, IDC_QX_GROUP_B, IDC_QX_BROWSE_B}, false);
    test::ExpectEnabled(w, {IDC_QX_FOLDER_A, IDC_QX_BROWSE_A}, true);
    w.Click(IDOK);
  });
  EXPECT_EQ(Call(1, 1, 0, "D:\\Rec\\A\\", ""), "1 10 D:\\Rec\\A|D:\\Work");
}

// Two new folders on one parent get two names; on selector 2 folder A is
// switched off but still named.
TEST_F(Recorder, NewFolderFormNamesBothFoldersApart) {
  user.On(kConfirm, [](Window& w) {
    test::ExpectTexts(w, {{IDC_QX_NEWNAME_A, "2006.3.5-1"}, {IDC_QX_NEWNAME_B, "2006.3.5-2"}, {IDC_QX_FOLDER_A, "D:\\Rec"},
                          {IDC_QX_METHOD_TEXT, Res(IDS_METHOD_NEWFOLDER)}});
    w.Click(IDOK);
  });
  EXPECT_EQ(Call(0, 0, 1, "D:\\Rec", "D:\\Rec\\"), "1 01 D:\\Rec\\2006.3.5-1|D:\\Rec\\2006.3.5-2");
  user.On(kConfirm, [](Window& w) {
    test::ExpectEnabled(w, {IDC_QX_FOLDER_A, IDC_QX_NEWNAME_A, IDC_QX_GROUP_NEW_A, IDC_QX_LABEL_NEW_A, IDC_QX_BROWSE_A}, false);
    w.Click(IDOK);
  });
  EXPECT_EQ(Call(2, 0, 1, "E:\\", "D:\\Rec"), "1 01 E:\\2006.3.5-1|D:\\Rec\\2006.3.5-1");
}

// "変更(&M)" switches forms; Cancel afterwards keeps what the options gave;
// back in the two-folder form the parents go back without names.
TEST_F(Recorder, ChangeSwitchesFormsAndCancelKeepsTheSwitchedSettings) {
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) {
        w.Send(IDC_QXO_NEWFOLDER, BM_CLICK);  // as the mouse clicks
        w.Send(IDC_QXO_DELETE, BM_CLICK);
        w.Click(IDOK);
      })
      .On(kConfirm, [](Window& w) {
        test::ExpectTexts(w, {{IDC_QX_NEWNAME_A, "2006.3.5-1"}});
        w.Click(IDCANCEL);
      }, NewFolderForm);
  EXPECT_EQ(Call(0, 0, 0, "D:\\Rec\\", "D:\\Rec\\A"), "0 11 D:\\Rec|D:\\Rec\\A");
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) { w.Send(IDC_QXO_SAVE, BM_CLICK); w.Click(IDOK); })
      .On(kConfirm, [](Window& w) { EXPECT_NE(w.Item(IDC_QX_GROUP_A), nullptr); w.Click(IDOK); }, std::not_fn(NewFolderForm));
  EXPECT_EQ(Call(0, 0, 1, "D:\\Rec", "D:\\Work"), "1 00 D:\\Rec|D:\\Work");
}

// After "変更(&M)" and OK without a change the two names stay apart, and the
// chooser proposes each folder's paired name; a double-byte name comes back
// whole.
TEST_F(Recorder, ChangeConfirmedWithoutChangeKeepsTheTwoNamesApart) {
  const std::string name = test::Sjis(u8"表の録音");
  auto propose = [](const char* proposal, std::string typed) {
    return [=](Window& w) {
      test::ExpectTexts(w, {{kChooserEdit, proposal}});
      if (!typed.empty()) w.SetItemText(kChooserEdit, typed);
      w.Click(typed.empty() ? IDCANCEL : IDOK);
    };
  };
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) { w.Click(IDOK); })
      .On(kConfirm, [](Window& w) {
        test::ExpectTexts(w, {{IDC_QX_NEWNAME_A, "2006.3.5-1"}, {IDC_QX_NEWNAME_B, "2006.3.5-2"}});
        w.Click(IDC_QX_BROWSE_B);
      })
      .On(Res(IDS_DIR_CAPTION_CREATE), propose("2006.3.5-2", ""))
      .On(kConfirm, [](Window& w) { w.Click(IDC_QX_BROWSE_A); })
      .On(Res(IDS_DIR_CAPTION_CREATE), propose("2006.3.5-1", name))
      .On(kConfirm, [&](Window& w) {
        test::ExpectTexts(w, {{IDC_QX_NEWNAME_A, name}, {IDC_QX_FOLDER_A, "D:\\Rec"}});
        w.Click(IDOK);
      });
  EXPECT_EQ(Call(0, 0, 1, "D:\\Rec", "D:\\Rec"), "1 01 D:\\Rec\\" + name + "|D:\\Rec\\2006.3.5-2");
}

TEST_F(Recorder, CancelAndACancelledChangeHandNothingBack) {
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) { w.Send(IDC_QXO_DELETE, BM_CLICK); w.Click(IDCANCEL); })
      .On(kConfirm, [](Window& w) {
        test::ExpectTexts(w, {{IDC_QX_DELETE_TEXT, Res(IDS_DELETE_YES)}});
        w.Click(IDCANCEL);
      });
  EXPECT_EQ(Call(0, 1, 0, "", "D:\\Rec\\"), "0 10 |D:\\Rec\\");
  user.On(kOptions, [](Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(Call(-1, 1, 1, "", ""), "0 11 |");
}

// The options show folders without their backslash and hand them back with
// one (a short path as given, an empty one as the current directory); the
// user's clicks survive a browse.
TEST_F(Recorder, OptionsShowFoldersWithoutBackslashAndHandThemBackWithOne) {
  user.On(kOptions, [](Window& w) {
    test::ExpectTexts(w, {{IDC_QXO_FOLDER_A, "D:\\Rec"}, {IDC_QXO_FOLDER_B, "E:\\"}, {IDC_QXO_NEWFOLDER_HINT, Res(IDS_HINT_NEW_FOLDER)}});
    w.Click(IDOK);
  });
  EXPECT_EQ(Call(-1, 0, 0, "D:\\Rec\\", "E:\\"), "1 00 D:\\Rec\\|E:\\");
  user.On(kOptions, [](Window& w) { w.Click(IDOK); });
  EXPECT_EQ(Call(-1, 0, 0, "E:x", ""), "1 00 E:x|D:\\Work\\");
  user.On(kOptions, [](Window& w) {
        w.Send(IDC_QXO_NEWFOLDER, BM_CLICK);
        w.Send(IDC_QXO_DELETE, BM_CLICK);
        w.Click(IDC_QXO_BROWSE_A);
      })
      .On(Res(IDS_DIR_CAPTION_SELECT), [](Window& w) { w.SetItemText(kChooserEdit, "D:\\Rec\\A"); w.Click(IDOK); })
      .On(kOptions, [](Window& w) { w.Click(IDOK); });
  EXPECT_EQ(Call(-1, 0, 0, "D:\\Work", ""), "1 11 D:\\Rec\\A\\|D:\\Work\\");
}
