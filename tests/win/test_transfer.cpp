// The transfer engine on real files: E: is a removable card drive, D: holds
// the download folder. The shell's file operation runs for real, or a
// stand-in does what a real failure leaves behind. Every run is reported
// with deletion asked for and agreed to. A dialog that no step expects fails
// the test.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "core/transfer_names.h"
#include "download/engine/transfer.h"
#include "framework/modulestate.h"
#include "res/ids_download.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"

using test::Res;
using Files = std::map<std::string, std::string>;  // file name, recording

namespace {

// A dictation file whose identity (bytes 50 to 67) repeats `recording`; the
// other bytes are `filler`, so that only the identity makes two files alike.
std::string Dss(const std::string& recording, char filler, std::size_t size = 120) {
  std::string bytes(size, filler);
  for (std::size_t i = vtk::kIdentityOffset; i < vtk::kIdentityEnd && i < size; ++i)
    bytes[i] = recording[(i - vtk::kIdentityOffset) % recording.size()];
  return bytes;
}

// What the tests compare of a file: its identity bytes and its length.
std::string Seen(const std::string& bytes) {
  return bytes.substr(vtk::kIdentityOffset, vtk::kIdentityEnd - vtk::kIdentityOffset) + ":" + std::to_string(bytes.size());
}

std::string Counted(int n) { return std::to_string(n) + test::Sjis(u8" 個のﾌｧｲﾙがﾀﾞｳﾝﾛｰﾄﾞされました。"); }
std::string NotDownloaded(int n) {
  return std::to_string(n) + test::Sjis(u8" 個のﾌｧｲﾙをﾀﾞｳﾝﾛｰﾄﾞできませんでした。これらのﾌｧｲﾙはﾐﾆﾁｭｱ ｶｰﾄﾞに残っています。");
}
std::string NotDeleted(int n) {
  return std::to_string(n) +
         test::Sjis(u8" 個のﾌｧｲﾙはﾐﾆﾁｭｱ ｶｰﾄﾞから削除されませんでした。ﾀﾞｳﾝﾛｰﾄﾞ後に変更されたか、見つからないか、削除できなかったﾌｧｲﾙです。");
}

// Stand-ins for the shell's copy. Each copies file by file, as the shell
// does, and writes what a failure leaves behind in place of a whole copy;
// `copy` returns false to end the operation there. The deletion is always
// the shell's own.
using CopyOne = bool (*)(std::size_t i, const std::string& from, const std::string& to);
int CopyEach(LPSHFILEOPSTRUCTA op, CopyOne copy) {
  if (op->wFunc != FO_COPY) return SHFileOperationA(op);
  const std::vector<std::string> from = vtk::SplitDoubleNulList({op->pFrom, 4096});
  const std::vector<std::string> to = vtk::SplitDoubleNulList({op->pTo, 4096});
  for (std::size_t i = 0; i < from.size() && i < to.size(); ++i)
    if (!copy(i, from[i], to[i])) return ERROR_DISK_FULL;
  return 0;
}
int WINAPI SecondCopyOneByteShort(LPSHFILEOPSTRUCTA op) {
  return CopyEach(op, [](std::size_t i, const std::string& from, const std::string& to) {
    const std::string bytes = test::ReadFile(from);
    return test::WriteFile(to, i == 1 ? bytes.substr(0, bytes.size() - 1) : bytes), true;
  });
}
int WINAPI FirstCopyLastByteChanged(LPSHFILEOPSTRUCTA op) {
  return CopyEach(op, [](std::size_t i, const std::string& from, const std::string& to) {
    std::string bytes = test::ReadFile(from);
    if (i == 0) bytes.back() ^= 1;
    return test::WriteFile(to, bytes), true;
  });
}
// Room for three files: the fourth is created empty, the rest not at all.
int WINAPI DiskFullAfterThree(LPSHFILEOPSTRUCTA op) {
  return CopyEach(op, [](std::size_t i, const std::string& from, const std::string& to) {
    return test::WriteFile(to, i < 3 ? test::ReadFile(from) : ""), i < 3;
  });
}
// Half of the second file written, and success reported.
int WINAPI SecondCopyHalfWritten(LPSHFILEOPSTRUCTA op) {
  return CopyEach(op, [](std::size_t i, const std::string& from, const std::string& to) {
    const std::string bytes = test::ReadFile(from);
    return test::WriteFile(to, i == 1 ? bytes.substr(0, bytes.size() / 2) : bytes), true;
  });
}
// The first card file shrank after the shell had read it.
int WINAPI FirstCardFileShrank(LPSHFILEOPSTRUCTA op) {
  return CopyEach(op, [](std::size_t i, const std::string& from, const std::string& to) {
    const std::string bytes = test::ReadFile(from);
    if (i == 0) test::WriteFile(from, bytes.substr(0, 60));
    return test::WriteFile(to, bytes), true;
  });
}
int WINAPI DeletesNothing(LPSHFILEOPSTRUCTA op) { return op->wFunc == FO_DELETE ? 0 : SHFileOperationA(op); }

void ClearDrives() {
  for (char drive : {'D', 'E'}) test::ClearDrive(drive);
}

}  // namespace

