// Dated new-folder names against a real disk, and the export that hands the
// paths to the host.
#include <windows.h>
#include <gtest/gtest.h>

#include "download/paths.h"
#include "support/drives.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;

namespace {
class Paths : public testing::Test {
 protected:
  void SetUp() override {
    test::ClearDrive('D');
    SetLocalDateForTesting(&k5Mar2006);
  }
  void TearDown() override {
    SetLocalDateForTesting(nullptr);
    test::ClearDrive('D');
  }
  static constexpr vtk::LocalDate k5Mar2006{2006, 3, 5};
  test::CurrentDirectoryKeeper m_cwd;
};

std::string Call(int selector, std::string& a, std::string& b) {
  char bufA[1024], bufB[1024];
  lstrcpyA(bufA, a.c_str());
  lstrcpyA(bufB, b.c_str());
  EXPECT_EQ(GetDnLoadNewFolderPath(selector, bufA, bufB), 1);
  a = bufA;
  b = bufB;
  return a;
}
}  // namespace

TEST_F(Paths, FolderAndPlainFileBothTakeAName) {
  test::MakeDir("D:\\Dictation\\2006.3.5-1");
  test::WriteFile("D:\\Dictation\\2006.3.5-2", "not a folder");
  std::string parent = "D:\\Dictation", name;
  GetNewFolderName(parent, name);
  EXPECT_EQ(name, "2006.3.5-3");
  EXPECT_EQ(parent, "D:\\Dictation\\");
  EXPECT_FALSE(test::Exists("D:\\Dictation\\2006.3.5-3"));  // nothing is created
}

TEST_F(Paths, ParentNamedWithTrailByte5C) {
  const std::string hyo = Sjis(u8"D:\\表");
  test::MakeDir(hyo + "\\2006.3.5-1");
  std::string parent = hyo, name;
  GetNewFolderName(parent, name);
  EXPECT_EQ(name, "2006.3.5-2");
  EXPECT_EQ(parent, hyo + "\\");
  std::string a = hyo + "\\", b = Sjis(u8"D:\\ソ\\");
  Call(1, a, b);
  EXPECT_EQ(a, hyo + "\\2006.3.5-2");
  EXPECT_EQ(b, Sjis(u8"D:\\ソ"));
}

TEST_F(Paths, YearBoundaries) {
  const vtk::LocalDate lastDay{2006, 12, 31}, firstDay{2007, 1, 1};
  std::string parent = "D:\\", name;
  SetLocalDateForTesting(&lastDay);
  GetNewFolderName(parent, name);
  EXPECT_EQ(name, "2006.12.31-1");
  SetLocalDateForTesting(&firstDay);
  GetNewFolderName(parent, name);
  EXPECT_EQ(name, "2007.1.1-1");
}

TEST_F(Paths, PairedNamesOnOneParentOnDisk) {
  test::MakeDir("D:\\Rec\\2006.3.5-2");
  vtk::RecorderFolderPair pair{0, "D:\\Rec", "D:\\Rec", "", ""};
  GetPairedNewFolderName(pair, 0, pair.strFolderA, pair.strNewNameA);
  GetPairedNewFolderName(pair, 1, pair.strFolderB, pair.strNewNameB);
  EXPECT_EQ(pair.strNewNameA, "2006.3.5-1");
  EXPECT_EQ(pair.strNewNameB, "2006.3.5-3");
}

TEST_F(Paths, ExportNamesTheSelectedFolderAndFallsBackToTheCurrentDirectory) {
  test::MakeDir("D:\\Dictation\\2006.3.5-1");
  test::MakeDir("D:\\Work");
  ASSERT_TRUE(SetCurrentDirectoryA("D:\\Work"));
  std::string a = "D:\\Dictation", b;
  Call(1, a, b);
  EXPECT_EQ(a, "D:\\Dictation\\2006.3.5-2");
  EXPECT_EQ(b, "D:\\Work");

  a = "D:\\Dictation";
  b = "F:\\Rec\\";
  Call(2, a, b);
  EXPECT_EQ(a, "D:\\Dictation");
  EXPECT_EQ(b, "F:\\Rec\\2006.3.5-1");

  ASSERT_TRUE(SetCurrentDirectoryA("D:\\"));
  a.clear();
  b = "E:";
  Call(1, a, b);
  EXPECT_EQ(a, "D:\\2006.3.5-1");
  EXPECT_EQ(b, "E:");
  for (int selector : {0, 3}) {
    a = "D:\\Dictation\\";
    b = "E:\\";
    Call(selector, a, b);
    EXPECT_EQ(a, "D:\\Dictation");
    EXPECT_EQ(b, "E:\\");
  }
  EXPECT_FALSE(test::Exists("D:\\2006.3.5-1"));
}

TEST_F(Paths, ACurrentDirectoryTooLongToReadIsNotCutShort) {
  const std::string deep = test::MakeLongDir(258);  // legal, but over 255
  ASSERT_TRUE(SetCurrentDirectoryA(deep.c_str())) << deep.size();
  EXPECT_EQ(GetCurrentDirectoryFallback(), "");
  // Nothing is named at the root, nor where parent\name would not fit.
  const std::string full(255, 'p');
  const struct {
    int selector;
    std::string a, b, wantA, wantB;
  } cases[] = {{0, "", "D:\\", "", "D:\\"}, {1, "", "D:\\", "", "D:\\"}, {2, "D:\\", "", "D:\\", ""},
               {1, full, "", full, ""}};
  for (const auto& c : cases) {
    std::string a = c.a, b = c.b;
    Call(c.selector, a, b);
    EXPECT_EQ(a, c.wantA) << c.selector;
    EXPECT_EQ(b, c.wantB) << c.selector;
  }
}
