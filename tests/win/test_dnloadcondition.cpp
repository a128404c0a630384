// The card download from the host's call to the files on disk, through the
// DnLoadCondition export: E: and F: are removable card drives, D: holds the
// download folders, and the scripted user plays the confirmation, the
// options, the selection and the message boxes.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/transfer_names.h"
#include "download/paths.h"
#include "download/platformid.h"
#include "framework/msgbox.h"
#include "res/ids_download.h"
#include "support/card_registry.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;

namespace {

const test::U8 kConfirm = u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認";
const test::U8 kOptions = u8"ﾐﾆﾁｭｱ ｶｰﾄﾞのﾀﾞｳﾝﾛｰﾄﾞｵﾌﾟｼｮﾝ";
const test::U8 kMessage = u8"ﾀﾞｳﾝﾛｰﾄﾞ";
const std::string kNotFound =
    Sjis(u8"ﾐﾆﾁｭｱ ｶｰﾄﾞ ﾄﾞﾗｲﾌﾞが見つかりません。ﾐﾆﾁｭｱ ｶｰﾄﾞを正しくｾｯﾄしてからもう一度実行して下さい。");

// A dictation file whose identity (bytes 50 to 67) comes from `seed`.
std::string Dss(int seed, std::size_t size = 96) {
  std::string bytes(size, 'x');
  for (std::size_t i = vtk::kIdentityOffset; i < vtk::kIdentityEnd; ++i)
    bytes[i] = static_cast<char>('A' + (seed * 7 + static_cast<int>(i)) % 26);
  bytes[vtk::kIdentityOffset] = static_cast<char>(seed & 0xFF);
  bytes[vtk::kIdentityOffset + 1] = static_cast<char>((seed >> 8) & 0xFF);
  return bytes;
}

// A click as the mouse makes it, so that an automatic radio button or check
// box changes its state before its dialog hears of it.
void Press(test::Window& w, int id) { SendMessageA(w.Item(id), BM_CLICK, 0, 0); }

// The host's side of one DnLoadCondition call.
struct HostCall {
  int bDelete = 0;
  int nMethod = 0;
  int nManualDrive = 1;
  int nResult = 77;
  std::vector<char> folder, newFolder, drive;
  HostCall(const std::string& f, const std::string& d) : folder(Buffer(f)), newFolder(Buffer("host")), drive(Buffer(d)) {}
  static std::vector<char> Buffer(const std::string& s) {
    std::vector<char> b(1024, '\0');
    std::copy(s.begin(), s.end(), b.begin());
    return b;
  }
  int Run() { return DnLoadCondition(&bDelete, &nMethod, &nManualDrive, &nResult, folder.data(), newFolder.data(), drive.data()); }
  std::string Folder() const { return folder.data(); }
  std::string NewFolder() const { return newFolder.data(); }
  std::string Drive() const { return drive.data(); }
};

struct Box {
  std::string text;
  std::string caption;
  UINT type;
};

class DnLoadCondition_ : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('D');
    test::ClearDrive('E');
    test::ClearDrive('F');
    test::MakeDir("D:\\Dictation");
    SetLocalDateForTesting(&kDate);
    vtk::SetMessageBoxObserverForTesting([this](HWND, const std::string& text, const std::string& caption, UINT type) {
      boxes.push_back({text, caption, type});
    });
  }
  void TearDown() override {
    vtk::SetMessageBoxObserverForTesting(nullptr);
    SetLocalDateForTesting(nullptr);
    SetPlatformIdForTesting(nullptr);
  }
  // `count` files on a card drive, keyed by name.
  std::map<std::string, std::string> PutOnCard(char drive, int count, int firstSeed = 1) {
    std::map<std::string, std::string> files;
    for (int i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "DS%04d.DSS", i + 1);
      files[name] = Dss(firstSeed + i);
      test::WriteFile(std::string(1, drive) + ":\\" + name, files[name]);
    }
    return files;
  }

  static constexpr vtk::LocalDate kDate{2006, 3, 5};
  test::CurrentDirectoryKeeper keeper;
  test::CardRegistry registry;
  std::vector<Box> boxes;
};

}  // namespace

