// The transfer engine on real files: E: is a removable card drive, D: holds
// the download folder. The shell's file operation runs for real unless a
// test puts a faulty one in its place.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "core/transfer_names.h"
#include "download/transfer.h"
#include "framework/modulestate.h"
#include "framework/msgbox.h"
#include "res/ids_download.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"

using test::Sjis;

namespace {

const std::string kCard = "E:\\";
const std::string kFolder = "D:\\Dictation\\";
const std::string kHyo = "\x95\x5C";  // 表, trail byte 0x5C

// A dictation file of `size` bytes whose identity (bytes 50 to 67) comes
// from `recording`; the other bytes come from `filler`, so that only the
// identity can make two files the same recording.
std::string Dss(const std::string& recording, std::size_t size = 120, char filler = 'x') {
  std::string bytes(size, filler);
  for (std::size_t i = vtk::kIdentityOffset; i < vtk::kIdentityEnd && i < size; ++i)
    bytes[i] = recording[(i - vtk::kIdentityOffset) % recording.size()];
  return bytes;
}

// A double-NUL list as the shell reads it: up to and including the empty
// entry that ends it.
std::vector<std::string> Entries(const char* list) {
  std::vector<std::string> entries;
  for (const char* p = list; p && *p; p += std::strlen(p) + 1) entries.emplace_back(p);
  return entries;
}

struct ShellCall {
  UINT func;
  FILEOP_FLAGS flags;
  std::vector<std::string> from;
  std::vector<std::string> to;
  bool hasTo;
};
std::vector<ShellCall> g_shellCalls;

// Copies of the faulty shell operations below.
int g_copiesBeforeAbort = 0;
int g_shortTarget = -1;

int WINAPI RecordingShell(LPSHFILEOPSTRUCTA op) {
  g_shellCalls.push_back({op->wFunc, op->fFlags, Entries(op->pFrom), Entries(op->pTo), op->pTo != nullptr});
  return SHFileOperationA(op);
}

// The user cancels (or the card is pulled) after some copies.
int WINAPI CopyThenAbort(LPSHFILEOPSTRUCTA op) {
  g_shellCalls.push_back({op->wFunc, op->fFlags, {}, {}, op->pTo != nullptr});
  if (op->wFunc != FO_COPY) return SHFileOperationA(op);
  const auto from = Entries(op->pFrom);
  const auto to = Entries(op->pTo);
  for (int i = 0; i < g_copiesBeforeAbort; ++i) CopyFileA(from[i].c_str(), to[i].c_str(), TRUE);
  op->fAnyOperationsAborted = TRUE;
  return ERROR_CANCELLED;
}

// The copy runs, but one target comes out short (disk full).
int WINAPI CopyWithShortTarget(LPSHFILEOPSTRUCTA op) {
  const int rc = RecordingShell(op);
  if (op->wFunc == FO_COPY) {
    const auto to = Entries(op->pTo);
    const std::string whole = test::ReadFile(to[g_shortTarget]);
    test::WriteFile(to[g_shortTarget], whole.substr(0, whole.size() / 2));
  }
  return rc;
}

using Box = std::tuple<std::string, std::string, UINT>;  // text, caption, style

class Transfer : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('E');
    test::ClearDrive('D');
    test::MakeDir("D:\\Dictation");
    g_shellCalls.clear();
    vtk::SetShellFileOperationForTesting(&RecordingShell);
    vtk::SetMessageBoxObserverForTesting(
        [this](HWND, const std::string& text, const std::string& caption, UINT style) { boxes.emplace_back(text, caption, style); });
  }
  void TearDown() override {
    vtk::SetShellFileOperationForTesting(nullptr);
    vtk::SetMessageBoxObserverForTesting(nullptr);
  }

  void Card(const std::string& name, const std::string& bytes) { test::WriteFile(kCard + name, bytes); }
  void Target(const std::string& name, const std::string& bytes) { test::WriteFile(kFolder + name, bytes); }

  // Runs the engine as the confirmation dialog does. Without a user of the
  // test's own, any dialog that comes up (a shell prompt to replace a file,
  // say) is a failure and is cancelled.
  int Run(const std::string& subFolder = "", test::ScriptedUser* user = nullptr) {
    sub = subFolder;
    CDnLoadTransfer job(source, folder, sub, count);
    if (user) {
      job.Run(nullptr);
    } else {
      test::ScriptedUser nobody;
      job.Run(nullptr);
      EXPECT_TRUE(nobody.Clean()) << nobody.Report();
    }
    sources = vtk::SplitDoubleNulList(job.m_strSourceList);
    targets = vtk::SplitDoubleNulList(job.m_strTargetList);
    sourceList = job.m_strSourceList;
    return count;
  }
  // The completion step, with the user's answer to the delete question, if
  // the count is to be shown at all (a box nobody expects fails the test).
  void Report(int bDelete, int answer, bool expectBoxes = true) {
    test::ScriptedUser user;
    if (expectBoxes) user.Answer(u8"ﾀﾞｳﾝﾛｰﾄﾞ", IDOK);
    if (expectBoxes && bDelete == 1) user.Answer(u8"ﾀﾞｳﾝﾛｰﾄﾞ", answer);
    ReportDnLoad(static_cast<HWND>(nullptr), count, bDelete, sourceList);
    EXPECT_TRUE(user.Clean()) << user.Report();
  }
  Box CountBox(int n) {
    return {vtk::FormatWithCount(LoadResString(IDS_DNLOAD_COUNT), n), LoadResString(IDS_DNLOAD_CAPTION), MB_OK};
  }
  Box DeleteBox() {
    return {LoadResString(IDS_DNLOAD_DELETE_QUESTION), LoadResString(IDS_DNLOAD_CAPTION), MB_OKCANCEL | MB_ICONQUESTION};
  }

  AFX_MAINTAIN_STATE2 m_frame{AfxGetStaticModuleState()};
  std::string source = kCard, folder = kFolder, sub;
  int count = -7;
  std::vector<std::string> sources, targets;
  std::string sourceList;
  std::vector<Box> boxes;
};

}  // namespace

