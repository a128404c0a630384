// The function-key exports seen from a host: this program carries none of
// the library, only a template 130 and a caption of its own
// (hosttest_funckeys.rc), and loads VTKSUP.dll by name. FuncKeyAssign must
// show this program's template and texts, FuncKeyAssignJ the library's.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "res/ids_funckeys.h"
#include "support/scripted_user.h"
#include "vtksup.h"

TEST(HostFuncKeys, EachExportShowsItsModulesTemplateAndTexts) {
  const HMODULE dll = LoadLibraryA("VTKSUP.dll");
  ASSERT_NE(dll, nullptr) << GetLastError();
  for (const bool library : {false, true}) {
    const std::string caption = library ? test::Sjis(u8"ﾌｧﾝｸｼｮﾝｷｰの設定") : "Host function keys";
    FUNCKEYINFO info{0, 0, {0x71}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
    test::ScriptedUser user;
    user.On(caption, [&](test::Window& w) {
      // Only the host's template lacks the delete button.
      EXPECT_EQ(std::pair(w.Item(IDC_FK_DELETE) != nullptr, w.ItemText(IDC_FK_CURRENT)), std::pair(library, std::string("F2")));
      PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    const char* name = library ? "FuncKeyAssignJ" : "FuncKeyAssign";
    EXPECT_EQ(reinterpret_cast<PFN_FuncKeyAssign>(reinterpret_cast<void*>(GetProcAddress(dll, name)))(&info), 1) << name;
    user.Verify();
  }
  FreeLibrary(dll);
}
