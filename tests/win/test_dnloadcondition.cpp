// The card download from the host's call to the files on disk, through the
// DnLoadCondition export: E: and F: are removable card drives, D: holds the
// download folders, and the scripted user plays every dialog and box.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "download/paths.h"
#include "download/platformid.h"
#include "download/transfer.h"
#include "framework/msgbox.h"
#include "res/ids_carddrive.h"
#include "res/ids_download.h"
#include "res/ids_folderui.h"
#include "support/card_registry.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;
using Names = std::vector<std::string>;
using Look = std::function<void(test::Window&)>;

namespace {

const test::U8 kConfirm = u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認";
const test::U8 kOptions = u8"ﾐﾆﾁｭｱ ｶｰﾄﾞのﾀﾞｳﾝﾛｰﾄﾞｵﾌﾟｼｮﾝ";
const test::U8 kSelect = u8"ﾐﾆﾁｭｱ ｶｰﾄﾞ ﾄﾞﾗｲﾌﾞの選択";
const test::U8 kMessage = u8"ﾀﾞｳﾝﾛｰﾄﾞ";

// A dictation file whose identity (bytes 50 to 67) comes from `seed`.
std::string Dss(int seed) {
  char id[19];
  std::snprintf(id, sizeof id, "%018d", seed);
  return std::string(50, 'x') + id + std::string(28, 'x');
}

// A click as the mouse makes it: an automatic button changes before its dialog hears of it.
void Press(test::Window& w, int id) { SendMessageA(w.Item(id), BM_CLICK, 0, 0); }

// The host's side of one DnLoadCondition call.
struct HostCall {
  int bDelete = 0, nMethod = 0, nManualDrive = 1, nResult = 77;
  std::vector<char> folder, newFolder, drive;
  HostCall(const std::string& f, const std::string& d) : folder(Buffer(f)), newFolder(Buffer("host")), drive(Buffer(d)) {}
  static std::vector<char> Buffer(std::string s) {
    s.resize(1024);
    return {s.begin(), s.end()};
  }
  int Run(test::ScriptedUser& user) {
    const int rc = DnLoadCondition(&bDelete, &nMethod, &nManualDrive, &nResult, folder.data(), newFolder.data(), drive.data());
    EXPECT_TRUE(user.Clean()) << user.Report();
    return rc;
  }
  // Accepts the confirmation after `look` has seen it; answers the boxes.
  int Start(const Look& look = {}, std::vector<int> answers = {IDOK}) {
    test::ScriptedUser user;
    user.On(kConfirm, [&](test::Window& w) { if (look) look(w); w.Click(IDOK); });
    for (int a : answers) user.Answer(kMessage, a);
    return Run(user);
  }
  // What the host gets back: the outcome, the folder, the new folder, the drive.
  Names Out() const { return {std::to_string(nResult), folder.data(), newFolder.data(), drive.data()}; }
};

// Whether the host window was enabled ('E') or not ('d') at each shell operation.
HWND g_host = nullptr;
std::string g_hostStates;
int WINAPI ShellNotingTheHost(LPSHFILEOPSTRUCTA op) {
  g_hostStates += IsWindowEnabled(g_host) ? 'E' : 'd';
  return SHFileOperationA(op);
}

class DnLoadCondition_ : public testing::Test {
 protected:
  void SetUp() override {  // also between the cases of a table
    for (char d : {'D', 'E', 'F'}) test::ClearDrive(d);
    test::MakeDir("D:\\Dictation");
    SetLocalDateForTesting(&kDate);
    vtk::SetMessageBoxObserverForTesting(
        [this](HWND, const std::string& text, const std::string&, UINT type) { boxes.push_back({text, type}); });
  }
  void TearDown() override {
    vtk::SetMessageBoxObserverForTesting(nullptr);
    SetLocalDateForTesting(nullptr);
    SetPlatformIdForTesting(nullptr);
  }
  // `count` files DS0001.DSS ... on a card drive, keyed by name.
  std::map<std::string, std::string> PutOnCard(char drive, int count, int firstSeed = 1) {
    std::map<std::string, std::string> files;
    for (int i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "DS%04d.DSS", i + 1);
      test::WriteFile(std::string(1, drive) + ":\\" + name, files[name] = Dss(firstSeed + i));
    }
    return files;
  }

