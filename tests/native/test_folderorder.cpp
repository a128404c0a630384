#include <gtest/gtest.h>

#include <tuple>

#include "core/folderorder.h"

using namespace vtk;

namespace {
// 表 and ソ have a trail byte 0x5C, the code of a backslash.
const std::string kHyo = "\x95\x5C", kSo = "\x83\x5C";
const std::string kFullA = "\x82\x60";  // Ａ
const std::string kHalfKanaA = "\xB1", kKanjiA = "\x88\x9F";      // ｱ 亜

std::vector<std::string> Names(const std::vector<SubFolder>& v) {
  std::vector<std::string> out;
  for (const SubFolder& f : v) out.push_back(f.name);
  return out;
}

std::vector<std::string> Ordered(const std::vector<std::string>& names) {
  std::vector<SubFolder> v;
  for (const std::string& n : names) v.push_back({n, "D:\\x\\" + n});
  OrderSubFolders(v);
  return Names(v);
}
}  // namespace

// The order itself is compared with the runtime's _mbsicmp on the Windows
// tier; here only what that comparison cannot hold: a lone lead byte.
TEST(MbsICompare, ALoneLeadByteStandsAlone) {
  EXPECT_GT(MbsICompare("a\x95", "a"), 0);
  EXPECT_LT(MbsICompare("a\x95", "a\x95\x5C"), 0);
}

TEST(OrderSubFolders, SortsStablyAndDropsOnlyExactDuplicates) {
  EXPECT_EQ(Ordered({"abc", "ABD", "Abc"}), (std::vector<std::string>{"abc", "Abc", "ABD"}));
  EXPECT_EQ(Ordered({"beta", "Alpha", "Gamma"}), (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
  EXPECT_EQ(Ordered({kKanjiA, "zeta", kHalfKanaA, kFullA, "Zed", kHyo, "_u", "10", "9"}),
            (std::vector<std::string>{"10", "9", "_u", "Zed", "zeta", kHalfKanaA, kFullA, kKanjiA, kHyo}));
  EXPECT_TRUE(Ordered({}).empty());
  std::vector<SubFolder> v = {{"a", "C:\\a"}, {"A", "C:\\A"}, {"a", "C:\\a"}, {"a", "D:\\a"}, {"b", "C:\\b"}, {"a", "C:\\a"}};
  OrderSubFolders(v);
  std::vector<std::string> paths;
  for (const SubFolder& f : v) paths.push_back(f.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"C:\\a", "C:\\A", "D:\\a", "C:\\b"}));
}

TEST(OrderSubFolders, ManyNamesStaySortedAndStable) {
  std::vector<SubFolder> v;  // the path records the search order
  for (int i = 0; i < 3000; ++i) v.push_back({(i % 2 ? "N" : "n") + std::to_string(i % 500), std::to_string(i)});
  OrderSubFolders(v);
  ASSERT_EQ(v.size(), 3000u);
  for (std::size_t i = 1; i < v.size(); ++i) {
    const int c = MbsICompare(v[i - 1].name, v[i].name);
    ASSERT_LE(c, 0) << i;
    ASSERT_TRUE(c < 0 || std::stoi(v[i - 1].path) < std::stoi(v[i].path)) << i;
  }
}

TEST(PathComponent, WalksDriveRootedPathsWithoutSplittingDoubleByteCharacters) {
  const std::string dbcs = "D:\\" + kHyo + "\\a" + kSo + "\\" + kHyo;
  const struct {
    std::string path;
    int n;
    bool ok = false;
    std::string component{}, prefix{};
  } cases[] = {
      {"D:\\Dictation\\2006", 1, true, "Dictation", "D:\\Dictation"},
      {"D:\\Dictation\\2006", 2, true, "2006", "D:\\Dictation\\2006"},
      {"D:\\Dictation\\", 1, true, "Dictation", "D:\\Dictation"},
      {dbcs, 1, true, kHyo, "D:\\" + kHyo},
      {dbcs, 2, true, "a" + kSo, "D:\\" + kHyo + "\\a" + kSo},
      {dbcs, 3, true, kHyo, dbcs},
      // A trailing backslash ends the walk; no drive root, no walk.
      {"D:\\Dictation\\2006", 3}, {"D:\\Dictation\\", 2}, {"D:\\", 1}, {dbcs, 4}, {"", 1}, {"D:", 1},
      {"\\\\server\\share\\x", 1}, {"Dictation\\2006", 1}, {"D:\\a", 0},
  };
  for (const auto& c : cases) {
    std::string component = "stale", prefix;
    const bool ok = GetPathComponent(c.path, c.n, component, prefix);
    EXPECT_EQ(std::tuple(ok, component, ok ? prefix : ""), std::tuple(c.ok, c.component, c.prefix)) << c.path << " #" << c.n;
  }
  EXPECT_EQ((std::vector{StartsWithDriveRoot("c:\\"), StartsWithDriveRoot("1:\\"), StartsWithDriveRoot(kHyo + "\\")}),
            (std::vector{true, false, false}));
}