TEST_F(DnLoadCondition_, NewFolderFormCreatesTheDatedFolderAndCopiesIntoIt) {
  const auto files = PutOnCard('E', 3);
  HostCall host("D:\\Dictation", "E:\\");
  host.nMethod = 1;
  std::string shownFolder, shownName, methodText, deleteText;
  test::ScriptedUser user;
  user.On(kConfirm, [&](test::Window& w) {
        shownFolder = w.ItemText(IDC_DN_FOLDER);
        shownName = w.ItemText(IDC_DN_NEWNAME);
        methodText = w.ItemText(IDC_DN_METHOD_TEXT);
        deleteText = w.ItemText(IDC_DN_DELETE_TEXT);
        w.Click(IDOK);
      })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(shownFolder, "D:\\Dictation");
  EXPECT_EQ(shownName, "2006.3.5-1");
  EXPECT_EQ(methodText, Sjis(u8"新しくﾌｫﾙﾀﾞｰを作成して保存"));
  EXPECT_EQ(deleteText, Sjis(u8"削除しない"));
  EXPECT_EQ(host.nResult, 3);
  EXPECT_EQ(host.NewFolder(), "2006.3.5-1");
  EXPECT_EQ(host.Folder(), "D:\\Dictation");
  EXPECT_EQ(host.Drive(), "E:\\");  // a root keeps its backslash
  for (const auto& [name, bytes] : files) EXPECT_EQ(test::ReadFile("D:\\Dictation\\2006.3.5-1\\" + name), bytes);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, Sjis(u8"3 個のﾌｧｲﾙがﾀﾞｳﾝﾛｰﾄﾞされました。"));
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  EXPECT_STREQ(cwd, "D:\\Dictation") << "a successful start leaves the current directory at the download folder";
}

TEST_F(DnLoadCondition_, SimpleFormSkipsDownloadedFilesAndGivesClashesASerialName) {
  auto files = PutOnCard('E', 3);
  test::WriteFile("D:\\Dictation\\DS0001.DSS", files["DS0001.DSS"]);  // downloaded before
  test::WriteFile("D:\\Dictation\\DS0002.DSS", Dss(900));              // another recording
  HostCall host("D:\\Dictation\\", "E:\\");
  test::ScriptedUser user;
  std::string methodText;
  user.On(kConfirm, [&](test::Window& w) {
        methodText = w.ItemText(IDC_DN_METHOD_TEXT);
        w.Click(IDOK);
      })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(methodText, Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞ先ﾌｫﾙﾀﾞｰに保存"));
  EXPECT_EQ(host.nResult, 2);
  EXPECT_EQ(host.NewFolder(), "");
  EXPECT_EQ(host.Folder(), "D:\\Dictation");
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0002_1.DSS"), files["DS0002.DSS"]);
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0002.DSS"), Dss(900));
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0003.DSS"), files["DS0003.DSS"]);
}

TEST_F(DnLoadCondition_, FailedStartChecksSayWhyAndCopyNothing) {
  PutOnCard('E', 2);
  struct Case {
    const char* what;
    int nManualDrive;
    std::string drive;
    std::string folder;
    std::string message;
  };
  const Case cases[] = {
      {"automatic, no card device", 0, "E:\\", "D:\\Dictation", kNotFound},
      {"manual, no drive", 1, "", "D:\\Dictation", kNotFound},
      {"download folder missing", 1, "E:\\", "D:\\Nowhere",
       Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞするﾄﾞﾗｲﾌﾞが準備できていません。")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.clear();
    HostCall host(c.folder, c.drive);
    host.nManualDrive = c.nManualDrive;
    host.nMethod = 1;
    test::ScriptedUser user;
    user.On(kConfirm, [](test::Window& w) { w.Click(IDOK); }).Answer(kMessage, IDOK);
    EXPECT_EQ(host.Run(), 1);
    EXPECT_TRUE(user.Clean()) << user.Report();
    EXPECT_EQ(host.nResult, -1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.message);
    EXPECT_EQ(boxes[0].caption, Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞ"));
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(test::ListDir("D:\\Dictation"), std::vector<std::string>{});
    EXPECT_EQ(test::ListDir("E:\\").size(), 2u);
  }
}

TEST_F(DnLoadCondition_, ARemovedCardIsNotReady) {
  PutOnCard('E', 1);
  test::EjectedMedium ejected('E');
  HostCall host("D:\\Dictation", "E:\\");
  test::ScriptedUser user;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDOK); }).Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(host.nResult, -1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            Sjis(u8"ﾐﾆﾁｭｱ ｶｰﾄﾞのﾄﾞﾗｲﾌﾞが準備できていません。ﾐﾆﾁｭｱ ｶｰﾄﾞが正しくｾｯﾄされているか確認して下さい。"));
}

