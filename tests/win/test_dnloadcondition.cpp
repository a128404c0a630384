// The card download exports DnLoadOptions and DnLoadCondition from the host's
// call to the files on disk: E: and F: are removable card drives (A: too, never
// listed), D: holds the download folders, and the scripted user plays every
// dialog and box.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "download/shared/paths.h"
#include "download/engine/platform.h"
#include "framework/platform.h"
#include "res/ids_carddrive.h"
#include "res/ids_download.h"
#include "res/ids_folderui.h"
#include "support/card_registry.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "vtksup.h"
#include "download/shared/platform.h"
#include "support/today.h"

using test::Res;
using test::Window;
using Names = std::vector<std::string>;

namespace {

const std::string kConfirm = test::Caption(IDD_DNLOAD_CONDITION), kOptions = test::Caption(IDD_DNLOAD_OPTIONS);
const std::string kMessage = Res(IDS_DNLOAD_CAPTION);

// Whether the host window was enabled ('E') or not ('d') at each shell
// operation and message box.
HWND g_host = nullptr;
std::string g_hostStates;
void NoteHost() { g_hostStates += IsWindowEnabled(g_host) ? 'E' : 'd'; }
int WINAPI ShellNotingTheHost(LPSHFILEOPSTRUCTA op) { return NoteHost(), SHFileOperationA(op); }
int WINAPI ShellDeletingNothing(LPSHFILEOPSTRUCTA op) { return op->wFunc == FO_DELETE ? 0 : SHFileOperationA(op); }
// The platform family that GetVersionExA reports (0: it fails).
int g_platformId = 0;
BOOL WINAPI VersionOfFamily(LPOSVERSIONINFOA info) {
  info->dwPlatformId = static_cast<DWORD>(g_platformId);
  return g_platformId != 0;
}
int WINAPI MessageBoxNotingTheHost(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return NoteHost(), MessageBoxA(owner, text, caption, type);
}

class DnLoad : public testing::Test {
 protected:
  void SetUp() override {  // also between the cases of a table
    for (char d : {'D', 'E', 'F'}) test::ClearDrive(d);
    test::MakeDir("D:\\Dictation");
    test::MakeDir("D:\\Work");
    vtk::TheDownloadPlatform().getLocalTime = &test::On5March2006;
    vtk::TheFrameworkPlatform().messageBox = &MessageBoxNotingTheHost;
    vtk::TheEnginePlatform().shellFileOperation = &ShellNotingTheHost;
  }
  void TearDown() override {
    vtk::TheFrameworkPlatform() = {};
    vtk::TheEnginePlatform() = {};
    vtk::TheDownloadPlatform() = {};
  }
  // Dictation files E:\DS0001.DSS ... (names that are free are copied
  // whatever the bytes).
  static void PutOnCard(int count) {
    for (int i = 1; i <= count; ++i) test::WriteFile("E:\\DS000" + std::to_string(i) + ".DSS", std::string(96, 'x'));
  }
  // One DnLoadCondition call on the host's settings, run through the steps
  // queued on `user`; what the host gets back: the outcome, the folder, the
  // new folder and the drive.
  std::string Call(const std::string& f, const std::string& d, int rc = 1) {
    lstrcpyA(folder, f.c_str());
    lstrcpyA(drive, d.c_str());
    lstrcpyA(newFolder, "host");
    nResult = 77;
    EXPECT_EQ(DnLoadCondition(&bDelete, &nMethod, &nManualDrive, &nResult, folder, newFolder, drive), rc);
    user.Verify();
    return std::to_string(nResult) + " " + folder + "|" + newFolder + "|" + drive;
  }

  test::CurrentDirectoryKeeper keeper;
  test::CardRegistry registry;
  test::ScriptedUser user;
  int bDelete = 0, nMethod = 0, nManualDrive = 1, nResult = 77;
  char folder[512], newFolder[512], drive[512];
};

}  // namespace

// The new-folder form (an unknown method shows it, and goes back as 1) for an
// empty folder, the
// current directory; a drive given as E: is read from its root, whatever E:'s
// current directory.
TEST_F(DnLoad, NewFolderFormCopiesFromTheDriveRootIntoTheDatedFolder) {
  PutOnCard(3);
  test::MakeDir("E:\\Sub");
  test::WriteFile("E:\\Sub\\OTHER.DSS", "x");
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Work") && SetEnvironmentVariableA("=E:", "E:\\Sub"));
  nMethod = 5;
  user.On(kConfirm, [](Window& w) { w.Click(IDOK); }).Answer(kMessage, IDOK, test::Sjis(u8"3 個のﾌｧｲﾙがﾀﾞｳﾝﾛｰﾄﾞされました。"));
  EXPECT_EQ(Call("", "E:"), "3 D:\\Work|2006.3.5-1|E:\\");
  EXPECT_EQ(nMethod, 1);
  EXPECT_EQ(test::ListDir("D:\\Work\\2006.3.5-1").size(), 3u);
  SetEnvironmentVariableA("=E:", nullptr);
}

