// The folder tree on real folders of the test drive D:. The chooser's
// fallbacks and its opening and closing are tested through the dialog.
#include <gtest/gtest.h>
#include <mbctype.h>
#include <windows.h>
#include <mbstring.h>

#include <string>

#include "folderui/foldertree.h"
#include "support/drives.h"
#include "support/text.h"

using test::Sjis;

// Names with 表 (trail byte 0x5C) at every depth. Below them folders only,
// hidden and system ones included, in the order of the runtime's _mbsicmp
// under code page 932, full-width letters folded. A name of 255 bytes is
// listed whole; a sub-folder whose path would pass 259 bytes is left out.
// A folder that is gone lists nothing.
TEST(FolderTree, DoubleByteNamesTheRuntimeOrderAndThePathLimit) {
  ASSERT_EQ(_setmbcp(932), 0);
  test::ClearDrive('D');
  const std::string hyo = Sjis(u8"表"), deep = "D:\\" + hyo + "\\" + Sjis(u8"ソ") + "\\" + hyo;
  for (const char8_t* name : {u8"ｂa", u8"Ｂ", u8"ａc", u8"Ａb", u8"亜", u8"Zed", u8"ｱ", u8"c", u8"_x", u8"10", u8"9", u8"表A"})
    test::MakeDir(deep + "\\" + Sjis(name));
  SetFileAttributesA((deep + "\\c").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
  test::WriteFile(deep + "\\file", "x");
  CFolderTree tree;
  std::string path = deep;
  tree.BuildFromPath(path);
  ASSERT_EQ(tree.InsertSubFolders(tree.nCurrent), 12);
  EXPECT_EQ(tree.GetNodeAt(2)->szName + std::string("|") + tree.GetNodeAt(2)->szPath, Sjis(u8"ソ|D:\\表\\ソ"));
  const auto u = [](const char* s) { return reinterpret_cast<const unsigned char*>(s); };
  for (FOLDERNODE* n = tree.GetNodeAt(4); n; n = n->pNext) {
    EXPECT_EQ(n->szPath, deep + "\\" + n->szName);
    EXPECT_LT(n->pNext ? _mbsicmp(u(n->szName), u(n->pNext->szName)) : -1, 0) << test::Utf8(n->szName) << " first";
  }

  const std::string base = "D:\\" + std::string(200, 'a') + "\\" + std::string(50, 'b');  // 254 bytes
  test::MakeDir(base);
  ASSERT_TRUE(CreateDirectoryA((base + "\\cccc").c_str(), nullptr));                   // 259
  CreateDirectoryA((base + "\\ddddd").c_str(), nullptr);                               // 260, if the disk allows it
  ASSERT_TRUE(CreateDirectoryA(("D:\\" + std::string(255, 'n')).c_str(), nullptr));  // 258
  tree.RemoveAllNodes(), path = "D:\\";  // a root is built with its sub-folders: aaa..., nnn..., 表
  tree.BuildFromPath(path);
  EXPECT_EQ(tree.GetNodeAt(2)->szPath, "D:\\" + std::string(255, 'n'));
  EXPECT_EQ(tree.InsertSubFolders(1), 1);
  EXPECT_EQ(tree.InsertSubFolders(2), 1);
  EXPECT_EQ(tree.GetNodeAt(3)->szPath, base + "\\cccc");
  test::ClearDrive('D');  // a folder gone before it is opened has nothing to show
  EXPECT_EQ(tree.InsertSubFolders(1), 0);
}
