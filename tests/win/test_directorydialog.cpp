// The directory chooser, run by the scripted user on real folders of the
// test drives: D: fixed with D:\Dictation\2006 holding beta, Alpha and
// Gamma; E: removable. Steps check what they see as they run.
#include <gtest/gtest.h>
#include <windows.h>

#include <bit>
#include <optional>
#include <string>
#include <vector>

#include "download/paths.h"
#include "folderui/directorydialog.h"
#include "folderui/foldertree.h"
#include "folderui/shellicons.h"
#include "framework/msgbox.h"
#include "res/ids_download.h"
#include "res/ids_folderui.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"

using test::Res;
using test::Sjis;

namespace {

constexpr UINT kOpen = IDB_FOLDER_OPEN, kClosed = IDB_FOLDER_CLOSED;
const std::string kSelect = Res(IDS_DIR_CAPTION_SELECT), kCreate = Res(IDS_DIR_CAPTION_CREATE);

struct Item {
  std::string text;
  int level;
  UINT bitmap;
  bool operator==(const Item&) const = default;
  friend std::ostream& operator<<(std::ostream& os, const Item& i) { return os << test::Utf8(i.text) << i.level << i.bitmap; }
};
using Items = std::vector<Item>;

// The drive box lists the logical drives in order.
int DriveItem(char letter) { return std::popcount(GetLogicalDrives() & ((1u << (letter - 'A')) - 1)); }

// Checks the folder list, its selection, the path edit and the drive shown.
void ExpectList(const test::Window& w, const Items& items, int selection, const std::string& path) {
  Items shown;
  for (int i = 0; i < w.Send(IDC_DIR_FOLDERS, LB_GETCOUNT); ++i) {
    auto* item = reinterpret_cast<CFolderItem*>(w.Send(IDC_DIR_FOLDERS, LB_GETITEMDATA, static_cast<WPARAM>(i)));
    shown.push_back({item->strText, item->nLevel, item->nBitmapID});
  }
  EXPECT_EQ(shown, items);
  EXPECT_EQ(w.Send(IDC_DIR_FOLDERS, LB_GETCURSEL), selection);
  test::ExpectTexts(w, {{IDC_DIR_PATH, path}});
  EXPECT_EQ(w.Send(IDC_DIR_DRIVES, CB_GETCURSEL), DriveItem(items[0].text[0])) << items[0].text;
}

Items Opened2006(const Items& tail) {
  Items all = {{"D:\\", 0, kOpen}, {"Dictation", 1, kOpen}, {"2006", 2, kOpen}};
  all.insert(all.end(), tail.begin(), tail.end());
  return all;
}

test::Act TypeAndOk(std::string text) {
  return [text](test::Window& w) {
    w.SetItemText(IDC_DIR_PATH, text);
    w.Click(IDOK);
  };
}

class Chooser : public testing::Test {
 protected:
  void SetUp() override {
    for (char drive : {'D', 'E'}) test::ClearDrive(drive);
    for (const char* d : {"beta", "Alpha", "Gamma"}) test::MakeDir(std::string("D:\\Dictation\\2006\\") + d);
    vtk::SetMessageBoxObserverForTesting([this](HWND, const std::string&, const std::string&, UINT t) { types.push_back(t); });
    SetLocalDateForTesting(&kDate);
  }
  void TearDown() override { vtk::SetMessageBoxObserverForTesting(nullptr), SetLocalDateForTesting(nullptr); }
  // Runs the chooser through the steps queued on `user`: "ok|" and the chosen
  // directory (select) or "ok|<new name>|<parent>" (create); "cancel|" and the input.
  std::string Select(const std::string& path) {
    const auto chosen = RunDirectoryDialog(DirectoryMode::kSelect, path, "", ProposeDatedFolderName);
    user.Verify();
    return chosen ? "ok|" + chosen->parent : "cancel|" + path;
  }
  std::string Create(const std::string& path, const std::string& name, const NewFolderProposer& propose = ProposeDatedFolderName) {
    const auto chosen = RunDirectoryDialog(DirectoryMode::kCreate, path, name, propose);
    user.Verify();
    return chosen ? "ok|" + chosen->name + "|" + chosen->parent : "cancel|" + path + "|" + name;
  }
  static constexpr vtk::LocalDate kDate{2006, 3, 5};
  test::CurrentDirectoryKeeper keeper;
  std::vector<UINT> types;  // of the message boxes shown
  test::ScriptedUser user;
};

}  // namespace

