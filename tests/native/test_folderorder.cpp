#include <gtest/gtest.h>

#include "core/folderorder.h"

using namespace vtk;

namespace {
// 表 (0x95 0x5C) and ソ (0x83 0x5C): double-byte characters whose trail byte
// is the code of a backslash.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";
const std::string kFullA = "\x82\x60";       // Ａ
const std::string kFullLowerA = "\x82\x81";  // ａ
const std::string kHalfKanaA = "\xB1";       // ｱ
const std::string kKanjiA = "\x88\x9F";      // 亜

std::vector<std::string> Names(const std::vector<SubFolder>& v) {
  std::vector<std::string> out;
  for (const SubFolder& f : v) out.push_back(f.name);
  return out;
}

std::vector<SubFolder> In(const std::string& dir, const std::vector<std::string>& names) {
  std::vector<SubFolder> v;
  for (const std::string& n : names) v.push_back({n, dir + "\\" + n});
  return v;
}

int Sign(int x) { return (x > 0) - (x < 0); }
}  // namespace

TEST(MbsICompare, FoldsAsciiLettersOnly) {
  EXPECT_EQ(MbsICompare("abc", "ABC"), 0);
  EXPECT_EQ(Sign(MbsICompare("abc", "ABD")), -1);
  EXPECT_EQ(Sign(MbsICompare("Gamma", "beta")), 1);
  EXPECT_EQ(Sign(MbsICompare("ab", "abc")), -1);
  EXPECT_EQ(Sign(MbsICompare("abc", "ab")), 1);
  EXPECT_EQ(MbsICompare("", ""), 0);
  // Folding goes to lower case: '_' (0x5F) lies between 'Z' and 'a'.
  EXPECT_EQ(Sign(MbsICompare("_x", "Ax")), -1);
  EXPECT_EQ(Sign(MbsICompare("[", "a")), -1);
  // Full-width letters are not folded.
  EXPECT_NE(MbsICompare(kFullA, kFullLowerA), 0);
  EXPECT_EQ(Sign(MbsICompare(kFullA, kFullLowerA)), -1);
  // Half-width katakana has no case.
  EXPECT_NE(MbsICompare("\xB1", "\xC1"), 0);
}

TEST(MbsICompare, ComparesDoubleByteCharactersAsUnits) {
  // As bytes ｱ (0xB1) would follow 亜 (0x88 0x9F); as units every single-byte
  // character comes before every double-byte one.
  EXPECT_EQ(Sign(MbsICompare(kHalfKanaA, kKanjiA)), -1);
  EXPECT_EQ(Sign(MbsICompare("z", kHyo)), -1);
  // The trail byte 0x5C of 表 is not a backslash and not folded; the trail
  // byte 0x60 of Ａ is not the letter '`' either.
  EXPECT_EQ(MbsICompare(kHyo + "a", kHyo + "A"), 0);
  EXPECT_EQ(Sign(MbsICompare(kSo, kHyo)), -1);
  EXPECT_EQ(Sign(MbsICompare("\x82\x61", "\x82\x81")), -1);  // Ｂ (0x8261) before ａ (0x8281)
  // A lead byte with nothing after it stands alone.
  EXPECT_EQ(Sign(MbsICompare("a\x95", "a")), 1);
  EXPECT_EQ(Sign(MbsICompare("a\x95", "a\x95\x5C")), -1);
}

TEST(OrderSubFolders, EqualNamesKeepSearchOrder) {
  auto v = In("D:\\x", {"abc", "ABD", "Abc"});
  OrderSubFolders(v);
  EXPECT_EQ(Names(v), (std::vector<std::string>{"abc", "Abc", "ABD"}));
  EXPECT_EQ(v[1].path, "D:\\x\\Abc");

  auto w = In("D:\\Dictation\\2006", {"beta", "Alpha", "Gamma"});
  OrderSubFolders(w);
  EXPECT_EQ(Names(w), (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
}

TEST(OrderSubFolders, DropsOnlyExactDuplicatesOfNameAndPath) {
  std::vector<SubFolder> v = {{"a", "C:\\a"}, {"A", "C:\\A"}, {"a", "C:\\a"}, {"a", "D:\\a"}, {"b", "C:\\b"},
                              {"a", "C:\\a"}};
  OrderSubFolders(v);
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].path, "C:\\a");
  EXPECT_EQ(v[1].path, "C:\\A");
  EXPECT_EQ(v[2].path, "D:\\a");
  EXPECT_EQ(v[3].path, "C:\\b");
}

