// The transfer engine on real files: E: is a removable card drive, D: holds
// the download folder. The shell's file operation runs for real, seen by the
// test, unless a test puts a faulty one in its place. A dialog that no step
// expects (a shell prompt to replace a file) fails the test.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <tuple>

#include "core/transfer_names.h"
#include "download/transfer.h"
#include "framework/modulestate.h"
#include "framework/msgbox.h"
#include "res/ids_download.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"

using test::Res;
using Names = std::vector<std::string>;

namespace {

const std::string kCard = "E:\\", kFolder = "D:\\Dictation\\";

// A dictation file whose identity (bytes 50 to 67) repeats `recording`; the
// other bytes are `filler`, so that only the identity makes two files alike.
std::string Dss(const std::string& recording, std::size_t size = 120, char filler = 'x') {
  std::string bytes(size, filler);
  for (std::size_t i = vtk::kIdentityOffset; i < vtk::kIdentityEnd && i < size; ++i)
    bytes[i] = recording[(i - vtk::kIdentityOffset) % recording.size()];
  return bytes;
}

Names Entries(const char* list) {
  Names entries;
  for (const char* p = list; p && *p; p += std::strlen(p) + 1) entries.emplace_back(p);
  return entries;
}

// What the shell was asked: its function and flags, the sources, and whether
// targets were given.
struct ShellCall {
  UINT func;
  FILEOP_FLAGS flags;
  Names from;
  bool hasTo;
  bool operator==(const ShellCall&) const = default;
};
std::vector<ShellCall> g_shellCalls;

int WINAPI RecordingShell(LPSHFILEOPSTRUCTA op) {
  g_shellCalls.push_back({op->wFunc, op->fFlags, Entries(op->pFrom), op->pTo != nullptr});
  return SHFileOperationA(op);
}

// A faulty copy: it stops after g_copies files (the user cancels, the card
// is pulled), or target g_badTarget comes out cut in half (disk full) or, with
// g_keepSize, as long as its source but with one byte changed.
int g_copies = 0, g_badTarget = -1;
bool g_keepSize = false;
int WINAPI FaultyShell(LPSHFILEOPSTRUCTA op) {
  if (op->wFunc != FO_COPY) return RecordingShell(op);
  const Names from = Entries(op->pFrom), to = Entries(op->pTo);
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

class Transfer : public testing::Test {
 protected:
  void SetUp() override {  // also between the cases of a table
    for (char drive : {'D', 'E'}) test::ClearDrive(drive);
    test::MakeDir("D:\\Dictation");
    g_shellCalls.clear(), styles.clear();
    vtk::SetShellFileOperationForTesting(&RecordingShell);
    vtk::SetMessageBoxObserverForTesting([this](HWND, const std::string&, const std::string& caption, UINT style) {
      EXPECT_EQ(caption, Res(IDS_DNLOAD_CAPTION));
      styles.push_back(style);
    });
  }
  void TearDown() override { vtk::SetShellFileOperationForTesting(nullptr), vtk::SetMessageBoxObserverForTesting(nullptr); }
  static void Card(const std::string& name, const std::string& bytes) { test::WriteFile(kCard + name, bytes); }
  // The download folder's files, each with its identity bytes.
  static std::map<std::string, std::string> Recordings() {
    std::map<std::string, std::string> files;
    for (const std::string& name : test::ListDir("D:\\Dictation"))
      files[name] = test::ReadFile(kFolder + name).substr(vtk::kIdentityOffset, 18);
    return files;
  }
  // Runs the engine as the confirmation dialog does; the user answers the
  // engine's boxes, whose texts are `shown`.
  int Copy(const std::string& subFolder = "", const Names& shown = {}) {
    test::ScriptedUser user;
    for (const std::string& text : shown) user.Answer(Res(IDS_DNLOAD_CAPTION), IDOK, text);
    sub = subFolder;
    CDnLoadTransfer job(source, folder, sub, count);
    job.Run(nullptr);
    sources = vtk::SplitDoubleNulList(sourceList = job.m_strSourceList);
    targets = vtk::SplitDoubleNulList(job.m_strTargetList);
    return count;
  }
  // The completion step: the count, and the delete question when bDelete is
  // 1, answered with `answer`; no box when nothing was copied.
  void Report(int bDelete, int answer) {
    test::ScriptedUser user;
    if (count > 0) user.Answer(Res(IDS_DNLOAD_CAPTION), IDOK, vtk::FormatWithCount(Res(IDS_DNLOAD_COUNT), count));
    if (count > 0 && bDelete == 1) user.Answer(Res(IDS_DNLOAD_CAPTION), answer, Res(IDS_DNLOAD_DELETE_QUESTION));
    ReportDnLoad(static_cast<HWND>(nullptr), count, bDelete, sourceList);
  }

  AFX_MAINTAIN_STATE2 m_frame{AfxGetStaticModuleState()};
  std::string source = kCard, folder = kFolder, sub, sourceList;
  int count = -7;
  Names sources, targets;
  std::vector<UINT> styles;  // of the boxes shown
};

constexpr UINT kCount = MB_OK, kQuestion = MB_OKCANCEL | MB_ICONQUESTION, kError = MB_OK | MB_ICONEXCLAMATION;

}  // namespace

// Free names go in one shell copy (several targets named), into the
// subfolder when one is given; only *.dss files; the count is shown, and the
// copies are deleted from the card when the user agrees.
TEST_F(Transfer, FreeNamesAreCopiedReportedAndDeletedOnRequest) {
  const struct { Names card; std::string sub; int copied, bDelete, answer; FILEOP_FLAGS flags; std::vector<UINT> styles; Names left; } cases[] = {
      {{"A.dss", "B.dss", "notes.txt"}, "", 2, 1, IDOK, FOF_MULTIDESTFILES, {kCount, kQuestion}, {"notes.txt"}},
      {{"REC.dss"}, "2006.3.5-1\\", 1, 1, IDCANCEL, 0, {kCount, kQuestion}, {"REC.dss"}},
      {{"REC.dss"}, "", 1, 0, 0, 0, {kCount}, {"REC.dss"}},
      {{}, "x\\", 0, 1, 0, 0, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.card.size());
    SetUp();
    test::MakeDir(kFolder + c.sub);
    for (const std::string& name : c.card) Card(name, Dss(name, 70 + 10 * name.size()));
    EXPECT_EQ(Copy(c.sub), c.copied);
    EXPECT_EQ(sub, kFolder + c.sub);
    for (const std::string& name : c.card)
      EXPECT_EQ(test::ReadFile(sub + name), name == "notes.txt" ? "" : test::ReadFile(kCard + name));
    Report(c.bDelete, c.answer);
    EXPECT_EQ(styles, c.styles);
    std::vector<ShellCall> calls;
    if (c.copied) calls.push_back({FO_COPY, c.flags, sources, true});
    if (c.answer == IDOK) calls.push_back({FO_DELETE, FOF_NOCONFIRMATION, sources, false});
    EXPECT_EQ(g_shellCalls, calls);
    EXPECT_EQ(test::ListDir("E:\\"), c.left);
  }
}

// Each case downloads once and then again: the second run finds every
// recording in place and copies nothing.
TEST_F(Transfer, TakenNamesGetSerialNamesUnlessTheRecordingIsThere) {
  using Files = std::map<std::string, std::string>;  // name, recording
  // queued: targets in queue order, when it matters; held: a target another program holds open during the first run.
  struct Case { const char* what; Files card, before; int count; Files added; Names queued; std::string held; };
  const std::string alpha = test::Sjis(u8"Α"), alphaSmall = test::Sjis(u8"α");  // one letter to the file system
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
      {"a name held open elsewhere is taken", {{"REC.dss", "A"}}, {{"REC.dss", "o1"}}, 1, {{"REC_1.DSS", "A"}}, {}, "REC.dss"},
      {"so is a serial name held open", {{"REC.dss", "A"}}, {{"REC.dss", "o1"}, {"REC_1.DSS", "A"}}, 1,
       {{"REC_2.DSS", "A"}}, {}, "REC_1.DSS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    for (const auto& [name, rec] : c.card) Card(name, Dss(rec, 120, 'x'));
    for (const auto& [name, rec] : c.before) test::WriteFile(kFolder + name, Dss(rec, 120, 'y'));
    const auto path = kFolder + c.held;
    HANDLE held = c.held.empty() ? INVALID_HANDLE_VALUE : CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(c.held.empty(), held == INVALID_HANDLE_VALUE);
    EXPECT_EQ(Copy(), c.count);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    Files expected;
    for (const Files* f : {&c.before, &c.added})
      for (const auto& [name, rec] : *f) expected[name] = Dss(rec).substr(vtk::kIdentityOffset, 18);
    EXPECT_EQ(Recordings(), expected);
    Names queued;
    for (const std::string& t : targets) queued.emplace_back(vtk::FileNamePart(t));
    EXPECT_TRUE(c.queued.empty() || queued == c.queued);
    g_shellCalls.clear();
    EXPECT_EQ(Copy(), 0);
    EXPECT_TRUE(g_shellCalls.empty());
  }
}

// The message names the file, cut at 40 bytes without splitting 表 (whose
// trail byte is 0x5C); nothing is copied and nothing reported.
TEST_F(Transfer, ACardFileThatCannotBeOpenedAbandonsTheRun) {
  const std::string name = std::string(39, 'n') + "\x95\x5C.dss";
  for (const std::string& n : {std::string("A.dss"), name}) Card(n, Dss(n));
  HANDLE lock = CreateFileA((kCard + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Copy("", {"Error opening " + std::string(39, 'n')}), 0);
  CloseHandle(lock);
  EXPECT_TRUE(g_shellCalls.empty() && sources.empty() && test::ListDir("D:\\Dictation").empty());
  Report(1, IDOK);
  EXPECT_EQ(styles, std::vector<UINT>{kError});
}

// A copy that ends early (after 3 of 5) or leaves one target short or
// changed: only the unbroken run of exact copies is counted, reported and
// deleted from the card.
TEST_F(Transfer, OnlyExactCopiesAreCountedAndDeleted) {
  const struct { const char* what; int files, copies, badTarget; bool keepSize; int confirmed; } cases[] = {{"cancelled after 3 of 5", 5, 3, -1, false, 3}, {"second of 3 cut short", 3, 0, 1, false, 1},
               {"second of 3 changed, same size", 3, 0, 1, true, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    for (int i = 0; i < c.files; ++i) Card(std::string(1, char('A' + i)) + ".dss", Dss(std::string(1, char('A' + i)), 4000));
    vtk::SetShellFileOperationForTesting(&FaultyShell);
    std::tie(g_copies, g_badTarget, g_keepSize) = std::tuple(c.copies, c.badTarget, c.keepSize);
    EXPECT_EQ(Copy(), c.confirmed);
    Report(1, IDOK);
    ASSERT_FALSE(g_shellCalls.empty());
    EXPECT_EQ(g_shellCalls.back(), (ShellCall{FO_DELETE, FOF_NOCONFIRMATION, Names(sources.begin(), sources.begin() + c.confirmed), false}));
    for (std::size_t i = 0; i < sources.size(); ++i) EXPECT_EQ(test::Exists(sources[i]), int(i) >= c.confirmed) << sources[i];
  }
}

// A download folder of 234 bytes: "A.dss" fits (239), longer names do not,
// nor a serial name that would; the user is told once. Any source folder
// makes a search pattern: one that cannot exist finds nothing.
TEST_F(Transfer, PathsTooLongAreNotQueuedAndTheUserIsToldOnce) {
  folder = "D:\\" + std::string(230, 'L') + "\\";
  test::MakeDir(folder.substr(0, folder.size() - 1));
  Card("A.dss", Dss("060305101112AAAAAA"));
  Card(std::string(30, 'p') + ".dss", Dss("060305101113BBBBBB"));
  Card(std::string(31, 'q') + ".dss", Dss("060305101114CCCCCC"));
  // Taken by another recording: "<17 r>_1.DSS" would make 257 bytes.
  Card(std::string(17, 'r') + ".dss", Dss("060305101115DDDDDD"));
  test::WriteFile(folder + std::string(17, 'r') + ".dss", Dss("990101000000OTHER1"));
  EXPECT_EQ(Copy("", {Res(IDS_DNLOAD_PATH_TOO_LONG)}), 1);
  EXPECT_EQ(targets, Names{folder + "A.dss"});
  EXPECT_EQ(styles, std::vector<UINT>{kError});
  test::RemoveTree(folder.substr(0, folder.size() - 1));
  source = "E:\\" + std::string(2000, 's') + "\\";
  folder = kFolder;
  EXPECT_EQ(Copy(), 0);
}
