// The transfer engine on real files: E: is a removable card drive, D: holds
// the download folder. The shell's file operation runs for real; a row may
// spoil a copy afterwards. Every run is reported with deletion
// asked for and agreed to. A dialog that no step expects fails the test.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "core/transfer_names.h"
#include "download/transfer.h"
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
std::string Dss(const std::string& recording, char filler) {
  std::string bytes(120, filler);
  for (std::size_t i = vtk::kIdentityOffset; i < vtk::kIdentityEnd; ++i)
    bytes[i] = recording[(i - vtk::kIdentityOffset) % recording.size()];
  return bytes;
}

// Damage 1 leaves the second target one byte short (disk full), damage 2
// leaves the first as long as its source but with its last byte changed; the
// identity stays.
int g_damage = 0;
int WINAPI DamagingShell(LPSHFILEOPSTRUCTA op) {
  const int rc = SHFileOperationA(op);
  if (op->wFunc != FO_COPY || g_damage == 0) return rc;
  const std::string target = g_damage == 1 ? op->pTo + std::strlen(op->pTo) + 1 : op->pTo;
  std::string bytes = test::ReadFile(target);
  if (g_damage == 1) bytes.pop_back();
  else bytes.back() ^= 1;
  test::WriteFile(target, bytes);
  return rc;
}

}  // namespace

// Free names are copied first; a taken name (also one held open elsewhere, so
// that it cannot be read) gets the first free serial name that no file of the
// same run has; only the copies up to the first one that differs from its
// source are counted and deleted from the card. A card file that cannot be
// opened abandons the run; paths too long are left out, the user told once.
TEST(Transfer, RunsOnRealFiles) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  const std::string alpha = test::Sjis(u8"Α"), alphaSmall = test::Sjis(u8"α");  // one letter to the file system
  const std::string locked = std::string(39, 'n') + "\x95\x5C.dss", longFolder = "D:\\" + std::string(230, 'L') + "\\";
  const Files abc = {{"A.dss", "A"}, {"B.dss", "B"}, {"C.dss", "C"}};
  const struct Case {
    const char* what;
    Files card, before;
    int count;
    Files added;
    std::vector<std::string> held = {};  // full paths another program holds open during the run
    std::string shown = {};              // the one message expected
    int damage = 0;
    std::string folder = "D:\\Dictation\\";
    std::size_t heldSources = 0;  // card files kept open for the read-back; 0 for the engine's bound
  } cases[] = {
      {"serials pushed past taken names and batch names",
       {{"REC.dss", "A"}, {"REC_1.dss", "B"}, {"REC_3.dss", "C"}, {"notes.txt", "N"}}, {{"REC.dss", "o1"}, {"REC_2.DSS", "o2"}}, 3,
       {{"REC_1.dss", "B"}, {"REC_3.dss", "C"}, {"REC_4.DSS", "A"}}},
      {"batch names compared as the file system does", {{alpha + ".dss", "A"}, {alphaSmall + "_1.dss", "B"}},
       {{alpha + ".dss", "o1"}}, 2, {{alphaSmall + "_1.dss", "B"}, {alpha + "_2.DSS", "A"}}},
      {"only bytes 50 to 67 make the same recording", {{"REC.dss", "A"}}, {{"REC.dss", "A"}}, 0, {}},
      {"names held open are taken", {{"REC.dss", "A"}}, {{"REC.dss", "o1"}, {"REC_1.DSS", "A"}}, 1, {{"REC_2.DSS", "A"}},
       {"D:\\Dictation\\REC.dss", "D:\\Dictation\\REC_1.DSS"}},
      {"a card file that cannot be opened", {{"A.dss", "A"}, {locked, "L"}}, {}, 0, {}, {"E:\\" + locked},
       "Error opening " + std::string(39, 'n')},
      {"second copy cut short", abc, {}, 1, abc, {}, "", 1},
      {"first copy changed", abc, {}, 0, abc, {}, "", 2},
      {"card files opened again for the read-back", abc, {}, 3, abc, {}, "", 0, "D:\\Dictation\\", 1},
      // A folder of 234 bytes: "A.dss" fits (239), the longer names do not,
      // nor the serial name "<17 r>_1.DSS" (257).
      {"paths too long", {{"A.dss", "A"}, {std::string(30, 'p') + ".dss", "P"}, {std::string(31, 'q') + ".dss", "Q"},
        {std::string(17, 'r') + ".dss", "R"}}, {{std::string(17, 'r') + ".dss", "o1"}}, 1, {{"A.dss", "A"}}, {},
       Res(IDS_DNLOAD_PATH_TOO_LONG), 0, longFolder},
  };
  vtk::SetShellFileOperationForTesting(&DamagingShell);
  const std::string caption = Res(IDS_DNLOAD_CAPTION);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (char drive : {'D', 'E'}) test::ClearDrive(drive);
    test::MakeDir(c.folder);
    for (const auto& [name, rec] : c.card) test::WriteFile("E:\\" + name, Dss(rec, 'x'));
    for (const auto& [name, rec] : c.before) test::WriteFile(c.folder + name, Dss(rec, 'y'));
    std::vector<HANDLE> held;
    for (const std::string& path : c.held)
      held.push_back(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    test::ScriptedUser user;
    if (!c.shown.empty()) user.Answer(caption, IDOK, c.shown);
    if (c.count > 0)
      user.Answer(caption, IDOK, vtk::FormatWithCount(Res(IDS_DNLOAD_COUNT), c.count))
          .Answer(caption, IDOK, Res(IDS_DNLOAD_DELETE_QUESTION));
    g_damage = c.damage;
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
    for (const Files* f : {&c.before, &c.added})
      for (const auto& [name, rec] : *f) expected[name] = Dss(rec, 'x').substr(vtk::kIdentityOffset, 18);
    for (const std::string& name : test::ListDir(sub)) found[name] = test::ReadFile(sub + name).substr(vtk::kIdentityOffset, 18);
    EXPECT_EQ(found, expected);
    ReportDnLoad(nullptr, count, 1, job.m_strSourceList);
    const auto sources = vtk::SplitDoubleNulList(job.m_strSourceList);
    for (std::size_t i = 0; i < sources.size(); ++i) EXPECT_EQ(test::Exists(sources[i]), int(i) >= c.count) << sources[i];
  }
  // Any source folder makes a search pattern: one that cannot exist finds nothing.
  std::string source = "E:\\" + std::string(2000, 's') + "\\", folder = "D:\\Dictation\\", sub;
  int count = -7;
  CDnLoadTransfer(source, folder, sub, count).Run(nullptr);
  EXPECT_EQ(count, 0);
}
