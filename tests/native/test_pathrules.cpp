#include <gtest/gtest.h>

#include <vector>

#include "core/cp932.h"
#include "core/pathrules.h"

using namespace vtk;

namespace {
// 表 and ソ in CP932: their trail byte is 0x5C, the code of a backslash.
const std::string kHyo = "\x95\x5C", kSo = "\x83\x5C";
}  // namespace

// Removing keeps roots (3 bytes or fewer) and takes one backslash; adding has
// no length condition; the guarded form spares paths of 3 bytes or fewer. A
// folder named 表 or ソ ends in 0x5C but has no backslash.
TEST(PathRules, TrailingBackslashes) {
  const struct { std::string path, removed, added, guarded; } cases[] = {
      {"E:\\", "E:\\", "E:\\", "E:\\"},
      {"D:\\Rec\\", "D:\\Rec", "D:\\Rec\\", "D:\\Rec\\"},
      {"D:\\Rec", "D:\\Rec", "D:\\Rec\\", "D:\\Rec\\"},
      {"D:\\Rec\\\\", "D:\\Rec\\", "D:\\Rec\\\\", "D:\\Rec\\\\"},
      {"", "", "\\", ""},
      {"E:", "E:", "E:\\", "E:"},
      {"E:x", "E:x", "E:x\\", "E:x"},
      {"\\\\\\", "\\\\\\", "\\\\\\", "\\\\\\"},
      {"D:\\" + kHyo, "D:\\" + kHyo, "D:\\" + kHyo + "\\", "D:\\" + kHyo + "\\"},
      {"D:\\a" + kSo, "D:\\a" + kSo, "D:\\a" + kSo + "\\", "D:\\a" + kSo + "\\"},
      {"D:\\" + kHyo + "\\", "D:\\" + kHyo, "D:\\" + kHyo + "\\", "D:\\" + kHyo + "\\"},
  };
  for (const auto& c : cases) {
    std::string removed = c.path, added = c.path, guarded = c.path;
    RemoveLastBackslash(removed);
    AddLastBackslash(added);
    AddBackslashGuarded(guarded);
    EXPECT_EQ((std::vector{removed, added, guarded}), (std::vector{c.removed, c.added, c.guarded})) << c.path;
  }
}

// Positions of backslashes and character starts; a lead byte at the end
// stands alone.
TEST(Cp932, WalksCharactersNotBytes) {
  const std::string path = "D:\\" + kHyo + "\\" + kSo + "x\\y", abHyo = "ab" + kHyo;
  EXPECT_EQ((std::vector{FindBackslash(path, 0), FindBackslash(path, 3), FindLastBackslash(path),
                         FindLastBackslash(kHyo + kSo), LastCharPos(kHyo), LastCharPos(""),
                         ClampToCharBoundary(abHyo, 3), ClampToCharBoundary(abHyo, 4), ClampToCharBoundary("ab", 10)}),
            (std::vector<std::size_t>{2, 5, 9, npos, 0, npos, 2, 4, 2}));
  EXPECT_FALSE(EndsWithBackslash("a\x95"));
}

TEST(PathRules, NewFolderNamesMustFitAndHoldNoForbiddenCharacter) {
  using F = NewFolderNameFault;
  const std::string d250 = "D:\\" + std::string(247, 'p');  // 250 bytes
  const struct { std::string parent, name; F fault; } cases[] = {
      {"D:\\Dictation", "2006.3.5-1", F::kNone}, {"E:\\", std::string(252, 'n'), F::kNone},
      {"E:\\", std::string(253, 'n'), F::kTooLong}, {d250, "abcd", F::kNone}, {d250, "abcde", F::kTooLong},
      {d250 + "\\", "abcd", F::kNone}, {"D:\\" + kHyo, kHyo + kSo + "|", F::kBadCharacter},
      {"D:\\", kHyo + kSo, F::kNone},  // trail bytes 0x5C are no backslash
      {"D:\\", "a\x83|", F::kNone},       // nor is a trail byte 0x7C a bar
  };
  for (const auto& c : cases) EXPECT_EQ(CheckNewFolderName(c.parent, c.name), c.fault) << c.parent.size() << c.name;
  for (const char bad : std::string("\\/:*?\"<>|"))
    EXPECT_EQ(CheckNewFolderName("D:\\", std::string("a") + bad), F::kBadCharacter) << bad;
}

TEST(PathRules, HostBufferCopiesStopAtACharacterBoundary) {
  const struct { std::string text; std::size_t copied; } cases[] = {{"D:\\Rec", 7}, {std::string(259, 'x'), 259}, {std::string(300, 'x'), 259},
               {std::string(258, 'x') + kHyo, 258}};
  for (const auto& c : cases) {
    std::string buffer(kHostBufferSize + 8, '#');  // nothing may land past the host's 260 bytes
    CopyToHostBuffer(buffer.data(), c.text);
    EXPECT_EQ(buffer.c_str() + std::string(1, buffer[kHostBufferSize]), c.text.substr(0, c.copied) + '#');
  }
}
