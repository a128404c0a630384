#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/pathrules.h"

using namespace vtk;

namespace {
// 表 and ソ in CP932: their trail byte is 0x5C, the code of a backslash.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

std::string Removed(std::string s) { RemoveLastBackslash(s); return s; }
std::string Added(std::string s) { AddLastBackslash(s); return s; }
std::string Guarded(std::string s) { AddBackslashGuarded(s); return s; }
}  // namespace

TEST(PathRules, RemoveLastBackslashKeepsRootsAndTakesOneBackslash) {
  EXPECT_EQ(Removed("E:\\"), "E:\\");
  EXPECT_EQ(Removed("D:\\Dictation\\"), "D:\\Dictation");
  EXPECT_EQ(Removed("D:\\Dictation"), "D:\\Dictation");
  EXPECT_EQ(Removed("D:\\Dictation\\\\"), "D:\\Dictation\\");
  EXPECT_EQ(Removed(""), "");
  EXPECT_EQ(Removed("\\\\\\"), "\\\\\\");  // 3 bytes: left alone
}

TEST(PathRules, AddLastBackslashHasNoLengthCondition) {
  EXPECT_EQ(Added(""), "\\");
  EXPECT_EQ(Added("E:"), "E:\\");
  EXPECT_EQ(Added("E:\\"), "E:\\");
  EXPECT_EQ(Added("D:\\Rec"), "D:\\Rec\\");
}

TEST(PathRules, GuardedFormSparesShortPaths) {
  EXPECT_EQ(Guarded("E:"), "E:");
  EXPECT_EQ(Guarded("E:x"), "E:x");
  EXPECT_EQ(Guarded("E:\\"), "E:\\");
  EXPECT_EQ(Guarded("D:\\Rec"), "D:\\Rec\\");
  EXPECT_EQ(Guarded("D:\\Rec\\"), "D:\\Rec\\");
}

TEST(PathRules, TrailByteOfDoubleByteCharacterIsNotABackslash) {
  // A folder named 表 (and one named ソ) ends in 0x5C but has no backslash.
  EXPECT_EQ(Removed("D:\\" + kHyo), "D:\\" + kHyo);
  EXPECT_EQ(Removed("D:\\a" + kSo), "D:\\a" + kSo);
  EXPECT_EQ(Added("D:\\" + kHyo), "D:\\" + kHyo + "\\");
  EXPECT_EQ(Guarded("D:\\" + kHyo), "D:\\" + kHyo + "\\");
  EXPECT_EQ(Removed("D:\\" + kHyo + "\\"), "D:\\" + kHyo);
  EXPECT_FALSE(EndsWithBackslash(kHyo));
  EXPECT_TRUE(EndsWithBackslash(kHyo + "\\"));
}

TEST(Cp932, WalksCharactersNotBytes) {
  const std::string path = "D:\\" + kHyo + "\\" + kSo + "x\\y";
  EXPECT_EQ(FindBackslash(path, 0), 2u);
  EXPECT_EQ(FindBackslash(path, 3), 5u);  // skips the trail byte at 4
  EXPECT_EQ(FindLastBackslash(path), 9u);
  EXPECT_EQ(FindLastBackslash(kHyo + kSo), npos);
  EXPECT_EQ(LastCharPos(kHyo), 0u);
  EXPECT_EQ(LastCharPos(""), npos);
  // A lead byte at the end of a string stands alone and is not a backslash.
  EXPECT_FALSE(EndsWithBackslash("a\x95"));
  EXPECT_EQ(ClampToCharBoundary("ab" + kHyo, 3), 2u);
  EXPECT_EQ(ClampToCharBoundary("ab" + kHyo, 4), 4u);
  EXPECT_EQ(ClampToCharBoundary("ab", 10), 2u);
}