TEST_F(DnLoadCondition_, ANewFolderThatAppearedMeanwhileStopsTheDownload) {
  PutOnCard('E', 2);
  HostCall host("D:\\Dictation", "E:\\");
  host.nMethod = 1;
  test::ScriptedUser user;
  user.On(kConfirm, [](test::Window& w) {
        test::MakeDir("D:\\Dictation\\2006.3.5-1");
        test::WriteFile("D:\\Dictation\\2006.3.5-1\\mine.txt", "keep");
        w.Click(IDOK);
      })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(host.nResult, -1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, Sjis(u8"ﾃﾞｨﾚｸﾄﾘｰの作成に失敗しました。"));
  EXPECT_EQ(test::ListDir("D:\\Dictation\\2006.3.5-1"), std::vector<std::string>{"mine.txt"});
}

TEST_F(DnLoadCondition_, AutomaticDetectionWithTwoCardsAsksWhichOne) {
  registry.Name(0, "0000", "F");
  registry.Name(1, "0000", "E");
  PutOnCard('E', 1, 10);
  const auto onF = PutOnCard('F', 2, 20);
  HostCall host("D:\\Dictation", "");
  host.nManualDrive = 0;
  test::ScriptedUser user;
  int listed = 0;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDOK); })
      .On(u8"ﾐﾆﾁｭｱ ｶｰﾄﾞ ﾄﾞﾗｲﾌﾞの選択", [&](test::Window& w) {
        listed = w.ComboCount(1024);
        w.SelectComboItem(1024, 1);
        w.Click(IDOK);
      })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(listed, 2);
  EXPECT_EQ(host.nResult, 2);
  EXPECT_EQ(host.Drive(), "F:\\");
  EXPECT_EQ(test::ListDir("D:\\Dictation"), (std::vector<std::string>{"DS0001.DSS", "DS0002.DSS"}));
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\DS0002.DSS"), onF.at("DS0002.DSS"));

  // Cancel in the selection: a failed start without a message.
  boxes.clear();
  test::ScriptedUser again;
  again.On(kConfirm, [](test::Window& w) { w.Click(IDOK); })
      .On(u8"ﾐﾆﾁｭｱ ｶｰﾄﾞ ﾄﾞﾗｲﾌﾞの選択", [](test::Window& w) { w.Click(IDCANCEL); });
  host.nManualDrive = 0;
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(again.Clean()) << again.Report();
  EXPECT_EQ(host.nResult, -1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DnLoadCondition_, ChangingTheMethodSwitchesFormsAndCancelKeepsWhatTheFirstFormGaveBack) {
  PutOnCard('E', 1);
  SetPlatformIdForTesting(std::make_unique<int>(2).get());
  HostCall host("D:\\Dictation", "E:\\");
  test::ScriptedUser user;
  std::string secondName;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDC_DN_CHANGE); })
      .On(kOptions, [](test::Window& w) {
        Press(w, IDC_OPT_NEW_FOLDER);
        w.Click(IDOK);
      })
      .On(kConfirm, [&](test::Window& w) {
        secondName = w.ItemText(IDC_DN_NEWNAME);
        w.Click(IDCANCEL);
      });
  EXPECT_EQ(host.Run(), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(secondName, "2006.3.5-1");
  EXPECT_EQ(host.nMethod, 1);
  EXPECT_EQ(host.nResult, 0);
  EXPECT_EQ(host.NewFolder(), "");
  EXPECT_EQ(test::ListDir("D:\\Dictation"), std::vector<std::string>{});
}

TEST_F(DnLoadCondition_, ChangingTheFolderInTheNewFolderFormNamesTheFolderAfresh) {
  PutOnCard('E', 1);
  test::MakeDir("D:\\Other\\2006.3.5-1");
  SetPlatformIdForTesting(std::make_unique<int>(2).get());
  HostCall host("D:\\Dictation", "E:\\");
  host.nMethod = 1;
  test::ScriptedUser user;
  std::string before, after;
  user.On(kConfirm, [&](test::Window& w) {
        before = w.ItemText(IDC_DN_NEWNAME);
        w.Click(IDC_DN_CHANGE);
      })
      .On(kOptions, [](test::Window& w) { w.Click(IDC_OPT_BROWSE); })
      .On(u8"", [](test::Window& w) {  // the directory chooser
        w.SetItemText(1033, "D:\\Other");
        w.Click(IDOK);
      })
      .On(kOptions, [](test::Window& w) { w.Click(IDOK); })
      .On(kConfirm, [&](test::Window& w) {
        after = w.ItemText(IDC_DN_NEWNAME);
        w.Click(IDOK);
      })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(before, "2006.3.5-1");
  EXPECT_EQ(after, "2006.3.5-2");
  EXPECT_EQ(host.NewFolder(), "2006.3.5-2");
  EXPECT_EQ(host.Folder(), "D:\\Other");
  EXPECT_EQ(host.nResult, 1);
  EXPECT_TRUE(test::Exists("D:\\Other\\2006.3.5-2\\DS0001.DSS"));
}

