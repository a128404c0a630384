// Path rules, dated new-folder names and the folder order. 表 and ソ (CP932
// 0x95 0x5C and 0x83 0x5C) have a trail byte that is the code of a backslash.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <tuple>
#include <vector>

#include "core/foldername.h"
#include "core/folderorder.h"
#include "core/pathrules.h"

using namespace vtk;

namespace {
const std::string kHyo = "\x95\x5C", kSo = "\x83\x5C";
const LocalDate k5Mar2006{2006, 3, 5};
ExistsProbe Disk(std::set<std::string> paths) {
  return [paths](const std::string& p) { return paths.count(p) > 0; };
}
}  // namespace

// Removing keeps roots (3 bytes or fewer); the guarded form spares them too.
// A folder named 表 ends in 0x5C but has no backslash.
TEST(PathRules, TrailingBackslashes) {
  const struct { std::string path, removed, added, guarded; } cases[] = {
      {"E:\\", "E:\\", "E:\\", "E:\\"},
      {"E:", "E:", "E:\\", "E:"},
      {"D:\\Rec\\", "D:\\Rec", "D:\\Rec\\", "D:\\Rec\\"},
      {"D:\\" + kHyo, "D:\\" + kHyo, "D:\\" + kHyo + "\\", "D:\\" + kHyo + "\\"},
  };
  for (const auto& c : cases) {
    std::string removed = c.path, added = c.path, guarded = c.path;
    RemoveLastBackslash(removed), AddLastBackslash(added), AddBackslashGuarded(guarded);
    EXPECT_EQ((std::vector{removed, added, guarded}), (std::vector{c.removed, c.added, c.guarded})) << c.path;
  }
}

// parent\name fits 255 bytes (a root needs no backslash); trail bytes 0x5C
// and 0x7C are no backslash and no bar.
TEST(PathRules, NewFolderNamesMustFitAndHoldNoForbiddenCharacter) {
  using F = NewFolderNameFault;
  const std::string d250 = "D:\\" + std::string(247, 'p');
  const struct { std::string parent, name; F fault; } cases[] = {
      {"E:\\", std::string(252, 'n'), F::kNone}, {"E:\\", std::string(253, 'n'), F::kTooLong}, {d250, "abcd", F::kNone},
      {d250, "abcde", F::kTooLong},            {d250 + "\\", "abcd", F::kNone},               {"D:\\", kHyo + kSo, F::kNone},
      {"D:\\", "a\x83|", F::kNone},             {"D:\\" + kHyo, kHyo + "|", F::kBadCharacter},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckNewFolderName(c.parent, c.name), c.fault) << c.parent.size() << c.name;
  for (const char bad : std::string("\\/:*?\"<>|"))
    EXPECT_EQ(CheckNewFolderName("D:\\", std::string("a") + bad), F::kBadCharacter) << bad;
}

TEST(PathRules, HostBufferCopiesStopAtACharacterBoundary) {
  for (const auto& [text, copied] : {std::pair{std::string(300, 'x'), 259}, {std::string(258, 'x') + kHyo, 258}}) {
    std::string buffer(kHostBufferSize + 8, '#');  // nothing may land past the host's 260 bytes
    CopyToHostBuffer(buffer.data(), text);
    EXPECT_EQ(buffer.c_str() + std::string(1, buffer[kHostBufferSize]), text.substr(0, copied) + '#');
  }
}

// A host's path is read up to its NUL and never past its 260 bytes (each
// buffer here is exactly as long as its bytes, so the sanitizer faults a read
// past it). Refused: unterminated, longer than 255 bytes, or ending in a lead
// byte (0x81-0x9F, 0xE0-0xFC) that no trail byte follows; in 0x95 0x95 and
// in 表 the last byte is a trail byte.
TEST(PathRules, HostPathsAreReadWithinTheirBufferAndTakenOnlyWhole) {
  const std::string d255 = "D:\\" + std::string(252, 'x');
  const struct { std::string bytes; bool terminated, taken; } cases[] = {
      {"D:\\Dictation", true, true}, {"", true, true}, {d255, true, true}, {d255 + "x", true, false},
      {std::string(kHostBufferSize, 'x'), false, false}, {d255.substr(0, 254) + "\x95", true, false},
      {"D:\\rt\\\x95", true, false}, {"D:\\" + kHyo + "\x95", true, false}, {"\x81", true, false},
      {"D:\\\x9F", true, false}, {"D:\\\xE0", true, false}, {"D:\\\xFC", true, false},
      {"D:\\\x95\x95", true, true}, {"D:\\" + kHyo, true, true}, {"D:\\\x80", true, true},
      {"D:\\\xA0", true, true}, {"D:\\\xDF", true, true}, {"D:\\\xFD", true, true},
  };
  for (const auto& c : cases) {
    std::vector<char> buffer(c.bytes.begin(), c.bytes.end());
    if (c.terminated) buffer.push_back('\0');
    const std::optional<std::string> path = ReadHostPath(buffer.data());
    EXPECT_EQ(path.value_or("(refused)"), c.taken ? c.bytes : "(refused)") << c.bytes.size() << " bytes";
  }
  EXPECT_FALSE(ReadHostPath(nullptr).has_value());
}