// Unusable initial paths show the current directory; a root current
// directory shows the root alone until it is opened.
TEST_F(Chooser, InitialPathsAndTheirFallbacks) {
  for (const char* d : {"E:\\zz", "E:\\Mm", "E:\\aa"}) test::MakeDir(d);
  const Items dictation = {{"D:\\", 0, kOpen}, {"Dictation", 1, kOpen}, {"2006", 2, kClosed}};
  struct Case { std::string start, current, shown; Items items; int selection; };
  std::vector<Case> cases = {
      {"D:\\Dictation\\2006", "D:\\Dictation", "D:\\Dictation\\2006",
       Opened2006({{"Alpha", 3, kClosed}, {"beta", 3, kClosed}, {"Gamma", 3, kClosed}}), 2},
      {"E:\\", "D:\\Dictation", "E:\\", {{"E:\\", 0, kOpen}, {"aa", 1, kClosed}, {"Mm", 1, kClosed}, {"zz", 1, kClosed}}, 0},
      {"D:\\Nowhere", "D:\\", "D:\\", {{"D:\\", 0, kOpen}}, 0}};
  for (const char* start : {"D:\\Nowhere", "", "D:", "Dictation\\2006", "\\\\server\\share\\x"})
    cases.push_back({start, "D:\\Dictation", "D:\\Dictation", dictation, 1});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start + " in " + c.current);
    ASSERT_TRUE(SetCurrentDirectoryA(c.current.c_str()));
    user.On(kSelect, [&](test::Window& w) {
      ExpectList(w, c.items, c.selection, c.shown);
      if (c.items.size() == 1) {
        w.Pick(IDC_DIR_FOLDERS, 0, LBN_DBLCLK);
        ExpectList(w, {{"D:\\", 0, kOpen}, {"Dictation", 1, kClosed}}, 0, "D:\\");
      }
      w.Click(IDCANCEL);
    });
    EXPECT_EQ(Select(c.start), "cancel|" + c.start);
  }
  EXPECT_TRUE(types.empty());
}

// OK takes a typed directory (表 ends in the byte 0x5C); one that does not
// exist, or whose path is over 255 bytes, is warned about and the edit shows
// the selected folder again.
TEST_F(Chooser, SelectModeTakesTypedDirectoriesAndWarnsAboutThoseThatCannotBeEntered) {
  const std::string hyo = "D:\\" + Sjis(u8"表");
  for (const std::string& d : {std::string("D:\\Temp"), hyo}) test::MakeDir(d);
  for (const auto& [typed, expected] : std::vector<std::pair<std::string, std::string>>{
           {"D:\\Temp\\", "D:\\Temp"}, {"C:\\", "C:\\"}, {hyo, hyo}, {hyo + "\\", hyo}, {"D:\\Nowhere", ""},
           {test::MakeLongDir(256), ""}}) {
    user.On(kSelect, [&](test::Window& w) {
      w.Pick(IDC_DIR_FOLDERS, 1, LBN_SELCHANGE);  // a single click: Dictation
      TypeAndOk(typed)(w);
    });
    if (expected.empty()) {
      user.Answer(kSelect, IDOK, Res(IDS_DIR_CANNOT_ENTER)).On(kSelect, [](test::Window& w) {
        test::ExpectTexts(w, {{IDC_DIR_PATH, "D:\\Dictation"}});
        w.Click(IDCANCEL);
      });
    }
    EXPECT_EQ(Select("D:\\Dictation\\2006"), expected.empty() ? "cancel|D:\\Dictation\\2006" : "ok|" + expected);
  }
  EXPECT_EQ(types, std::vector<UINT>(2, 0x30));
}

