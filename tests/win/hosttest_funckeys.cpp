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

using test::Sjis;

namespace {

const char kTavorin[] = "Software\\Tavorin";
const std::string kSettings2002 = "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Download\\AnotherSetting";
const std::string kLanguages2002 = "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages";

// The marker (only this program's template has it), the labels, the buttons and the list.
std::vector<std::string> Texts(const test::Window& w) {
  std::vector<std::string> texts{w.Item(IDC_HOSTTEST_MARKER) ? w.ItemText(IDC_HOSTTEST_MARKER) : "(no marker)"};
  for (int id : {IDC_FK_LIST_LABEL, IDC_FK_CURRENT_LABEL, IDC_FK_CAPTURE_LABEL, IDOK, IDC_FK_ASSIGN, IDC_FK_DELETE})
    texts.push_back(w.ItemText(id));
  for (int i = 0; i < w.Send(IDC_FK_LIST, LB_GETCOUNT); ++i) texts.push_back(w.ListItemText(IDC_FK_LIST, i));
  return texts;
}

class HostFuncKeys : public testing::Test {
 protected:
  void SetUp() override {
    Clear();
    ASSERT_NE(m_dll, nullptr) << GetLastError();
    ASSERT_TRUE(m_assign && m_assignJ && m_hook);
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
  decltype(&FuncKeyAssign) m_assign = Get<decltype(&FuncKeyAssign)>("FuncKeyAssign");
  decltype(&FuncKeyAssignJ) m_assignJ = Get<decltype(&FuncKeyAssignJ)>("FuncKeyAssignJ");
  decltype(&FuncKeyHook) m_hook = Get<decltype(&FuncKeyHook)>("FuncKeyHook");
};

}  // namespace

// Each export shows its template and texts, and F6 moved from VOLUME to FF
// through it reaches the caller's record and the registry.
TEST_F(HostFuncKeys, EachExportShowsItsModulesTemplateAndTexts) {
  const std::vector<std::string> hostItems = {"Host REW",    "Host FF",    "Host STOP / Host PLAY",
                                              "Host VOLUME", "Host SPEED", "Host DISABLE"};
  struct Case {
    const char* what;
    bool library;
    DWORD language;
    test::U8 caption;
    std::vector<std::string> texts;
  } cases[] = {
      {"host, Japanese", false, 0, u8"ﾎｽﾄのﾌｧﾝｸｼｮﾝｷｰ",
       {"hosttest template 130", Sjis(u8"項目(ﾎｽﾄ)"), Sjis(u8"現在(ﾎｽﾄ)"), Sjis(u8"押すｷｰ(ﾎｽﾄ)"), "Host OK",
        Sjis(u8"割当(ﾎｽﾄ)"), Sjis(u8"削除(ﾎｽﾄ)")}},
      {"host, alternative", false, 0x11, "Host function keys",
       {"hosttest template 130", "Host items", "Host current", "Host press", "Host OK", "Host assign", "Host delete"}},
      {"library", true, 0, u8"ﾌｧﾝｸｼｮﾝｷｰの設定",
       {"(no marker)", Sjis(u8"ﾌｧﾝｸｼｮﾝｷｰの項目(&I)："), Sjis(u8"現在のｷｰ(&U)："),
        Sjis(u8"割り当てるﾌｧﾝｸｼｮﾝｷｰ\nを押して下さい(&C)："), "OK", Sjis(u8"割り当て(&A)"), Sjis(u8"削除(&D)"),
        Sjis(u8"早戻し"), Sjis(u8"早送り"), Sjis(u8"停止 / 再生"), Sjis(u8"音量を上げる"), Sjis(u8"再生速度を上げる"),
        Sjis(u8"ﾌｧﾝｸｼｮﾝ ｷｰの無効")}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.library) c.texts.insert(c.texts.end(), hostItems.begin(), hostItems.end());
    Clear();
    test::ScopedKey languages(HKEY_LOCAL_MACHINE, kLanguages2002);
    languages.SetDword("Language", c.language);
    FUNCKEYINFO info{0, 0, {0x71, 0x72, 0x73, 0x75, 0x76, 0x77}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
    std::vector<std::string> texts;
    std::string current;
    test::ScriptedUser user;
    user.On(c.caption, [&](test::Window& w) {
          texts = Texts(w);
          w.Pick(IDC_FK_LIST, 1, LBN_SELCHANGE);
          w.PostKeyUp(VK_F6);
        })
        .On(c.caption,
              [&](test::Window& w) {
                w.Click(IDC_FK_ASSIGN);
                current = w.ItemText(IDC_FK_CURRENT);
                PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
              }, [](test::Window& w) { return w.ItemText(IDC_FK_CAPTURE) == "F6"; });
    EXPECT_EQ((c.library ? m_assignJ : m_assign)(&info), 1);
    user.Verify();
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(current, "F6");
    EXPECT_EQ(info.wKey[1], 0x75);
    EXPECT_EQ(info.wKey[3], 0xFFFF);
    EXPECT_EQ(test::ReadDword(HKEY_CURRENT_USER, kSettings2002, "FUNCTION_KEY_FF"), 117u);
    EXPECT_EQ(test::ReadDword(HKEY_CURRENT_USER, kSettings2002, "FUNCTION_KEY_VOLUME"), 65535u);
  }
}

TEST_F(HostFuncKeys, NullRecordsShowNothing) {
  test::ScriptedUser user;
  EXPECT_EQ(m_assign(nullptr), 0);
  EXPECT_EQ(m_assignJ(nullptr), 0);
  EXPECT_EQ(m_hook(1, nullptr), 0);
  user.Verify();
}