// Free names are copied first; a taken name (also one held open elsewhere, so
// that it cannot be read) gets the first free serial name that no file of the
// same run has; a file of another length is another recording. Every copy is
// read back: only whole ones land under their names and are deleted from the
// card, the others leave nothing at the target and are told. A card file that
// cannot be opened abandons the run; paths too long are left out, the user
// told once. Temporaries of an earlier run go, look-alikes stay.
TEST(Transfer, RunsOnRealFiles) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  const std::string alpha = test::Sjis(u8"Α"), alphaSmall = test::Sjis(u8"α");  // one letter to the file system
  const std::string locked = std::string(39, 'n') + "\x95\x5C.dss", longFolder = "D:\\" + std::string(230, 'L') + "\\";
  const Files abc = {{"A.dss", "A"}, {"B.dss", "B"}, {"C.dss", "C"}};
  const Files five = {{"F1.dss", "1"}, {"F2.dss", "2"}, {"F3.dss", "3"}, {"F4.dss", "4"}, {"F5.dss", "5"}};
  const struct Case {
    const char* what;
    Files card, before;
    int count;
    Files added;
    int notDownloaded = 0;
    std::vector<std::string> held = {};  // full paths another program holds open during the run
    std::string shown = {};              // the message expected before the count
    vtk::ShellFileOperation shell = nullptr;
    std::string folder = "D:\\Dictation\\";
    std::size_t heldSources = 0;   // card files kept open for the read-back; 0 for the engine's bound
    std::size_t beforeSize = 120;  // length of the files already at the target
    std::vector<std::string> leftovers = {};  // names at the target that the run must remove
  } cases[] = {
      {"serials pushed past taken names and batch names",
       {{"REC.dss", "A"}, {"REC_1.dss", "B"}, {"REC_3.dss", "C"}, {"notes.txt", "N"}}, {{"REC.dss", "o1"}, {"REC_2.DSS", "o2"}}, 3,
       {{"REC_1.dss", "B"}, {"REC_3.dss", "C"}, {"REC_4.DSS", "A"}}},
      {"batch names compared as the file system does", {{alpha + ".dss", "A"}, {alphaSmall + "_1.dss", "B"}},
       {{alpha + ".dss", "o1"}}, 2, {{alphaSmall + "_1.dss", "B"}, {alpha + "_2.DSS", "A"}}},
      {"only bytes 50 to 67 and the length make the same recording", {{"REC.dss", "A"}}, {{"REC.dss", "A"}}, 0, {}},
      {"a shorter file of the same recording is another", {{"REC.dss", "A"}}, {{"REC.dss", "A"}}, 1,
       {{"REC_1.DSS", "A"}}, 0, {}, "", nullptr, "D:\\Dictation\\", 0, 100},
      {"a longer file of the same recording is another", {{"REC.dss", "A"}}, {{"REC.dss", "A"}}, 1,
       {{"REC_1.DSS", "A"}}, 0, {}, "", nullptr, "D:\\Dictation\\", 0, 4096},
      {"names held open are taken", {{"REC.dss", "A"}}, {{"REC.dss", "o1"}, {"REC_1.DSS", "A"}}, 1, {{"REC_2.DSS", "A"}},
       0, {"D:\\Dictation\\REC.dss", "D:\\Dictation\\REC_1.DSS"}},
      {"a card file that cannot be opened", {{"A.dss", "A"}, {locked, "L"}}, {}, 0, {}, 0, {"E:\\" + locked},
       "Error opening " + std::string(39, 'n')},
      {"second copy one byte short", abc, {}, 2, {{"A.dss", "A"}, {"C.dss", "C"}}, 1, {}, "", &SecondCopyOneByteShort},
      {"first copy changed", abc, {}, 2, {{"B.dss", "B"}, {"C.dss", "C"}}, 1, {}, "", &FirstCopyLastByteChanged},
      {"a card file that shrank during the copy", abc, {}, 2, {{"B.dss", "B"}, {"C.dss", "C"}}, 1, {}, "",
       &FirstCardFileShrank},
      {"disk full after three", five, {}, 3, {{"F1.dss", "1"}, {"F2.dss", "2"}, {"F3.dss", "3"}}, 2, {}, "",
       &DiskFullAfterThree},
      {"card files opened again for the read-back", abc, {}, 3, abc, 0, {}, "", nullptr, "D:\\Dictation\\", 1},
      // A folder of 234 bytes: "A.dss" fits (239), the longer names do not,
      // nor the serial name "<17 r>_1.DSS" (257).
      {"paths too long", {{"A.dss", "A"}, {std::string(30, 'p') + ".dss", "P"}, {std::string(31, 'q') + ".dss", "Q"},
        {std::string(17, 'r') + ".dss", "R"}}, {{std::string(17, 'r') + ".dss", "o1"}}, 1, {{"A.dss", "A"}}, 0, {},
       Res(IDS_DNLOAD_PATH_TOO_LONG), nullptr, longFolder},
      {"temporaries of a stopped run", {{"A.dss", "A"}},
       {{"~VTK01.TMP", "t1"}, {"~VTK1.TMP.txt", "t2"}, {"x~VTK1.TMP", "t3"}, {"~VTK.TMP", "t4"}}, 1, {{"A.dss", "A"}}, 0,
       {}, "", nullptr, "D:\\Dictation\\", 0, 120, {"~VTK1.TMP", "~vtk7.tmp", "~VTK2.TMP"}},
      {"a temporary still in use is passed over", {{"A.dss", "A"}}, {{"~VTK1.TMP", "t1"}}, 1, {{"A.dss", "A"}}, 0,
       {"D:\\Dictation\\~VTK1.TMP"}},
  };
  const std::string caption = Res(IDS_DNLOAD_CAPTION);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearDrives();
    test::MakeDir(c.folder);
    for (const auto& [name, rec] : c.card) test::WriteFile("E:\\" + name, Dss(rec, 'x'));
    for (const auto& [name, rec] : c.before) test::WriteFile(c.folder + name, Dss(rec, 'y', c.beforeSize));
    for (const std::string& name : c.leftovers) test::WriteFile(c.folder + name, "part of a copy");
    std::vector<HANDLE> held;
    for (const std::string& path : c.held)
      held.push_back(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    test::ScriptedUser user;
    if (!c.shown.empty()) user.Answer(caption, IDOK, c.shown);
    if (c.count > 0) user.Answer(caption, IDOK, Counted(c.count));
    if (c.notDownloaded > 0) user.Answer(caption, IDOK, NotDownloaded(c.notDownloaded));
    if (c.count > 0) user.Answer(caption, IDOK, Res(IDS_DNLOAD_DELETE_QUESTION));
    vtk::SetShellFileOperationForTesting(c.shell);
    vtk::SetHeldSourceLimitForTesting(c.heldSources);
    std::string source = "E:\\", folder = c.folder, sub;
    int count = -7;
    CDnLoadTransfer job(source, folder, sub, count);
    job.Run(nullptr);
    for (HANDLE h : held) CloseHandle(h);
    // The run leaves no card file open: each can be opened alone.
    for (const auto& [name, rec] : c.card) {
      const HANDLE h = CreateFileA(("E:\\" + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (h == INVALID_HANDLE_VALUE) ADD_FAILURE() << name << " still open";
      else CloseHandle(h);
    }
    EXPECT_EQ(count, c.count);
    Files expected, found;
    for (const auto& [name, rec] : c.before) expected[name] = Seen(Dss(rec, 'y', c.beforeSize));
    for (const auto& [name, rec] : c.added) expected[name] = Seen(Dss(rec, 'x'));
    for (const std::string& name : test::ListDir(sub)) found[name] = Seen(test::ReadFile(sub + name));
    EXPECT_EQ(found, expected);
    ReportDnLoad(nullptr, job.Outcome(), 1);
    user.Verify();
    // Exactly the card files whose copies landed are gone from the card.
    Files left, leftExpected;
    for (const std::string& name : test::ListDir("E:\\")) left[name] = "";
    for (const auto& [name, rec] : c.card) {
      bool landed = false;
      for (const auto& added : c.added) landed = landed || added.second == rec;
      if (!landed) leftExpected[name] = "";
    }
    EXPECT_EQ(left, leftExpected);
  }
  vtk::SetShellFileOperationForTesting(nullptr);
  vtk::SetHeldSourceLimitForTesting(0);
  // Any source folder makes a search pattern: one that cannot exist finds nothing.
  std::string source = "E:\\" + std::string(2000, 's') + "\\", folder = "D:\\Dictation\\", sub;
  int count = -7;
  CDnLoadTransfer(source, folder, sub, count).Run(nullptr);
  EXPECT_EQ(count, 0);
}

// A copy that the shell called done but wrote only half of never takes the
// recording's name: the next download copies it again, whole.
TEST(Transfer, ACopyCutShortIsDownloadedAgainNextTime) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  ClearDrives();
  test::MakeDir("D:\\Dictation");
  for (const char* name : {"A", "B", "C"}) test::WriteFile("E:\\" + std::string(name) + ".dss", Dss(name, 'x', 5000));
  const std::string caption = Res(IDS_DNLOAD_CAPTION);
  for (const auto& [shell, count, added] :
       {std::tuple{&SecondCopyHalfWritten, 2, std::vector<std::string>{"A.dss", "C.dss"}},
        std::tuple{vtk::ShellFileOperation(nullptr), 1, std::vector<std::string>{"A.dss", "B.dss", "C.dss"}}}) {
    SCOPED_TRACE(count);
    test::ScriptedUser user;
    user.Answer(caption, IDOK, Counted(count));
    if (count == 2) user.Answer(caption, IDOK, NotDownloaded(1));
    user.Answer(caption, IDOK, Res(IDS_DNLOAD_DELETE_QUESTION));
    vtk::SetShellFileOperationForTesting(shell);
    std::string source = "E:\\", folder = "D:\\Dictation\\", sub;
    int n = -7;
    CDnLoadTransfer job(source, folder, sub, n);
    job.Run(nullptr);
    ReportDnLoad(nullptr, job.Outcome(), 1);
    user.Verify();
    EXPECT_EQ(n, count);
    EXPECT_EQ(test::ListDir("D:\\Dictation"), added);
    for (const std::string& name : added)
      EXPECT_EQ(Seen(test::ReadFile("D:\\Dictation\\" + name)), Seen(Dss(name.substr(0, 1), 'x', 5000))) << name;
  }
  vtk::SetShellFileOperationForTesting(nullptr);
  EXPECT_TRUE(test::ListDir("E:\\").empty());
}