TEST(OrderSubFolders, MixedScriptsAndEmpty) {
  std::vector<SubFolder> none;
  OrderSubFolders(none);
  EXPECT_TRUE(none.empty());

  auto v = In("E:", {kKanjiA, "zeta", kHalfKanaA, kFullA, "Zed", kHyo, "_u", "10", "9"});
  OrderSubFolders(v);
  EXPECT_EQ(Names(v), (std::vector<std::string>{"10", "9", "_u", "Zed", "zeta", kHalfKanaA, kFullA, kKanjiA, kHyo}));
}

TEST(OrderSubFolders, ManyNamesStaySortedAndStable) {
  std::vector<SubFolder> v;
  for (int i = 0; i < 3000; ++i) {
    std::string n = "n" + std::to_string(i % 500);
    if (i % 2) n[0] = 'N';
    v.push_back({n, "D:\\" + n + "#" + std::to_string(i)});
  }
  OrderSubFolders(v);
  ASSERT_EQ(v.size(), 3000u);
  for (std::size_t i = 1; i < v.size(); ++i) {
    const int c = MbsICompare(v[i - 1].name, v[i].name);
    ASSERT_LE(c, 0) << i;
    // Equal names: search order, which the serial after '#' records.
    if (c == 0) {
      const int a = std::stoi(v[i - 1].path.substr(v[i - 1].path.find('#') + 1));
      const int b = std::stoi(v[i].path.substr(v[i].path.find('#') + 1));
      ASSERT_LT(a, b) << i;
    }
  }
}

TEST(PathComponent, WalksTheComponentsOfADrivePath) {
  std::string c, p;
  EXPECT_TRUE(GetPathComponent("D:\\Dictation\\2006", 1, c, p));
  EXPECT_EQ(c, "Dictation");
  EXPECT_EQ(p, "D:\\Dictation");
  EXPECT_TRUE(GetPathComponent("D:\\Dictation\\2006", 2, c, p));
  EXPECT_EQ(c, "2006");
  EXPECT_EQ(p, "D:\\Dictation\\2006");
  EXPECT_FALSE(GetPathComponent("D:\\Dictation\\2006", 3, c, p));
  EXPECT_TRUE(c.empty());
  EXPECT_TRUE(p.empty());
  // A trailing backslash ends the walk.
  EXPECT_TRUE(GetPathComponent("D:\\Dictation\\", 1, c, p));
  EXPECT_FALSE(GetPathComponent("D:\\Dictation\\", 2, c, p));
  EXPECT_FALSE(GetPathComponent("D:\\", 1, c, p));
}

TEST(PathComponent, NeverSplitsADoubleByteCharacter) {
  std::string c, p;
  const std::string path = "D:\\" + kHyo + "\\a" + kSo + "\\" + kHyo;
  EXPECT_TRUE(GetPathComponent(path, 1, c, p));
  EXPECT_EQ(c, kHyo);
  EXPECT_EQ(p, "D:\\" + kHyo);
  EXPECT_TRUE(GetPathComponent(path, 2, c, p));
  EXPECT_EQ(c, "a" + kSo);
  EXPECT_EQ(p, "D:\\" + kHyo + "\\a" + kSo);
  EXPECT_TRUE(GetPathComponent(path, 3, c, p));
  EXPECT_EQ(c, kHyo);
  EXPECT_EQ(p, path);
  EXPECT_FALSE(GetPathComponent(path, 4, c, p));
}

TEST(PathComponent, RefusesPathsWithoutADriveRoot) {
  std::string c = "x", p = "y";
  EXPECT_FALSE(GetPathComponent("", 1, c, p));
  EXPECT_TRUE(c.empty() && p.empty());
  EXPECT_FALSE(GetPathComponent("D:", 1, c, p));
  EXPECT_FALSE(GetPathComponent("\\\\server\\share\\x", 1, c, p));
  EXPECT_FALSE(GetPathComponent("Dictation\\2006", 1, c, p));
  EXPECT_FALSE(GetPathComponent("D:\\a", 0, c, p));
  EXPECT_TRUE(StartsWithDriveRoot("c:\\"));
  EXPECT_FALSE(StartsWithDriveRoot("1:\\"));
  EXPECT_FALSE(StartsWithDriveRoot(kHyo + "\\"));
}