TEST_F(DnLoadCondition_, AnEmptyFolderIsTheCurrentDirectory) {
  const auto files = PutOnCard('E', 1);
  test::MakeDir("D:\\Work");
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Work"));
  HostCall host("", "E:\\");
  test::ScriptedUser user;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDOK); }).Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(host.Folder(), "D:\\Work");
  EXPECT_EQ(test::ReadFile("D:\\Work\\DS0001.DSS"), files.at("DS0001.DSS"));
}

TEST_F(DnLoadCondition_, TheDeleteFlagAsksOnlyWhenItIsOne) {
  struct Case {
    int bDelete;
    int answer;  // 0: no question expected
    std::size_t leftOnCard;
    const char8_t* text;
  };
  const Case cases[] = {{0, 0, 2, u8"削除しない"}, {1, IDCANCEL, 2, u8"削除する"}, {2, 0, 2, u8"削除する"}, {1, IDOK, 0, u8"削除する"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bDelete * 10 + c.answer);
    test::ClearDrive('D');
    test::MakeDir("D:\\Dictation");
    PutOnCard('E', 2);
    boxes.clear();
    HostCall host("D:\\Dictation", "E:\\");
    host.bDelete = c.bDelete;
    std::string shown;
    test::ScriptedUser user;
    user.On(kConfirm, [&](test::Window& w) {
          shown = w.ItemText(IDC_DN_DELETE_TEXT);
          w.Click(IDOK);
        })
        .Answer(kMessage, IDOK);
    if (c.answer) user.Answer(kMessage, c.answer);
    EXPECT_EQ(host.Run(), 1);
    EXPECT_TRUE(user.Clean()) << user.Report();
    EXPECT_EQ(shown, Sjis(c.text));
    EXPECT_EQ(boxes.size(), c.answer ? 2u : 1u);
    EXPECT_EQ(host.bDelete, c.bDelete);
    EXPECT_EQ(test::ListDir("E:\\").size(), c.leftOnCard);
    EXPECT_EQ(test::ListDir("D:\\Dictation").size(), 2u);
  }
}

TEST_F(DnLoadCondition_, AnUnknownMethodShowsTheNewFolderFormAndComesBackUnchanged) {
  PutOnCard('E', 1);
  HostCall host("D:\\Dictation", "E:\\");
  host.nMethod = 5;
  std::string name;
  test::ScriptedUser user;
  user.On(kConfirm, [&](test::Window& w) {
        name = w.ItemText(IDC_DN_NEWNAME);
        w.Click(IDOK);
      })
      .Answer(kMessage, IDOK);
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(name, "2006.3.5-1");
  EXPECT_EQ(host.nMethod, 5);
  EXPECT_EQ(host.nResult, 1);
}

TEST_F(DnLoadCondition_, CancelHandsNothingBack) {
  PutOnCard('E', 1);
  HostCall host("D:\\Dictation\\", "E:\\");
  host.bDelete = 1;
  test::ScriptedUser user;
  user.On(kConfirm, [](test::Window& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(host.Run(), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(host.nResult, 77);
  EXPECT_EQ(host.Folder(), "D:\\Dictation\\");
  EXPECT_EQ(host.NewFolder(), "host");
  EXPECT_EQ(host.Drive(), "E:\\");
  EXPECT_EQ(test::ListDir("D:\\Dictation"), std::vector<std::string>{});
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
        // The delete question: every copy must be whole while the card
        // still holds the originals.
        for (const auto& [name, bytes] : files) {
          ++checked;
          if (test::ReadFile("D:\\Dictation\\2006.3.5-1\\" + name) != bytes ||
              test::ReadFile("E:\\" + name) != bytes)
            ++differing;
        }
        w.Click(IDOK);
      });
  EXPECT_EQ(host.Run(), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(host.nResult, 500);
  EXPECT_EQ(checked, 500);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(test::ListDir("E:\\"), std::vector<std::string>{});
  EXPECT_EQ(test::ListDir("D:\\Dictation\\2006.3.5-1").size(), 500u);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
}