  static constexpr vtk::LocalDate kDate{2006, 3, 5};
  test::CurrentDirectoryKeeper keeper;
  test::CardRegistry registry;
  std::vector<std::pair<std::string, UINT>> boxes;  // text, style
};

}  // namespace

TEST_F(DnLoadCondition_, NewFolderFormCreatesTheDatedFolderAndCopiesIntoIt) {
  const auto files = PutOnCard('E', 3);
  HostCall host("D:\\Dictation", "E:\\");
  host.nMethod = 1;
  Names shown;
  EXPECT_EQ(host.Start([&](test::Window& w) {
    for (int id : {IDC_DN_FOLDER, IDC_DN_NEWNAME, IDC_DN_METHOD_TEXT, IDC_DN_DELETE_TEXT}) shown.push_back(w.ItemText(id));
  }), 1);
  EXPECT_EQ(shown, (Names{"D:\\Dictation", "2006.3.5-1", Sjis(u8"新しくﾌｫﾙﾀﾞｰを作成して保存"), Sjis(u8"削除しない")}));
  EXPECT_EQ(host.Out(), (Names{"3", "D:\\Dictation", "2006.3.5-1", "E:\\"}));  // a root keeps its backslash
  for (const auto& [name, bytes] : files) EXPECT_EQ(test::ReadFile("D:\\Dictation\\2006.3.5-1\\" + name), bytes);
  EXPECT_EQ(boxes, (decltype(boxes){{Sjis(u8"3 個のﾌｧｲﾙがﾀﾞｳﾝﾛｰﾄﾞされました。"), MB_OK}}));
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  EXPECT_STREQ(cwd, "D:\\Dictation") << "a successful start leaves the current directory at the download folder";
}

// A drive given as E: is its root in both forms, whatever E:'s current
// directory is.
TEST_F(DnLoadCondition_, ADriveWithoutItsBackslashIsItsRoot) {
  for (const int method : {0, 1}) {
    SetUp();
    const auto files = PutOnCard('E', 2);
    test::MakeDir("E:\\Sub");
    test::WriteFile("E:\\Sub\\OTHER.DSS", Dss(99));
    ASSERT_TRUE(SetEnvironmentVariableA("=E:", "E:\\Sub"));
    HostCall host("D:\\Dictation", "E:");
    host.nMethod = method;
    EXPECT_EQ(host.Start(), 1);
    EXPECT_EQ(host.Out()[3], "E:\\");
    const std::string target = method == 0 ? "D:\\Dictation" : "D:\\Dictation\\2006.3.5-1";
    EXPECT_EQ(test::ListDir(target), (Names{"DS0001.DSS", "DS0002.DSS"})) << method;
  }
  SetEnvironmentVariableA("=E:", nullptr);
}

