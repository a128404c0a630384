// The card download from the host's call to the files on disk, through the
// DnLoadCondition export: E: and F: are removable card drives, D: holds the
// download folders, and the scripted user plays every dialog and box.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <tuple>

#include "download/paths.h"
#include "download/platformid.h"
#include "download/transfer.h"
#include "framework/msgbox.h"
#include "res/ids_carddrive.h"
#include "res/ids_download.h"
#include "support/card_registry.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Res;
using Names = std::vector<std::string>;

namespace {

const std::string kConfirm = test::Caption(IDD_DNLOAD_CONDITION), kOptions = test::Caption(IDD_DNLOAD_OPTIONS);
const std::string kMessage = Res(IDS_DNLOAD_CAPTION);

// A dictation file whose identity (bytes 50 to 67) comes from `seed`.
std::string Dss(int seed) {
  char id[19];
  std::snprintf(id, sizeof id, "%018d", seed);
  return std::string(50, 'x') + id + std::string(28, 'x');
}

// Whether the host window was enabled ('E') or not ('d') at each shell
// operation and message box.
HWND g_host = nullptr;
std::string g_hostStates;
int WINAPI ShellNotingTheHost(LPSHFILEOPSTRUCTA op) {
  g_hostStates += IsWindowEnabled(g_host) ? 'E' : 'd';
  return SHFileOperationA(op);
}

class DnLoad : public testing::Test {
 protected:
  void SetUp() override {  // also between the cases of a table
    for (char d : {'D', 'E', 'F'}) test::ClearDrive(d);
    test::MakeDir("D:\\Dictation");
    SetLocalDateForTesting(&kDate);
    vtk::SetMessageBoxObserverForTesting([this](HWND, const std::string& text, const std::string&, UINT type) {
      boxes.push_back({text, type});
      g_hostStates += IsWindowEnabled(g_host) ? 'E' : 'd';
    });
  }
  void TearDown() override {
    vtk::SetMessageBoxObserverForTesting(nullptr);
    vtk::SetShellFileOperationForTesting(nullptr);
    SetLocalDateForTesting(nullptr);
    SetPlatformIdForTesting(nullptr);
  }
  // `count` files DS0001.DSS ... on a card drive, keyed by name.
  static std::map<std::string, std::string> PutOnCard(char drive, int count, int firstSeed = 1) {
    std::map<std::string, std::string> files;
    for (int i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "DS%04d.DSS", i + 1);
      test::WriteFile(std::string(1, drive) + ":\\" + name, files[name] = Dss(firstSeed + i));
    }
    return files;
  }
  // One DnLoadCondition call on the host's settings, run through the steps
  // queued on `user`; what the host gets back: the outcome, the folder, the
  // new folder and the drive.
  std::string Call(const char* f, const char* d, int rc = 1) {
    lstrcpyA(folder, f);
    lstrcpyA(drive, d);
    lstrcpyA(newFolder, "host");
    nResult = 77;
    EXPECT_EQ(DnLoadCondition(&bDelete, &nMethod, &nManualDrive, &nResult, folder, newFolder, drive), rc);
    user.Verify();
    return std::to_string(nResult) + " " + folder + "|" + newFolder + "|" + drive;
  }
  // Accepts the confirmation after checking `texts` in it; answers the
  // boxes that follow.
  std::string Start(const char* f, const char* d, const std::vector<std::pair<int, std::string>>& texts = {},
                    const std::vector<int>& answers = {IDOK}) {
    user.On(kConfirm, [texts](test::Window& w) { test::ExpectTexts(w, texts); w.Click(IDOK); });
    for (int a : answers) user.Answer(kMessage, a);
    return Call(f, d);
  }

  static constexpr vtk::LocalDate kDate{2006, 3, 5};
  test::CurrentDirectoryKeeper keeper;
  test::CardRegistry registry;
  test::ScriptedUser user;
  std::vector<std::pair<std::string, UINT>> boxes;  // text, style
  int bDelete = 0, nMethod = 0, nManualDrive = 1, nResult = 77;
  char folder[260], newFolder[260], drive[260];
};

}  // namespace

