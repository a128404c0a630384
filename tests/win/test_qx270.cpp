// The recorder download exports, driven by the scripted user on real folders,
// and the new-folder paths handed to the host. Nothing is written to disk: the
// host creates the folders.
#include <gtest/gtest.h>

#include <functional>

#include "download/shared/paths.h"
#include "res/ids_download.h"
#include "res/ids_folderui.h"
#include "res/ids_recorder.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "vtksup.h"
#include "download/shared/platform.h"
#include "support/today.h"

using test::Window;
using Names = std::vector<std::string>;

namespace {
const std::string kConfirm = test::Caption(IDD_QX270_CONDITION), kOptions = test::Caption(IDD_QX270_OPTION);

bool NewFolderForm(Window& w) { return w.Item(IDC_QX_NEWNAME_A) != nullptr; }

class Recorder : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('D');
    test::MakeDir("D:\\Rec\\A");
    test::MakeDir("D:\\Work");
    SetCurrentDirectoryA("D:\\Work");
    vtk::TheDownloadPlatform().getLocalTime = &test::On5March2006;
  }
  void TearDown() override {
    vtk::TheDownloadPlatform() = {};
    EXPECT_EQ(test::ListDir("D:\\Rec"), Names{"A"});
  }
  // QX270DnLoadCondition (nFolders >= 0) or QX270DnLoadOption (nFolders < 0)
  // on the host's settings, run through the steps queued on `user`; the
  // outcome and what the host gets back.
  std::string Call(int nFolders, int del, int method, const std::string& a, const char* b) {
    bDelete = del;
    nMethod = method;
    lstrcpyA(folderA, a.c_str());
    lstrcpyA(folderB, b);
    const int rc = nFolders < 0 ? QX270DnLoadOption(&bDelete, &nMethod, folderA, folderB)
                                : QX270DnLoadCondition(&bDelete, &nMethod, nFolders, folderA, folderB);
    user.Verify();
    return std::to_string(rc) + " " + std::to_string(bDelete) + std::to_string(nMethod) + " " + folderA + "|" + folderB;
  }
  test::CurrentDirectoryKeeper m_cwd;
  test::ScriptedUser user;
  int bDelete = 0, nMethod = 0;
  char folderA[1024] = {}, folderB[1024] = {};
};
}  // namespace

// Two new folders on one parent get two names, also after "変更(&M)" confirmed
// without a change; a double-byte name typed in the chooser comes back whole.
// Any flag but 0 (an unknown method shows this form) is read as 1 and goes
// back as 1.
TEST_F(Recorder, NewFolderFormKeepsTheTwoNamesApart) {
  const std::string name = test::Sjis(u8"表の録音");
  user.On(kConfirm, [](Window& w) {
        test::ExpectTexts(w, {{IDC_QX_NEWNAME_B, "2006.3.5-2"}, {IDC_QX_DELETE_TEXT, test::Res(IDS_DELETE_YES)}});
        w.Click(IDC_QX_CHANGE);
      })
      .On(kOptions, [](Window& w) { w.Click(IDOK); })
      .On(kConfirm, [](Window& w) { w.Click(IDC_QX_BROWSE_A); })
      .On(test::Res(IDS_DIR_CAPTION_CREATE), [&](Window& w) { w.SetItemText(1033, name); w.Click(IDOK); })
      .On(kConfirm, [](Window& w) { w.Click(IDOK); });
  EXPECT_EQ(Call(0, -5, 99, "D:\\Rec", "D:\\Rec"), "1 11 D:\\Rec\\" + name + "|D:\\Rec\\2006.3.5-2");
}