TEST_F(DnLoadCondition_, SimpleFormSkipsDownloadedFilesAndGivesClashesASerialName) {
  auto files = PutOnCard('E', 3);
  test::WriteFile("D:\\Dictation\\DS0001.DSS", files["DS0001.DSS"]);  // downloaded before
  test::WriteFile("D:\\Dictation\\DS0002.DSS", Dss(900));              // another recording
  HostCall host("D:\\Dictation\\", "E:\\");
  std::string method;
  EXPECT_EQ(host.Start([&](test::Window& w) { method = w.ItemText(IDC_DN_METHOD_TEXT); }), 1);
  EXPECT_EQ(method, Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞ先ﾌｫﾙﾀﾞｰに保存"));
  EXPECT_EQ(host.Out(), (Names{"2", "D:\\Dictation", "", "E:\\"}));
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0002_1.DSS"), files["DS0002.DSS"]);
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0002.DSS"), Dss(900));
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0003.DSS"), files["DS0003.DSS"]);
}

// Each failed check says why, copies nothing and deletes nothing.
TEST_F(DnLoadCondition_, FailedStartChecksSayWhyAndCopyNothing) {
  PutOnCard('E', 2);
  struct Case {
    const char* what;
    int nManualDrive;
    std::string drive, folder;
    bool eject, folderAppears;
    const char8_t* message;
  };
  const char8_t* notFound = u8"ﾐﾆﾁｭｱ ｶｰﾄﾞ ﾄﾞﾗｲﾌﾞが見つかりません。ﾐﾆﾁｭｱ ｶｰﾄﾞを正しくｾｯﾄしてからもう一度実行して下さい。";
  const Case cases[] = {
      {"automatic, no card device", 0, "E:\\", "D:\\Dictation", false, false, notFound},
      {"manual, no drive", 1, "", "D:\\Dictation", false, false, notFound},
      {"card removed", 1, "E:\\", "D:\\Dictation", true, false,
       u8"ﾐﾆﾁｭｱ ｶｰﾄﾞのﾄﾞﾗｲﾌﾞが準備できていません。ﾐﾆﾁｭｱ ｶｰﾄﾞが正しくｾｯﾄされているか確認して下さい。"},
      {"download folder missing", 1, "E:\\", "D:\\Nowhere", false, false, u8"ﾀﾞｳﾝﾛｰﾄﾞするﾄﾞﾗｲﾌﾞが準備できていません。"},
      {"new folder appeared meanwhile", 1, "E:\\", "D:\\Dictation", false, true, u8"ﾃﾞｨﾚｸﾄﾘｰの作成に失敗しました。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.clear();
    std::optional<test::EjectedMedium> ejected;
    if (c.eject) ejected.emplace('E');
    HostCall host(c.folder, c.drive);
    host.nManualDrive = c.nManualDrive;
    host.nMethod = 1;
    EXPECT_EQ(host.Start([&](test::Window&) {
      if (!c.folderAppears) return;
      test::MakeDir("D:\\Dictation\\2006.3.5-1");
      test::WriteFile("D:\\Dictation\\2006.3.5-1\\mine.txt", "keep");
    }), 1);
    ejected.reset();
    EXPECT_EQ(host.nResult, -1);
    EXPECT_STREQ(host.newFolder.data(), "") << "no folder was made";
    EXPECT_EQ(boxes, (decltype(boxes){{Sjis(c.message), MB_OK | MB_ICONEXCLAMATION}}));
    EXPECT_EQ(test::ListDir("D:\\Dictation"), c.folderAppears ? Names{"2006.3.5-1"} : Names{});
    if (c.folderAppears) {
      EXPECT_EQ(test::ListDir("D:\\Dictation\\2006.3.5-1"), Names{"mine.txt"});
    }
    EXPECT_EQ(test::ListDir("E:\\").size(), 2u);
    test::RemoveTree("D:\\Dictation\\2006.3.5-1");
  }
}

TEST_F(DnLoadCondition_, AutomaticDetectionWithTwoCardsAsksWhichOne) {
  registry.Name(0, "0000", "F");
  registry.Name(1, "0000", "E");
  PutOnCard('E', 1, 10);
  const auto onF = PutOnCard('F', 2, 20);
  HostCall host("D:\\Dictation", "");
  host.nManualDrive = 0;
  int listed = 0;
  test::ScriptedUser user;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDOK); })
      .On(kSelect, [&](test::Window& w) { listed = w.ComboCount(IDC_CARD_DRIVE); w.SelectComboItem(IDC_CARD_DRIVE, 1); w.Click(IDOK); })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(user), 1);
  EXPECT_EQ(listed, 2);
  EXPECT_EQ(host.Out(), (Names{"2", "D:\\Dictation", "", "F:\\"}));
  EXPECT_EQ(test::ListDir("D:\\Dictation"), (Names{"DS0001.DSS", "DS0002.DSS"}));
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0002.DSS"), onF.at("DS0002.DSS"));

  // Cancel in the selection: a failed start without a message.
  boxes.clear();
  host.nManualDrive = 0;
  test::ScriptedUser again;
  EXPECT_EQ(host.Run(again.On(kConfirm, [](test::Window& w) { w.Click(IDOK); }).On(kSelect, [](test::Window& w) { w.Click(IDCANCEL); })), 1);
  EXPECT_EQ(host.nResult, -1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DnLoadCondition_, ChangingTheMethodSwitchesFormsAndCancelKeepsWhatTheFirstFormGaveBack) {
  PutOnCard('E', 1);
  SetPlatformIdForTesting(std::make_unique<int>(2).get());
  HostCall host("D:\\Dictation", "E:\\");
  std::string secondName;
  test::ScriptedUser user;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDC_DN_CHANGE); })
      .On(kOptions, [](test::Window& w) { Press(w, IDC_OPT_NEW_FOLDER); w.Click(IDOK); })
      .On(kConfirm, [&](test::Window& w) { secondName = w.ItemText(IDC_DN_NEWNAME); w.Click(IDCANCEL); });
  EXPECT_EQ(host.Run(user), 0);
  EXPECT_EQ(secondName, "2006.3.5-1");
  EXPECT_EQ(host.nMethod, 1);
  EXPECT_EQ(host.Out(), (Names{"0", "D:\\Dictation", "", "E:\\"}));
  EXPECT_EQ(test::ListDir("D:\\Dictation"), Names{});
}