// The new folder is created and filled (in the current directory when the
// folder is empty; an unknown method shows this form and comes back as is); a
// root keeps its backslash; a successful start leaves the current directory at
// the download folder.
TEST_F(DnLoad, NewFolderFormCreatesTheDatedFolderAndCopiesIntoIt) {
  for (const auto& [method, f, into] : {std::tuple(1, "D:\\Dictation", "D:\\Dictation"), {5, "", "D:\\Work"}}) {
    SetUp();
    const auto files = PutOnCard('E', 3);
    test::MakeDir("D:\\Work");
    ASSERT_TRUE(SetCurrentDirectoryA("D:\\Work"));
    boxes.clear();
    nMethod = method;
    std::vector<std::pair<int, std::string>> texts = {{IDC_DN_NEWNAME, "2006.3.5-1"}};
    if (method == 1)
      texts.insert(texts.end(), {{IDC_DN_FOLDER, "D:\\Dictation"}, {IDC_DN_METHOD_TEXT, Res(IDS_METHOD_NEWFOLDER)},
                                 {IDC_DN_DELETE_TEXT, Res(IDS_DELETE_NO)}});
    EXPECT_EQ(Start(f, "E:\\", texts), "3 " + std::string(into) + "|2006.3.5-1|E:\\");
    EXPECT_EQ(nMethod, method);
    for (const auto& [name, bytes] : files) EXPECT_EQ(test::ReadFile(std::string(into) + "\\2006.3.5-1\\" + name), bytes);
    EXPECT_EQ(boxes, (decltype(boxes){{vtk::FormatWithCount(Res(IDS_DNLOAD_COUNT), 3), MB_OK}}));
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_STREQ(cwd, into);
  }
}

TEST_F(DnLoad, SimpleFormSkipsDownloadedFilesAndGivesClashesASerialName) {
  auto files = PutOnCard('E', 3);
  test::WriteFile("D:\\Dictation\\DS0001.DSS", files["DS0001.DSS"]);  // downloaded before
  test::WriteFile("D:\\Dictation\\DS0002.DSS", Dss(900));              // another recording
  EXPECT_EQ(Start("D:\\Dictation\\", "E:\\", {{IDC_DN_METHOD_TEXT, Res(IDS_METHOD_SAVE)}}), "2 D:\\Dictation||E:\\");
  EXPECT_EQ((Names{test::ReadFile("D:\\Dictation\\DS0002_1.DSS"), test::ReadFile("D:\\Dictation\\DS0002.DSS"),
                   test::ReadFile("D:\\Dictation\\DS0003.DSS")}), (Names{files["DS0002.DSS"], Dss(900), files["DS0003.DSS"]}));
}

// A drive given as E: is its root in both forms, whatever E:'s current
// directory is.
TEST_F(DnLoad, ADriveWithoutItsBackslashIsItsRoot) {
  for (const int method : {0, 1}) {
    SetUp();
    PutOnCard('E', 2);
    test::MakeDir("E:\\Sub");
    test::WriteFile("E:\\Sub\\OTHER.DSS", Dss(99));
    ASSERT_TRUE(SetEnvironmentVariableA("=E:", "E:\\Sub"));
    nMethod = method;
    EXPECT_EQ(Start("D:\\Dictation", "E:").substr(0, 2), "2 ");
    EXPECT_STREQ(drive, "E:\\");
    EXPECT_EQ(test::ListDir(method == 0 ? "D:\\Dictation" : "D:\\Dictation\\2006.3.5-1"), (Names{"DS0001.DSS", "DS0002.DSS"}));
  }
  SetEnvironmentVariableA("=E:", nullptr);
}

