// The folder tree on real folders of the test drives (D: fixed, E:
// removable), and the sub-folder order against the runtime's own
// multibyte comparison.
#include <gtest/gtest.h>
#include <mbctype.h>
#include <windows.h>
#include <mbstring.h>

#include <string>
#include <vector>

#include "core/folderorder.h"
#include "folderui/foldertree.h"
#include "support/drives.h"
#include "support/text.h"

using test::Sjis;
using Names = std::vector<std::string>;

namespace {

Names NamesFrom(CFolderTree& tree, int first) {
  Names out;
  for (FOLDERNODE* n = tree.GetNodeAt(first); n; n = n->pNext) out.push_back(n->szName);
  return out;
}

int Count(CFolderTree& tree) { return static_cast<int>(NamesFrom(tree, 0).size()); }

class FolderTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('D');
    test::ClearDrive('E');
    for (const char* d : {"beta", "Alpha", "Gamma"}) test::MakeDir(std::string("D:\\Dictation\\2006\\") + d);
  }
  // Builds `t` from `path`; returns the path as BuildFromPath left it.
  static std::string Build(CFolderTree& t, std::string path) {
    t.BuildFromPath(path);
    return path;
  }
  test::CurrentDirectoryKeeper keeper;
  CFolderTree tree;
};

}  // namespace

TEST_F(FolderTreeTest, BuildsTheChainThenOpensAndClosesSubFolders) {
  test::MakeDir("D:\\Dictation\\2006\\Alpha\\one");
  EXPECT_EQ(Build(tree, "D:\\Dictation\\2006"), "D:\\Dictation\\2006");
  EXPECT_EQ(NamesFrom(tree, 0), (Names{"D:\\", "Dictation", "2006"}));
  const Names chain = {"D:\\", "D:\\Dictation", "D:\\Dictation\\2006"};
  for (int level = 0; level < 3; ++level) {
    EXPECT_EQ(tree.GetNodeAt(level)->nLevel, level);
    EXPECT_EQ(tree.GetNodeAt(level)->szPath, chain[level]);
  }
  EXPECT_EQ(tree.nCurrent, 2);
  EXPECT_EQ(tree.InsertSubFolders(2), 3);
  EXPECT_EQ(NamesFrom(tree, 3), (Names{"Alpha", "beta", "Gamma"}));
  EXPECT_STREQ(tree.GetNodeAt(4)->szPath, "D:\\Dictation\\2006\\beta");
  EXPECT_TRUE(tree.GetNodeAt(4)->nLevel == 3 && tree.GetNodeAt(4)->bOpen == 0 && tree.nCurrent == 2);
  EXPECT_TRUE(tree.GetNodeAt(6) == nullptr && tree.GetNodeAt(-1) == nullptr);
  EXPECT_EQ(tree.InsertSubFolders(3), 1);  // one, under Alpha
  EXPECT_EQ(tree.GetNodeAt(4)->nLevel, 4);
  EXPECT_EQ(tree.RemoveDescendants(2), 4);
  EXPECT_EQ(Count(tree), 3);
  EXPECT_TRUE(tree.RemoveNodeAfter(1));
  EXPECT_FALSE(tree.RemoveNodeAfter(1));
  tree.RemoveAllNodes();
  EXPECT_EQ(tree.pHead, nullptr);
}

TEST_F(FolderTreeTest, RootsAndFallbacks) {
  test::MakeDir("E:\\alpha");
  Build(tree, "E:\\");
  EXPECT_EQ(tree.nCurrent, 0);
  EXPECT_EQ(NamesFrom(tree, 0), (Names{"E:\\", "alpha"}));
  EXPECT_STREQ(tree.GetNodeAt(1)->szPath, "E:\\alpha");  // one backslash after a root

  // Unusable paths give the current directory, and the caller sees it.
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Dictation"));
  for (const char* bad : {"D:\\Nowhere\\x", "", "D:", "Dictation\\2006", "\\\\server\\share\\x"}) {
    SCOPED_TRACE(bad);
    CFolderTree t;
    EXPECT_EQ(Build(t, bad), "D:\\Dictation");
    EXPECT_EQ(Count(t), 2);
    EXPECT_EQ(t.nCurrent, 1);
  }
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\"));
  CFolderTree t;
  EXPECT_EQ(Build(t, "D:\\Nowhere"), "D:\\");
  EXPECT_EQ(Count(t), 1);  // a root current directory: the root alone
}

