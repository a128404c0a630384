// Bad input from a careless host, one row each: a null pointer, or a path
// that is not a whole path (no NUL in its 260 bytes, longer than 255 bytes,
// or ending in a lone lead byte). Each call fails at once: it shows nothing,
// writes nothing into the host's integers and buffers, and creates, copies
// and deletes nothing. The card holds a dictation file and every flag is 1,
// delete flag included.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/bad_calls.h"
#include "support/drives.h"
#include "vtksup.h"

using test::HostArgs;
using Names = std::vector<std::string>;

namespace {

class HostInput : public testing::Test {
 protected:
  void SetUp() override {
    for (char d : {'D', 'E'}) test::ClearDrive(d);
    test::MakeDir("D:\\Dictation");
    test::WriteFile("E:\\DS0001.DSS", std::string(96, 'x'));
  }
  static void CardAndFoldersAsTheyWere() {
    EXPECT_EQ(test::ListDir("E:\\"), Names{"DS0001.DSS"});
    EXPECT_EQ(test::ListDir("D:\\"), Names{"Dictation"});
    EXPECT_EQ(test::ListDir("D:\\Dictation"), Names{});
  }
  test::CurrentDirectoryKeeper m_cwd;
};

}  // namespace

// GetMiniCardDrive without a count does nothing.
TEST_F(HostInput, CardDownload) {
  test::RunBadCalls(
      {
          {"DnLoadOptions",
           [](HostArgs& a) { return long(DnLoadOptions(a.Int(1), a.Int(2), a.Int(3), a.Path(4), a.Path(5, "E:\\"))); },
           {1, 2, 3, 4, 5}, {4, 5}},
          {"DnLoadCondition",
           [](HostArgs& a) {
             return long(DnLoadCondition(a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Path(5), a.Path(6, "host"), a.Path(7, "E:\\")));
           },
           {1, 2, 3, 4, 5, 6, 7}, {5, 7}},
          {"GetMiniCardDrive", [](HostArgs& a) { return GetMiniCardDrive(nullptr, a.Int(2)), 0L; }, {2}, {}},
      },
      CardAndFoldersAsTheyWere);
}

// GetDnLoadNewFolderPath also fails where the folder that the selector names
// gets no dated name: none fits under a parent of 255 bytes, nor under a
// current directory that is too long to be read.
TEST_F(HostInput, RecorderDownload) {
  const std::string parent255 = "D:\\" + std::string(252, 'p');
  test::RunBadCalls(
      {
          {"QX270DnLoadOption", [](HostArgs& a) { return long(QX270DnLoadOption(a.Int(1), a.Int(2), a.Path(3), a.Path(4))); },
           {1, 2, 3, 4}, {3, 4}},
          {"QX270DnLoadCondition",
           [](HostArgs& a) { return long(QX270DnLoadCondition(a.Int(1), a.Int(2), 0, a.Path(4), a.Path(5))); },
           {1, 2, 4, 5}, {4, 5}},
          {"GetDnLoadNewFolderPath", [](HostArgs& a) { return long(GetDnLoadNewFolderPath(1, a.Path(2), a.Path(3))); },
           {2, 3}, {2, 3}},
          {"GetDnLoadNewFolderPath, A's parent of 255 bytes",
           [&](HostArgs& a) { return long(GetDnLoadNewFolderPath(1, a.Path(2, parent255), a.Path(3))); }},
          {"GetDnLoadNewFolderPath, B's parent of 255 bytes",
           [&](HostArgs& a) { return long(GetDnLoadNewFolderPath(2, a.Path(2), a.Path(3, parent255))); }},
          {"GetDnLoadNewFolderPath, A's parent the current directory, too long to read",
           [](HostArgs& a) { return long(GetDnLoadNewFolderPath(1, a.Path(2, ""), a.Path(3))); }, {}, {}, 0,
           [] { SetCurrentDirectoryA(test::MakeLongDir(258).c_str()); }},
      },
      [] { EXPECT_EQ(test::ListDir("D:\\Dictation"), Names{}); });
}

// The function-key exports without a record (FuncKeyHook in mode 1).
TEST_F(HostInput, FunctionKeys) {
  test::RunBadCalls({
      {"FuncKeyHook, mode 1", [](HostArgs&) { return long(FuncKeyHook(1, nullptr)); }},
      {"FuncKeyAssign", [](HostArgs&) { return long(FuncKeyAssign(nullptr)); }},
      {"FuncKeyAssignJ", [](HostArgs&) { return long(FuncKeyAssignJ(nullptr)); }},
  });
}