// The next dated name is proposed; an empty name, an existing folder, a name
// that would make parent\name longer than 255 bytes (D:\Dictation\ is 13)
// or that holds \ / : * ? " < > | is refused with its reason, and the chooser
// stays open; nothing is created.
TEST_F(Chooser, CreateModeProposesADatedNameAndRefusesUnusableNames) {
  test::MakeDir("D:\\Dictation\\2006.3.5-1");
  const std::string tooLong = Res(IDS_DIR_NAME_TOO_LONG), bad = Res(IDS_DIR_NAME_BAD_CHARACTER);
  user.On(kCreate, [](test::Window& w) {
    test::ExpectTexts(w, {{IDC_DIR_PATH, "2006.3.5-2"}});
    EXPECT_EQ(w.Send(IDC_DIR_PATH, EM_GETLIMITTEXT), 252);  // a name under a root
    TypeAndOk("")(w);
  });
  user.Answer(Res(IDS_DNLOAD_CAPTION), IDOK, Res(IDS_DIR_ENTER_NEW_NAME));
  const std::pair<std::string, std::string> refused[] = {
      {"2006", Res(IDS_DIR_FOLDER_EXISTS)}, {std::string(600, 'n'), tooLong}, {std::string(243, 'n'), tooLong},
      {"a:b", bad}, {"a|b", bad}, {Sjis(u8"表") + "?", bad}, {"..\\x", bad}};
  for (const auto& [name, text] : refused) user.On(kCreate, TypeAndOk(name)).Answer(kCreate, IDOK, text);
  user.On(kCreate, TypeAndOk(std::string(242, 'n')));
  EXPECT_EQ(Create("D:\\Dictation", ""), "ok|" + std::string(242, 'n') + "|D:\\Dictation");
  EXPECT_EQ(types, std::vector<UINT>(8, 0x30));
  EXPECT_EQ(test::ListDir("D:\\Dictation"), (std::vector<std::string>{"2006", "2006.3.5-1"}));
}

// The proposal follows the initial name, the folder browsed to, the drive
// chosen (kept across a refusal), and the recorder's paired generator while
// its new-folder form is open.
TEST_F(Chooser, CreateModeProposalsFollowTheInitialNameTheBrowsedFolderTheDriveAndTheRecorderPair) {
  for (const char* d : {"D:\\Dictation\\2006\\Alpha\\2006.3.5-1", "E:\\Card"}) test::MakeDir(d);
  user.On(kCreate, [](test::Window& w) {
    test::ExpectTexts(w, {{IDC_DIR_PATH, "Mine"}});  // the initial name, one backslash less
    w.Pick(IDC_DIR_FOLDERS, 3, LBN_DBLCLK);          // Alpha
    test::ExpectTexts(w, {{IDC_DIR_PATH, "2006.3.5-2"}});
    w.Click(IDOK);
  });
  EXPECT_EQ(Create("D:\\Dictation\\2006", "Mine\\"), "ok|2006.3.5-2|D:\\Dictation\\2006\\Alpha");

  user.On(kCreate, [](test::Window& w) {
    w.Pick(IDC_DIR_DRIVES, DriveItem('E'), CBN_SELENDOK);
    test::ExpectTexts(w, {{IDC_DIR_PATH, "2006.3.5-1"}});
    TypeAndOk("Card")(w);
  });
  user.Answer(kCreate, IDOK, Res(IDS_DIR_FOLDER_EXISTS)).On(kCreate, [](test::Window& w) {
    EXPECT_EQ(w.Send(IDC_DIR_DRIVES, CB_GETCURSEL), DriveItem('E'));
    TypeAndOk("New")(w);
  });
  EXPECT_EQ(Create("D:\\Dictation", ""), "ok|New|E:\\");

  vtk::RecorderFolderPair pair{3, "D:\\Dictation\\2006\\Alpha", "D:\\Dictation\\2006\\Alpha", "", "2006.3.5-2"};
  const auto pairedForA = [&pair](std::string folder) {
    std::string proposed;
    GetPairedNewFolderName(pair, 0, folder, proposed);
    return proposed;
  };
  user.On(kCreate, [](test::Window& w) {
    test::ExpectTexts(w, {{IDC_DIR_PATH, "2006.3.5-3"}});
    w.Click(IDCANCEL);
  });
  EXPECT_EQ(Create("D:\\Dictation\\2006\\Alpha", "", pairedForA), "cancel|D:\\Dictation\\2006\\Alpha|");
}

