// The folder tree on real folders of the test drive D:, and the sub-folder
// order against the runtime's own multibyte comparison. The chooser's
// fallbacks are tested through the dialog.
#include <gtest/gtest.h>
#include <mbctype.h>
#include <windows.h>
#include <mbstring.h>

#include <string>
#include <tuple>
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

int RuntimeSign(const std::string& a, const std::string& b) {
  const int r = _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()), reinterpret_cast<const unsigned char*>(b.c_str()));
  return (r > 0) - (r < 0);
}

class FolderTreeTest : public testing::Test {
 protected:
  void SetUp() override { test::ClearDrive('D'); }
  // A tree built from `path`, with the sub-folders of its last node opened.
  CFolderTree& Open(std::string path, int expected) {
    tree.BuildFromPath(path);
    EXPECT_EQ(tree.InsertSubFolders(tree.nCurrent), expected) << test::Utf8(path);
    return tree;
  }
  CFolderTree tree;
};

}  // namespace

TEST_F(FolderTreeTest, BuildsTheChainThenOpensAndClosesSubFolders) {
  for (const char* d : {"beta", "Alpha", "Gamma", "Alpha\\one"}) test::MakeDir(std::string("D:\\Dictation\\2006\\") + d);
  Open("D:\\Dictation\\2006", 3);
  EXPECT_EQ(NamesFrom(tree, 0), (Names{"D:\\", "Dictation", "2006", "Alpha", "beta", "Gamma"}));
  const FOLDERNODE* beta = tree.GetNodeAt(4);
  EXPECT_EQ(std::tuple(std::string(tree.GetNodeAt(1)->szPath), std::string(beta->szPath), beta->nLevel, beta->bOpen, tree.nCurrent),
            std::tuple("D:\\Dictation", "D:\\Dictation\\2006\\beta", 3, 0, 2));
  EXPECT_TRUE(tree.GetNodeAt(6) == nullptr && tree.GetNodeAt(-1) == nullptr);
  EXPECT_EQ(tree.InsertSubFolders(3), 1);  // one, under Alpha
  // Braces: evaluated left to right.
  EXPECT_EQ((std::tuple{tree.GetNodeAt(4)->nLevel, tree.RemoveDescendants(2), tree.RemoveNodeAfter(1), tree.RemoveNodeAfter(1)}),
            std::tuple(4, 4, true, false));
}

// Folders only, hidden and system ones included; a folder that cannot be
// searched gives nothing.
TEST_F(FolderTreeTest, ListsFoldersOnlyHiddenAndSystemOnesIncluded) {
  for (const char* d : {"D:\\mix\\.hidden", "D:\\mix\\sys"}) test::MakeDir(d);
  SetFileAttributesA("D:\\mix\\sys", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
  test::WriteFile("D:\\mix\\plain.txt", "x");
  EXPECT_EQ(NamesFrom(Open("D:\\mix", 2), 2), (Names{".hidden", "sys"}));
  test::RemoveTree("D:\\mix");
  EXPECT_EQ(tree.InsertSubFolders(1), 0);
}

TEST_F(FolderTreeTest, DoubleByteNamesAtEveryDepth) {
  const std::string hyo = Sjis(u8"表"), so = Sjis(u8"ソ"), kana = Sjis(u8"ｱ"), kanji = Sjis(u8"亜");
  const std::string deep = "D:\\" + hyo + "\\" + so + "\\" + hyo;
  for (const std::string& n : {kanji, std::string("b"), kana, std::string("A")}) test::MakeDir(deep + "\\" + n);
  EXPECT_EQ(NamesFrom(Open(deep, 4), 0), (Names{"D:\\", hyo, so, hyo, "A", "b", kana, kanji}));
  EXPECT_EQ((Names{tree.GetNodeAt(2)->szPath, tree.GetNodeAt(4)->szPath}), (Names{"D:\\" + hyo + "\\" + so, deep + "\\A"}));
  CFolderTree t;
  std::string withBackslash = "D:\\" + hyo + "\\";  // the backslash after 表 ends the walk
  t.BuildFromPath(withBackslash);
  EXPECT_EQ(t.nCurrent, 1);
}

// A name of 255 bytes is listed whole; a chain ending at exactly 259 bytes is
// kept, a sub-folder that would pass the limit is left out.
TEST_F(FolderTreeTest, LongNamesAndThePathLimit) {
  ASSERT_TRUE(CreateDirectoryA(("D:\\" + std::string(255, 'n')).c_str(), nullptr));
  std::string root = "D:\\";  // a root is built with its sub-folders
  tree.BuildFromPath(root);
  EXPECT_EQ(std::string(tree.GetNodeAt(1)->szPath).size(), 258u);
  const std::string base = "D:\\" + std::string(200, 'a') + "\\" + std::string(50, 'b');  // 254 bytes
  test::MakeDir(base);
  ASSERT_TRUE(CreateDirectoryA((base + "\\cccc").c_str(), nullptr));  // 259
  CreateDirectoryA((base + "\\ddddd").c_str(), nullptr);              // 260, if the disk allows it
  CFolderTree t;
  std::string path = base;
  t.BuildFromPath(path);
  t.InsertSubFolders(2);
  EXPECT_EQ(NamesFrom(t, 3), Names{"cccc"});
  EXPECT_EQ(std::string(t.GetNodeAt(3)->szPath).size(), 259u);
}

// The order is the runtime's _mbsicmp under code page 932, full-width
// letters included: in the tree, and pairwise for names no folder can have.
TEST_F(FolderTreeTest, SubFoldersFollowTheRuntimeOrder) {
  ASSERT_EQ(_setmbcp(932), 0);
  for (const char8_t* name : {u8"ｂa", u8"Ｂ", u8"ａc", u8"Ａb", u8"亜", u8"Zed", u8"ｱ", u8"c", u8"_x", u8"10", u8"9", u8"表A"})
    test::MakeDir("D:\\Order\\" + Sjis(name));
  const Names listed = NamesFrom(Open("D:\\Order", 12), 2);
  for (std::size_t i = 1; i < listed.size(); ++i)
    EXPECT_LT(RuntimeSign(listed[i - 1], listed[i]), 0) << test::Utf8(listed[i - 1]) << " before " << test::Utf8(listed[i]);
  const Names names = {"abc", "ABD", "a", "[y", "~", "a b", "x\\y", Sjis(u8"表a"), Sjis(u8"ソ"), Sjis(u8"ﾀﾞｳﾝ"),
                       Sjis(u8"かな"), Sjis(u8"カナ"), Sjis(u8"ｚＺ"), Sjis(u8"Ｚz"), std::string("x") + Sjis(u8"表") + "y"};
  for (const std::string& a : names)
    for (const std::string& b : names) {
      const int mine = vtk::MbsICompare(a, b);
      EXPECT_EQ((mine > 0) - (mine < 0), RuntimeSign(a, b)) << test::Utf8(a) << " vs " << test::Utf8(b);
    }
}