TEST_F(Transfer, FreeNamesGoInOneShellCopyAndAreReportedAndDeleted) {
  Card("A.dss", Dss("060305101112AAAAAA"));
  Card("B.dss", Dss("060305101113BBBBBB", 70));
  Card("notes.txt", "not a dictation");
  EXPECT_EQ(Run(), 2);
  ASSERT_EQ(g_shellCalls.size(), 1u);
  EXPECT_EQ(g_shellCalls[0].func, UINT(FO_COPY));
  EXPECT_EQ(g_shellCalls[0].flags, FOF_MULTIDESTFILES);
  EXPECT_EQ(test::ReadFile(kFolder + "A.dss"), Dss("060305101112AAAAAA"));
  EXPECT_EQ(test::ReadFile(kFolder + "B.dss"), Dss("060305101113BBBBBB", 70));
  EXPECT_FALSE(test::Exists(kFolder + "notes.txt"));

  Report(1, IDOK);
  EXPECT_EQ(boxes, (std::vector<Box>{CountBox(2), DeleteBox()}));
  EXPECT_EQ(std::get<0>(boxes[0]), Sjis(u8"2 個のﾌｧｲﾙがﾀﾞｳﾝﾛｰﾄﾞされました。"));
  ASSERT_EQ(g_shellCalls.size(), 2u);
  EXPECT_EQ(g_shellCalls[1].func, UINT(FO_DELETE));
  EXPECT_EQ(g_shellCalls[1].flags, FOF_NOCONFIRMATION);
  EXPECT_FALSE(g_shellCalls[1].hasTo);
  EXPECT_EQ(test::ListDir("E:\\"), (std::vector<std::string>{"notes.txt"}));
}

