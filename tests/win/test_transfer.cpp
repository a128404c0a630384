// The transfer engine on real files: E: is a removable card drive, D: holds
// the download folder. The shell's file operation runs for real, or a
// stand-in does what a real failure leaves behind. The engine and the
// deletion show nothing: their results are read from the record they give
// and from the disk. The completion step tells the user from that record; a
// dialog that no step expects fails the test.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "core/transfer_names.h"
#include "download/card/dnloadreport.h"
#include "download/engine/carddeletion.h"
#include "download/engine/copycheck.h"
#include "download/engine/platform.h"
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

// A stand-in for the shell's copy: file by file, as the shell copies, with
// copy `g_damage.at` left as a failure leaves it instead of whole. The
// deletion is always the shell's own.
enum class Damage { kNone, kOneByteShort, kLastByteChanged, kCardFileShrank, kDiskFull };
struct {
  Damage what = Damage::kNone;
  std::size_t at = 0;
} g_damage;
int WINAPI DamagingShell(LPSHFILEOPSTRUCTA op) {
  if (op->wFunc == FO_DELETE) return SHFileOperationA(op);
  const std::vector<std::string> from = vtk::SplitDoubleNulList({op->pFrom, 4096});
  const std::vector<std::string> to = vtk::SplitDoubleNulList({op->pTo, 4096});
  for (std::size_t i = 0; i < from.size() && i < to.size(); ++i) {
    std::string bytes = test::ReadFile(from[i]);
    if (i == g_damage.at) {
      switch (g_damage.what) {
        case Damage::kOneByteShort: bytes.pop_back(); break;
        case Damage::kLastByteChanged: bytes.back() ^= 1; break;
        case Damage::kCardFileShrank: test::WriteFile(from[i], bytes.substr(0, 60)); break;  // after the shell read it
        case Damage::kDiskFull: return test::WriteFile(to[i], ""), ERROR_DISK_FULL;            // the rest not at all
        default: break;
      }
    }
    test::WriteFile(to[i], bytes);
  }
  return 0;
}

void ClearDrives() {
  for (char drive : {'D', 'E'}) test::ClearDrive(drive);
}

// What stayed on the card and why, sorted: "B.dss:whole C.dss:long".
std::string LeftOnCardOf(const TransferResult& result) {
  std::vector<std::string> left;
  for (const LeftOnCard& l : result.notConfirmed) {
    const char* why = l.why == LeftOnCard::Why::kPathTooLong ? "long" : l.why == LeftOnCard::Why::kNameTaken ? "taken" : "whole";
    left.push_back(std::string(vtk::FileNamePart(l.source)) + ":" + why);
  }
  std::sort(left.begin(), left.end());
  std::string joined;
  for (const std::string& l : left) joined += (joined.empty() ? "" : " ") + l;
  return joined;
}

// The engine's platform record as a row sets it, put back afterwards: the
// damaging shell, or the real one for kNone.
struct EngineStandIns {
  EngineStandIns(Damage damage, std::size_t at = 0, std::size_t maxHeldFiles = 0) {
    g_damage = {damage, at};
    if (damage != Damage::kNone) vtk::TheEnginePlatform().shellFileOperation = &DamagingShell;
    if (maxHeldFiles) vtk::TheEnginePlatform().maxHeldFiles = maxHeldFiles;
  }
  ~EngineStandIns() { vtk::TheEnginePlatform() = {}; }
};

}  // namespace