// Each failed check says why (a choice between two card drives cancelled
// needs no message), copies nothing, deletes nothing and hands back no new
// folder.
TEST_F(DnLoad, FailedStartChecksSayWhyAndCopyNothing) {
  PutOnCard(2);
  const struct {
    const char* what;
    int cards;  // -1: the user's own drive
    std::string folder, drive;
    bool eject, folderAppears;
    UINT message;
  } cases[] = {
      {"automatic, no card device", 0, "D:\\Dictation", "E:\\", false, false, IDS_CARD_NOT_FOUND},
      {"two card devices, choice cancelled", 2, "D:\\Dictation", "F:\\", false, false, 0},
      {"manual, no drive", -1, "D:\\Dictation", "", false, false, IDS_CARD_NOT_FOUND},
      {"card removed", -1, "D:\\Dictation", "E:\\", true, false, IDS_CARD_NOT_READY},
      {"download folder missing", -1, "D:\\Missing", "E:\\", false, false, IDS_TARGET_NOT_READY},
      {"new folder appeared meanwhile", -1, "D:\\Dictation", "E:\\", false, true, IDS_MKDIR_FAILED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<test::EjectedMedium> ejected;
    if (c.eject) ejected.emplace('E');
    if (c.cards == 2) registry.Name(0, "0000", "F"), registry.Name(1, "0000", "E");
    nManualDrive = c.cards < 0;
    nMethod = 1;
    user.On(kConfirm, [&](Window& w) {
      if (c.folderAppears) test::MakeDir("D:\\Dictation\\2006.3.5-1"), test::WriteFile("D:\\Dictation\\2006.3.5-1\\mine", "");
      w.Click(IDOK);
    });
    if (c.cards == 2) user.On(test::Caption(IDD_CARDDRIVE_SELECT), [](Window& w) { w.Click(IDCANCEL); });
    if (c.message) user.Answer(kMessage, IDOK, Res(c.message));
    EXPECT_EQ(Call(c.folder, c.drive), "-1 " + c.folder + "||" + c.drive);
    ejected.reset();
    EXPECT_EQ(test::ListDir("D:\\Dictation\\2006.3.5-1"), c.folderAppears ? Names{"mine"} : Names{});
    EXPECT_EQ(test::ListDir("E:\\").size(), 2u);
  }
}

// Any flag but 0 says "delete", asks and goes back as 1; only OK deletes.
// The host's window stays disabled at the copy, the count, the question and
// the deletion until the export returns. A started download leaves the
// current directory at the download folder.
TEST_F(DnLoad, AnyDeleteFlagButZeroAsksAndTheHostWaits) {
  g_host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  const struct { int bDelete, answer; std::string hostAndCard; } cases[] = {
      {0, 0, "ddE2"}, {1, IDCANCEL, "dddE2"}, {-1, IDOK, "ddddE0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bDelete * 10 + c.answer);
    SetUp();
    PutOnCard(2);
    SetActiveWindow(g_host);
    g_hostStates.clear();
    bDelete = c.bDelete;
    user.On(kConfirm, [&](Window& w) {
      test::ExpectTexts(w, {{IDC_DN_DELETE_TEXT, Res(c.bDelete ? IDS_DELETE_YES : IDS_DELETE_NO)}});
      w.Click(IDOK);
    }).Answer(kMessage, IDOK);
    if (c.answer) user.Answer(kMessage, c.answer, Res(IDS_DNLOAD_DELETE_QUESTION));
    ASSERT_TRUE(SetCurrentDirectoryA("D:\\Work"));
    EXPECT_EQ(Call("D:\\Dictation", "E:\\"), "2 D:\\Dictation||E:\\");
    EXPECT_EQ(bDelete, c.bDelete != 0);
    EXPECT_EQ(g_hostStates + (IsWindowEnabled(g_host) ? "E" : "d") + std::to_string(test::ListDir("E:\\").size()),
              c.hostAndCard);
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_STREQ(cwd, "D:\\Dictation");
  }
  DestroyWindow(g_host);
}

// "変更(&M)" switches to the new-folder form, which names the new folder
// afresh for a folder chosen there; Cancel keeps what the switch handed back,
// Cancel at once hands nothing back.
TEST_F(DnLoad, ChangeSwitchesFormsAndCancelKeepsTheSwitchedSettings) {
  test::MakeDir("D:\\Other\\2006.3.5-1");
  user.On(kConfirm, [](Window& w) { w.Click(IDC_DN_CHANGE); })
      .On(kOptions, [](Window& w) { w.Send(IDC_OPT_NEW_FOLDER, BM_CLICK); w.Click(IDOK); })
      .On(kConfirm, [](Window& w) { test::ExpectTexts(w, {{IDC_DN_NEWNAME, "2006.3.5-1"}}); w.Click(IDC_DN_CHANGE); })
      .On(kOptions, [](Window& w) { w.Click(IDC_OPT_BROWSE); })
      .On("", [](Window& w) { w.SetItemText(1033, "D:\\Other"); w.Click(IDOK); })  // the chooser
      .On(kOptions, [](Window& w) { w.Click(IDOK); })
      .On(kConfirm, [](Window& w) { test::ExpectTexts(w, {{IDC_DN_NEWNAME, "2006.3.5-2"}}); w.Click(IDCANCEL); });
  EXPECT_EQ(Call("D:\\Dictation\\", "E:\\", 0), "0 D:\\Dictation||E:\\");
  EXPECT_EQ(nMethod, 1);
  user.On(kConfirm, [](Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(Call("D:\\Dictation\\", "E:\\", 0), "77 D:\\Dictation\\|host|E:\\");
}

// No dated name fits under a download folder of 255 bytes: Start is refused
// with the warning and the form stays open; nothing is created or copied.
TEST_F(DnLoad, NewFolderFormRefusesStartWhenNoNameFits) {
  PutOnCard(1);
  const std::string folder = test::MakeLongDir(255);
  nMethod = 1;
  user.On(kConfirm, [](Window& w) { w.Click(IDOK); })
      .Answer(kMessage, IDOK, Res(IDS_DIR_NAME_TOO_LONG))
      .On(kConfirm, [](Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(Call(folder, "E:\\", 0), "77 " + folder + "|host|E:\\");
  EXPECT_EQ(test::ListDir(folder), Names{});
}

// The options on each platform family (1: automatic detection or the user's
// own drive, 0: as stored, 2: only the user's own drive): the removable
// drives but A: are listed, the stored one selected; a folder browsed to is
// stored with its backslash, an empty one is the current directory. Flags
// other than 0 are read as 1 (the delete box checked) and go back as 1.
// Cancel leaves everything.
TEST_F(DnLoad, OptionsOfferTheDrivesThePlatformAllows) {
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Work"));
  const struct { int platform, flags; std::string folder, drive; test::Act act; bool browse; std::string want; } cases[] = {
      {1, 0, "D:\\Dictation\\", "F:\\", [](Window& w) {
         test::ExpectTexts(w, {{IDC_OPT_STATUS, Res(IDS_CARD_STATUS_NOT_FOUND)}});
         EXPECT_EQ(w.Send(IDC_OPT_DRIVE, CB_GETCOUNT), 0);
         w.Click(IDOK);
       }, false, "1 000 D:\\Dictation\\|F:\\"},
      {1, 0, "", "F:\\", [](Window& w) {
         w.Send(IDC_OPT_MANUAL_DRIVE, BM_CLICK);
         EXPECT_EQ(w.Send(IDC_OPT_DRIVE, CB_GETCOUNT) * 10 + w.Send(IDC_OPT_DRIVE, CB_GETCURSEL), 21);
         w.Pick(IDC_OPT_DRIVE, 0, CBN_SELENDOK);
         w.Click(IDOK);
       }, false, "1 100 D:\\Work|E:\\"},
      {0, 5, "D:\\Dictation", "F:\\", [](Window& w) {
         EXPECT_EQ(w.Send(IDC_OPT_DELETE, BM_GETCHECK) * 10 + w.Send(IDC_OPT_NEW_FOLDER, BM_GETCHECK), 11);
         w.Click(IDOK);
       }, false, "1 111 D:\\Dictation|F:\\"},
      {2, 0, "D:\\Dictation", "", [](Window& w) {
         EXPECT_FALSE(w.ItemEnabled(IDC_OPT_AUTO_DRIVE));
         w.Send(IDC_OPT_NEW_FOLDER, BM_CLICK);
         w.Send(IDC_OPT_DELETE, BM_CLICK);
         w.Click(IDC_OPT_BROWSE);
       }, true, "1 111 D:\\Work\\|E:\\"},
      {2, -1, "", "F:\\", [](Window& w) { w.Pick(IDC_OPT_DRIVE, 0, CBN_SELENDOK); w.Click(IDCANCEL); }, false, "0 -1-1-1 |F:\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.platform);
    g_platformId = c.platform;
    vtk::TheDownloadPlatform().getVersionEx = &VersionOfFamily;
    bDelete = nMethod = nManualDrive = c.flags;
    lstrcpyA(folder, c.folder.c_str());
    lstrcpyA(drive, c.drive.c_str());
    user.On(kOptions, c.act);
    if (c.browse) user.On("", [](Window& w) { w.SetItemText(1033, "D:\\Work"); w.Click(IDOK); }).On(kOptions, [](Window& w) { w.Click(IDOK); });
    const int rc = DnLoadOptions(&bDelete, &nMethod, &nManualDrive, folder, drive);
    user.Verify();
    EXPECT_EQ(std::to_string(rc) + " " + std::to_string(nManualDrive) + std::to_string(nMethod) + std::to_string(bDelete) +
                  " " + folder + "|" + drive,
              c.want);
  }
  vtk::TheDownloadPlatform().getVersionEx = vtk::DownloadPlatform{}.getVersionEx;
}

// While the delete question is up the card changes: swapped for another
// (recorders reuse the names, so the second card holds other recordings under
// the same ones), a file written again with another recording of the same
// length and time, or with the same bytes later, one gone. Only files still
// as they were read back are deleted, like those the shell leaves; the user
// is told how many stayed.
TEST_F(DnLoad, OnlyCardFilesStillAsTheyWereReadBackAreDeleted) {
  const auto card = [](char which) {
    for (int i = 1; i <= 3; ++i) {
      std::string bytes(which == '1' ? 96 : 96 + i, 'x');
      bytes.replace(50, 6, std::string("CARD") + which + char('0' + i));
      test::WriteFile("E:\\DS000" + std::to_string(i) + ".DSS", bytes);
    }
  };
  // Writes `bytes` into DS0001.DSS and gives it its old write time, moved on by `later`.
  const auto rewrite = [](std::string bytes, DWORD later) {
    const std::string path = "E:\\DS0001.DSS";
    FILETIME written{};
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(h, nullptr, nullptr, &written);
    CloseHandle(h);
    test::WriteFile(path, bytes.empty() ? test::ReadFile(path) : bytes);
    written.dwHighDateTime += later;  // 1: some seven minutes on
    h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &written);
    CloseHandle(h);
  };
  const struct { const char* what; std::function<void()> change; int kept; std::string left; } cases[] = {
      {"unchanged", [] {}, 0, ""},
      {"another card", [&] { card('2'); }, 3, "CARD21 CARD22 CARD23 "},
      {"another recording, same length and time", [&] { rewrite(std::string(50, 'x') + "CARDZ1" + std::string(40, 'x'), 0); },
       1, "CARDZ1 "},
      {"the same bytes written later", [&] { rewrite("", 1); }, 1, "CARD11 "},
      {"gone", [] { DeleteFileA("E:\\DS0001.DSS"); }, 1, ""},
      {"left by the shell", [] { vtk::TheEnginePlatform().shellFileOperation = &ShellDeletingNothing; }, 3,
       "CARD11 CARD12 CARD13 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    card('1');
    bDelete = 1;
    user.On(kConfirm, [](Window& w) { w.Click(IDOK); })
        .Answer(kMessage, IDOK, test::Sjis(u8"3 個のﾌｧｲﾙがﾀﾞｳﾝﾛｰﾄﾞされました。"))
        .On(kMessage, [&](Window& w) { c.change(), w.Click(IDOK); });
    if (c.kept) {
      user.Answer(kMessage, IDOK, std::to_string(c.kept) + test::Sjis(u8" 個のﾌｧｲﾙはﾐﾆﾁｭｱ ｶｰﾄﾞから削除されませんでした。ﾀﾞｳﾝﾛｰﾄﾞ後に変更されたか、見つからないか、削除できなかったﾌｧｲﾙです。"));
    }
    EXPECT_EQ(Call("D:\\Dictation", "E:\\"), "3 D:\\Dictation||E:\\");
    std::string left;
    for (const std::string& name : test::ListDir("E:\\")) left += test::ReadFile("E:\\" + name).substr(50, 6) + " ";
    EXPECT_EQ(left, c.left);
    for (int i = 1; i <= 3; ++i)
      EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS000" + std::to_string(i) + ".DSS").substr(50, 6), "CARD1" + std::to_string(i));
  }
}
