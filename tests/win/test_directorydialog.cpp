// The directory chooser, run by the scripted user on real folders of the
// test drives: D: fixed with D:\Dictation\2006 holding beta, Alpha and
// Gamma; E: removable. Steps check what they see as they run. Then the
// folder tree below it on its own.
#include <gtest/gtest.h>
#include <mbctype.h>
#include <windows.h>
#include <mbstring.h>

#include <bit>
#include <optional>
#include <utility>

#include "download/shared/paths.h"
#include "folderui/directorydialog.h"
#include "folderui/foldertree.h"
#include "res/ids_download.h"
#include "res/ids_folderui.h"
#include "support/counted_controls.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "download/shared/platform.h"
#include "support/today.h"

using test::Res;
using test::Sjis;

namespace {

const std::string kSelect = Res(IDS_DIR_CAPTION_SELECT), kCreate = Res(IDS_DIR_CAPTION_CREATE);

// The drive box lists the logical drives in order.
int DriveItem(char letter) { return std::popcount(GetLogicalDrives() & ((1u << (letter - 'A')) - 1)); }

// What the chooser shows: each folder as <level><o(pen)|c(losed)><name>, a
// '*' after the selected one; then the path edit and the drive chosen.
std::string Shown(const test::Window& w) {
  std::string s;
  for (int i = 0; i < w.Send(IDC_DIR_FOLDERS, LB_GETCOUNT); ++i) {
    auto* item = reinterpret_cast<CFolderItem*>(w.Send(IDC_DIR_FOLDERS, LB_GETITEMDATA, static_cast<WPARAM>(i)));
    s += std::to_string(item->nLevel) + (item->nBitmapID == kOpenFolderBitmap ? "o" : "c") + item->strText +
         (i == w.Send(IDC_DIR_FOLDERS, LB_GETCURSEL) ? "* " : " ");
  }
  s += "| " + w.ItemText(IDC_DIR_PATH) + " ";
  for (char d = 'A'; d <= 'Z'; ++d) s += std::string(((GetLogicalDrives() >> (d - 'A')) & 1) && DriveItem(d) == w.Send(IDC_DIR_DRIVES, CB_GETCURSEL), d);
  return s;
}

// Steps: type `text` and click OK; pick an item; check what is shown, then act.
test::Act TypeAndOk(std::string text) { return [text](test::Window& w) { w.SetItemText(IDC_DIR_PATH, text), w.Click(IDOK); }; }
test::Act Pick(int id, int index, UINT code) { return [=](test::Window& w) { w.Pick(id, index, code); }; }
test::Act See(std::string shown, test::Act then) {
  return [=](test::Window& w) {
    EXPECT_EQ(Shown(w), shown);
    then(w);
  };
}

class Chooser : public testing::Test {
 protected:
  void SetUp() override {
    for (char drive : {'D', 'E'}) test::ClearDrive(drive);
    for (const char* d : {"beta", "Alpha", "Gamma"}) test::MakeDir(std::string("D:\\Dictation\\2006\\") + d);
    vtk::TheDownloadPlatform().getLocalTime = &test::On5March2006;
  }
  void TearDown() override { vtk::TheDownloadPlatform() = {}; }
  // Runs the chooser through the steps queued on `user`: "<parent>|<new name>", or "cancel".
  std::string Run(DirectoryMode mode, const std::string& path, const std::string& name = "",
                  const NewFolderProposer& propose = ProposeDatedFolderName) {
    const auto chosen = RunDirectoryDialog(mode, path, name, propose);
    user.Verify();
    return chosen ? chosen->parent + "|" + chosen->name : "cancel";
  }
  test::CurrentDirectoryKeeper keeper;
  test::ScriptedUser user;
};

}  // namespace