// The lowest free serial of the day (a freed one too, other days ignored);
// no name for an empty parent or where parent\name would not fit a host's
// path of 255 bytes. Paired, the other
// folder's name is skipped under the same parent (compared exactly), and the
// disk still counts.
TEST(NewFolderName, TakesTheLowestFreeSerial) {
  const std::string fits(244, 'x'), tooLong(245, 'x');  // "\2006.3.5-1" is 11 bytes: 255 and 256
  const struct { std::string parent; std::set<std::string> disk; std::string name; } cases[] = {
      {"D:\\R", {"D:\\R\\2006.3.5-1"}, "2006.3.5-2"},
      {"D:\\R\\", {"D:\\R\\2006.3.5-2", "D:\\R\\2006.3.4-1"}, "2006.3.5-1"},
      {"E:", {"E:\\2006.3.5-1"}, "2006.3.5-2"},
      {"", {}, ""}, {fits, {}, "2006.3.5-1"}, {tooLong, {}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(MakeNewFolderName(c.parent, k5Mar2006, Disk(c.disk)), c.name) << c.parent;
  const struct { std::string a, b, nameB, onDisk, expected; } pairs[] = {
      {"D:\\Rec", "D:\\Rec\\", "2006.3.5-1", "", "2006.3.5-2"},
      {"D:\\Rec", "d:\\rec", "2006.3.5-1", "", "2006.3.5-1"},
      {"D:\\Rec\\", "D:\\Rec\\", "2006.3.5-2", "D:\\Rec\\2006.3.5-1", "2006.3.5-3"},
  };
  for (const auto& c : pairs) {
    RecorderFolderPair pair{0, c.a, c.b, "", c.nameB};
    EXPECT_EQ(MakePairedNewFolderName(pair, 0, pair.strFolderA, k5Mar2006, Disk({c.onDisk})), c.expected) << c.b;
  }
}

// Full-width Ａ-Ｚ fold to ａ-ｚ; a lead byte at the end is a character of its
// own (before ｱ). Names that compare equal keep their search order; only
// entries equal in name and path are dropped.
TEST(FolderOrder, SortsStablyIgnoringCaseAndDropsOnlyExactDuplicates) {
  EXPECT_EQ((std::vector{MbsICompare("\x82\x60", "\x82\x81"), MbsICompare("\x82\x79", "\x82\x9A"), MbsICompare("a\x95", "a"),
                         MbsICompare("a\x95", "a\xB1")}),
            (std::vector{0, 0, 1, -1}));
  std::vector<SubFolder> v = {{"b", "b"}};
  for (int i = 0; i < 20; ++i) v.push_back({i % 3 ? "a" : "A", std::to_string(i)});
  v.push_back({"a", "1"}), v.push_back({"A", "1"});  // the first repeats an entry exactly
  OrderSubFolders(v);
  std::string paths;
  for (const SubFolder& f : v) paths += f.path + " ";
  EXPECT_EQ(paths, "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 1 b ");
}

TEST(PathComponent, WalksDriveRootedPathsWithoutSplittingDoubleByteCharacters) {
  const std::string dbcs = "D:\\" + kHyo + "\\a" + kSo + "\\" + kHyo;
  const struct { std::string path; int n; bool ok = false; std::string component{}, prefix{}; } cases[] = {
      {dbcs, 1, true, kHyo, "D:\\" + kHyo}, {dbcs, 2, true, "a" + kSo, "D:\\" + kHyo + "\\a" + kSo}, {dbcs, 3, true, kHyo, dbcs},
      {"D:\\Dictation\\", 1, true, "Dictation", "D:\\Dictation"},
      // A trailing backslash ends the walk; no drive root, no walk.
      {dbcs, 4}, {"D:\\Dictation\\", 2}, {"D:", 1}, {"\\\\server\\share\\x", 1},
  };
  for (const auto& c : cases) {
    std::string component = "stale", prefix;
    const bool ok = GetPathComponent(c.path, c.n, component, prefix);
    EXPECT_EQ(std::tuple(ok, component, ok ? prefix : ""), std::tuple(c.ok, c.component, c.prefix)) << c.path << " #" << c.n;
  }
}