// Free names are copied first; a taken name (also one held open elsewhere, so
// that it cannot be read) gets the first free serial name that no file of the
// same run has; a file of another length is another recording. Every copy is
// read back: only whole ones land under their names and may be deleted from
// the card, the others leave nothing at the target and are named in the
// result with the reason. A card file that cannot be opened abandons the run.
// Temporaries of an earlier run go, look-alikes stay.
TEST(Transfer, RunsOnRealFiles) {
  const std::string alpha = test::Sjis(u8"Α"), alphaSmall = test::Sjis(u8"α");  // one letter to the file system
  const std::string locked = std::string(39, 'n') + "\x95\x5C.dss", longFolder = "D:\\" + std::string(230, 'L');
  const std::string p30 = std::string(30, 'p') + ".dss", q31 = std::string(31, 'q') + ".dss", r17 = std::string(17, 'r') + ".dss";
  const Files abc = {{"A.dss", "A"}, {"B.dss", "B"}, {"C.dss", "C"}};
  const Files five = {{"F1.dss", "1"}, {"F2.dss", "2"}, {"F3.dss", "3"}, {"F4.dss", "4"}, {"F5.dss", "5"}};
  const struct Case {
    const char* what;
    Files card, before, added;
    std::string left = {};                // LeftOnCardOf the result
    std::vector<std::string> held = {};   // full paths another program holds open during the run
    std::string unreadable = {};
    Damage damage = Damage::kNone;
    std::size_t damagedCopy = 0;
    std::string folder = "D:\\Dictation";
    std::size_t maxHeldFiles = 0;  // card files kept open for the read-back; 0 for the engine's bound
    std::size_t beforeSize = 120;  // length of the files already at the target
    std::vector<std::string> leftovers = {};  // names at the target that the run must remove
  } cases[] = {
      {"serials pushed past taken names and batch names",
       {{"REC.dss", "A"}, {"REC_1.dss", "B"}, {"REC_3.dss", "C"}, {"notes.txt", "N"}}, {{"REC.dss", "o1"}, {"REC_2.DSS", "o2"}},
       {{"REC_1.dss", "B"}, {"REC_3.dss", "C"}, {"REC_4.DSS", "A"}}},
      {"batch names compared as the file system does", {{alpha + ".dss", "A"}, {alphaSmall + "_1.dss", "B"}},
       {{alpha + ".dss", "o1"}}, {{alphaSmall + "_1.dss", "B"}, {alpha + "_2.DSS", "A"}}},
      {"only bytes 50 to 67 and the length make the same recording", {{"REC.dss", "A"}}, {{"REC.dss", "A"}}, {}},
      {"a shorter file of the same recording is another", {{"REC.dss", "A"}}, {{"REC.dss", "A"}}, {{"REC_1.DSS", "A"}},
       "", {}, "", Damage::kNone, 0, "D:\\Dictation", 0, 100},
      {"names held open are taken", {{"REC.dss", "A"}}, {{"REC.dss", "o1"}, {"REC_1.DSS", "A"}}, {{"REC_2.DSS", "A"}},
       "", {"D:\\Dictation\\REC.dss", "D:\\Dictation\\REC_1.DSS"}},
      {"a card file that cannot be opened", {{"A.dss", "A"}, {locked, "L"}}, {}, {}, "", {"E:\\" + locked}, locked},
      {"second copy one byte short", abc, {}, {{"A.dss", "A"}, {"C.dss", "C"}}, "B.dss:whole", {}, "", Damage::kOneByteShort, 1},
      {"first copy changed", abc, {}, {{"B.dss", "B"}, {"C.dss", "C"}}, "A.dss:whole", {}, "", Damage::kLastByteChanged},
      {"a card file that shrank during the copy", abc, {}, {{"B.dss", "B"}, {"C.dss", "C"}}, "A.dss:whole", {}, "",
       Damage::kCardFileShrank},
      {"disk full after three", five, {}, {{"F1.dss", "1"}, {"F2.dss", "2"}, {"F3.dss", "3"}}, "F4.dss:whole F5.dss:whole",
       {}, "", Damage::kDiskFull, 3},
      {"card files opened again for the read-back", abc, {}, abc, "", {}, "", Damage::kNone, 0, "D:\\Dictation", 1},
      // A folder of 233 bytes: "A.dss" fits (239), the longer names do not,
      // nor the serial name "<17 r>_1.DSS" (257).
      {"paths too long", {{"A.dss", "A"}, {p30, "P"}, {q31, "Q"}, {r17, "R"}}, {{r17, "o1"}}, {{"A.dss", "A"}},
       p30 + ":long " + q31 + ":long " + r17 + ":long", {}, "", Damage::kNone, 0, longFolder},
      {"temporaries of a stopped run", {{"A.dss", "A"}},
       {{"~VTK01.TMP", "t1"}, {"~VTK1.TMP.txt", "t2"}, {"x~VTK1.TMP", "t3"}, {"~VTK.TMP", "t4"}}, {{"A.dss", "A"}}, "",
       {}, "", Damage::kNone, 0, "D:\\Dictation", 0, 120, {"~VTK1.TMP", "~vtk7.tmp", "~VTK2.TMP"}},
      {"a temporary still in use is passed over", {{"A.dss", "A"}}, {{"~VTK1.TMP", "t1"}}, {{"A.dss", "A"}}, "",
       {"D:\\Dictation\\~VTK1.TMP"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearDrives();
    test::MakeDir(c.folder);
    const std::string folder = c.folder + "\\";
    for (const auto& [name, rec] : c.card) test::WriteFile("E:\\" + name, Dss(rec, 'x'));
    for (const auto& [name, rec] : c.before) test::WriteFile(folder + name, Dss(rec, 'y', c.beforeSize));
    for (const std::string& name : c.leftovers) test::WriteFile(folder + name, "part of a copy");
    std::vector<HANDLE> held;
    for (const std::string& path : c.held)
      held.push_back(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const EngineStandIns standIns(c.damage, c.damagedCopy, c.maxHeldFiles);
    const TransferResult result = CDnLoadTransfer("E:", c.folder).Run(nullptr);
    for (HANDLE h : held) CloseHandle(h);
    // The run leaves no card file open: each can be opened alone.
    for (const auto& [name, rec] : c.card) {
      const HANDLE h = CreateFileA(("E:\\" + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (h == INVALID_HANDLE_VALUE) ADD_FAILURE() << name << " still open";
      else CloseHandle(h);
    }
    EXPECT_EQ(result.unreadable, c.unreadable);
    EXPECT_EQ(LeftOnCardOf(result), c.left);
    Files expected, found, landed;
    for (const auto& [name, rec] : c.before) expected[name] = Seen(Dss(rec, 'y', c.beforeSize));
    for (const auto& [name, rec] : c.added) expected[name] = Seen(Dss(rec, 'x'));
    for (const std::string& name : test::ListDir(folder)) found[name] = Seen(test::ReadFile(folder + name));
    EXPECT_EQ(found, expected);
    for (const LandedCopy& l : result.confirmed) landed[std::string(vtk::FileNamePart(l.target))] = Seen(test::ReadFile(l.target));
    for (const auto& [name, rec] : c.before) expected.erase(name);
    EXPECT_EQ(landed, expected);
    // Exactly the card files whose copies landed are deleted.
    EXPECT_EQ(DeleteVerifiedSources(nullptr, result.confirmed).deleted, static_cast<int>(c.added.size()));
    Files left, leftExpected;
    for (const std::string& name : test::ListDir("E:\\")) left[name] = "";
    for (const auto& [name, rec] : c.card) {
      bool copied = false;
      for (const auto& added : c.added) copied = copied || added.second == rec;
      if (!copied) leftExpected[name] = "";
    }
    EXPECT_EQ(left, leftExpected);
  }
}

// The completion step says everything from the result, in this order: a card
// file that could not be opened (and nothing else), paths too long, the
// count, the recordings that did not arrive, the delete question (only with
// copies and a delete flag; the export's tests answer it otherwise).
TEST(CompletionStep, TellsTheUserEverythingTheResultHolds) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  const std::string caption = Res(IDS_DNLOAD_CAPTION), question = Res(IDS_DNLOAD_DELETE_QUESTION);
  const struct {
    int landed, whole, tooLong;  // card files in each part of the result
    std::string unreadable;
    std::vector<std::string> shown;
    std::size_t leftOnCard;
  } cases[] = {
      {0, 0, 0, "", {}, 0},
      {1, 1, 1, std::string(39, 'n') + "\x95\x5C.dss", {"Error opening " + std::string(39, 'n')}, 1},
      {1, 1, 1, "", {Res(IDS_DNLOAD_PATH_TOO_LONG), Counted(1), NotDownloaded(1), question}, 0},
      {0, 2, 0, "", {NotDownloaded(2)}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown.size());
    ClearDrives();
    TransferResult result;
    result.unreadable = c.unreadable;
    for (int i = 0; i < c.landed; ++i) {
      const std::string path = "E:\\L" + std::to_string(i) + ".dss";
      test::WriteFile(path, Dss("L", 'x'));
      result.confirmed.push_back({path, "D:\\L.dss", *vtk::CurrentIdentity(path)});
    }
    for (int i = 0; i < c.whole; ++i) result.notConfirmed.push_back({"E:\\W.dss", LeftOnCard::Why::kNotCopiedWhole});
    for (int i = 0; i < c.tooLong; ++i) result.notConfirmed.push_back({"E:\\T.dss", LeftOnCard::Why::kPathTooLong});
    test::ScriptedUser user;
    for (const std::string& text : c.shown) user.Answer(caption, IDOK, text);
    ReportDnLoad(nullptr, result, 1);
    user.Verify();
    EXPECT_EQ(test::ListDir("E:\\").size(), c.leftOnCard);
  }
}