TEST_F(Transfer, OneFileCopiesWithoutFlagsIntoTheSubfolderAndKeepsItWhenNotToBeDeleted) {
  test::MakeDir("D:\\Dictation\\2006.3.5-1");
  Card("REC.dss", Dss("060305101112AAAAAA"));
  EXPECT_EQ(Run("2006.3.5-1\\"), 1);
  EXPECT_EQ(sub, "D:\\Dictation\\2006.3.5-1\\");
  ASSERT_EQ(g_shellCalls.size(), 1u);
  EXPECT_EQ(g_shellCalls[0].flags, 0);
  EXPECT_EQ(targets, (std::vector<std::string>{"D:\\Dictation\\2006.3.5-1\\REC.dss"}));
  EXPECT_TRUE(test::Exists("D:\\Dictation\\2006.3.5-1\\REC.dss"));

  Report(1, IDCANCEL);
  EXPECT_EQ(boxes, (std::vector<Box>{CountBox(1), DeleteBox()}));
  EXPECT_EQ(g_shellCalls.size(), 1u);
  EXPECT_TRUE(test::Exists("E:\\REC.dss"));
  boxes.clear();
  Report(0, IDOK);
  EXPECT_EQ(boxes, (std::vector<Box>{CountBox(1)}));
}

TEST_F(Transfer, EmptyCardAndAlreadyDownloadedFilesCopyAndShowNothing) {
  EXPECT_EQ(Run("x\\"), 0);
  EXPECT_EQ(sub, kFolder + "x\\");
  // Same recording: only bytes 50 to 67 count.
  Card("REC.dss", Dss("060305101112AAAAAA", 120, 'x'));
  Target("REC.dss", Dss("060305101112AAAAAA", 120, 'y'));
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(g_shellCalls.empty());
  EXPECT_TRUE(targets.empty());
  Report(1, IDOK, false);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(test::ListDir("D:\\Dictation"), (std::vector<std::string>{"REC.dss"}));
}

TEST_F(Transfer, TakenNamesGetSerialNamesUnlessTheRecordingIsThere) {
  Card("REC.dss", Dss("060305101112AAAAAA"));
  Card("REC_3.dss", Dss("060305101113CCCCCC"));
  Card("MY_FILE.dss", Dss("060305101114MMMMMM"));
  Target("REC.dss", Dss("990101000000OTHER1"));
  Target("REC_3.dss", Dss("990101000000OTHER2"));
  Target("MY_FILE.dss", Dss("990101000000OTHER3"));
  Target("REC_1.DSS", Dss("990101000000OTHER4"));
  EXPECT_EQ(Run(), 3);
  EXPECT_EQ(test::ReadFile(kFolder + "REC_2.DSS"), Dss("060305101112AAAAAA"));
  EXPECT_EQ(test::ReadFile(kFolder + "REC_4.DSS"), Dss("060305101113CCCCCC"));
  EXPECT_EQ(test::ReadFile(kFolder + "MY_FILE_1.DSS"), Dss("060305101114MMMMMM"));

  // A second download of the same card finds every recording in place.
  g_shellCalls.clear();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(g_shellCalls.empty());
}

TEST_F(Transfer, OnlyTheUnbrokenRunOfSerialNamesIsComparedWithTheRecording) {
  Card("REC.dss", Dss("060305101112AAAAAA"));
  Target("REC.dss", Dss("990101000000OTHER1"));
  Target("REC_2.DSS", Dss("060305101112AAAAAA"));
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(targets, (std::vector<std::string>{kFolder + "REC_1.DSS"}));
  EXPECT_EQ(test::ReadFile(kFolder + "REC_1.DSS"), Dss("060305101112AAAAAA"));
}