// Between the read-back and the answer to the delete question the card may
// change: only a file that is still the one whose copy was read back is
// deleted; the others stay and are told, as are files the shell left.
TEST(Transfer, DeletesOnlyCardFilesStillAsTheyWereReadBack) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  const struct {
    const char* what;
    void (*change)(const std::string& path);
    bool deleted;
    vtk::ShellFileOperation shell = nullptr;
  } cases[] = {
      {"unchanged", [](const std::string&) {}, true},
      {"another recording of the same length and time", [](const std::string& path) {
         FILETIME written{};
         HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         GetFileTime(h, nullptr, nullptr, &written);
         CloseHandle(h);
         test::WriteFile(path, Dss("Z", 'x'));
         h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         SetFileTime(h, nullptr, nullptr, &written);
         CloseHandle(h);
       }, false},
      {"the same bytes written again later", [](const std::string& path) {
         HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         FILETIME later{};
         GetFileTime(h, nullptr, nullptr, &later);
         later.dwHighDateTime += 1;  // some seven minutes on
         SetFileTime(h, nullptr, nullptr, &later);
         CloseHandle(h);
       }, false},
      {"grown", [](const std::string& path) { test::WriteFile(path, test::ReadFile(path) + "more"); }, false},
      {"gone", [](const std::string& path) { DeleteFileA(path.c_str()); }, false},
      {"left by the shell", [](const std::string&) {}, false, &DeletesNothing},
  };
  const std::string caption = Res(IDS_DNLOAD_CAPTION);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ClearDrives();
    test::MakeDir("D:\\Dictation");
    test::WriteFile("E:\\KEEP.dss", Dss("K", 'x'));
    test::WriteFile("E:\\REC.dss", Dss("A", 'x'));
    vtk::SetShellFileOperationForTesting(c.shell);
    std::string source = "E:\\", folder = "D:\\Dictation\\", sub;
    int n = -7;
    CDnLoadTransfer job(source, folder, sub, n);
    job.Run(nullptr);
    ASSERT_EQ(n, 2);
    test::ScriptedUser user;
    user.Answer(caption, IDOK, Counted(2)).On(caption, [&](test::Window& w) {
      c.change("E:\\REC.dss");
      test::ExpectTexts(w, {{0xFFFF, Res(IDS_DNLOAD_DELETE_QUESTION)}});
      w.Click(IDOK);
    });
    if (!c.deleted) user.Answer(caption, IDOK, NotDeleted(c.shell ? 2 : 1));
    ReportDnLoad(nullptr, job.Outcome(), 1);
    user.Verify();
    std::vector<std::string> left;
    if (c.shell) left.push_back("KEEP.dss");
    if (!c.deleted && std::string(c.what) != "gone") left.push_back("REC.dss");
    EXPECT_EQ(test::ListDir("E:\\"), left);
  }
  vtk::SetShellFileOperationForTesting(nullptr);
}