TEST_F(Chooser, DoubleClicksOpenAndCloseFolders) {
  for (const char* d : {"one\\deep", "Two"}) test::MakeDir(std::string("D:\\Dictation\\2006\\Alpha\\") + d);
  const auto with = [](Items head) {
    for (const char* s : {"beta", "Gamma"}) head.push_back({s, 3, kClosed});
    return Opened2006(head);
  };
  user.On(kSelect, [&](test::Window& w) {
    w.Pick(IDC_DIR_FOLDERS, 3, LBN_DBLCLK);  // Alpha
    const std::string alpha = "D:\\Dictation\\2006\\Alpha";
    ExpectList(w, with({{"Alpha", 3, kOpen}, {"one", 4, kClosed}, {"Two", 4, kClosed}}), 3, alpha);
    w.Pick(IDC_DIR_FOLDERS, 4, LBN_DBLCLK);  // one
    ExpectList(w, with({{"Alpha", 3, kOpen}, {"one", 4, kOpen}, {"deep", 5, kClosed}, {"Two", 4, kClosed}}), 4, alpha + "\\one");
    w.Pick(IDC_DIR_FOLDERS, 3, LBN_DBLCLK);  // Alpha again
    ExpectList(w, with({{"Alpha", 3, kClosed}}), 3, alpha);
    // The root alternates its picture when opened again.
    w.Pick(IDC_DIR_FOLDERS, 0, LBN_DBLCLK);
    ExpectList(w, {{"D:\\", 0, kOpen}, {"Dictation", 1, kClosed}}, 0, "D:\\");
    w.Pick(IDC_DIR_FOLDERS, 0, LBN_DBLCLK);
    ExpectList(w, {{"D:\\", 0, kClosed}, {"Dictation", 1, kClosed}}, 0, "D:\\");
    w.Click(IDOK);
  });
  EXPECT_EQ(Select("D:\\Dictation\\2006"), "ok|D:\\");
}

// A drive that is not ready: Cancel keeps the tree, Retry tries again.
TEST_F(Chooser, DriveChangeWithRetryAndCancel) {
  test::MakeDir("E:\\Card");
  std::optional<test::EjectedMedium> ejected{std::in_place, 'E'};
  const std::string drive = Res(IDS_DIR_DRIVE_CAPTION), notReady = Res(IDS_DIR_DRIVE_NOT_READY);
  user.On(kSelect, [](test::Window& w) { w.Pick(IDC_DIR_DRIVES, DriveItem('E'), CBN_SELENDOK); })
      .Answer(drive, IDCANCEL, notReady)
      .On(kSelect, [](test::Window& w) {
        EXPECT_EQ(w.Send(IDC_DIR_DRIVES, CB_GETCURSEL), DriveItem('D'));
        EXPECT_EQ(w.Send(IDC_DIR_FOLDERS, LB_GETCOUNT), 6);  // tree and list unchanged
        w.Pick(IDC_DIR_DRIVES, DriveItem('E'), CBN_SELENDOK);
      })
      .Answer(drive, IDRETRY, notReady)
      .On(drive, [&](test::Window& w) {
        ejected.reset();  // the medium goes in before the second Retry
        w.Click(IDRETRY);
      })
      .On(kSelect, [](test::Window& w) {
        ExpectList(w, {{"E:\\", 0, kClosed}, {"Card", 1, kClosed}}, 0, "E:\\");
        w.Click(IDOK);
      });
  EXPECT_EQ(Select("D:\\Dictation\\2006"), "ok|E:\\");
  EXPECT_EQ(types, std::vector<UINT>(3, 0x15));
}

// One opening, with a folder opened, the network button (Wine has no network
// provider: nothing changes) and a second chooser refused, leaves no icon or
// picture behind.
TEST_F(Chooser, AnOpeningLeavesNoIconOrPicture) {
  const ShellIconCounts before = GetShellIconCountsForTesting();
  const long picturesBefore = GetFolderBitmapsAliveForTesting();
  user.On(kSelect, [&](test::Window& w) {
    w.Pick(IDC_DIR_FOLDERS, 3, LBN_DBLCLK);
    w.Click(IDC_DIR_NETWORK);
    std::string other = "D:\\";
    EXPECT_FALSE(RunDirectoryDialog(DirectoryMode::kSelect, other).has_value());
    UpdateWindow(w.Item(IDC_DIR_FOLDERS));
    EXPECT_EQ(GetFolderBitmapsAliveForTesting(), picturesBefore + 2);
    w.Click(IDCANCEL);
  });
  EXPECT_EQ(Select("D:\\Dictation\\2006"), "cancel|D:\\Dictation\\2006");
  const ShellIconCounts after = GetShellIconCountsForTesting();
  EXPECT_GE(after.obtained - before.obtained, 5);  // A: C: D: E: F: G: at least
  EXPECT_EQ(after.obtained - before.obtained, after.destroyed - before.destroyed);
  EXPECT_EQ(GetFolderBitmapsAliveForTesting(), picturesBefore);
}