TEST_F(DnLoadCondition_, ChangingTheFolderInTheNewFolderFormNamesTheFolderAfresh) {
  PutOnCard('E', 1);
  test::MakeDir("D:\\Other\\2006.3.5-1");
  SetPlatformIdForTesting(std::make_unique<int>(2).get());
  HostCall host("D:\\Dictation", "E:\\");
  host.nMethod = 1;
  std::string before, after;  // the new folder's name offered before and after the change
  test::ScriptedUser user;
  user.On(kConfirm, [&](test::Window& w) { before = w.ItemText(IDC_DN_NEWNAME); w.Click(IDC_DN_CHANGE); })
      .On(kOptions, [](test::Window& w) { w.Click(IDC_OPT_BROWSE); })
      .On(u8"", [](test::Window& w) { w.SetItemText(IDC_DIR_PATH, "D:\\Other"); w.Click(IDOK); })  // the chooser
      .On(kOptions, [](test::Window& w) { w.Click(IDOK); })
      .On(kConfirm, [&](test::Window& w) { after = w.ItemText(IDC_DN_NEWNAME); w.Click(IDOK); })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(user), 1);
  EXPECT_EQ(before + " " + after, "2006.3.5-1 2006.3.5-2");
  EXPECT_EQ(host.Out(), (Names{"1", "D:\\Other", "2006.3.5-2", "E:\\"}));
  EXPECT_TRUE(test::Exists("D:\\Other\\2006.3.5-2\\DS0001.DSS"));
}

// An unknown method shows the new-folder form and comes back unchanged; an
// empty folder is the current directory.
TEST_F(DnLoadCondition_, AnUnknownMethodAndAnEmptyFolder) {
  const auto files = PutOnCard('E', 1);
  test::MakeDir("D:\\Work");
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Work"));
  HostCall host("", "E:\\");
  host.nMethod = 5;
  std::string name;
  EXPECT_EQ(host.Start([&](test::Window& w) { name = w.ItemText(IDC_DN_NEWNAME); }), 1);
  EXPECT_EQ(name, "2006.3.5-1");
  EXPECT_EQ(host.nMethod, 5);
  EXPECT_EQ(host.Out(), (Names{"1", "D:\\Work", "2006.3.5-1", "E:\\"}));
  EXPECT_EQ(test::ReadFile("D:\\Work\\2006.3.5-1\\DS0001.DSS"), files.at("DS0001.DSS"));
}

