// The directory chooser, run by the scripted user on real folders of the
// test drives: D: fixed with D:\Dictation\2006 holding beta, Alpha and
// Gamma; E: removable. Steps check what they see as they run; Run() fails
// the test when a step did not run.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "download/paths.h"
#include "folderui/directorydialog.h"
#include "folderui/foldertree.h"
#include "folderui/shellicons.h"
#include "framework/msgbox.h"
#include "res/ids_folderui.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"

using test::Sjis;

namespace {

const char8_t kSelectCaption[] = u8"ﾃﾞｨﾚｸﾄﾘｰの選択";
const char8_t kCreateCaption[] = u8"ﾃﾞｨﾚｸﾄﾘｰの作成";
const char8_t kDriveCaption[] = u8"ﾄﾞﾗｲﾌﾞ";
constexpr UINT kOpen = IDB_FOLDER_OPEN;
constexpr UINT kClosed = IDB_FOLDER_CLOSED;

struct Item {
  std::string text;
  int level;
  UINT bitmap;
  bool operator==(const Item&) const = default;
};
using Items = std::vector<Item>;

std::ostream& operator<<(std::ostream& os, const Item& i) {
  return os << "{" << test::Utf8(i.text) << ", " << i.level << ", " << i.bitmap << "}";
}

Items ListItems(const test::Window& w) {
  Items out;
  HWND list = w.Item(IDC_DIR_FOLDERS);
  const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    auto* item = reinterpret_cast<CFolderItem*>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    out.push_back({item->strText, item->nLevel, item->nBitmapID});
  }
  return out;
}

// D:\Dictation\2006 opened, followed by `tail`.
Items Opened2006(const Items& tail) {
  Items all = {{"D:\\", 0, kOpen}, {"Dictation", 1, kOpen}, {"2006", 2, kOpen}};
  all.insert(all.end(), tail.begin(), tail.end());
  return all;
}

// The drive letter of the combo box's selected item.
// The folder tree of the chooser that `w` shows.
CFolderTree& TreeOf(const test::Window& w) {
  return static_cast<CDirectoryDialog*>(CWnd::FromHandlePermanent(w.hwnd))->Tree();
}

char SelectedDrive(const test::Window& w) {
  const int sel = w.ComboSelection(IDC_DIR_DRIVES);
  return sel < 0 ? 0 : TreeOf(w).szDriveRoot[sel][0];
}

int DriveItem(const test::Window& w, char letter) {
  for (int i = 0; i < kTreeDrives; ++i)
    if (TreeOf(w).szDriveRoot[i][0] == letter) return i;
  return -1;
}

// A step that types `text` into the path edit and presses OK.
std::function<void(test::Window&)> TypeAndOk(std::string text) {
  return [text](test::Window& w) {
    w.SetItemText(IDC_DIR_PATH, text);
    w.Click(IDOK);
  };
}

struct ShownBox {
  std::string text, caption;
  UINT type;
  bool operator==(const ShownBox&) const = default;
};

std::ostream& operator<<(std::ostream& os, const ShownBox& b) {
  return os << "{" << test::Utf8(b.text) << ", " << test::Utf8(b.caption) << ", " << b.type << "}";
}

class DirectoryDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('D');
    test::ClearDrive('E');
    for (const char* d : {"beta", "Alpha", "Gamma"}) test::MakeDir(std::string("D:\\Dictation\\2006\\") + d);
    vtk::SetMessageBoxObserverForTesting([this](HWND, const std::string& text, const std::string& caption, UINT type) {
      boxes.push_back({text, caption, type});
    });
    const vtk::LocalDate date{2006, 3, 5};
    SetLocalDateForTesting(&date);
  }
  void TearDown() override {
    vtk::SetMessageBoxObserverForTesting(nullptr);
    SetLocalDateForTesting(nullptr);
  }
  // Runs the chooser through the steps queued on `user`.
  // Select mode: `path` becomes the chosen directory. Create mode: `path`
  // becomes the new folder's name and `*name` (which starts as the initial
  // name) the parent folder. Nothing changes after Cancel.
  bool Run(DirectoryMode mode, std::string& path, std::string* name = nullptr,
           const NewFolderProposer& propose = ProposeDatedFolderName) {
    const auto chosen = RunDirectoryDialog(mode, path, name ? *name : std::string(), propose);
    EXPECT_TRUE(user.Clean()) << user.Report();
    if (chosen && mode == DirectoryMode::kSelect) path = chosen->parent;
    if (chosen && mode == DirectoryMode::kCreate) {
      path = chosen->name;
      if (name) *name = chosen->parent;
    }
    return chosen.has_value();
  }
  static ShownBox Box(const char8_t* text, const char8_t* caption, UINT type = 0x30) {
    return {Sjis(text), Sjis(caption), type};
  }
  test::CurrentDirectoryKeeper keeper;
  std::vector<ShownBox> boxes;
  test::ScriptedUser user;
};

}  // namespace