TEST_F(Transfer, FreeNamesComeFirstAndBatchClashesAreAvoided) {
  Card("REC.dss", Dss("060305101112AAAAAA"));
  Card("REC_1.dss", Dss("060305101113BBBBBB"));
  Target("REC.dss", Dss("990101000000OTHER1"));
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(sources, (std::vector<std::string>{"E:\\REC_1.dss", "E:\\REC.dss"}));
  EXPECT_EQ(targets, (std::vector<std::string>{kFolder + "REC_1.dss", kFolder + "REC_2.DSS"}));
  EXPECT_EQ(test::ReadFile(kFolder + "REC_1.dss"), Dss("060305101113BBBBBB"));
  EXPECT_EQ(test::ReadFile(kFolder + "REC_2.DSS"), Dss("060305101112AAAAAA"));
}

TEST_F(Transfer, ASerialNamePushedPastATakenNameStillAvoidsTheBatch) {
  // REC_1 is queued from the card, REC_2 is taken on disk, REC_3 is queued
  // from the card: REC.dss must not become REC_3 as well.
  Card("REC.dss", Dss("060305101112AAAAAA"));
  Card("REC_1.dss", Dss("060305101113BBBBBB"));
  Card("REC_3.dss", Dss("060305101114CCCCCC"));
  Target("REC.dss", Dss("990101000000OTHER1"));
  Target("REC_2.DSS", Dss("990101000000OTHER2"));
  EXPECT_EQ(Run(), 3);
  EXPECT_EQ(test::ReadFile(kFolder + "REC_3.dss"), Dss("060305101114CCCCCC"));
  EXPECT_EQ(test::ReadFile(kFolder + "REC_4.DSS"), Dss("060305101112AAAAAA"));
}

TEST_F(Transfer, ShortFilesAreTheSameRecordingOnlyWhenEveryByteReadMatches) {
  Card("Z0.dss", "");
  Target("Z0.dss", "");
  Card("E0.dss", "");
  Target("E0.dss", "12345");
  Card("S69.dss", Dss("060305101112AAAAAA", 69, 'x'));
  Target("S69.dss", Dss("060305101112AAAAAA", 69, 'y'));
  Card("T69.dss", Dss("060305101112AAAAAA", 69));
  Target("T69.dss", Dss("060305101112AAAAAA", 70));
  Card("S20.dss", std::string(20, 'q'));
  Target("S20.dss", std::string(20, 'r'));
  EXPECT_EQ(Run(), 3);
  EXPECT_EQ(test::ListDir("D:\\Dictation"), (std::vector<std::string>{"E0.dss", "E0_1.DSS", "S20.dss", "S20_1.DSS",
                                                                       "S69.dss", "T69.dss", "T69_1.DSS", "Z0.dss"}));
  EXPECT_EQ(test::ReadFile(kFolder + "E0_1.DSS"), "");
}