// No dated name fits under a parent of 255 bytes (folder B, left out by the
// selector but handed back all the same): Start is refused with the warning
// and the form stays open.
TEST_F(Recorder, NewFolderFormRefusesStartWhenNoNameFits) {
  const std::string parent = "D:\\" + std::string(252, 'p');
  user.On(kConfirm, [](Window& w) { test::ExpectTexts(w, {{IDC_QX_NEWNAME_B, ""}}); w.Click(IDOK); })
      .Answer(test::Res(IDS_DNLOAD_CAPTION), IDOK, test::Res(IDS_DIR_NAME_TOO_LONG))
      .On(kConfirm, [](Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(Call(1, 0, 1, "D:\\Rec", parent.c_str()), "0 01 D:\\Rec|" + parent);
}

// "変更(&M)" switches forms; Cancel afterwards keeps what the options gave;
// back in the two-folder form (folder B switched off for one folder) the
// parents go back without names (an empty one as the current directory).
// Cancel at once hands nothing back.
TEST_F(Recorder, ChangeSwitchesFormsAndCancelKeepsTheSwitchedSettings) {
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) { w.Send(IDC_QXO_NEWFOLDER, BM_CLICK); w.Send(IDC_QXO_DELETE, BM_CLICK); w.Click(IDOK); })
      .On(kConfirm, [](Window& w) { w.Click(IDCANCEL); }, NewFolderForm);
  EXPECT_EQ(Call(0, 0, 0, "D:\\Rec\\", "D:\\Rec\\A"), "0 11 D:\\Rec|D:\\Rec\\A");
  user.On(kConfirm, [](Window& w) { w.Click(IDC_QX_CHANGE); })
      .On(kOptions, [](Window& w) { w.Send(IDC_QXO_SAVE, BM_CLICK); w.Click(IDOK); })
      .On(kConfirm, [](Window& w) {
        EXPECT_EQ(std::pair(w.ItemEnabled(IDC_QX_BROWSE_A), w.ItemEnabled(IDC_QX_BROWSE_B)), std::pair(true, false));
        w.Click(IDOK);
      }, std::not_fn(NewFolderForm));
  EXPECT_EQ(Call(1, 0, 1, "D:\\Rec\\A\\", ""), "1 00 D:\\Rec\\A|D:\\Work");
  user.On(kConfirm, [](Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(Call(0, 1, 0, "", "D:\\Rec\\"), "0 10 |D:\\Rec\\");
}

// The options hand folders back with a backslash (an empty one as the current
// directory; one of 255 bytes too); flags other than 0 are read as 1 (the
// box checked) and go back as 1. Cancel hands nothing back.
TEST_F(Recorder, OptionsHandFoldersBackWithABackslash) {
  const std::string full = "D:\\" + std::string(252, 'x');
  user.On(kOptions, [](Window& w) { w.Send(IDC_QXO_NEWFOLDER, BM_CLICK); w.Click(IDOK); });
  EXPECT_EQ(Call(-1, 0, 0, "D:\\Rec", ""), "1 01 D:\\Rec\\|D:\\Work\\");
  user.On(kOptions, [](Window& w) {
    EXPECT_EQ(w.Send(IDC_QXO_DELETE, BM_GETCHECK) * 10 + w.Send(IDC_QXO_NEWFOLDER, BM_GETCHECK), 11);
    w.Click(IDOK);
  });
  EXPECT_EQ(Call(-1, 7, -1, full, "E:\\"), "1 11 " + full + "\\|E:\\");
  user.On(kOptions, [](Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(Call(-1, 1, 1, "", ""), "0 11 |");
}

// GetDnLoadNewFolderPath on a real disk: a folder and a plain file both take
// a name; a parent named 表 (trail byte 0x5C) is not cut; an empty folder is
// the current directory.
TEST_F(Recorder, NewFolderPathsOnARealDisk) {
  const std::string hyo = test::Sjis(u8"D:\\表");
  test::MakeDir(hyo + "\\2006.3.5-1");
  test::WriteFile(hyo + "\\2006.3.5-2", "");
  lstrcpyA(folderA, hyo.c_str()), lstrcpyA(folderB, "");
  EXPECT_EQ(GetDnLoadNewFolderPath(1, folderA, folderB), 1);
  EXPECT_EQ(std::string(folderA) + "|" + folderB, hyo + "\\2006.3.5-3|D:\\Work");
  EXPECT_EQ(test::ListDir(hyo), (Names{"2006.3.5-1", "2006.3.5-2"}));
}
