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

namespace {

struct NodeView {
  std::string name;
  std::string path;
  int level;
};

std::vector<NodeView> Nodes(CFolderTree& tree) {
  std::vector<NodeView> out;
  for (FOLDERNODE* n = tree.pHead; n; n = n->pNext) out.push_back({n->szName, n->szPath, n->nLevel});
  return out;
}

std::vector<std::string> NamesFrom(CFolderTree& tree, int first) {
  std::vector<std::string> out;
  for (FOLDERNODE* n = tree.GetNodeAt(first); n; n = n->pNext) out.push_back(n->szName);
  return out;
}

class FolderTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('D');
    test::ClearDrive('E');
    for (const char* d : {"D:\\Dictation\\2006\\beta", "D:\\Dictation\\2006\\Alpha", "D:\\Dictation\\2006\\Gamma"})
      test::MakeDir(d);
  }
  test::CurrentDirectoryKeeper keeper;
  CFolderTree tree;
};

}  // namespace

TEST_F(FolderTreeTest, BuildFromPathGivesTheChainAndTheCurrentFolder) {
  std::string p = "D:\\Dictation\\2006";
  tree.BuildFromPath(p);
  EXPECT_EQ(p, "D:\\Dictation\\2006");
  const auto nodes = Nodes(tree);
  ASSERT_EQ(nodes.size(), 3u);
  EXPECT_EQ(nodes[0].name, "D:\\");
  EXPECT_EQ(nodes[0].path, "D:\\");
  EXPECT_EQ(nodes[1].name, "Dictation");
  EXPECT_EQ(nodes[1].path, "D:\\Dictation");
  EXPECT_EQ(nodes[1].level, 1);
  EXPECT_EQ(nodes[2].name, "2006");
  EXPECT_EQ(nodes[2].path, "D:\\Dictation\\2006");
  EXPECT_EQ(nodes[2].level, 2);
  EXPECT_EQ(tree.nCurrent, 2);

  EXPECT_EQ(tree.InsertSubFolders(2), 3);
  EXPECT_EQ(NamesFrom(tree, 3), (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
  EXPECT_EQ(tree.GetNodeAt(4)->nLevel, 3);
  EXPECT_STREQ(tree.GetNodeAt(4)->szPath, "D:\\Dictation\\2006\\beta");
  EXPECT_EQ(tree.GetNodeAt(4)->bOpen, 0);
  EXPECT_EQ(tree.nCurrent, 2);
  EXPECT_EQ(tree.GetNodeAt(6), nullptr);
  EXPECT_EQ(tree.GetNodeAt(-1), nullptr);

  tree.RemoveAllNodes();
  EXPECT_EQ(tree.pHead, nullptr);
  p = "D:\\Dictation\\";
  tree.nCurrent = 0;
  tree.BuildFromPath(p);
  EXPECT_EQ(Nodes(tree).size(), 2u);
  EXPECT_EQ(tree.nCurrent, 1);
}

TEST_F(FolderTreeTest, RootsAndFallbacks) {
  test::MakeDir("E:\\zeta");
  test::MakeDir("E:\\Beta");
  test::MakeDir("E:\\alpha");
  test::WriteFile("E:\\afile.txt", "x");
  std::string p = "E:\\";
  tree.BuildFromPath(p);
  EXPECT_EQ(tree.nCurrent, 0);
  EXPECT_EQ(NamesFrom(tree, 0), (std::vector<std::string>{"E:\\", "alpha", "Beta", "zeta"}));
  EXPECT_STREQ(tree.GetNodeAt(1)->szPath, "E:\\alpha");  // one backslash after a root

  // Paths that do not exist, are too short or have no drive root: the
  // current directory of the current drive, and the caller sees it.
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Dictation"));
  for (std::string bad : {std::string("D:\\Nowhere\\x"), std::string(""), std::string("D:"),
                          std::string("Dictation\\2006"), std::string("\\\\server\\share\\x")}) {
    CFolderTree t;
    t.BuildFromPath(bad);
    EXPECT_EQ(bad, "D:\\Dictation");
    EXPECT_EQ(Nodes(t).size(), 2u);
    EXPECT_EQ(t.nCurrent, 1);
  }
  // A current directory that is a root gives the root alone.
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\"));
  std::string missing = "D:\\Nowhere";
  CFolderTree t;
  t.BuildFromPath(missing);
  EXPECT_EQ(missing, "D:\\");
  EXPECT_EQ(Nodes(t).size(), 1u);
}

TEST_F(FolderTreeTest, ListsFoldersOnlyHiddenOnesIncluded) {
  test::MakeDir("D:\\mix\\.hidden");
  test::MakeDir("D:\\mix\\sys");
  SetFileAttributesA("D:\\mix\\sys", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
  test::WriteFile("D:\\mix\\plain.txt", "x");
  test::WriteFile("D:\\mix\\noext", "x");
  std::string p = "D:\\mix";
  tree.BuildFromPath(p);
  EXPECT_EQ(tree.InsertSubFolders(1), 2);
  EXPECT_EQ(NamesFrom(tree, 2), (std::vector<std::string>{".hidden", "sys"}));
  // A folder that cannot be searched gives nothing.
  test::RemoveTree("D:\\mix");
  EXPECT_EQ(tree.InsertSubFolders(1), 0);
}

TEST_F(FolderTreeTest, DoubleByteNamesAtEveryDepth) {
  const std::string hyo = Sjis(u8"表"), so = Sjis(u8"ソ"), kana = Sjis(u8"ｱ"), kanji = Sjis(u8"亜");
  const std::string deep = "D:\\" + hyo + "\\" + so + "\\" + hyo;
  test::MakeDir(deep);
  for (const std::string& n : {kanji, std::string("b"), kana, std::string("A")}) test::MakeDir(deep + "\\" + n);
  std::string p = deep;
  tree.BuildFromPath(p);
  ASSERT_EQ(tree.nCurrent, 3);
  EXPECT_EQ(NamesFrom(tree, 0), (std::vector<std::string>{"D:\\", hyo, so, hyo}));
  EXPECT_EQ(tree.GetNodeAt(2)->szPath, "D:\\" + hyo + "\\" + so);
  EXPECT_EQ(tree.InsertSubFolders(3), 4);
  EXPECT_EQ(NamesFrom(tree, 4), (std::vector<std::string>{"A", "b", kana, kanji}));
  EXPECT_EQ(tree.GetNodeAt(4)->szPath, deep + "\\A");

  // With a trailing backslash after 表 the walk still stops there.
  CFolderTree t;
  std::string q = "D:\\" + hyo + "\\";
  t.BuildFromPath(q);
  EXPECT_EQ(t.nCurrent, 1);
}

TEST_F(FolderTreeTest, LongNamesAndThePathLimit) {
  const std::string longName(255, 'n');
  ASSERT_TRUE(CreateDirectoryA(("D:\\" + longName).c_str(), nullptr));
  std::string p = "D:\\";
  tree.BuildFromPath(p);
  ASSERT_NE(tree.GetNodeAt(2), nullptr);
  EXPECT_EQ(tree.GetNodeAt(2)->szName, longName);  // after "Dictation"
  EXPECT_EQ(std::string(tree.GetNodeAt(2)->szPath).size(), 258u);

  // A chain that ends exactly at 259 bytes is kept whole; a sub-folder that
  // would pass the limit is left out (it cannot be opened by path anyway).
  const std::string base = "D:\\" + std::string(200, 'a') + "\\" + std::string(50, 'b');  // 254 bytes
  test::MakeDir(base);
  ASSERT_TRUE(CreateDirectoryA((base + "\\cccc").c_str(), nullptr));  // 259 bytes
  const bool longerMade = CreateDirectoryA((base + "\\ddddd").c_str(), nullptr) != FALSE;  // 260
  CFolderTree t;
  std::string b = base;
  t.BuildFromPath(b);
  ASSERT_EQ(t.nCurrent, 2);
  t.InsertSubFolders(2);
  EXPECT_EQ(NamesFrom(t, 3), std::vector<std::string>{"cccc"}) << "longer folder made: " << longerMade;
  EXPECT_EQ(std::string(t.GetNodeAt(3)->szPath).size(), 259u);
  test::RemoveTree("D:\\" + std::string(200, 'a'));
}

TEST_F(FolderTreeTest, CollapsingRemovesTheOpenedSubTree) {
  test::MakeDir("D:\\Dictation\\2006\\Alpha\\one");
  std::string p = "D:\\Dictation\\2006";
  tree.BuildFromPath(p);
  tree.InsertSubFolders(2);       // Alpha beta Gamma at 3..5
  EXPECT_EQ(tree.InsertSubFolders(3), 1);  // one at 4
  EXPECT_EQ(tree.GetNodeAt(4)->nLevel, 4);
  EXPECT_EQ(tree.RemoveDescendants(2), 4);
  EXPECT_EQ(NamesFrom(tree, 0), (std::vector<std::string>{"D:\\", "Dictation", "2006"}));
  EXPECT_TRUE(tree.RemoveNodeAfter(1));
  EXPECT_FALSE(tree.RemoveNodeAfter(1));
}

// The order must be the runtime's own _mbsicmp under code page 932 for the
// cases that occur in folder names.
TEST(FolderOrder, AgreesWithTheRuntimeMultibyteComparison) {
  ASSERT_EQ(_setmbcp(932), 0);
  const std::vector<std::string> names = {
      "abc", "ABD", "Abc", "a", "A", "_x", "[y", "~", "Zed", "zeta", "10", "9", "a b", "a-b",
      Sjis(u8"ｱ"), Sjis(u8"ﾀﾞｳﾝ"), Sjis(u8"亜"), Sjis(u8"表"), Sjis(u8"ソ"), Sjis(u8"表a"), Sjis(u8"表A"),
      Sjis(u8"漢字"), Sjis(u8"かな"), Sjis(u8"カナ"), "x" + Sjis(u8"表") + "y", "x\\y"};
  for (const std::string& a : names) {
    for (const std::string& b : names) {
      const int mine = vtk::MbsICompare(a, b);
      const int theirs = _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                                  reinterpret_cast<const unsigned char*>(b.c_str()));
      EXPECT_EQ((mine > 0) - (mine < 0), (theirs > 0) - (theirs < 0)) << test::Utf8(a) << " vs " << test::Utf8(b);
    }
  }
}