// Unusable initial paths show the current directory, a root one alone until
// it is opened. OK takes a typed directory (表 ends in the byte 0x5C), the
// last backslash dropped except from a root.
TEST_F(Chooser, InitialPathsTheirFallbacksAndTypedDirectories) {
  for (const char* d : {"E:\\zz", "E:\\Mm", "E:\\aa"}) test::MakeDir(d);
  const std::string hyo = "D:\\" + Sjis(u8"表");
  test::MakeDir(hyo);
  const struct { std::string start, current, shown, typed, chosen; } cases[] = {
      {"D:\\Dictation\\2006", "D:\\Dictation", "0oD:\\ 1oDictation 2o2006* 3cAlpha 3cbeta 3cGamma | D:\\Dictation\\2006 D",
       "C:\\", "C:\\"},
      {"E:\\", "D:\\Dictation", "0oE:\\* 1caa 1cMm 1czz | E:\\ E", hyo, hyo},
      {"D:\\Nowhere", "D:\\", "0oD:\\* | D:\\ D", hyo + "\\", hyo},
      {"D:", "D:\\Dictation", "0oD:\\ 1oDictation* 2c2006 | D:\\Dictation D", "D:\\Dictation\\2006\\", "D:\\Dictation\\2006"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(SetCurrentDirectoryA(c.current.c_str()));
    user.On(kSelect, See(c.shown, TypeAndOk(c.typed)));
    EXPECT_EQ(Run(DirectoryMode::kSelect, c.start), c.chosen + "|") << c.start;
  }
}

// Create mode proposes the initial name, a dated name for the folder browsed
// to or the drive chosen, or the recorder's paired name. An empty name, an
// existing folder, one that would make parent\name longer than 255 bytes or
// that holds \ / : * ? " < > | is refused with its reason, the chooser open
// on the drive chosen; nothing is created.
TEST_F(Chooser, CreateModeProposesNamesAndRefusesUnusableOnes) {
  const std::string alpha = "D:\\Dictation\\2006\\Alpha", tree = "0oD:\\ 1oDictation 2o2006";
  for (const std::string& d : {alpha + "\\2006.3.5-1", std::string("E:\\Card")}) test::MakeDir(d);
  user.On(kCreate, See(tree + "* 3cAlpha 3cbeta 3cGamma | Mine D", Pick(IDC_DIR_FOLDERS, 3, LBN_DBLCLK)))  // one backslash less
      .On(kCreate, See(tree + " 3oAlpha* 4c2006.3.5-1 3cbeta 3cGamma | 2006.3.5-2 D", TypeAndOk("2006.3.5-2")));
  EXPECT_EQ(Run(DirectoryMode::kCreate, "D:\\Dictation\\2006", "Mine\\"), alpha + "|2006.3.5-2");

  const std::string taken = Sjis(u8"表") + std::string(250, 'n');  // E:\ and 252 bytes make 255
  user.On(kCreate, Pick(IDC_DIR_DRIVES, DriveItem('E'), CBN_SELENDOK)).On(kCreate, See("0cE:\\* 1cCard | 2006.3.5-1 E", TypeAndOk("")));
  user.Answer(Res(IDS_DNLOAD_CAPTION), IDOK, Res(IDS_DIR_ENTER_NEW_NAME));
  const std::pair<std::string, UINT> refused[] = {
      {"Card", IDS_DIR_FOLDER_EXISTS}, {std::string(253, 'n'), IDS_DIR_NAME_TOO_LONG}, {"a:b", IDS_DIR_NAME_BAD_CHARACTER}};
  for (const auto& [name, text] : refused) user.On(kCreate, TypeAndOk(name)).Answer(kCreate, IDOK, Res(text));
  user.On(kCreate, See("0cE:\\* 1cCard | a:b E", TypeAndOk(taken)));
  EXPECT_EQ(Run(DirectoryMode::kCreate, "D:\\Dictation"), "E:\\|" + taken);
  EXPECT_EQ(test::ListDir("E:\\"), std::vector<std::string>{"Card"});

  vtk::RecorderFolderPair pair{3, alpha, alpha, "", "2006.3.5-2"};
  const auto paired = [&pair](const std::string& folder) { return ProposePairedFolderName(pair, 0, folder); };
  user.On(kCreate, See(tree + " 3oAlpha* 4c2006.3.5-1 | 2006.3.5-3 D", [](test::Window& w) { w.Click(IDCANCEL); }));
  EXPECT_EQ(Run(DirectoryMode::kCreate, alpha, "", paired), "cancel");
}

// Double clicks open and close folders, the root's picture alternating. A
// typed path that does not exist or is over 255 bytes is warned about and the
// edit shows the selected folder again. A drive that is not ready: Cancel
// keeps the tree, Retry tries again. The opening leaves no icon or picture
// behind.
TEST_F(Chooser, FoldersOpenAndCloseTypedPathsAreWarnedAboutDrivesAreRetried) {
  for (const char* d : {"D:\\Dictation\\2006\\Alpha\\one\\deep", "D:\\Dictation\\2006\\Alpha\\Two", "E:\\Card"}) test::MakeDir(d);
  const std::string tooLong = test::MakeLongDir(256), cannot = Res(IDS_DIR_CANNOT_ENTER);
  std::optional<test::EjectedMedium> ejected{std::in_place, 'E'};
  const test::CountedControls counted;
  const std::string drive = Res(IDS_DIR_DRIVE_CAPTION), notReady = Res(IDS_DIR_DRIVE_NOT_READY);
  const std::string top = "0oD:\\ 1oDictation 2o2006 ", alpha = "| D:\\Dictation\\2006\\Alpha";
  const std::string picked = "0oD:\\ 1oDictation* 2o2006 3cAlpha 3cbeta 3cGamma | D:\\Dictation D", eRoot = " 1cCard | E:\\ E";
  const test::Act pickE = Pick(IDC_DIR_DRIVES, DriveItem('E'), CBN_SELENDOK), root = Pick(IDC_DIR_FOLDERS, 0, LBN_DBLCLK);
  user.On(kSelect, Pick(IDC_DIR_FOLDERS, 3, LBN_DBLCLK))  // Alpha, then one, then Alpha again
      .On(kSelect, See(top + "3oAlpha* 4cone 4cTwo 3cbeta 3cGamma " + alpha + " D", Pick(IDC_DIR_FOLDERS, 4, LBN_DBLCLK)))
      .On(kSelect, See(top + "3oAlpha 4oone* 5cdeep 4cTwo 3cbeta 3cGamma " + alpha + "\\one D", Pick(IDC_DIR_FOLDERS, 3, LBN_DBLCLK)))
      .On(kSelect, See(top + "3cAlpha* 3cbeta 3cGamma " + alpha + " D", [&](test::Window& w) {
        UpdateWindow(w.Item(IDC_DIR_FOLDERS));
        EXPECT_EQ(counted.pictures, 2);
        w.Pick(IDC_DIR_FOLDERS, 1, LBN_SELCHANGE);  // a single click: Dictation
        TypeAndOk("D:\\Nowhere")(w);
      }));
  user.Answer(kSelect, IDOK, cannot).On(kSelect, See(picked, TypeAndOk(tooLong)));
  user.Answer(kSelect, IDOK, cannot).On(kSelect, See(picked, pickE));
  user.Answer(drive, IDCANCEL, notReady).On(kSelect, See(picked, pickE)).Answer(drive, IDRETRY, notReady);
  user.On(drive, [&](test::Window& w) { ejected.reset(), w.Click(IDRETRY); });  // the medium goes in before the second Retry
  user.On(kSelect, See("0cE:\\*" + eRoot, root)).On(kSelect, See("0oE:\\*" + eRoot, root));
  user.On(kSelect, See("0cE:\\*" + eRoot, TypeAndOk("E:\\")));
  EXPECT_EQ(Run(DirectoryMode::kSelect, "D:\\Dictation\\2006"), "E:\\|");
  EXPECT_GE(counted.iconsObtained, 5);  // A: C: D: E: F: G: at least
  EXPECT_EQ(std::pair(counted.iconsDestroyed, counted.pictures), std::pair(counted.iconsObtained, 0L));
}

// Names with 表 (trail byte 0x5C) at every depth. Below them folders only,
// hidden and system ones included, in the order of the runtime's _mbsicmp
// under code page 932, full-width letters folded. A name of 255 bytes is
// listed whole; a sub-folder whose path would pass 259 bytes is left out.
// A folder that is gone lists nothing.
TEST(FolderTree, DoubleByteNamesTheRuntimeOrderAndThePathLimit) {
  ASSERT_EQ(_setmbcp(932), 0);
  test::ClearDrive('D');
  const std::string hyo = Sjis(u8"表"), deep = "D:\\" + hyo + "\\" + Sjis(u8"ソ") + "\\" + hyo;
  for (const char8_t* name : {u8"ｂa", u8"Ｂ", u8"ａc", u8"Ａb", u8"亜", u8"Zed", u8"ｱ", u8"c", u8"_x", u8"10", u8"9", u8"表A"})
    test::MakeDir(deep + "\\" + Sjis(name));
  SetFileAttributesA((deep + "\\c").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
  test::WriteFile(deep + "\\file", "x");
  CFolderTree tree;
  std::string path = deep;
  tree.BuildFromPath(path);
  ASSERT_EQ(tree.InsertSubFolders(tree.nCurrent), 12);
  EXPECT_EQ(tree.GetNodeAt(2)->szName + std::string("|") + tree.GetNodeAt(2)->szPath, Sjis(u8"ソ|D:\\表\\ソ"));
  const auto u = [](const char* s) { return reinterpret_cast<const unsigned char*>(s); };
  for (FOLDERNODE* n = tree.GetNodeAt(4); n; n = n->pNext) {
    EXPECT_EQ(n->szPath, deep + "\\" + n->szName);
    EXPECT_LT(n->pNext ? _mbsicmp(u(n->szName), u(n->pNext->szName)) : -1, 0) << test::Utf8(n->szName) << " first";
  }

  const std::string base = "D:\\" + std::string(200, 'a') + "\\" + std::string(50, 'b');  // 254 bytes
  test::MakeDir(base);
  ASSERT_TRUE(CreateDirectoryA((base + "\\cccc").c_str(), nullptr));                   // 259
  CreateDirectoryA((base + "\\ddddd").c_str(), nullptr);                               // 260, if the disk allows it
  ASSERT_TRUE(CreateDirectoryA(("D:\\" + std::string(255, 'n')).c_str(), nullptr));  // 258
  tree.RemoveAllNodes(), path = "D:\\";  // a root is built with its sub-folders: aaa..., nnn..., 表
  tree.BuildFromPath(path);
  EXPECT_EQ(tree.GetNodeAt(2)->szPath, "D:\\" + std::string(255, 'n'));
  EXPECT_EQ(tree.InsertSubFolders(1), 1);
  EXPECT_EQ(tree.InsertSubFolders(2), 1);
  EXPECT_EQ(tree.GetNodeAt(3)->szPath, base + "\\cccc");
  test::ClearDrive('D');  // a folder gone before it is opened has nothing to show
  EXPECT_EQ(tree.InsertSubFolders(1), 0);
}