TEST_F(FolderTreeTest, ListsFoldersOnlyHiddenAndSystemOnesIncluded) {
  for (const char* d : {"D:\\mix\\.hidden", "D:\\mix\\sys"}) test::MakeDir(d);
  SetFileAttributesA("D:\\mix\\sys", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
  for (const char* f : {"D:\\mix\\plain.txt", "D:\\mix\\noext"}) test::WriteFile(f, "x");
  Build(tree, "D:\\mix");
  EXPECT_EQ(tree.InsertSubFolders(1), 2);
  EXPECT_EQ(NamesFrom(tree, 2), (Names{".hidden", "sys"}));
  test::RemoveTree("D:\\mix");
  EXPECT_EQ(tree.InsertSubFolders(1), 0);  // cannot be searched: nothing
}

TEST_F(FolderTreeTest, DoubleByteNamesAtEveryDepth) {
  const std::string hyo = Sjis(u8"表"), so = Sjis(u8"ソ"), kana = Sjis(u8"ｱ"), kanji = Sjis(u8"亜");
  const std::string deep = "D:\\" + hyo + "\\" + so + "\\" + hyo;
  for (const std::string& n : {kanji, std::string("b"), kana, std::string("A")}) test::MakeDir(deep + "\\" + n);
  Build(tree, deep);
  ASSERT_EQ(tree.nCurrent, 3);
  EXPECT_EQ(NamesFrom(tree, 0), (Names{"D:\\", hyo, so, hyo}));
  EXPECT_EQ(tree.GetNodeAt(2)->szPath, "D:\\" + hyo + "\\" + so);
  EXPECT_EQ(tree.InsertSubFolders(3), 4);
  EXPECT_EQ(NamesFrom(tree, 4), (Names{"A", "b", kana, kanji}));
  EXPECT_EQ(tree.GetNodeAt(4)->szPath, deep + "\\A");
  CFolderTree t;
  Build(t, "D:\\" + hyo + "\\");  // the trailing backslash after 表 ends the walk
  EXPECT_EQ(t.nCurrent, 1);
}

TEST_F(FolderTreeTest, LongNamesAndThePathLimit) {
  const std::string longName(255, 'n');
  ASSERT_TRUE(CreateDirectoryA(("D:\\" + longName).c_str(), nullptr));
  Build(tree, "D:\\");
  ASSERT_EQ(NamesFrom(tree, 0), (Names{"D:\\", "Dictation", longName}));
  EXPECT_EQ(std::string(tree.GetNodeAt(2)->szPath).size(), 258u);

  // A chain ending at exactly 259 bytes is kept whole; a sub-folder that
  // would pass the limit is left out (it cannot be opened by path anyway).
  const std::string base = "D:\\" + std::string(200, 'a') + "\\" + std::string(50, 'b');  // 254 bytes
  test::MakeDir(base);
  ASSERT_TRUE(CreateDirectoryA((base + "\\cccc").c_str(), nullptr));                      // 259
  const bool longerMade = CreateDirectoryA((base + "\\ddddd").c_str(), nullptr) != FALSE;  // 260
  CFolderTree t;
  Build(t, base);
  ASSERT_EQ(t.nCurrent, 2);
  t.InsertSubFolders(2);
  EXPECT_EQ(NamesFrom(t, 3), Names{"cccc"}) << "longer folder made: " << longerMade;
  EXPECT_EQ(std::string(t.GetNodeAt(3)->szPath).size(), 259u);
  test::RemoveTree("D:\\" + std::string(200, 'a'));
}

// The order must be the runtime's own _mbsicmp under code page 932.
TEST(FolderOrder, AgreesWithTheRuntimeMultibyteComparison) {
  ASSERT_EQ(_setmbcp(932), 0);
  const Names names = {"abc", "ABD", "Abc", "a", "A", "_x", "[y", "~", "Zed", "zeta", "10", "9", "a b", "a-b", "x\\y",
                       Sjis(u8"ｱ"), Sjis(u8"ﾀﾞｳﾝ"), Sjis(u8"亜"), Sjis(u8"表"), Sjis(u8"ソ"), Sjis(u8"表a"),
                       Sjis(u8"表A"), Sjis(u8"漢字"), Sjis(u8"かな"), Sjis(u8"カナ"),
                       std::string("x") + Sjis(u8"表") + "y", Sjis(u8"Ａ"), Sjis(u8"ａ"), Sjis(u8"Ｚz"),
                       Sjis(u8"ｚＺ"), Sjis(u8"Ｂｃ"), Sjis(u8"ｂ")};
  for (const std::string& a : names)
    for (const std::string& b : names) {
      const int mine = vtk::MbsICompare(a, b);
      const int theirs = _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                                  reinterpret_cast<const unsigned char*>(b.c_str()));
      EXPECT_EQ((mine > 0) - (mine < 0), (theirs > 0) - (theirs < 0)) << test::Utf8(a) << " vs " << test::Utf8(b);
    }
}

// Full-width letters fold as the runtime folds them, in the tree too.
TEST_F(FolderTreeTest, SubFoldersFollowTheRuntimeOrder) {
  ASSERT_EQ(_setmbcp(932), 0);
  for (const char8_t* name : {u8"ｂa", u8"Ｂ", u8"ａc", u8"Ａb", u8"亜", u8"Zed", u8"ｱ", u8"c"})
    test::MakeDir("D:\\Order\\" + Sjis(name));
  Build(tree, "D:\\Order");
  ASSERT_EQ(tree.InsertSubFolders(1), 8);
  const Names listed = NamesFrom(tree, 2);
  for (std::size_t i = 1; i < listed.size(); ++i)
    EXPECT_LT(_mbsicmp(reinterpret_cast<const unsigned char*>(listed[i - 1].c_str()),
                       reinterpret_cast<const unsigned char*>(listed[i].c_str())), 0)
        << test::Utf8(listed[i - 1]) << " before " << test::Utf8(listed[i]);
}