// Each failed check says why, copies nothing, deletes nothing and hands back
// no new folder.
TEST_F(DnLoad, FailedStartChecksSayWhyAndCopyNothing) {
  PutOnCard('E', 2);
  const struct {
    const char* what;
    int nManualDrive;
    const char *drive, *folder;
    bool eject, folderAppears;
    UINT message;
  } cases[] = {
      {"automatic, no card device", 0, "E:\\", "D:\\Dictation", false, false, IDS_CARD_NOT_FOUND},
      {"manual, no drive", 1, "", "D:\\Dictation", false, false, IDS_CARD_NOT_FOUND},
      {"card removed", 1, "E:\\", "D:\\Dictation", true, false, IDS_CARD_NOT_READY},
      {"download folder missing", 1, "E:\\", "D:\\Nowhere", false, false, IDS_TARGET_NOT_READY},
      {"new folder appeared meanwhile", 1, "E:\\", "D:\\Dictation", false, true, IDS_MKDIR_FAILED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.clear();
    std::optional<test::EjectedMedium> ejected;
    if (c.eject) ejected.emplace('E');
    nManualDrive = c.nManualDrive;
    nMethod = 1;
    user.On(kConfirm, [&](test::Window& w) {
      if (c.folderAppears) {
        test::MakeDir("D:\\Dictation\\2006.3.5-1");
        test::WriteFile("D:\\Dictation\\2006.3.5-1\\mine.txt", "keep");
      }
      w.Click(IDOK);
    });
    user.Answer(kMessage, IDOK, Res(c.message));
    EXPECT_EQ(Call(c.folder, c.drive).substr(0, 3), "-1 ");
    ejected.reset();
    EXPECT_STREQ(newFolder, "");
    EXPECT_EQ(boxes, (decltype(boxes){{Res(c.message), MB_OK | MB_ICONEXCLAMATION}}));
    EXPECT_EQ(test::ListDir("D:\\Dictation"), c.folderAppears ? Names{"2006.3.5-1"} : Names{});
    EXPECT_EQ(test::ListDir("D:\\Dictation\\2006.3.5-1"), c.folderAppears ? Names{"mine.txt"} : Names{});
    EXPECT_EQ(test::ListDir("E:\\").size(), 2u);
    test::RemoveTree("D:\\Dictation\\2006.3.5-1");
  }
}

// Two card devices: the user picks one; Cancel there is a failed start
// without a message.
TEST_F(DnLoad, AutomaticDetectionWithTwoCardsAsksWhichOne) {
  registry.Name(0, "0000", "F");
  registry.Name(1, "0000", "E");
  PutOnCard('E', 1, 10);
  const auto onF = PutOnCard('F', 2, 20);
  nManualDrive = 0;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDOK); })
      .On(test::Caption(IDD_CARDDRIVE_SELECT), [](test::Window& w) {
        EXPECT_EQ(w.Send(IDC_CARD_DRIVE, CB_GETCOUNT), 2);
        w.Pick(IDC_CARD_DRIVE, 1, CBN_SELENDOK);
        w.Click(IDOK);
      })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(Call("D:\\Dictation", ""), "2 D:\\Dictation||F:\\");
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0002.DSS"), onF.at("DS0002.DSS"));
  boxes.clear();
  nManualDrive = 0;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDOK); })
      .On(test::Caption(IDD_CARDDRIVE_SELECT), [](test::Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(Call("D:\\Dictation", "").substr(0, 3) + std::to_string(boxes.size()), "-1 0");
}

// "変更(&M)" switches to the new-folder form, whose name is proposed afresh
// for the folder chosen there; Cancel keeps what the switch gave back.
TEST_F(DnLoad, ChangingTheSettingsSwitchesFormsAndNamesTheFolderAfresh) {
  PutOnCard('E', 1);
  test::MakeDir("D:\\Other\\2006.3.5-1");
  int platform = 2;
  SetPlatformIdForTesting(&platform);
  user.On(kConfirm, [](test::Window& w) { w.Click(IDC_DN_CHANGE); })
      .On(kOptions, [](test::Window& w) { w.Send(IDC_OPT_NEW_FOLDER, BM_CLICK); w.Click(IDOK); })
      .On(kConfirm, [](test::Window& w) {
        test::ExpectTexts(w, {{IDC_DN_NEWNAME, "2006.3.5-1"}});
        w.Click(IDCANCEL);
      });
  EXPECT_EQ(Call("D:\\Dictation", "E:\\", 0), "0 D:\\Dictation||E:\\");
  EXPECT_EQ(nMethod, 1);
  EXPECT_EQ(test::ListDir("D:\\Dictation"), Names{});

  user.On(kConfirm, [](test::Window& w) {
        test::ExpectTexts(w, {{IDC_DN_NEWNAME, "2006.3.5-1"}});
        w.Click(IDC_DN_CHANGE);
      })
      .On(kOptions, [](test::Window& w) { w.Click(IDC_OPT_BROWSE); })
      .On("", [](test::Window& w) { w.SetItemText(1033, "D:\\Other"); w.Click(IDOK); })  // the chooser
      .On(kOptions, [](test::Window& w) { w.Click(IDOK); })
      .On(kConfirm, [](test::Window& w) { test::ExpectTexts(w, {{IDC_DN_NEWNAME, "2006.3.5-2"}}); w.Click(IDOK); })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(Call("D:\\Dictation", "E:\\"), "1 D:\\Other|2006.3.5-2|E:\\");
  EXPECT_TRUE(test::Exists("D:\\Other\\2006.3.5-2\\DS0001.DSS"));
}

// Only 1 asks, and only OK deletes; Cancel in the confirmation hands nothing
// back.
TEST_F(DnLoad, TheDeleteFlagAsksOnlyWhenItIsOne) {
  const struct {
    int bDelete, answer;  // answer 0: no question expected
    std::size_t leftOnCard;
    UINT text;
  } cases[] = {{0, 0, 2, IDS_DELETE_NO}, {1, IDCANCEL, 2, IDS_DELETE_YES}, {2, 0, 2, IDS_DELETE_YES}, {1, IDOK, 0, IDS_DELETE_YES}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bDelete * 10 + c.answer);
    SetUp();
    PutOnCard('E', 2);
    boxes.clear();
    bDelete = c.bDelete;
    Start("D:\\Dictation", "E:\\", {{IDC_DN_DELETE_TEXT, Res(c.text)}}, c.answer ? std::vector<int>{IDOK, c.answer} : std::vector<int>{IDOK});
    EXPECT_EQ(boxes.size(), c.answer ? 2u : 1u);
    EXPECT_EQ(bDelete, c.bDelete);
    EXPECT_EQ(test::ListDir("E:\\").size(), c.leftOnCard);
    EXPECT_EQ(test::ListDir("D:\\Dictation").size(), 2u);
  }
  user.On(kConfirm, [](test::Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(Call("D:\\Dictation\\", "E:\\", 0), "77 D:\\Dictation\\|host|E:\\");
}

// The host can neither be used nor closed while the library copies, reports
// and deletes: its window stays disabled until the export returns.
TEST_F(DnLoad, TheHostStaysDisabledUntilTheDownloadIsOver) {
  PutOnCard('E', 2);
  g_host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(g_host);
  ASSERT_EQ(GetActiveWindow(), g_host);
  g_hostStates.clear();
  vtk::SetShellFileOperationForTesting(&ShellNotingTheHost);
  bDelete = 1;
  EXPECT_EQ(Start("D:\\Dictation", "E:\\", {}, {IDOK, IDOK}), "2 D:\\Dictation||E:\\");
  // Disabled at the copy, the count, the delete question and the deletion;
  // enabled again once all is done.
  EXPECT_EQ(g_hostStates + (IsWindowEnabled(g_host) ? "E" : "d") + std::to_string(test::ListDir("E:\\").size()), "ddddE0");
  DestroyWindow(g_host);
  g_host = nullptr;
}