// Unusable initial paths show the current directory; a root current
// directory shows the root alone, until it is opened.
TEST_F(DirectoryDialogTest, InitialPathsAndTheirFallbacks) {
  for (const char* d : {"E:\\zz", "E:\\Mm", "E:\\aa"}) test::MakeDir(d);
  const Items dictation = {{"D:\\", 0, kOpen}, {"Dictation", 1, kOpen}, {"2006", 2, kClosed}};
  const struct {
    std::string start, current, shown;
    Items items;
    int selection;
    Items afterOpeningTheRoot;
  } cases[] = {
      {"D:\\Dictation\\2006", "D:\\Dictation", "D:\\Dictation\\2006",
       Opened2006({{"Alpha", 3, kClosed}, {"beta", 3, kClosed}, {"Gamma", 3, kClosed}}), 2, {}},
      {"E:\\", "D:\\Dictation", "E:\\",
       {{"E:\\", 0, kOpen}, {"aa", 1, kClosed}, {"Mm", 1, kClosed}, {"zz", 1, kClosed}}, 0, {}},
      {"D:\\Nowhere", "D:\\Dictation", "D:\\Dictation", dictation, 1, {}},
      {"", "D:\\Dictation", "D:\\Dictation", dictation, 1, {}},
      {"D:", "D:\\Dictation", "D:\\Dictation", dictation, 1, {}},
      {"D:\\Nowhere", "D:\\", "D:\\", {{"D:\\", 0, kOpen}}, 0, {{"D:\\", 0, kOpen}, {"Dictation", 1, kClosed}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start + " in " + c.current);
    ASSERT_TRUE(SetCurrentDirectoryA(c.current.c_str()));
    user.On(kSelectCaption, [&](test::Window& w) {
      EXPECT_EQ(ListItems(w), c.items);
      EXPECT_EQ(w.ListSelection(IDC_DIR_FOLDERS), c.selection);
      EXPECT_EQ(w.ItemText(IDC_DIR_PATH), c.shown);
      EXPECT_EQ(SelectedDrive(w), c.shown[0]);
      if (!c.afterOpeningTheRoot.empty()) {
        w.DoubleClickListItem(IDC_DIR_FOLDERS, 0);
        EXPECT_EQ(ListItems(w), c.afterOpeningTheRoot);
      }
      w.Click(IDCANCEL);
    });
    std::string path = c.start;
    EXPECT_FALSE(Run(DirectoryMode::kSelect, path));
    EXPECT_EQ(path, c.start);
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DirectoryDialogTest, SelectModeOkTakesTheTypedDirectory) {
  const std::string d = "D:\\" + Sjis(u8"表");
  test::MakeDir("D:\\Temp");
  test::MakeDir(d);
  for (const auto& [typed, expected] : std::vector<std::pair<std::string, std::string>>{
           {"D:\\Temp\\", "D:\\Temp"}, {"C:\\", "C:\\"}, {d, d}, {d + "\\", d}}) {
    user.On(kSelectCaption, TypeAndOk(typed));
    std::string path = "D:\\Dictation";
    EXPECT_TRUE(Run(DirectoryMode::kSelect, path));
    EXPECT_EQ(path, expected);
  }
}

// A path over 255 bytes could not be handed back whole: it counts as one
// that cannot be entered.
TEST_F(DirectoryDialogTest, SelectModeWarnsAboutADirectoryThatCannotBeEntered) {
  const std::string tooLong = test::MakeLongDir(256);
  for (const std::string& typed : {std::string("D:\\Nowhere"), tooLong}) {
    user.On(kSelectCaption, [&](test::Window& w) {
      w.SelectListItem(IDC_DIR_FOLDERS, 1);  // a single click: Dictation
      TypeAndOk(typed)(w);
    });
    user.Answer(kSelectCaption, IDOK);
    user.On(kSelectCaption, [&](test::Window& w) {
      EXPECT_EQ(w.ItemText(IDC_DIR_PATH), "D:\\Dictation");
      w.Click(IDCANCEL);
    });
    std::string path = "D:\\Dictation\\2006";
    EXPECT_FALSE(Run(DirectoryMode::kSelect, path));
    EXPECT_EQ(path, "D:\\Dictation\\2006");
  }
  EXPECT_EQ(boxes, std::vector<ShownBox>(2, Box(u8"指定のﾃﾞｨﾚｸﾄﾘｰが見つからないか、開くことができません。\n"
                                                u8"ﾃﾞｨﾚｸﾄﾘｰ名を確認して下さい。",
                                                kSelectCaption)));
}

// parent\name must fit in 255 bytes (D:\Dictation\ is 13) and the name may
// hold no \ / : * ? " < > |; the chooser says why and stays open.
TEST_F(DirectoryDialogTest, CreateModeRefusesNamesTooLongOrWithForbiddenCharacters) {
  const char8_t* tooLong = u8"ﾌｫﾙﾀﾞｰ名が長すぎます。\nﾌｫﾙﾀﾞｰのﾊﾟｽが255ﾊﾞｲﾄ以内になるように入力して下さい。";
  const char8_t* forbidden = u8"ﾌｫﾙﾀﾞｰ名に次の文字は使えません。\n\\ / : * ? \" < > |";
  const struct {
    std::string name;
    const char8_t* text;
  } refused[] = {{std::string(600, 'n'), tooLong}, {std::string(243, 'n'), tooLong}, {"a|b", forbidden},
                 {Sjis(u8"表") + "?", forbidden}, {"..\\x", forbidden}};
  user.On(kCreateCaption, [](test::Window& w) {
    EXPECT_EQ(SendMessageA(w.Item(IDC_DIR_PATH), EM_GETLIMITTEXT, 0, 0), 252);  // a name under a root
    TypeAndOk("a:b")(w);
  });
  user.Answer(kCreateCaption, IDOK);
  std::vector<ShownBox> expected = {Box(forbidden, kCreateCaption)};
  for (const auto& r : refused) {
    user.On(kCreateCaption, TypeAndOk(r.name)).Answer(kCreateCaption, IDOK);
    expected.push_back(Box(r.text, kCreateCaption));
  }
  user.On(kCreateCaption, TypeAndOk(std::string(242, 'n')));
  std::string path = "D:\\Dictation", name;
  EXPECT_TRUE(Run(DirectoryMode::kCreate, path, &name));
  EXPECT_EQ(path, std::string(242, 'n'));
  EXPECT_EQ(name, "D:\\Dictation");
  EXPECT_EQ(boxes, expected);
}

TEST_F(DirectoryDialogTest, CreateModeProposesTheNextDatedNameAndRefusesExistingFolders) {
  test::MakeDir("D:\\Dictation\\2006.3.5-1");
  test::WriteFile("D:\\Dictation\\notes", "x");
  user.On(kCreateCaption, [&](test::Window& w) {
    EXPECT_EQ(w.ItemText(IDC_DIR_PATH), "2006.3.5-2");
    TypeAndOk("")(w);
  });
  user.Answer(u8"ﾀﾞｳﾝﾛｰﾄﾞ", IDOK);
  user.On(kCreateCaption, TypeAndOk("2006"));
  user.Answer(kCreateCaption, IDOK);
  user.On(kCreateCaption, TypeAndOk("notes"));  // a plain file does not block the name
  std::string path = "D:\\Dictation", name;
  EXPECT_TRUE(Run(DirectoryMode::kCreate, path, &name));
  EXPECT_EQ(path, "notes");
  EXPECT_EQ(name, "D:\\Dictation");
  EXPECT_EQ(boxes, (std::vector<ShownBox>{
                       Box(u8"新しいﾌｫﾙﾀﾞｰ名を入力して下さい。", u8"ﾀﾞｳﾝﾛｰﾄﾞ"),
                       Box(u8"指定のﾌｫﾙﾀﾞｰは既に存在しています。\n別のﾌｫﾙﾀﾞｰ名を入力して下さい。", kCreateCaption)}));
  EXPECT_FALSE(test::Exists("D:\\Dictation\\notes\\"));  // nothing was created
}

TEST_F(DirectoryDialogTest, CreateModeProposalsFollowTheInitialNameTheBrowsedFolderAndTheRecorderPair) {
  test::MakeDir("D:\\Dictation\\2006\\Alpha\\2006.3.5-1");
  user.On(kCreateCaption, [&](test::Window& w) {
    EXPECT_EQ(w.ItemText(IDC_DIR_PATH), "Mine");  // the initial name, one backslash less
    w.DoubleClickListItem(IDC_DIR_FOLDERS, 3);     // Alpha
    EXPECT_EQ(w.ItemText(IDC_DIR_PATH), "2006.3.5-2");
    w.Click(IDOK);
  });
  std::string path = "D:\\Dictation\\2006", name = "Mine\\";
  EXPECT_TRUE(Run(DirectoryMode::kCreate, path, &name));
  EXPECT_EQ(path, "2006.3.5-2");
  EXPECT_EQ(name, "D:\\Dictation\\2006\\Alpha");

  // While the recorder's new-folder form is open its paired generator proposes.
  vtk::RecorderFolderPair pair;
  pair.nFolders = 3;
  pair.strFolderA = pair.strFolderB = "D:\\Dictation\\2006\\Alpha";
  pair.strNewNameB = "2006.3.5-2";
  const auto pairedForA = [&pair](const std::string& parent) {
    std::string folder = parent, proposed;
    GetPairedNewFolderName(pair, 0, folder, proposed);
    return proposed;
  };
  user.On(kCreateCaption, [&](test::Window& w) {
    EXPECT_EQ(w.ItemText(IDC_DIR_PATH), "2006.3.5-3");
    w.Click(IDCANCEL);
  });
  path = "D:\\Dictation\\2006\\Alpha", name.clear();
  EXPECT_FALSE(Run(DirectoryMode::kCreate, path, &name, pairedForA));
  EXPECT_EQ(path, "D:\\Dictation\\2006\\Alpha");
  EXPECT_EQ(name, "");
}

TEST_F(DirectoryDialogTest, DoubleClicksOpenAndCloseFolders) {
  test::MakeDir("D:\\Dictation\\2006\\Alpha\\one\\deep");
  test::MakeDir("D:\\Dictation\\2006\\Alpha\\Two");
  const Items siblings = {{"beta", 3, kClosed}, {"Gamma", 3, kClosed}};
  const auto with = [&](Items head) {
    head.insert(head.end(), siblings.begin(), siblings.end());
    return Opened2006(head);
  };
  user.On(kSelectCaption, [&](test::Window& w) {
    w.DoubleClickListItem(IDC_DIR_FOLDERS, 3);  // Alpha
    EXPECT_EQ(ListItems(w), with({{"Alpha", 3, kOpen}, {"one", 4, kClosed}, {"Two", 4, kClosed}}));
    w.DoubleClickListItem(IDC_DIR_FOLDERS, 4);  // one
    EXPECT_EQ(ListItems(w),
              with({{"Alpha", 3, kOpen}, {"one", 4, kOpen}, {"deep", 5, kClosed}, {"Two", 4, kClosed}}));
    w.DoubleClickListItem(IDC_DIR_FOLDERS, 3);  // Alpha again
    EXPECT_EQ(ListItems(w), with({{"Alpha", 3, kClosed}}));
    EXPECT_EQ(w.ItemText(IDC_DIR_PATH), "D:\\Dictation\\2006\\Alpha");
    EXPECT_EQ(w.ListSelection(IDC_DIR_FOLDERS), 3);
    EXPECT_EQ(TreeOf(w).nCurrent, 3);
    // The root alternates its picture when opened again.
    w.DoubleClickListItem(IDC_DIR_FOLDERS, 0);
    EXPECT_EQ(ListItems(w), (Items{{"D:\\", 0, kOpen}, {"Dictation", 1, kClosed}}));
    w.DoubleClickListItem(IDC_DIR_FOLDERS, 0);
    EXPECT_EQ(ListItems(w), (Items{{"D:\\", 0, kClosed}, {"Dictation", 1, kClosed}}));
    w.Click(IDOK);
  });
  std::string path = "D:\\Dictation\\2006";
  EXPECT_TRUE(Run(DirectoryMode::kSelect, path));
  EXPECT_EQ(path, "D:\\");
}

TEST_F(DirectoryDialogTest, DriveChangeWithRetryAndCancel) {
  test::MakeDir("E:\\Card");
  std::optional<test::EjectedMedium> ejected;
  ejected.emplace('E');
  user.On(kSelectCaption, [&](test::Window& w) { w.SelectComboItem(IDC_DIR_DRIVES, DriveItem(w, 'E')); });
  user.Answer(kDriveCaption, IDCANCEL);
  user.On(kSelectCaption, [&](test::Window& w) {
    EXPECT_EQ(SelectedDrive(w), 'D');
    EXPECT_EQ(ListItems(w).size(), 6u);  // tree and list unchanged
    w.SelectComboItem(IDC_DIR_DRIVES, DriveItem(w, 'E'));
  });
  user.Answer(kDriveCaption, IDRETRY);
  user.On(kDriveCaption, [&](test::Window& w) {
    ejected.reset();  // the medium goes in before the second Retry
    SendMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(IDRETRY, BN_CLICKED), 0);
  });
  user.On(kSelectCaption, [&](test::Window& w) {
    EXPECT_EQ(ListItems(w), (Items{{"E:\\", 0, kClosed}, {"Card", 1, kClosed}}));
    EXPECT_EQ(w.ItemText(IDC_DIR_PATH), "E:\\");
    EXPECT_EQ(SelectedDrive(w), 'E');
    EXPECT_EQ(w.ListSelection(IDC_DIR_FOLDERS), 0);
    w.Click(IDOK);
  });
  std::string path = "D:\\Dictation\\2006";
  EXPECT_TRUE(Run(DirectoryMode::kSelect, path));
  EXPECT_EQ(boxes, std::vector<ShownBox>(3, Box(u8"ﾄﾞﾗｲﾌﾞの準備ができていません。", kDriveCaption, 0x15)));
  EXPECT_EQ(path, "E:\\");
}

TEST_F(DirectoryDialogTest, CreateModeKeepsTheChosenDriveAcrossActivations) {
  test::MakeDir("E:\\Card");
  user.On(kCreateCaption, [&](test::Window& w) {
    w.SelectComboItem(IDC_DIR_DRIVES, DriveItem(w, 'E'));
    EXPECT_EQ(w.ItemText(IDC_DIR_PATH), "2006.3.5-1");
    TypeAndOk("Card")(w);
  });
  user.Answer(kCreateCaption, IDOK);
  user.On(kCreateCaption, [&](test::Window& w) {
    EXPECT_EQ(SelectedDrive(w), 'E');
    TypeAndOk("New")(w);
  });
  std::string path = "D:\\Dictation", name;
  EXPECT_TRUE(Run(DirectoryMode::kCreate, path, &name));
  EXPECT_EQ(path, "New");
  EXPECT_EQ(name, "E:\\");
}

TEST_F(DirectoryDialogTest, NetworkButtonAndASecondChooser) {
  user.On(kSelectCaption, [&](test::Window& w) {
    w.Click(IDC_DIR_NETWORK);  // Wine has no network provider: the dialog fails, nothing changes
    EXPECT_GE(w.ComboCount(IDC_DIR_DRIVES), 5);  // A: C: D: E: F: G: at least, Z: too
    EXPECT_FALSE(RunDirectoryDialog(DirectoryMode::kSelect, "D:\\"));
    w.Click(IDCANCEL);
  });
  std::string path = "D:\\Dictation";
  EXPECT_FALSE(Run(DirectoryMode::kSelect, path));
}

TEST_F(DirectoryDialogTest, TwoHundredOpeningsLeaveNoIconBitmapOrNode) {
  const ShellIconCounts before = GetShellIconCountsForTesting();
  const long bitmapsBefore = GetFolderBitmapsAliveForTesting();
  constexpr int kOpenings = 200;
  long bitmapsSeen = 0;
  for (int i = 0; i < kOpenings; ++i) {
    user.On(kSelectCaption, [&, i](test::Window& w) {
      // The counts are exact, so one opened folder (a list filled twice) is
      // enough to show a leak; the repetitions only multiply it.
      if (i == 0) w.DoubleClickListItem(IDC_DIR_FOLDERS, 3);
      UpdateWindow(w.Item(IDC_DIR_FOLDERS));
      bitmapsSeen += GetFolderBitmapsAliveForTesting() - bitmapsBefore;
      w.Click(IDCANCEL);
    });
    std::string path = "D:\\Dictation\\2006";
    ASSERT_FALSE(RunDirectoryDialog(DirectoryMode::kSelect, path));
  }
  EXPECT_TRUE(user.Clean()) << user.Report();
  const ShellIconCounts after = GetShellIconCountsForTesting();
  EXPECT_GT(after.obtained - before.obtained, kOpenings);
  EXPECT_EQ(after.obtained - before.obtained, after.destroyed - before.destroyed);
  EXPECT_GE(bitmapsSeen, kOpenings * 2);                         // the pictures were drawn ...
  EXPECT_EQ(GetFolderBitmapsAliveForTesting(), bitmapsBefore);  // ... and let go
}

// Every folder shows one of the list's two pictures: scrolling through many
// folders makes no bitmap. (Wine's GetGuiResources answers 0, so the list's
// own count of the pictures it loaded is what is watched.)
TEST_F(DirectoryDialogTest, ScrollingThroughManyFoldersMakesNoBitmap) {
  constexpr int kFolders = 600;
  for (int i = 0; i < kFolders; ++i) test::MakeDir("D:\\Many\\f" + std::to_string(i));
  user.On(kSelectCaption, [&](test::Window& w) {
    HWND list = w.Item(IDC_DIR_FOLDERS);
    ASSERT_EQ(w.ListCount(IDC_DIR_FOLDERS), kFolders + 2);
    UpdateWindow(list);
    const long picturesBefore = GetFolderBitmapsAliveForTesting();
    for (int top = 0; top < kFolders; top += 4) {
      SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
      UpdateWindow(list);
    }
    EXPECT_EQ(GetFolderBitmapsAliveForTesting(), picturesBefore);
    EXPECT_EQ(picturesBefore, 2);
    w.Click(IDCANCEL);
  });
  std::string path = "D:\\Many";
  EXPECT_FALSE(Run(DirectoryMode::kSelect, path));
}

