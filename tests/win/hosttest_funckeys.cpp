// The function-key exports seen from a host: this program carries none of
// the library, only resources of its own (hosttest_funckeys.rc), and loads
// VTKSUP.dll by name. FuncKeyAssign must show this program's template 130
// and texts; FuncKeyAssignJ the library's.
#include <gtest/gtest.h>

#include <vector>

#include "hosttest_ids.h"
#include "res/ids_funckeys.h"
#include "support/registry.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

namespace {

const char kTavorin[] = "Software\\Tavorin";
const std::string kSettings2002 = "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Download\\AnotherSetting";
const std::string kLanguages2002 = "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages";

std::string Str(HMODULE module, UINT id) {
  char text[256] = "";
  LoadStringA(module, id, text, sizeof text);
  return text;
}

class HostFuncKeys : public testing::Test {
 protected:
  void SetUp() override {
    Clear();
    ASSERT_NE(m_dll, nullptr) << GetLastError();
  }
  void TearDown() override {
    Clear();
    if (m_dll) FreeLibrary(m_dll);
  }
  static void Clear() {
    test::DeleteTree(HKEY_LOCAL_MACHINE, kTavorin);
    test::DeleteTree(HKEY_CURRENT_USER, kTavorin);
  }
  template <class Fn>
  Fn Get(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_dll, name)));
  }
  HMODULE m_dll = LoadLibraryA("VTKSUP.dll");
};

}  // namespace

// Each export shows its module's template and the text set of the language
// (the library carries only the Japanese one), and F6 moved from VOLUME to
// FF through it reaches the caller's record and the registry.
TEST_F(HostFuncKeys, EachExportShowsItsModulesTemplateAndTexts) {
  for (auto [library, language] : {std::pair{false, 0}, {false, 0x11}, {true, 0}, {true, 0x11}}) {
    SCOPED_TRACE(testing::Message() << (library ? "library" : "host") << ", language " << language);
    Clear();
    test::ScopedKey languages(HKEY_LOCAL_MACHINE, kLanguages2002);
    languages.SetDword("Language", DWORD(language));
    const HMODULE texts = library ? m_dll : GetModuleHandleA(nullptr);
    const bool alt = language != 0;
    const std::string caption = Str(texts, alt ? IDS_FK_ALT_CAPTION : IDS_FK_CAPTION);
    ASSERT_EQ(caption.empty(), library && alt);
    FUNCKEYINFO info{0, 0, {0x71, 0x72, 0x73, 0x75, 0x76, 0x77}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
    test::ScriptedUser user;
    user.On(test::Utf8(caption), [&](test::Window& w) {
          EXPECT_EQ(w.Caption(), caption);
          EXPECT_EQ(w.Item(IDC_HOSTTEST_MARKER) != nullptr, !library);
          const std::pair<int, UINT> shown[] = {
              {IDC_FK_LIST_LABEL, alt ? IDS_FK_ALT_LIST_LABEL : IDS_FK_LIST_LABEL},
              {IDC_FK_CURRENT_LABEL, alt ? IDS_FK_ALT_CURRENT_LABEL : IDS_FK_CURRENT_LABEL},
              {IDC_FK_CAPTURE_LABEL, alt ? IDS_FK_ALT_CAPTURE_LABEL : IDS_FK_CAPTURE_LABEL},
              {IDC_FK_ASSIGN, alt ? IDS_FK_ALT_ASSIGN : IDS_FK_ASSIGN},
              {IDC_FK_DELETE, alt ? IDS_FK_ALT_DELETE : IDS_FK_DELETE}, {IDOK, IDS_FK_OK}};
          for (auto [control, text] : shown) EXPECT_EQ(w.ItemText(control), Str(texts, text)) << control;
          const UINT items[] = {IDS_FK_REW, IDS_FK_FF, 0, IDS_FK_VOLUME, IDS_FK_SPEED, IDS_FK_DISABLE};
          for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(w.ListItemText(IDC_FK_LIST, i),
                      i == 2 ? Str(texts, IDS_FK_STOP) + " / " + Str(texts, IDS_FK_PLAY) : Str(texts, items[i]));
          }
          EXPECT_EQ(w.ListSelection(IDC_FK_LIST), 0);
          EXPECT_EQ(w.ItemText(IDC_FK_CURRENT), "F2");
          w.SelectListItem(IDC_FK_LIST, 1);
          w.PostKeyUp(VK_F6);
        })
        .When(test::Utf8(caption), [](test::Window& w) { return w.ItemText(IDC_FK_CAPTURE) == "F6"; },
              [&](test::Window& w) {
                w.Click(IDC_FK_ASSIGN);
                EXPECT_EQ(w.ItemText(IDC_FK_CURRENT), "F6");
                PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
              });
    EXPECT_EQ(Get<decltype(&FuncKeyAssign)>(library ? "FuncKeyAssignJ" : "FuncKeyAssign")(&info), 1);
    EXPECT_TRUE(user.Clean()) << user.Report();
    EXPECT_EQ(info.wKey[1], 0x75);
    EXPECT_EQ(info.wKey[3], 0xFFFF);
    EXPECT_EQ(test::ReadDword(HKEY_CURRENT_USER, kSettings2002, "FUNCTION_KEY_FF"), 117u);
    EXPECT_EQ(test::ReadDword(HKEY_CURRENT_USER, kSettings2002, "FUNCTION_KEY_VOLUME"), 65535u);
  }
}

TEST_F(HostFuncKeys, NullRecordsShowNothing) {
  test::ScriptedUser user;
  EXPECT_EQ(Get<decltype(&FuncKeyAssign)>("FuncKeyAssign")(nullptr), 0);
  EXPECT_EQ(Get<decltype(&FuncKeyAssignJ)>("FuncKeyAssignJ")(nullptr), 0);
  EXPECT_EQ(Get<decltype(&FuncKeyHook)>("FuncKeyHook")(1, nullptr), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
}