TEST_F(Transfer, ACardFileThatCannotBeOpenedAbandonsTheRun) {
  // 39 bytes and 表: a cut at 40 bytes would split the character.
  const std::string name = std::string(39, 'n') + kHyo + ".dss";
  Card("A.dss", Dss("060305101112AAAAAA"));
  Card(name, Dss("060305101113BBBBBB"));
  HANDLE lock = CreateFileA((kCard + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ASSERT_EQ(std::fopen((kCard + name).c_str(), "rb"), nullptr) << "the lock must keep the file from being opened";
  test::ScriptedUser user;
  std::string shown;
  user.Answer(u8"ﾀﾞｳﾝﾛｰﾄﾞ", IDOK, &shown);
  EXPECT_EQ(Run("", &user), 0);
  CloseHandle(lock);
  EXPECT_TRUE(user.Clean()) << user.Report();
  const std::string expected = "Error opening " + std::string(39, 'n');
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(boxes, (std::vector<Box>{{expected, LoadResString(IDS_DNLOAD_CAPTION), MB_OK | MB_ICONEXCLAMATION}}));
  EXPECT_TRUE(g_shellCalls.empty());
  EXPECT_TRUE(sources.empty());
  EXPECT_TRUE(test::ListDir("D:\\Dictation").empty());
  boxes.clear();
  Report(1, IDOK, false);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Transfer, ACopyCutShortAfterThreeOfFiveCountsAndDeletesThree) {
  for (char c = 'A'; c <= 'E'; ++c) Card(std::string(1, c) + ".dss", Dss(std::string("0603051011") + c));
  vtk::SetShellFileOperationForTesting(&CopyThenAbort);
  g_copiesBeforeAbort = 3;
  EXPECT_EQ(Run(), 3);
  const std::vector<std::string> copied = {sources[0], sources[1], sources[2]};
  Report(1, IDOK);
  EXPECT_EQ(boxes, (std::vector<Box>{CountBox(3), DeleteBox()}));
  for (std::size_t i = 0; i < sources.size(); ++i) EXPECT_EQ(test::Exists(sources[i]), i >= 3) << sources[i];
}

TEST_F(Transfer, AShortCopyIsNotConfirmedSoItsOriginalStaysOnTheCard) {
  for (char c = 'A'; c <= 'C'; ++c) Card(std::string(1, c) + ".dss", Dss(std::string("0603051011") + c, 4000));
  vtk::SetShellFileOperationForTesting(&CopyWithShortTarget);
  g_shortTarget = 1;
  EXPECT_EQ(Run(), 1);
  Report(1, IDOK);
  EXPECT_EQ(boxes, (std::vector<Box>{CountBox(1), DeleteBox()}));
  ASSERT_EQ(g_shellCalls.size(), 2u);
  EXPECT_EQ(g_shellCalls[1].from, (std::vector<std::string>{sources[0]}));
  EXPECT_FALSE(test::Exists(sources[0]));
  EXPECT_TRUE(test::Exists(sources[1]));
  EXPECT_TRUE(test::Exists(sources[2]));
}

TEST_F(Transfer, PathsTooLongAreNotQueuedAndTheUserIsToldOnce) {
  // Download folder of 234 bytes: "A.dss" fits (239), longer names do not.
  folder = "D:\\" + std::string(230, 'L') + "\\";
  test::MakeDir(folder.substr(0, folder.size() - 1));
  Card("A.dss", Dss("060305101112AAAAAA"));
  Card(std::string(30, 'p') + ".dss", Dss("060305101113BBBBBB"));
  Card(std::string(31, 'q') + ".dss", Dss("060305101114CCCCCC"));
  // Taken by another recording; its serial name "R_1.DSS" fits, but
  // "<17 r>_1.DSS" makes 257 bytes.
  Card(std::string(17, 'r') + ".dss", Dss("060305101115DDDDDD"));
  test::WriteFile(folder + std::string(17, 'r') + ".dss", Dss("990101000000OTHER1"));
  test::ScriptedUser user;
  std::string shown;
  user.Answer(u8"ﾀﾞｳﾝﾛｰﾄﾞ", IDOK, &shown);
  EXPECT_EQ(Run("", &user), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(targets, (std::vector<std::string>{folder + "A.dss"}));
  EXPECT_EQ(shown, Sjis(u8"ﾊﾟｽが長すぎるため、ﾀﾞｳﾝﾛｰﾄﾞされなかったﾌｧｲﾙがあります。"));
  EXPECT_EQ(boxes, (std::vector<Box>{{LoadResString(IDS_DNLOAD_PATH_TOO_LONG), LoadResString(IDS_DNLOAD_CAPTION),
                                      MB_OK | MB_ICONEXCLAMATION}}));
  test::RemoveTree(folder.substr(0, folder.size() - 1));

  // Any source folder makes a search pattern; one that cannot exist finds
  // nothing.
  source = "E:\\" + std::string(2000, 's') + "\\";
  folder = kFolder;
  EXPECT_EQ(Run(), 0);
}
