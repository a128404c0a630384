#include <gtest/gtest.h>

#include <tuple>

#include "core/folderorder.h"

using namespace vtk;

namespace {
// 表 and ソ have a trail byte 0x5C, the code of a backslash.
const std::string kHyo = "\x95\x5C", kSo = "\x83\x5C";
}  // namespace

// The rest of the order is compared with the runtime's own comparison in the
// Windows tier; these are the cases it does not list.
TEST(MbsICompare, KeepsTheCaseOfFullWidthLettersAndALoneLeadByte) {
  const struct { std::string a, b; int sign; } cases[] = {
      {"\x82\x60", "\x82\x81", -1},  // Ａ before ａ: not folded
      {"\x82\x61", "\x82\x81", -1},  // Ｂ before ａ: trail 0x61 is not folded
      {"a\x95", "a", 1}, {"a\x95", "a\x95\x5C", -1},  // a lone lead byte stands alone
      {"", "", 0}, {"ab", "abc", -1},
  };
  for (const auto& c : cases) {
    const int r = MbsICompare(c.a, c.b), back = MbsICompare(c.b, c.a);
    EXPECT_EQ(std::pair((r > 0) - (r < 0), (back > 0) - (back < 0)), std::pair(c.sign, -c.sign)) << c.a << " vs " << c.b;
  }
}

// Equal names keep the search order, also among many (a sort that is stable
// only on short ranges shows there); only an entry equal in name and path to
// an earlier one is dropped.
TEST(OrderSubFolders, SortsStablyAndDropsOnlyExactDuplicates) {
  std::vector<SubFolder> v = {{"b", "C:\\b"}, {"a", "C:\\a"}, {"A", "C:\\A"}, {"a", "C:\\a"}, {"a", "D:\\a"}};
  OrderSubFolders(v);
  std::vector<std::string> paths;
  for (const SubFolder& f : v) paths.push_back(f.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"C:\\a", "C:\\A", "D:\\a", "C:\\b"}));
  v.clear();
  for (int i = 0; i < 3000; ++i) v.push_back({(i % 2 ? "N" : "n") + std::to_string(i % 500), std::to_string(i)});
  OrderSubFolders(v);
  ASSERT_EQ(v.size(), 3000u);
  for (std::size_t i = 1; i < v.size(); ++i) {
    const int c = MbsICompare(v[i - 1].name, v[i].name);
    ASSERT_TRUE(c < 0 || (c == 0 && std::stoi(v[i - 1].path) < std::stoi(v[i].path))) << i;
  }
}

TEST(PathComponent, WalksDriveRootedPathsWithoutSplittingDoubleByteCharacters) {
  const std::string dbcs = "D:\\" + kHyo + "\\a" + kSo + "\\" + kHyo;
  const struct { std::string path; int n; bool ok = false; std::string component{}, prefix{}; } cases[] = {
      {"D:\\Dictation\\2006", 1, true, "Dictation", "D:\\Dictation"},
      {"d:\\Dictation\\2006", 2, true, "2006", "d:\\Dictation\\2006"},
      {"D:\\Dictation\\", 1, true, "Dictation", "D:\\Dictation"},
      {dbcs, 1, true, kHyo, "D:\\" + kHyo},
      {dbcs, 2, true, "a" + kSo, "D:\\" + kHyo + "\\a" + kSo},
      {dbcs, 3, true, kHyo, dbcs},
      // A trailing backslash ends the walk; no drive root, no walk.
      {"D:\\Dictation\\2006", 3}, {"D:\\Dictation\\", 2}, {"D:\\", 1}, {dbcs, 4}, {"", 1}, {"D:", 1}, {"1:\\x", 1},
      {kHyo + "\\x", 1}, {"\\\\server\\share\\x", 1}, {"Dictation\\2006", 1}, {"D:\\a", 0},
  };
  for (const auto& c : cases) {
    std::string component = "stale", prefix;
    const bool ok = GetPathComponent(c.path, c.n, component, prefix);
    EXPECT_EQ(std::tuple(ok, component, ok ? prefix : ""), std::tuple(c.ok, c.component, c.prefix)) << c.path << " #" << c.n;
  }
}