TEST_F(DnLoadCondition_, TheDeleteFlagAsksOnlyWhenItIsOne) {
  struct Case {
    int bDelete, answer;  // answer 0: no question expected
    std::size_t leftOnCard;
    const char8_t* text;
  };
  const Case cases[] = {{0, 0, 2, u8"削除しない"}, {1, IDCANCEL, 2, u8"削除する"}, {2, 0, 2, u8"削除する"}, {1, IDOK, 0, u8"削除する"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bDelete * 10 + c.answer);
    SetUp();
    PutOnCard('E', 2);
    boxes.clear();
    HostCall host("D:\\Dictation", "E:\\");
    host.bDelete = c.bDelete;
    std::string shown;
    EXPECT_EQ(host.Start([&](test::Window& w) { shown = w.ItemText(IDC_DN_DELETE_TEXT); },
                         c.answer ? std::vector<int>{IDOK, c.answer} : std::vector<int>{IDOK}), 1);
    EXPECT_EQ(shown, Sjis(c.text));
    EXPECT_EQ(boxes.size(), c.answer ? 2u : 1u);
    EXPECT_EQ(host.bDelete, c.bDelete);
    EXPECT_EQ(test::ListDir("E:\\").size(), c.leftOnCard);
    EXPECT_EQ(test::ListDir("D:\\Dictation").size(), 2u);
  }
}

TEST_F(DnLoadCondition_, CancelHandsNothingBack) {
  PutOnCard('E', 1);
  HostCall host("D:\\Dictation\\", "E:\\");
  host.bDelete = 1;
  test::ScriptedUser user;
  EXPECT_EQ(host.Run(user.On(kConfirm, [](test::Window& w) { w.Click(IDCANCEL); })), 0);
  EXPECT_EQ(host.Out(), (Names{"77", "D:\\Dictation\\", "host", "E:\\"}));
  EXPECT_EQ(test::ListDir("D:\\Dictation"), Names{});
}

TEST_F(DnLoadCondition_, FiveHundredFilesArriveWholeBeforeTheCardIsEmptied) {
  const auto files = PutOnCard('E', 500);
  HostCall host("D:\\Dictation", "E:\\");
  host.nMethod = 1;
  host.bDelete = 1;
  int checked = 0, differing = 0;
  test::ScriptedUser user;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDOK); })
      .Answer(kMessage, IDOK)
      .On(kMessage, [&](test::Window& w) {
        // The delete question: every copy whole while the card holds the originals.
        for (const auto& [name, bytes] : files) {
          ++checked;
          if (test::ReadFile("D:\\Dictation\\2006.3.5-1\\" + name) != bytes || test::ReadFile("E:\\" + name) != bytes)
            ++differing;
        }
        w.Click(IDOK);
      });
  EXPECT_EQ(host.Run(user), 1);
  EXPECT_EQ(host.nResult, 500);
  EXPECT_EQ(std::make_pair(checked, differing), std::make_pair(500, 0));
  EXPECT_EQ(test::ListDir("E:\\"), Names{});
  EXPECT_EQ(test::ListDir("D:\\Dictation\\2006.3.5-1").size(), 500u);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].second, UINT(MB_OKCANCEL | MB_ICONQUESTION));
}

// The host can neither be used nor closed while the library copies, reports
// and deletes: its window stays disabled until the export returns.
TEST_F(DnLoadCondition_, TheHostStaysDisabledUntilTheDownloadIsOver) {
  PutOnCard('E', 2);
  g_host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(g_host);
  ASSERT_EQ(GetActiveWindow(), g_host);
  g_hostStates.clear();
  vtk::SetShellFileOperationForTesting(&ShellNotingTheHost);
  vtk::SetMessageBoxObserverForTesting([](HWND, const std::string&, const std::string&, UINT) {
    g_hostStates += IsWindowEnabled(g_host) ? 'E' : 'd';
  });
  HostCall host("D:\\Dictation", "E:\\");
  host.bDelete = 1;
  EXPECT_EQ(host.Start({}, {IDOK, IDOK}), 1);
  vtk::SetShellFileOperationForTesting(nullptr);
  EXPECT_EQ(g_hostStates, "dddd");  // the copy, the count, the delete question, the deletion
  EXPECT_TRUE(IsWindowEnabled(g_host));
  EXPECT_EQ(test::ListDir("E:\\"), Names{});
  DestroyWindow(g_host);
}
