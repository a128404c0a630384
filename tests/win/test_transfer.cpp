// The transfer engine on real files: E: is a removable card drive, D: holds
// the download folder. The shell's file operation runs for real unless a
// test puts a faulty one in its place.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
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

// A dictation file whose identity (bytes 50 to 67) repeats `recording`; the
// other bytes are `filler`, so that only the identity makes two files alike.
std::string Dss(const std::string& recording, std::size_t size = 120, char filler = 'x') {
  std::string bytes(size, filler);
  for (std::size_t i = vtk::kIdentityOffset; i < vtk::kIdentityEnd && i < size; ++i)
    bytes[i] = recording[(i - vtk::kIdentityOffset) % recording.size()];
  return bytes;
}

// A double-NUL list as the shell reads it.
std::vector<std::string> Entries(const char* list) {
  std::vector<std::string> entries;
  for (const char* p = list; p && *p; p += std::strlen(p) + 1) entries.emplace_back(p);
  return entries;
}

struct ShellCall {
  UINT func;
  FILEOP_FLAGS flags;
  std::vector<std::string> from, to;
  bool hasTo;
};
std::vector<ShellCall> g_shellCalls;

int WINAPI RecordingShell(LPSHFILEOPSTRUCTA op) {
  g_shellCalls.push_back({op->wFunc, op->fFlags, Entries(op->pFrom), Entries(op->pTo), op->pTo != nullptr});
  return SHFileOperationA(op);
}

// A faulty copy: it stops after g_copies files (the user cancels, the card
// is pulled), or target g_badTarget comes out cut in half (disk full) or, with
// g_keepSize, as long as its source but with one byte changed.
int g_copies = 0, g_badTarget = -1;
bool g_keepSize = false;
int WINAPI FaultyShell(LPSHFILEOPSTRUCTA op) {
  if (op->wFunc != FO_COPY) return RecordingShell(op);
  const auto from = Entries(op->pFrom), to = Entries(op->pTo);
  if (g_badTarget < 0) {
    for (int i = 0; i < g_copies; ++i) CopyFileA(from[i].c_str(), to[i].c_str(), TRUE);
    op->fAnyOperationsAborted = TRUE;
    return ERROR_CANCELLED;
  }
  const int rc = RecordingShell(op);
  std::string bytes = test::ReadFile(to[g_badTarget]);
  if (g_keepSize) bytes[bytes.size() - 1] ^= 1;
  else bytes.resize(bytes.size() / 2);
  test::WriteFile(to[g_badTarget], bytes);
  return rc;
}

using Names = std::vector<std::string>;
using Files = std::map<std::string, std::string>;  // name, recording
using Box = std::tuple<std::string, std::string, UINT>;  // text, caption, style

class Transfer : public testing::Test {
 protected:
  void SetUp() override {  // also between the cases of a table
    test::ClearDrive('E');
    test::ClearDrive('D');
    test::MakeDir("D:\\Dictation");
    g_shellCalls.clear();
    boxes.clear();
    vtk::SetShellFileOperationForTesting(&RecordingShell);
    vtk::SetMessageBoxObserverForTesting(
        [this](HWND, const std::string& text, const std::string& caption, UINT style) { boxes.emplace_back(text, caption, style); });
  }
  void TearDown() override {
    vtk::SetShellFileOperationForTesting(nullptr);
    vtk::SetMessageBoxObserverForTesting(nullptr);
  }

