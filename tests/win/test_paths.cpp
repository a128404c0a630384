// Dated new-folder names against a real disk (the rule itself is tested
// natively), through the export that hands the paths to the host.
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
  void SetUp() override { test::ClearDrive('D'), SetLocalDateForTesting(&k5Mar2006); }
  void TearDown() override { SetLocalDateForTesting(nullptr); }
  static constexpr vtk::LocalDate k5Mar2006{2006, 3, 5};
  test::CurrentDirectoryKeeper m_cwd;
};
}  // namespace

// A folder and a plain file both take a name; a parent named 表 (trail byte
// 0x5C) is not cut; an empty folder is the current directory; nothing is
// made on disk; a parent of 255 bytes gets no name (it could not be handed
// back in 260 bytes); and a current directory too long to read names nothing
// (not "\2006.3.5-1" at the root).
TEST_F(Paths, TheExportNamesTheSelectedFolderOnARealDisk) {
  const std::string hyo = Sjis(u8"D:\\表"), full(255, 'p');
  test::MakeDir(hyo + "\\2006.3.5-1");
  test::MakeDir("D:\\Dictation\\2006.3.5-1");
  test::WriteFile("D:\\Dictation\\2006.3.5-2", "not a folder");
  test::MakeDir("D:\\Work");
  const struct { std::string cwd; int selector; std::string a, b, wantA, wantB; } cases[] = {
      {"D:\\Work", 1, "D:\\Dictation", "", "D:\\Dictation\\2006.3.5-3", "D:\\Work"},
      {"D:\\Work", 2, hyo + "\\", Sjis(u8"D:\\ソ\\"), hyo, Sjis(u8"D:\\ソ\\2006.3.5-1")},
      {"D:\\Work", 1, hyo, "", hyo + "\\2006.3.5-2", "D:\\Work"},
      {"D:\\Work", 1, full, "", full, "D:\\Work"},
      {test::MakeLongDir(258), 0, "", "D:\\", "", "D:\\"},
      {test::MakeLongDir(258), 1, "", "D:\\", "", "D:\\"},
      {test::MakeLongDir(258), 2, "D:\\", "", "D:\\", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selector);
    ASSERT_TRUE(SetCurrentDirectoryA(c.cwd.c_str()));
    char a[1024], b[1024];
    lstrcpyA(a, c.a.c_str()), lstrcpyA(b, c.b.c_str());
    EXPECT_EQ(GetDnLoadNewFolderPath(c.selector, a, b), 1);
    EXPECT_EQ(std::string(a) + "|" + b, c.wantA + "|" + c.wantB);
  }
  EXPECT_EQ(test::ListDir("D:\\Dictation"), (std::vector<std::string>{"2006.3.5-1", "2006.3.5-2"}));
}
