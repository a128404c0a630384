// The function-key exports seen from a host: this program carries none of
// the library, only resources of its own (hosttest_funckeys.rc), and loads
// VTKSUP.dll by name. FuncKeyAssign must show this program's template 130
// and texts; FuncKeyAssignJ the library's.
#include <gtest/gtest.h>

#include "hosttest_ids.h"
#include "res/ids_funckeys.h"
#include "support/registry.h"
#include "support/scripted_user.h"
#include "vtksup.h"

// Each export shows its module's template and the text set of the language
// (the library carries only the Japanese one) with the record's key for REW;
// OK and the close box both answer 1.
TEST(HostFuncKeys, EachExportShowsItsModulesTemplateAndTexts) {
  const HMODULE dll = LoadLibraryA("VTKSUP.dll");
  ASSERT_NE(dll, nullptr) << GetLastError();
  for (auto [library, language] : {std::pair{false, 0}, {false, 0x11}, {true, 0}, {true, 0x11}}) {
    SCOPED_TRACE(testing::Message() << (library ? "library" : "host") << ", language " << language);
    test::ScopedKey languages(HKEY_LOCAL_MACHINE, "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages",
                              "Software\\Tavorin");
    languages.SetDword("Language", DWORD(language));
    const bool alt = language != 0;
    auto str = [module = library ? dll : GetModuleHandleA(nullptr)](UINT id) {
      char text[256] = "";
      LoadStringA(module, id, text, sizeof text);
      return std::string(text);
    };
    const std::string caption = str(alt ? IDS_FK_ALT_CAPTION : IDS_FK_CAPTION);
    ASSERT_EQ(caption.empty(), library && alt);
    FUNCKEYINFO info{0, 0, {0x71, 0x72, 0x73, 0x75, 0x76, 0x77}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
    test::ScriptedUser user;
    user.On(caption, [&](test::Window& w) {
      EXPECT_EQ(w.Caption(), caption);
      EXPECT_EQ(w.Item(IDC_HOSTTEST_MARKER) != nullptr, !library);
      const std::pair<int, UINT> labels[] = {
          {IDC_FK_LIST_LABEL, alt ? IDS_FK_ALT_LIST_LABEL : IDS_FK_LIST_LABEL},
          {IDC_FK_CURRENT_LABEL, alt ? IDS_FK_ALT_CURRENT_LABEL : IDS_FK_CURRENT_LABEL},
          {IDC_FK_CAPTURE_LABEL, alt ? IDS_FK_ALT_CAPTURE_LABEL : IDS_FK_CAPTURE_LABEL},
          {IDC_FK_ASSIGN, alt ? IDS_FK_ALT_ASSIGN : IDS_FK_ASSIGN},
          {IDC_FK_DELETE, alt ? IDS_FK_ALT_DELETE : IDS_FK_DELETE}, {IDOK, IDS_FK_OK}};
      for (auto [control, text] : labels) EXPECT_EQ(w.ItemText(control), str(text)) << control;
      const std::string items[] = {str(IDS_FK_REW), str(IDS_FK_FF), str(IDS_FK_STOP) + " / " + str(IDS_FK_PLAY),
                                   str(IDS_FK_VOLUME), str(IDS_FK_SPEED), str(IDS_FK_DISABLE)};
      for (int i = 0; i < 6; ++i) EXPECT_EQ(w.ListItemText(IDC_FK_LIST, i), items[i]) << i;
      EXPECT_EQ(w.Send(IDC_FK_LIST, LB_GETCURSEL), 0);
      EXPECT_EQ(w.ItemText(IDC_FK_CURRENT), "F2");
      if (library) w.Click(IDOK);
      else PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    const char* name = library ? "FuncKeyAssignJ" : "FuncKeyAssign";
    EXPECT_EQ(reinterpret_cast<PFN_FuncKeyAssign>(reinterpret_cast<void*>(GetProcAddress(dll, name)))(&info), 1);
    user.Verify();
  }
  FreeLibrary(dll);
}