  static void Card(const std::string& name, const std::string& bytes) { test::WriteFile(kCard + name, bytes); }
  static void Target(const std::string& name, const std::string& bytes) { test::WriteFile(kFolder + name, bytes); }
  // The download folder's files, each with its identity bytes.
  Files Recordings() {
    Files files;
    for (const std::string& name : test::ListDir("D:\\Dictation"))
      files[name] = test::ReadFile(kFolder + name).substr(vtk::kIdentityOffset, 18);
    return files;
  }
  // Runs the engine as the confirmation dialog does. Without a user of the
  // test's own, any dialog (a shell prompt to replace a file) fails the test.
  int Run(const std::string& subFolder = "", test::ScriptedUser* user = nullptr) {
    sub = subFolder;
    CDnLoadTransfer job(source, folder, sub, count);
    std::optional<test::ScriptedUser> nobody;
    if (!user) nobody.emplace();
    job.Run(nullptr);
    if (nobody) {
      EXPECT_TRUE(nobody->Clean()) << nobody->Report();
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
  Box CountBox(int n) { return {vtk::FormatWithCount(LoadResString(IDS_DNLOAD_COUNT), n), caption_, MB_OK}; }
  Box DeleteBox() { return {LoadResString(IDS_DNLOAD_DELETE_QUESTION), caption_, MB_OKCANCEL | MB_ICONQUESTION}; }

  AFX_MAINTAIN_STATE2 m_frame{AfxGetStaticModuleState()};
  const std::string caption_ = LoadResString(IDS_DNLOAD_CAPTION);
  std::string source = kCard, folder = kFolder, sub;
  int count = -7;
  std::vector<std::string> sources, targets;
  std::string sourceList;
  std::vector<Box> boxes;
};

}  // namespace

TEST_F(Transfer, FreeNamesGoInOneShellCopyAndAreReportedAndDeleted) {
  Card("A.dss", Dss("AAAA"));
  Card("B.dss", Dss("BBBB", 70));
  Card("notes.txt", "not a dictation");
  EXPECT_EQ(Run(), 2);
  ASSERT_EQ(g_shellCalls.size(), 1u);
  EXPECT_EQ(std::make_pair(g_shellCalls[0].func, g_shellCalls[0].flags), std::make_pair(UINT(FO_COPY), FILEOP_FLAGS(FOF_MULTIDESTFILES)));
  EXPECT_EQ(test::ListDir("D:\\Dictation"), (Names{"A.dss", "B.dss"}));
  EXPECT_EQ(test::ReadFile(kFolder + "A.dss") + test::ReadFile(kFolder + "B.dss"), Dss("AAAA") + Dss("BBBB", 70));

  Report(1, IDOK);
  EXPECT_EQ(boxes, (std::vector<Box>{CountBox(2), DeleteBox()}));
  EXPECT_EQ(std::get<0>(boxes[0]), Sjis(u8"2 個のﾌｧｲﾙがﾀﾞｳﾝﾛｰﾄﾞされました。"));
  ASSERT_EQ(g_shellCalls.size(), 2u);
  EXPECT_EQ(std::make_pair(g_shellCalls[1].func, g_shellCalls[1].flags), std::make_pair(UINT(FO_DELETE), FILEOP_FLAGS(FOF_NOCONFIRMATION)));
  EXPECT_FALSE(g_shellCalls[1].hasTo);
  EXPECT_EQ(test::ListDir("E:\\"), Names{"notes.txt"});
}

TEST_F(Transfer, OneFileCopiesWithoutFlagsIntoTheSubfolderAndKeepsItWhenNotToBeDeleted) {
  test::MakeDir("D:\\Dictation\\2006.3.5-1");
  Card("REC.dss", Dss("AAAA"));
  EXPECT_EQ(Run("2006.3.5-1\\"), 1);
  EXPECT_EQ(sub, "D:\\Dictation\\2006.3.5-1\\");
  ASSERT_EQ(g_shellCalls.size(), 1u);
  EXPECT_EQ(g_shellCalls[0].flags, 0);
  EXPECT_EQ(targets, Names{"D:\\Dictation\\2006.3.5-1\\REC.dss"});
  EXPECT_TRUE(test::Exists("D:\\Dictation\\2006.3.5-1\\REC.dss"));
  Report(1, IDCANCEL);
  Report(0, IDOK);
  EXPECT_EQ(boxes, (std::vector<Box>{CountBox(1), DeleteBox(), CountBox(1)}));
  EXPECT_EQ(g_shellCalls.size(), 1u);
  EXPECT_TRUE(test::Exists("E:\\REC.dss"));
}

TEST_F(Transfer, AnEmptyCardCopiesAndShowsNothing) {
  EXPECT_EQ(Run("x\\"), 0);
  EXPECT_EQ(sub, kFolder + "x\\");
  EXPECT_TRUE(g_shellCalls.empty());
  Report(1, IDOK, false);
  EXPECT_TRUE(boxes.empty());
}

// Each case downloads once and then again: the second run finds every
// recording in place and copies nothing.
TEST_F(Transfer, TakenNamesGetSerialNamesUnlessTheRecordingIsThere) {
  struct Case {
    const char* what;
    Files card, before;
    int count;
    Files added;
    std::vector<std::string> queued;  // targets in queue order, when it matters
    std::string held;                 // a target that another program holds open during the first run
  };
  const std::string alpha = Sjis(u8"Α"), alphaSmall = Sjis(u8"α");  // Greek: one letter to the file system
  const Case cases[] = {
      {"the naming table", {{"REC.dss", "A"}, {"REC_3.dss", "C"}, {"MY_FILE.dss", "M"}},
       {{"REC.dss", "o1"}, {"REC_3.dss", "o2"}, {"MY_FILE.dss", "o3"}, {"REC_1.DSS", "o4"}}, 3,
       {{"REC_2.DSS", "A"}, {"REC_4.DSS", "C"}, {"MY_FILE_1.DSS", "M"}}, {}, ""},
      {"only the unbroken run of serials is compared", {{"REC.dss", "A"}}, {{"REC.dss", "o1"}, {"REC_2.DSS", "A"}}, 1,
       {{"REC_1.DSS", "A"}}, {}, ""},
      {"free names first, batch clashes avoided", {{"REC.dss", "A"}, {"REC_1.dss", "B"}}, {{"REC.dss", "o1"}}, 2,
       {{"REC_1.dss", "B"}, {"REC_2.DSS", "A"}}, {"REC_1.dss", "REC_2.DSS"}, ""},
      {"batch names compared as the file system does", {{alpha + ".dss", "A"}, {alphaSmall + "_1.dss", "B"}},
       {{alpha + ".dss", "o1"}}, 2, {{alphaSmall + "_1.dss", "B"}, {alpha + "_2.DSS", "A"}}, {}, ""},
      {"a serial pushed past a taken name still avoids the batch",
       {{"REC.dss", "A"}, {"REC_1.dss", "B"}, {"REC_3.dss", "C"}}, {{"REC.dss", "o1"}, {"REC_2.DSS", "o2"}}, 3,
       {{"REC_1.dss", "B"}, {"REC_3.dss", "C"}, {"REC_4.DSS", "A"}}, {}, ""},
      {"only bytes 50 to 67 make the same recording", {{"REC.dss", "A"}}, {{"REC.dss", "A"}}, 0, {}, {}, ""},
      {"a name held open elsewhere is taken", {{"REC.dss", "A"}}, {{"REC.dss", "o1"}}, 1, {{"REC_1.DSS", "A"}}, {},
       "REC.dss"},
      {"so is a serial name held open", {{"REC.dss", "A"}}, {{"REC.dss", "o1"}, {"REC_1.DSS", "A"}}, 1,
       {{"REC_2.DSS", "A"}}, {}, "REC_1.DSS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    for (const auto& [name, rec] : c.card) Card(name, Dss(rec, 120, 'x'));
    for (const auto& [name, rec] : c.before) Target(name, Dss(rec, 120, 'y'));
    HANDLE held = c.held.empty() ? INVALID_HANDLE_VALUE
                                 : CreateFileA((kFolder + c.held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(c.held.empty(), held == INVALID_HANDLE_VALUE);
    EXPECT_EQ(Run(), c.count);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    Files expected;
    for (const Files* f : {&c.before, &c.added})
      for (const auto& [name, rec] : *f) expected[name] = Dss(rec).substr(vtk::kIdentityOffset, 18);
    EXPECT_EQ(Recordings(), expected);
    if (!c.queued.empty()) {
      std::vector<std::string> names;
      for (const std::string& t : targets) names.emplace_back(vtk::FileNamePart(t));
      EXPECT_EQ(names, c.queued);
    }
    g_shellCalls.clear();
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(g_shellCalls.empty());
  }
}

TEST_F(Transfer, ACardFileThatCannotBeOpenedAbandonsTheRun) {
  // 39 bytes and 表: a cut at 40 bytes would split the character.
  const std::string name = std::string(39, 'n') + kHyo + ".dss";
  Card("A.dss", Dss("AAAA"));
  Card(name, Dss("BBBB"));
  HANDLE lock = CreateFileA((kCard + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ASSERT_EQ(std::fopen((kCard + name).c_str(), "rb"), nullptr) << "the lock must keep the file from being opened";
  test::ScriptedUser user;
  std::string shown;
  EXPECT_EQ(Run("", &user.Answer(u8"ﾀﾞｳﾝﾛｰﾄﾞ", IDOK, &shown)), 0);
  CloseHandle(lock);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(shown, "Error opening " + std::string(39, 'n'));
  EXPECT_EQ(boxes, (std::vector<Box>{{shown, caption_, MB_OK | MB_ICONEXCLAMATION}}));
  EXPECT_TRUE(g_shellCalls.empty() && sources.empty());
  EXPECT_TRUE(test::ListDir("D:\\Dictation").empty());
  Report(1, IDOK, false);
  EXPECT_EQ(boxes.size(), 1u);
}

// A copy that ends early (after 3 of 5) or leaves one target short or
// changed: only the unbroken run of exact copies is counted, reported and
// deleted from the card.
TEST_F(Transfer, OnlyExactCopiesAreCountedAndDeleted) {
  struct Case {
    const char* what;
    int files, copies, badTarget;
    bool keepSize;
    int confirmed;
  };
  for (const Case& c : {Case{"cancelled after 3 of 5", 5, 3, -1, false, 3}, Case{"second of 3 cut short", 3, 0, 1, false, 1},
                        Case{"second of 3 changed, same size", 3, 0, 1, true, 1}}) {
    SCOPED_TRACE(c.what);
    SetUp();
    for (int i = 0; i < c.files; ++i) Card(std::string(1, char('A' + i)) + ".dss", Dss(std::string(1, char('A' + i)), 4000));
    vtk::SetShellFileOperationForTesting(&FaultyShell);
    g_copies = c.copies;
    g_badTarget = c.badTarget;
    g_keepSize = c.keepSize;
    EXPECT_EQ(Run(), c.confirmed);
    Report(1, IDOK);
    EXPECT_EQ(boxes, (std::vector<Box>{CountBox(c.confirmed), DeleteBox()}));
    ASSERT_FALSE(g_shellCalls.empty());
    EXPECT_EQ(g_shellCalls.back().func, UINT(FO_DELETE));
    EXPECT_EQ(g_shellCalls.back().from, Names(sources.begin(), sources.begin() + c.confirmed));
    for (std::size_t i = 0; i < sources.size(); ++i) EXPECT_EQ(test::Exists(sources[i]), int(i) >= c.confirmed) << sources[i];
  }
}

TEST_F(Transfer, PathsTooLongAreNotQueuedAndTheUserIsToldOnce) {
  // A download folder of 234 bytes: "A.dss" fits (239), longer names do not.
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
  EXPECT_EQ(Run("", &user.Answer(u8"ﾀﾞｳﾝﾛｰﾄﾞ", IDOK, &shown)), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(targets, Names{folder + "A.dss"});
  EXPECT_EQ(shown, Sjis(u8"ﾊﾟｽが長すぎるため、ﾀﾞｳﾝﾛｰﾄﾞされなかったﾌｧｲﾙがあります。"));
  EXPECT_EQ(boxes, (std::vector<Box>{{LoadResString(IDS_DNLOAD_PATH_TOO_LONG), caption_, MB_OK | MB_ICONEXCLAMATION}}));
  test::RemoveTree(folder.substr(0, folder.size() - 1));

  // Any source folder makes a search pattern; one that cannot exist finds nothing.
  source = "E:\\" + std::string(2000, 's') + "\\";
  folder = kFolder;
  EXPECT_EQ(Run(), 0);
}
